#ifndef TESTHELPERS_H
#define TESTHELPERS_H

#include <QByteArray>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QList>
#include <QSizeF>
#include <QString>

// Files and sheets as the tests look at them.
namespace tst {

// The whole file; empty when it cannot be read.
QByteArray fileBytes(const QString &path);
// Writes the whole file; false when any byte did not reach it.
bool writeBytes(const QString &path, const QByteArray &bytes);

// The page tree of a PDF as the editor's printer writes it: the page count
// (-1 without a page tree) and the size of the first page in points.
struct PdfPages {
    int count = -1;
    QSizeF size;
};
PdfPages pdfPages(const QByteArray &pdf);

// The items of one graphics type on a scene, bottom first.
template <class T> QList<T *> itemsOf(const QGraphicsScene *scene)
{
    QList<T *> out;
    for (QGraphicsItem *item : scene->items(Qt::AscendingOrder))
        if (item->type() == T::Type)
            out << static_cast<T *>(item);
    return out;
}

} // namespace tst

#endif // TESTHELPERS_H
