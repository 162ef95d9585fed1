#include "project/projectimagecodec.h"

#include <QBuffer>
#include <QByteArray>
#include <QCache>
#include <QImageReader>

QString ProjectImageCodec::encode(const QPixmap &pixmap)
{
    if (pixmap.isNull())
        return QString();
    // Every save and every autosave writes the same background and logo; a
    // scanned plan takes a second or more to compress, which the autosave
    // would spend blocking the editor each minute. The text is kept per
    // pixmap content: any change to a pixmap gives it a new cache key. Texts
    // beyond the budget are simply encoded again.
    static QCache<qint64, QString> encoded(64 * 1024); // KB of UTF-16 text
    if (const QString *text = encoded.object(pixmap.cacheKey()))
        return *text;
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    pixmap.save(&buffer, "png");
    const QString text = QString::fromLatin1(bytes.toBase64());
    encoded.insert(pixmap.cacheKey(), new QString(text), int(text.size() / 512) + 1);
    return text;
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
