#ifndef UNDO_LOGOCOMMAND_H
#define UNDO_LOGOCOMMAND_H

#include "undo/sheetcommand.h"

#include <QPixmap>

// The designer's logo added, replaced or removed.
class LogoCommand : public SheetCommand
{
public:
    LogoCommand(UndoHistory *history, const QPixmap &before, const QPixmap &after);

protected:
    void redoChange() override;
    void undoChange() override;

private:
    void show(const QPixmap &logo);

    QPixmap m_before;
    QPixmap m_after;
};

#endif // UNDO_LOGOCOMMAND_H
