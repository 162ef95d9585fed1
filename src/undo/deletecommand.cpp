#include "undo/deletecommand.h"

#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "undo/undohistory.h"

#include <QGraphicsScene>
#include <QSet>

DeleteCommand::DeleteCommand(UndoHistory *history, const QList<QGraphicsItem *> &selection)
    : SheetCommand(history, textFor(selection))
{
    QSet<QGraphicsItem *> going;
    for (QGraphicsItem *element : selection) {
        if (element->type() == Wire::Type) {
            going.insert(element);
        } else if (element->type() == DiagramItem::Type) {
            going.insert(element);
            for (Wire *wire : static_cast<DiagramItem *>(element)->wires())
                going.insert(wire);
        }
    }
    if (going.isEmpty())
        return;
    const QList<QGraphicsItem *> items = (*going.cbegin())->scene()->items(Qt::AscendingOrder);
    for (QGraphicsItem *element : items) {
        if (!going.contains(element))
            continue;
        m_elements.append(element);
        m_successors.insert(element, successorOf(element));
        if (element->type() == Wire::Type)
            m_wires.append(static_cast<Wire *>(element));
    }
}

QString DeleteCommand::textFor(const QList<QGraphicsItem *> &selection)
{
    int items = 0;
    int wires = 0;
    for (QGraphicsItem *element : selection) {
        items += element->type() == DiagramItem::Type;
        wires += element->type() == Wire::Type;
    }
    if (items + wires > 1)
        return UndoHistory::tr("usunięcie elementów");
    return wires ? UndoHistory::tr("usunięcie połączenia") : UndoHistory::tr("usunięcie elementu");
}

void DeleteCommand::redoChange()
{
    for (Wire *wire : qAsConst(m_wires))
        detach(wire);
    for (QGraphicsItem *element : qAsConst(m_elements))
        history()->takeFromSheet(element);
}

// Topmost first: each element goes back right below the one that was above
// it, which is either still there or has just come back itself.
void DeleteCommand::undoChange()
{
    for (auto it = m_elements.crbegin(); it != m_elements.crend(); ++it)
        history()->returnToSheet(*it, m_successors.value(*it));
    for (Wire *wire : qAsConst(m_wires))
        attach(wire);
}

void DeleteCommand::collectOwnElements(QSet<const QGraphicsItem *> &out) const
{
    for (QGraphicsItem *element : m_elements)
        out.insert(element);
}
