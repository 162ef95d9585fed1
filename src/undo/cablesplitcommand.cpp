#include "undo/cablesplitcommand.h"

#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "undo/undohistory.h"

CableSplitCommand::CableSplitCommand(UndoHistory *history, const Split &split, QUndoCommand *parent)
    : SheetCommand(history, UndoHistory::tr("wstawienie punktu dystrybucyjnego w przewód"), parent)
    , m_split(split)
{
}

// In the order the split made it: the point, then cable A, then cable B.
void CableSplitCommand::redoChange()
{
    detach(m_split.oldWire);
    history()->takeFromSheet(m_split.oldWire);
    history()->returnToSheet(m_split.point);
    history()->returnToSheet(m_split.wireA);
    history()->returnToSheet(m_split.wireB);
    attach(m_split.wireA);
    attach(m_split.wireB);
}

void CableSplitCommand::undoChange()
{
    for (Wire *wire : {m_split.wireB, m_split.wireA}) {
        detach(wire);
        history()->takeFromSheet(wire);
    }
    history()->takeFromSheet(m_split.point);
    history()->returnToSheet(m_split.oldWire, m_split.successor);
    attach(m_split.oldWire);
}

void CableSplitCommand::collectOwnElements(QSet<const QGraphicsItem *> &out) const
{
    out.insert(m_split.oldWire);
    out.insert(m_split.point);
    out.insert(m_split.wireA);
    out.insert(m_split.wireB);
}
