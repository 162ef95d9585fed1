#ifndef PROJECT_PROJECTIMAGECODEC_H
#define PROJECT_PROJECTIMAGECODEC_H

#include <QImage>
#include <QPixmap>
#include <QString>

// The logo and the background travel inside the project file as PNG bytes in
// Base64 text. Decoding is defensive: the text comes from a file anybody may
// have edited, so a damaged or hostile image must come back as an empty one
// instead of taking the editor down.
class ProjectImageCodec
{
public:
    // Largest width or height accepted from a file. A sheet is 1188 x 840
    // units; 8192 leaves room for a scanned plan at high resolution while
    // keeping one decoded image under 256 MB.
    static constexpr int MaxSide = 8192;

    // PNG with default quality, then standard Base64 with padding; an empty
    // text for a null pixmap.
    static QString encode(const QPixmap &pixmap);

    // The inverse: text taken as Latin-1, Base64-decoded, read as PNG. An
    // empty text, bytes that are no PNG, or a PNG whose header announces more
    // than MaxSide pixels on a side give a null image; the size is checked
    // before any pixel memory is allocated.
    static QImage decodeImage(const QString &text);
    static QPixmap decode(const QString &text);
};

#endif // PROJECT_PROJECTIMAGECODEC_H
