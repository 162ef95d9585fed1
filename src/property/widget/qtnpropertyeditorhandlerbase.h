#ifndef QTN_PROPERTY_EDITOR_HANDLER_BASE_H
#define QTN_PROPERTY_EDITOR_HANDLER_BASE_H

#include <QObject>
#include <QPointer>

#include <functional>

class QtnPropertyBase;
class QWidget;

// Lives as a child of an in-place editor and writes the editor's value back
// to the property when the editor closes with a commit. The property is
// watched: a property deleted while its editor is open is never written.
class QtnPropertyEditorHandlerBase : public QObject
{
    Q_OBJECT

public:
    typedef std::function<void()> CommitFunction;

    QtnPropertyEditorHandlerBase(QtnPropertyBase& property, QWidget& editor, const CommitFunction& commit);

    QtnPropertyBase* property() const { return m_property; }
    QWidget* editor() const { return m_editor; }
    void commit();

private:
    QPointer<QtnPropertyBase> m_property;
    QWidget* m_editor;
    CommitFunction m_commit;
    bool m_bCommitted = false;
};

#endif // QTN_PROPERTY_EDITOR_HANDLER_BASE_H
