#include "project/projectimagecodec.h"

#include <QBuffer>
#include <QByteArray>
#include <QImageReader>

QString ProjectImageCodec::encode(const QPixmap &pixmap)
{
    if (pixmap.isNull())
        return QString();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    pixmap.save(&buffer, "png");
    return QString::fromLatin1(bytes.toBase64());
}

QImage ProjectImageCodec::decodeImage(const QString &text)
{
    if (text.isEmpty())
        return QImage();
    QByteArray bytes = QByteArray::fromBase64(text.toLatin1());
    if (bytes.isEmpty())
        return QImage();
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return QImage();
    QImageReader reader(&buffer, "png");
    // Only the header is parsed here; a PNG may claim 100000 x 100000 pixels
    // in a few dozen bytes, and decoding it would try to allocate 40 GB.
    const QSize size = reader.size();
    if (!size.isValid() || size.isEmpty() || size.width() > MaxSide || size.height() > MaxSide)
        return QImage();
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}

QPixmap ProjectImageCodec::decode(const QString &text)
{
    const QImage image = decodeImage(text);
    if (image.isNull())
        return QPixmap();
    return QPixmap::fromImage(image);
}
