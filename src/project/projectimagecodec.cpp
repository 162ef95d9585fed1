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

bool ProjectImageCodec::acceptsSize(const QSize &size)
{
    return size.isValid() && !size.isEmpty() && size.width() <= MaxSide && size.height() <= MaxSide;
}

QImage ProjectImageCodec::read(QImageReader &reader, QSize *refusedSize)
{
    const QSize size = reader.size();
    if (!acceptsSize(size)) {
        if (refusedSize && size.isValid() && !size.isEmpty())
            *refusedSize = size;
        return QImage();
    }
    QImage image;
    if (!reader.read(&image))
        return QImage();
    return image;
}

QImage ProjectImageCodec::readFile(const QString &path, QSize *refusedSize)
{
    QImageReader reader(path);
    return read(reader, refusedSize);
}

QString ProjectImageCodec::refusalText(const QSize &size)
{
    return tr("Pominięto obraz %1 × %2 pikseli: bok obrazu może mieć najwyżej %3 pikseli.")
        .arg(size.width())
        .arg(size.height())
        .arg(MaxSide);
}

QImage ProjectImageCodec::decodeImage(const QString &text, QSize *refusedSize)
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
    return read(reader, refusedSize);
}

QPixmap ProjectImageCodec::decode(const QString &text, QSize *refusedSize)
{
    QImage image = decodeImage(text, refusedSize);
    if (image.isNull())
        return QPixmap();
    // Converted in place: a large background is not held twice on the way.
    return QPixmap::fromImage(std::move(image));
}
