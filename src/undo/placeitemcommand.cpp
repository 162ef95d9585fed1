#include "undo/placeitemcommand.h"

#include "diagram/diagramitem.h"
#include "undo/undohistory.h"

PlaceItemCommand::PlaceItemCommand(UndoHistory *history, DiagramItem *item)
    : SheetCommand(history, item->diagramType() == DiagramItem::PD
                                    ? UndoHistory::tr("wstawienie punktu dystrybucyjnego")
                                    : UndoHistory::tr("wstawienie kamery"))
    , m_item(item)
{
}

// It was the last thing placed, so it goes back on top.
void PlaceItemCommand::redoChange()
{
    history()->returnToSheet(m_item);
}

void PlaceItemCommand::undoChange()
{
    history()->takeFromSheet(m_item);
}

void PlaceItemCommand::collectOwnElements(QSet<const QGraphicsItem *> &out) const
{
    out.insert(m_item);
}
