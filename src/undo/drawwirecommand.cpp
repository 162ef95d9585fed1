#include "undo/drawwirecommand.h"

#include "diagram/wire.h"
#include "undo/undohistory.h"

DrawWireCommand::DrawWireCommand(UndoHistory *history, Wire *wire)
    : SheetCommand(history, UndoHistory::tr("dodanie połączenia"))
    , m_wire(wire)
{
}

void DrawWireCommand::redoChange()
{
    history()->returnToSheet(m_wire);
    attach(m_wire);
}

void DrawWireCommand::undoChange()
{
    detach(m_wire);
    history()->takeFromSheet(m_wire);
}

void DrawWireCommand::collectOwnElements(QSet<const QGraphicsItem *> &out) const
{
    out.insert(m_wire);
}
