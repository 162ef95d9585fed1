#include "undo/overflowsplitcommand.h"

#include "calc/pdsplitter.h"
#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "undo/undohistory.h"

OverflowSplitCommand::OverflowSplitCommand(UndoHistory *history, DiagramItem *item, QMenu *itemMenu)
    : SheetCommand(history, UndoHistory::tr("podział punktu dystrybucyjnego"))
    , m_item(item)
    , m_itemMenu(itemMenu)
    , m_wiresBefore(item->wires())
{
    for (Wire *wire : qAsConst(m_wiresBefore))
        m_endsBefore.insert(wire, {wire->startItem(), wire->endItem()});
}

void OverflowSplitCommand::firstSplit()
{
    m_chain = PdSplitter::split(m_item, m_itemMenu);
    const QSet<Wire *> moved(m_wiresBefore.cbegin(), m_wiresBefore.cend());
    // Each new point came with the cable from the point before it.
    for (int i = 1; i < m_chain.size(); ++i) {
        m_added.append(m_chain.at(i));
        for (Wire *wire : m_chain.at(i)->wires()) {
            if (!moved.contains(wire) && wire->startItem() == m_chain.at(i - 1))
                m_added.append(wire);
        }
    }
    for (Wire *wire : qAsConst(m_wiresBefore))
        m_endsAfter.insert(wire, {wire->startItem(), wire->endItem()});
    for (DiagramItem *point : qAsConst(m_chain))
        m_listsAfter.insert(point, point->wires());
}

void OverflowSplitCommand::redoChange()
{
    if (m_chain.isEmpty()) {
        firstSplit();
        return;
    }
    m_item->takeWires();
    for (QGraphicsItem *element : qAsConst(m_added))
        history()->returnToSheet(element);
    for (auto it = m_endsAfter.cbegin(); it != m_endsAfter.cend(); ++it) {
        it.key()->setStartItem(it.value().start);
        it.key()->setEndItem(it.value().end);
    }
    for (DiagramItem *point : qAsConst(m_chain))
        setWires(point, m_listsAfter.value(point));
}

void OverflowSplitCommand::undoChange()
{
    for (DiagramItem *point : qAsConst(m_chain))
        point->takeWires();
    for (auto it = m_added.crbegin(); it != m_added.crend(); ++it)
        history()->takeFromSheet(*it);
    for (auto it = m_endsBefore.cbegin(); it != m_endsBefore.cend(); ++it) {
        it.key()->setStartItem(it.value().start);
        it.key()->setEndItem(it.value().end);
    }
    setWires(m_item, m_wiresBefore);
}

void OverflowSplitCommand::collectOwnElements(QSet<const QGraphicsItem *> &out) const
{
    for (QGraphicsItem *element : m_added)
        out.insert(element);
    out.insert(m_item);
}
