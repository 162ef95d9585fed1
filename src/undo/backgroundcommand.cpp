#include "undo/backgroundcommand.h"

#include "diagram/diagramscene.h"
#include "print/projectdoc.h"
#include "undo/undohistory.h"

BackgroundCommand::BackgroundCommand(UndoHistory *history, const Background &before, const Background &after)
    : SheetCommand(history, after.picture.isNull() ? UndoHistory::tr("usunięcie tła")
                                                   : UndoHistory::tr("dodanie tła"))
    , m_before(before)
    , m_after(after)
{
}

BackgroundCommand::Background BackgroundCommand::current(UndoHistory *history)
{
    return {history->doc()->background(), history->scene()->backgroundBrush()};
}

bool BackgroundCommand::same(const Background &a, const Background &b)
{
    return a.picture.cacheKey() == b.picture.cacheKey() && a.brush == b.brush;
}

void BackgroundCommand::show(const Background &background)
{
    history()->doc()->setBackground(background.picture);
    history()->scene()->setBackgroundBrush(background.brush);
}

void BackgroundCommand::redoChange()
{
    show(m_after);
}

void BackgroundCommand::undoChange()
{
    show(m_before);
}
