#include "testhelpers.h"

#include <QFile>
#include <QRegularExpression>

QByteArray tst::fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool tst::writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size() && file.flush();
}

tst::PdfPages tst::pdfPages(const QByteArray &pdf)
{
    // Binary streams and all: a plain conversion would stop at the first 0.
    const QString text = QString::fromLatin1(pdf.constData(), pdf.size());
    PdfPages pages;
    const QRegularExpressionMatch count =
        QRegularExpression(QStringLiteral("/Type /Pages\\s*/Kids\\s*\\[[^\\]]*\\]\\s*/Count (\\d+)")).match(text);
    if (count.hasMatch())
        pages.count = count.captured(1).toInt();
    const QRegularExpressionMatch box =
        QRegularExpression(QStringLiteral("/MediaBox \\[\\s*0 0 ([0-9.]+) ([0-9.]+)\\s*\\]")).match(text);
    if (box.hasMatch())
        pages.size = QSizeF(box.captured(1).toDouble(), box.captured(2).toDouble());
    return pages;
}
