#ifndef TESTHELPERS_H
#define TESTHELPERS_H

#include <QByteArray>
#include <QEvent>
#include <QGraphicsItem>
#include <QGraphicsScene>
#include <QList>
#include <QSizeF>
#include <QString>

class ProjectDoc;

// Files and sheets as the tests look at them.
namespace tst {

// The whole file; empty when it cannot be read.
QByteArray fileBytes(const QString &path);
// Writes the whole file; false when any byte did not reach it.
bool writeBytes(const QString &path, const QByteArray &bytes);

// The project file of a sheet, as the editor writes it.
QByteArray projectBytes(ProjectDoc *doc);
// Writes the sheet's project file; false when it could not be written.
bool writeProject(ProjectDoc *doc, const QString &path);
// A small project of its own under the given name: PD 1 feeding K 1 over 40 m.
bool writeSampleProject(const QString &path, const QString &name);

// The page tree of a PDF as the editor's printer writes it: the page count
// (-1 without a page tree) and the size of the first page in points.
struct PdfPages {
    int count = -1;
    QSizeF size;
    // A4 is 210 x 297 mm = 595.3 x 841.9 points; the printer rounds.
    bool isA4(bool landscape) const;
};
PdfPages pdfPages(const QByteArray &pdf);

// Mouse input on a scene as a view sends it: one event at pos, the button
// having gone down at downPos.
void sendMouse(QGraphicsScene *scene, QEvent::Type type, const QPointF &pos, const QPointF &downPos,
               Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers mods = {});
// Press at the first point, moves through the others, release at the last;
// Ctrl adds to the selection.
void press(QGraphicsScene *scene, const QList<QPointF> &path, Qt::KeyboardModifiers mods = {},
           Qt::MouseButton button = Qt::LeftButton);
inline void click(QGraphicsScene *scene, const QPointF &pos, Qt::KeyboardModifiers mods = {},
                  Qt::MouseButton button = Qt::LeftButton)
{
    press(scene, {pos}, mods, button);
}

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
