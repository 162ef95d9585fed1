#ifndef DIAGRAM_DIAGRAMSCENE_H
#define DIAGRAM_DIAGRAMSCENE_H

#include <QColor>
#include <QGraphicsScene>

#include "diagram/diagramitem.h"

class QGraphicsLineItem;
class QGraphicsSceneMouseEvent;
class QMenu;
class QtnPropertySetProject;
class Wire;

// The scene of one drawing sheet. It turns mouse input into new items and
// wires according to its mode, decides which pairs of items may be joined,
// and owns the project's property set.
class DiagramScene : public QGraphicsScene
{
    Q_OBJECT

public:
    enum Mode { InsertItem, InsertLine, MoveItem };

    explicit DiagramScene(QMenu *itemMenu, QObject *parent = nullptr);
    ~DiagramScene() override;

    Mode mode() const { return m_mode; }
    DiagramItem::DiagramType itemType() const { return m_itemType; }
    QMenu *itemMenu() const { return m_itemMenu; }
    void setItemMenu(QMenu *menu);
    QColor lineColor() const { return m_lineColor; }
    void setLineColor(const QColor &color) { m_lineColor = color; }
    // The rubber-band line while a wire is being drawn, else null.
    QGraphicsLineItem *rubberBandLine() const { return m_line; }

    void removeAllItems();

    QtnPropertySetProject *projectSet() const { return m_projectSet; }
    void setInvestmentName(const QString &text);
    QString investmentName() const;
    void setInvestmentAddress(const QString &text);
    QString investmentAddress() const;
    void setInvestmentComments(const QString &text);
    QString investmentComments() const;
    void setCreateDate(const QString &text);
    QString createDate() const;
    void setColorWires(const QString &text);
    QString colorWires() const;
    void setColorCameras(const QString &text);
    QString colorCameras() const;
    void setColorPD(const QString &text);
    QString colorPD() const;

    // Whether a wire may join these two items (start first).
    static bool canConnect(const DiagramItem *start, const DiagramItem *end);

signals:
    void itemInserted(DiagramItem *item);
    void wireInserted(Wire *wire);
    // Everything on the sheet is about to go (a new or opened project).
    void aboutToRemoveAllItems();

public slots:
    void setMode(DiagramScene::Mode mode);
    void setItemType(DiagramItem::DiagramType type);

protected:
    void mousePressEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent *event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent *event) override;

private:
    void finishLine();

    DiagramItem::DiagramType m_itemType = DiagramItem::Camera;
    QMenu *m_itemMenu;
    Mode m_mode = MoveItem;
    QGraphicsLineItem *m_line = nullptr;
    QColor m_lineColor = Qt::black;
    QtnPropertySetProject *m_projectSet = nullptr;
};

#endif // DIAGRAM_DIAGRAMSCENE_H
