#ifndef PRINT_PROJECTDOC_H
#define PRINT_PROJECTDOC_H

#include <QGraphicsTextItem>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

class DiagramScene;
class QGraphicsPixmapItem;
class QGraphicsView;
class QMenu;

// The drawing sheet: one A4-landscape page of 1188 x 840 scene units (4 units
// per millimetre) holding the schematic, with a frame along the page edge, the
// designer's logo and a title block. It owns the scene and the view that shows
// it and carries the document-wide flags the main window's commands use.
//
// The frame, logo and title-block items are ordinary scene items: emptying the
// scene removes them too, and the pointers below are then stale until
// createSheet() has run again.
class ProjectDoc : public QWidget
{
    Q_OBJECT

public:
    static constexpr int SheetWidth = 1188;
    static constexpr int SheetHeight = 840;

    explicit ProjectDoc(QWidget *parent = nullptr);

    DiagramScene *scene() const { return m_scene; }
    QGraphicsView *view() const { return m_view; }

    QMenu *itemMenu() const { return m_itemMenu; }
    // Passed on to the scene, which hands it to every item it creates.
    void setItemMenu(QMenu *menu);

    // Adds the frame, the logo and the title block (values taken from the
    // scene's project set) and remembers the five items that change later.
    void createSheet();
    // Copies the project's name, address, comments and creation date into the
    // four value fields of the title block.
    void updateTitleBlock();

    QPixmap background() const { return m_background; }
    void setBackground(const QPixmap &background) { m_background = background; }
    QPixmap logo() const { return m_logo; }
    // Stores the logo only; the logo item shows it from the next createSheet()
    // or when the caller sets it on logoItem().
    void setLogo(const QPixmap &logo) { m_logo = logo; }

    bool isModified() const { return m_modified; }
    // Every change of the project and every save passes through here, so
    // this is where anything that follows changes (the autosave) listens.
    void setModified(bool modified)
    {
        m_modified = modified;
        emit modifiedSet(modified);
    }
    bool wiresHidden() const { return m_wiresHidden; }
    void setWiresHidden(bool hidden) { m_wiresHidden = hidden; }
    bool descriptionsHidden() const { return m_descriptionsHidden; }
    void setDescriptionsHidden(bool hidden) { m_descriptionsHidden = hidden; }

    QGraphicsTextItem *nameText() const { return m_nameText; }
    QGraphicsTextItem *addressText() const { return m_addressText; }
    QGraphicsTextItem *commentsText() const { return m_commentsText; }
    QGraphicsTextItem *dateText() const { return m_dateText; }
    QGraphicsPixmapItem *logoItem() const { return m_nameText ? m_logoItem : nullptr; }

signals:
    // Sent on every write of the modified flag, also when it keeps its
    // value: a change to a project already modified is still a change.
    void modifiedSet(bool modified);

protected:
    void showEvent(QShowEvent *event) override;

private:
    void scrollToTopLeft();
    QGraphicsTextItem *addText(const QString &text, qreal x, qreal y);

    DiagramScene *m_scene = nullptr;
    QGraphicsView *m_view = nullptr;
    QPixmap m_background;
    QPixmap m_logo;
    bool m_modified = false;
    bool m_wiresHidden = false;
    bool m_descriptionsHidden = false;
    QMenu *m_itemMenu = nullptr;
    QPointer<QGraphicsTextItem> m_nameText;
    QPointer<QGraphicsTextItem> m_addressText;
    QPointer<QGraphicsTextItem> m_commentsText;
    QPointer<QGraphicsTextItem> m_dateText;
    // Not a QObject: valid only while the title texts live, since emptying
    // the scene takes all the furniture away at once.
    QGraphicsPixmapItem *m_logoItem = nullptr;
    bool m_shownOnce = false;
};

#endif // PRINT_PROJECTDOC_H
