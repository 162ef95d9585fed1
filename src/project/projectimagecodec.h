#ifndef PROJECT_PROJECTIMAGECODEC_H
#define PROJECT_PROJECTIMAGECODEC_H

#include <QCoreApplication>
#include <QImage>
#include <QPixmap>
#include <QSize>
#include <QString>

class QImageReader;

// The logo and the background travel inside the project file as PNG bytes in
// Base64 text. Decoding is defensive: the text comes from a file anybody may
// have edited, so a damaged or hostile image must come back as an empty one
// instead of taking the editor down.
//
// The same size rule holds for every picture the editor takes in, from a
// project file or from an image file the user picks as background or logo:
// an image the editor accepts can always be saved and read back.
class ProjectImageCodec
{
    Q_DECLARE_TR_FUNCTIONS(ProjectImageCodec)

public:
    // Largest width or height accepted. A sheet is 1188 x 840 units; 8192
    // leaves room for a scanned plan at high resolution while keeping one
    // decoded image at 256 MB.
    static constexpr int MaxSide = 8192;

    // The rule: a real size with no side over MaxSide.
    static bool acceptsSize(const QSize &size);
    // Reads an image through the rule. Only the header is parsed before the
    // size is checked: a PNG may claim 100000 x 100000 pixels in a few dozen
    // bytes, and decoding it would try to allocate 40 GB. A picture refused
    // for its size comes back null with *refusedSize set to the size its
    // header announces; one that cannot be read comes back null and leaves
    // *refusedSize alone.
    static QImage read(QImageReader &reader, QSize *refusedSize = nullptr);
    static QImage readFile(const QString &path, QSize *refusedSize = nullptr);
    // The status-bar text for a picture refused for its size.
    static QString refusalText(const QSize &size);

    // PNG with default quality, then standard Base64 with padding; an empty
    // text for a null pixmap.
    static QString encode(const QPixmap &pixmap);

    // The inverse: text taken as Latin-1, Base64-decoded, read as PNG. An
    // empty text, bytes that are no PNG, or a PNG whose header announces more
    // than MaxSide pixels on a side give a null image; the size is checked
    // before any pixel memory is allocated.
    static QImage decodeImage(const QString &text, QSize *refusedSize = nullptr);
    static QPixmap decode(const QString &text, QSize *refusedSize = nullptr);
};

#endif // PROJECT_PROJECTIMAGECODEC_H
