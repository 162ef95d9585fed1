#include "undo/movecommand.h"

#include "diagram/diagramitem.h"
#include "undo/undohistory.h"

MoveCommand::MoveCommand(UndoHistory *history, const QList<Step> &steps)
    : SheetCommand(history, steps.size() == 1 ? UndoHistory::tr("przesunięcie elementu")
                                              : UndoHistory::tr("przesunięcie elementów"))
    , m_steps(steps)
{
}

void MoveCommand::redoChange()
{
    for (const Step &step : qAsConst(m_steps))
        step.item->setPos(step.to);
}

void MoveCommand::undoChange()
{
    for (const Step &step : qAsConst(m_steps))
        step.item->setPos(step.from);
}

void MoveCommand::collectOwnElements(QSet<const QGraphicsItem *> &out) const
{
    for (const Step &step : m_steps)
        out.insert(step.item);
}
