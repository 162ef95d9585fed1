#include "undo/sheetcommand.h"

#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "undo/undohistory.h"

#include <QGraphicsScene>

SheetCommand::SheetCommand(UndoHistory *history, const QString &text, QUndoCommand *parent)
    : QUndoCommand(text, parent)
    , m_history(history)
{
}

void SheetCommand::redo()
{
    if (m_bSkipRedo) {
        m_bSkipRedo = false;
        return;
    }
    QUndoCommand::redo();
    redoChange();
    if (!m_after.isNull())
        m_history->applyValues(m_after);
}

void SheetCommand::undo()
{
    undoChange();
    QUndoCommand::undo();
    if (!m_before.isNull())
        m_history->applyValues(m_before);
}

void SheetCommand::collectElements(QSet<const QGraphicsItem *> &out) const
{
    m_before.collectElements(out);
    m_after.collectElements(out);
    collectOwnElements(out);
    for (int i = 0; i < childCount(); ++i) {
        if (const auto *part = dynamic_cast<const SheetCommand *>(child(i)))
            part->collectElements(out);
    }
}

QGraphicsItem *SheetCommand::successorOf(QGraphicsItem *element)
{
    QGraphicsScene *scene = element->scene();
    if (!scene)
        return nullptr;
    const QList<QGraphicsItem *> items = scene->items(Qt::AscendingOrder);
    bool passed = false;
    for (QGraphicsItem *item : items) {
        if (item->parentItem() || item->zValue() != element->zValue())
            continue;
        if (passed)
            return item;
        passed = item == element;
    }
    return nullptr;
}

void SheetCommand::setWires(DiagramItem *item, const QList<Wire *> &wires)
{
    item->takeWires();
    for (Wire *wire : wires)
        item->addWire(wire);
}

void SheetCommand::attach(Wire *wire)
{
    wire->startItem()->addWire(wire);
    wire->endItem()->addWire(wire);
    wire->updatePosition();
}

void SheetCommand::detach(Wire *wire)
{
    wire->startItem()->removeWire(wire);
    wire->endItem()->removeWire(wire);
}
