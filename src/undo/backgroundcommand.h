#ifndef UNDO_BACKGROUNDCOMMAND_H
#define UNDO_BACKGROUNDCOMMAND_H

#include "undo/sheetcommand.h"

#include <QBrush>
#include <QPixmap>

// The background picture of the sheet added, replaced or removed.
class BackgroundCommand : public SheetCommand
{
public:
    // The picture as kept by the sheet and as the scene paints it.
    struct Background {
        QPixmap picture;
        QBrush brush;
    };

    BackgroundCommand(UndoHistory *history, const Background &before, const Background &after);

    static Background current(UndoHistory *history);
    static bool same(const Background &a, const Background &b);

protected:
    void redoChange() override;
    void undoChange() override;

private:
    void show(const Background &background);

    Background m_before;
    Background m_after;
};

#endif // UNDO_BACKGROUNDCOMMAND_H
