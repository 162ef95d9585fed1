#ifndef UNDO_DELETECOMMAND_H
#define UNDO_DELETECOMMAND_H

#include "undo/sheetcommand.h"

#include <QHash>
#include <QList>

// The selected items with every cable that ends at them, and the selected
// cables. Taken back, they return with their values and numbers, to their
// places in the stacking order (the project file numbers items in that
// order) and in the wire lists of their ends.
class DeleteCommand : public SheetCommand
{
public:
    DeleteCommand(UndoHistory *history, const QList<QGraphicsItem *> &selection);

    // True when the selection held neither items nor cables.
    bool isEmpty() const { return m_elements.isEmpty(); }

protected:
    void redoChange() override;
    void undoChange() override;
    void collectOwnElements(QSet<const QGraphicsItem *> &out) const override;

private:
    static QString textFor(const QList<QGraphicsItem *> &selection);

    // Items and cables, lowest in the stacking order first.
    QList<QGraphicsItem *> m_elements;
    QList<Wire *> m_wires;
    QHash<QGraphicsItem *, QGraphicsItem *> m_successors;
};

#endif // UNDO_DELETECOMMAND_H
