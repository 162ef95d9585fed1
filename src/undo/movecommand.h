#ifndef UNDO_MOVECOMMAND_H
#define UNDO_MOVECOMMAND_H

#include "undo/sheetcommand.h"

#include <QList>
#include <QPointF>

// One drag with the pointer, however many items it moved.
class MoveCommand : public SheetCommand
{
public:
    struct Step {
        DiagramItem *item;
        QPointF from;
        QPointF to;
    };

    MoveCommand(UndoHistory *history, const QList<Step> &steps);

protected:
    void redoChange() override;
    void undoChange() override;
    void collectOwnElements(QSet<const QGraphicsItem *> &out) const override;

private:
    QList<Step> m_steps;
};

#endif // UNDO_MOVECOMMAND_H
