#include "property/widget/qtninplaceeditorhandler.h"
#include "property/core/qtnpropertybase.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"

#include <QApplication>
#include <QKeyEvent>

QtnInplaceEditorHandler& QtnInplaceEditorHandler::instance()
{
    static QtnInplaceEditorHandler* handler = new QtnInplaceEditorHandler();
    return *handler;
}

QtnInplaceEditorHandler::QtnInplaceEditorHandler()
{
    connect(qApp, &QApplication::focusChanged, this, &QtnInplaceEditorHandler::onFocusChanged);
}

bool QtnInplaceEditorHandler::start(QWidget* editor, QWidget* focusReturn)
{
    if (!editor)
        return false;
    stop(true);
    m_editor = editor;
    m_focusReturn = focusReturn;
    editor->installEventFilter(this);
    const auto children = editor->findChildren<QWidget*>();
    for (QWidget* child : children)
        child->installEventFilter(this);
    editor->show();
    editor->setFocus(Qt::OtherFocusReason);
    return true;
}

bool QtnInplaceEditorHandler::stop(bool commit)
{
    QWidget* editor = m_editor;
    if (!editor)
        return false;
    // Cleared first: committing may re-enter through the view or the focus signal.
    m_editor = nullptr;
    if (commit)
    {
        auto handler = editor->findChild<QtnPropertyEditorHandlerBase*>(QString(), Qt::FindDirectChildrenOnly);
        if (handler)
            handler->commit();
    }
    QWidget* focus = QApplication::focusWidget();
    bool hadFocus = focus && (focus == editor || editor->isAncestorOf(focus));
    editor->removeEventFilter(this);
    editor->hide();
    editor->deleteLater();
    if (hadFocus && m_focusReturn)
        m_focusReturn->setFocus(Qt::OtherFocusReason);
    if (m_focusReturn)
        m_focusReturn->update();
    return true;
}

void QtnInplaceEditorHandler::suspendFocusWatch(bool suspend)
{
    m_suspendCount += suspend ? 1 : -1;
}

bool QtnInplaceEditorHandler::isInsideEditor(const QWidget* widget) const
{
    // Walks across window boundaries too: a combo box popup belongs to its editor.
    for (const QWidget* w = widget; w; w = w->parentWidget())
    {
        if (w == m_editor)
            return true;
    }
    return false;
}

bool QtnInplaceEditorHandler::eventFilter(QObject* watched, QEvent* event)
{
    if (m_editor && event->type() == QEvent::KeyPress)
    {
        auto keyEvent = static_cast<QKeyEvent*>(event);
        switch (keyEvent->key())
        {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            stop(true);
            return true;
        case Qt::Key_Escape:
            stop(false);
            return true;
        default:
            break;
        }
    }
    return QObject::eventFilter(watched, event);
}

void QtnInplaceEditorHandler::onFocusChanged(QWidget*, QWidget* now)
{
    if (!m_editor || m_suspendCount > 0 || !now)
        return;
    if (!isInsideEditor(now))
        stop(true);
}

bool qtnStartInplaceEdit(QWidget* editor, QWidget* focusReturn)
{
    return QtnInplaceEditorHandler::instance().start(editor, focusReturn);
}

bool qtnStopInplaceEdit(bool commit)
{
    return QtnInplaceEditorHandler::instance().stop(commit);
}

QWidget* qtnGetInplaceEdit()
{
    return QtnInplaceEditorHandler::instance().editor();
}
