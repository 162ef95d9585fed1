#ifndef QTN_INPLACE_EDITOR_HANDLER_H
#define QTN_INPLACE_EDITOR_HANDLER_H

#include <QObject>
#include <QPointer>
#include <QWidget>

// Keeps the one in-place editor of the application: it closes the editor on
// focus loss, Return and Enter (committing) or Escape (cancelling), so two
// editors never fight over one property.
class QtnInplaceEditorHandler : public QObject
{
    Q_OBJECT

public:
    static QtnInplaceEditorHandler& instance();

    bool start(QWidget* editor, QWidget* focusReturn);
    bool stop(bool commit);
    QWidget* editor() const { return m_editor; }

    // While a modal dialog opened from the editor runs, focus leaves the
    // editor without the user meaning to close it.
    void suspendFocusWatch(bool suspend);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private Q_SLOTS:
    void onFocusChanged(QWidget* old, QWidget* now);

private:
    QtnInplaceEditorHandler();
    bool isInsideEditor(const QWidget* widget) const;

    QPointer<QWidget> m_editor;
    QPointer<QWidget> m_focusReturn;
    int m_suspendCount = 0;
};

bool qtnStartInplaceEdit(QWidget* editor, QWidget* focusReturn = nullptr);
bool qtnStopInplaceEdit(bool commit = true);
QWidget* qtnGetInplaceEdit();

class QtnInplaceEditSuspender
{
public:
    QtnInplaceEditSuspender() { QtnInplaceEditorHandler::instance().suspendFocusWatch(true); }
    ~QtnInplaceEditSuspender() { QtnInplaceEditorHandler::instance().suspendFocusWatch(false); }
};

#endif // QTN_INPLACE_EDITOR_HANDLER_H
