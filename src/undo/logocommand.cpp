#include "undo/logocommand.h"

#include "print/projectdoc.h"
#include "undo/undohistory.h"

#include <QGraphicsPixmapItem>

LogoCommand::LogoCommand(UndoHistory *history, const QPixmap &before, const QPixmap &after)
    : SheetCommand(history, after.isNull() ? UndoHistory::tr("usunięcie logo projektanta")
                                           : UndoHistory::tr("dodanie logo projektanta"))
    , m_before(before)
    , m_after(after)
{
}

void LogoCommand::show(const QPixmap &logo)
{
    ProjectDoc *doc = history()->doc();
    doc->setLogo(logo);
    if (QGraphicsPixmapItem *item = doc->logoItem())
        item->setPixmap(logo);
}

void LogoCommand::redoChange()
{
    show(m_after);
}

void LogoCommand::undoChange()
{
    show(m_before);
}
