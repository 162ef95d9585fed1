#ifndef UNDO_DRAWWIRECOMMAND_H
#define UNDO_DRAWWIRECOMMAND_H

#include "undo/sheetcommand.h"

// A cable drawn with the line pointer between two items.
class DrawWireCommand : public SheetCommand
{
public:
    DrawWireCommand(UndoHistory *history, Wire *wire);

protected:
    void redoChange() override;
    void undoChange() override;
    void collectOwnElements(QSet<const QGraphicsItem *> &out) const override;

private:
    Wire *m_wire;
};

#endif // UNDO_DRAWWIRECOMMAND_H
