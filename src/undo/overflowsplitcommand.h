#ifndef UNDO_OVERFLOWSPLITCOMMAND_H
#define UNDO_OVERFLOWSPLITCOMMAND_H

#include "undo/sheetcommand.h"

#include <QHash>
#include <QList>

class QMenu;

// The remedy for a point whose cables need more slots than any model has,
// accepted by the user: its cables spread over a chain of new points.
class OverflowSplitCommand : public SheetCommand
{
public:
    OverflowSplitCommand(UndoHistory *history, DiagramItem *item, QMenu *itemMenu);

protected:
    void redoChange() override;
    void undoChange() override;
    void collectOwnElements(QSet<const QGraphicsItem *> &out) const override;

private:
    struct Ends {
        DiagramItem *start;
        DiagramItem *end;
    };
    void firstSplit();

    DiagramItem *m_item;
    QMenu *m_itemMenu;
    // The split point first, then the points added for it.
    QList<DiagramItem *> m_chain;
    // New points and the cables joining them, in the order they were made.
    QList<QGraphicsItem *> m_added;
    QList<Wire *> m_wiresBefore;
    QHash<Wire *, Ends> m_endsBefore;
    QHash<Wire *, Ends> m_endsAfter;
    QHash<DiagramItem *, QList<Wire *>> m_listsAfter;
};

#endif // UNDO_OVERFLOWSPLITCOMMAND_H
