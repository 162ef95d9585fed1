#ifndef UNDO_PLACEITEMCOMMAND_H
#define UNDO_PLACEITEMCOMMAND_H

#include "undo/sheetcommand.h"

// A camera or a distribution point placed from the tool box.
class PlaceItemCommand : public SheetCommand
{
public:
    PlaceItemCommand(UndoHistory *history, DiagramItem *item);

protected:
    void redoChange() override;
    void undoChange() override;
    void collectOwnElements(QSet<const QGraphicsItem *> &out) const override;

private:
    DiagramItem *m_item;
};

#endif // UNDO_PLACEITEMCOMMAND_H
