#include "undo/imageeditscope.h"

#include "print/projectdoc.h"
#include "undo/logocommand.h"
#include "undo/undohistory.h"

ImageEditScope::ImageEditScope(UndoHistory *history, Image image)
    : m_history(history)
    , m_image(image)
{
    if (!m_history)
        return;
    m_values = m_history->captureValues();
    m_background = BackgroundCommand::current(m_history);
    m_logo = m_history->doc()->logo();
}

ImageEditScope::~ImageEditScope()
{
    if (!m_history || !m_history->isRecording())
        return;
    SheetCommand *command = nullptr;
    if (m_image == Background) {
        const BackgroundCommand::Background now = BackgroundCommand::current(m_history);
        if (!BackgroundCommand::same(m_background, now))
            command = new BackgroundCommand(m_history, m_background, now);
    } else {
        const QPixmap now = m_history->doc()->logo();
        if (now.cacheKey() != m_logo.cacheKey())
            command = new LogoCommand(m_history, m_logo, now);
    }
    if (!command)
        return;
    command->setValuesBefore(m_values);
    m_history->push(command);
}
