#ifndef UNDO_IMAGEEDITSCOPE_H
#define UNDO_IMAGEEDITSCOPE_H

#include "undo/backgroundcommand.h"

class UndoHistory;

// Records what the code run during its life did to the sheet's background
// or logo (adding, replacing, removing; a cancelled dialog changes nothing
// and records nothing). The pictures are taken as that code left them, so
// the rules by which a file becomes a background or a logo stay there.
class ImageEditScope
{
public:
    enum Image { Background, Logo };

    ImageEditScope(UndoHistory *history, Image image);
    ~ImageEditScope();
    ImageEditScope(const ImageEditScope &) = delete;
    ImageEditScope &operator=(const ImageEditScope &) = delete;

private:
    UndoHistory *m_history;
    Image m_image;
    SheetValues m_values;
    BackgroundCommand::Background m_background;
    QPixmap m_logo;
};

#endif // UNDO_IMAGEEDITSCOPE_H
