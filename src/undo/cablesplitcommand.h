#ifndef UNDO_CABLESPLITCOMMAND_H
#define UNDO_CABLESPLITCOMMAND_H

#include "undo/sheetcommand.h"

// A cable of 100 m or more replaced by a repeater point and two new cables.
// Part of the edit that made the cable that long; on its own when the split
// came from selecting a cable read that long from a file.
class CableSplitCommand : public SheetCommand
{
public:
    struct Split {
        Wire *oldWire = nullptr;
        // the element above the old cable when it was taken out
        QGraphicsItem *successor = nullptr;
        DiagramItem *point = nullptr;
        Wire *wireA = nullptr;
        Wire *wireB = nullptr;
    };

    CableSplitCommand(UndoHistory *history, const Split &split, QUndoCommand *parent = nullptr);

protected:
    void redoChange() override;
    void undoChange() override;
    void collectOwnElements(QSet<const QGraphicsItem *> &out) const override;

private:
    Split m_split;
};

#endif // UNDO_CABLESPLITCOMMAND_H
