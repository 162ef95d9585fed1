#ifndef UNDO_ROTATECOMMAND_H
#define UNDO_ROTATECOMMAND_H

#include "undo/sheetcommand.h"

// One 45° step of an item's icon, left or right.
class RotateCommand : public SheetCommand
{
public:
    RotateCommand(UndoHistory *history, DiagramItem *item, bool right);

protected:
    void redoChange() override;
    void undoChange() override;
    void collectOwnElements(QSet<const QGraphicsItem *> &out) const override;

private:
    DiagramItem *m_item;
    bool m_bRight;
    int m_from;
};

#endif // UNDO_ROTATECOMMAND_H
