#include "undo/rotatecommand.h"

#include "diagram/diagramitem.h"
#include "undo/undohistory.h"

RotateCommand::RotateCommand(UndoHistory *history, DiagramItem *item, bool right)
    : SheetCommand(history, right ? UndoHistory::tr("obrót w prawo") : UndoHistory::tr("obrót w lewo"))
    , m_item(item)
    , m_bRight(right)
    , m_from(item->rotation())
{
}

void RotateCommand::redoChange()
{
    if (m_bRight)
        m_item->rotateRight();
    else
        m_item->rotateLeft();
}

void RotateCommand::undoChange()
{
    m_item->setRotation(m_from);
    m_item->updateWires();
    m_item->update();
}

void RotateCommand::collectOwnElements(QSet<const QGraphicsItem *> &out) const
{
    out.insert(m_item);
}
