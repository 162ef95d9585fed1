#include "property/widget/qtnpropertyeditorhandlerbase.h"
#include "property/core/qtnpropertybase.h"

#include <QWidget>

QtnPropertyEditorHandlerBase::QtnPropertyEditorHandlerBase(QtnPropertyBase& property, QWidget& editor,
                                                           const CommitFunction& commit)
    : QObject(&editor), m_property(&property), m_editor(&editor), m_commit(commit)
{
}

void QtnPropertyEditorHandlerBase::commit()
{
    // One editor session writes at most once, however it ends.
    if (m_bCommitted || !m_property || !m_property->isEditableByUser() || !m_commit)
        return;
    m_bCommitted = true;
    m_commit();
}
