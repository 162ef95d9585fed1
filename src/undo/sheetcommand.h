#ifndef UNDO_SHEETCOMMAND_H
#define UNDO_SHEETCOMMAND_H

#include "undo/sheetvalues.h"

#include <QList>
#include <QSet>
#include <QUndoCommand>

class DiagramItem;
class QGraphicsItem;
class UndoHistory;
class Wire;

// One edit of the drawing sheet on the undo stack. A subclass makes and
// takes back the change itself (an element placed, cables re-attached, an
// angle); this base puts back the values the sheet had before and after it,
// with everything the calculation wrote along (see SheetValues).
//
// Edits are recorded once they have been made, so the stack's first call of
// redo() after the push finds the change done already and is skipped.
class SheetCommand : public QUndoCommand
{
public:
    SheetCommand(UndoHistory *history, const QString &text, QUndoCommand *parent = nullptr);

    void setValuesBefore(const SheetValues &values) { m_before = values; }
    void setValuesAfter(const SheetValues &values) { m_after = values; }
    const SheetValues &valuesBefore() const { return m_before; }
    const SheetValues &valuesAfter() const { return m_after; }
    void skipFirstRedo() { m_bSkipRedo = true; }

    void undo() override;
    void redo() override;

    // Every element this command or its parts may put on the sheet or take
    // off again; the history keeps those of them that are off the sheet.
    void collectElements(QSet<const QGraphicsItem *> &out) const;

    // The element right above this one among those of its height (cables lie
    // below devices), or null for the topmost: the place it goes back to.
    static QGraphicsItem *successorOf(QGraphicsItem *element);

protected:
    virtual void redoChange() {}
    virtual void undoChange() {}
    virtual void collectOwnElements(QSet<const QGraphicsItem *> &out) const { Q_UNUSED(out); }

    UndoHistory *history() const { return m_history; }

    // Gives an item exactly these wires.
    static void setWires(DiagramItem *item, const QList<Wire *> &wires);
    // Joins a wire to both of its ends and lays out its route.
    static void attach(Wire *wire);
    static void detach(Wire *wire);

private:
    UndoHistory *m_history;
    SheetValues m_before;
    SheetValues m_after;
    bool m_bSkipRedo = false;
};

#endif // UNDO_SHEETCOMMAND_H
