#ifndef DIAGRAM_PAINTCACHE_H
#define DIAGRAM_PAINTCACHE_H

#include <QFont>
#include <QImage>
#include <QRectF>
#include <QString>

class QPainter;

// What painting a diagram item measures and draws over and over: widths of
// its texts, the texts themselves laid out, its icon recoloured and turned.
// A repaint of the sheet paints every visible item again although only a
// few have changed; shaping the same texts and recolouring the same icon
// for each of them was most of the cost. Everything here is kept by
// content (font and text, icon, colour and angle), so nothing kept can ever
// be out of date; the caches are emptied when they grow past any drawing's
// worth of texts.
class PaintCache
{
public:
    // QFontMetrics(font).boundingRect(text).width().
    static int boundingWidth(const QFont &font, const QString &text);
    // QFontMetrics(font).horizontalAdvance(text).
    static int advance(const QFont &font, const QString &text);

    // What painter->drawText(rect, Qt::AlignHCenter | Qt::AlignTop |
    // Qt::AlignVCenter, text) draws (the text centred in its line rectangle,
    // clipped to it when it does not fit), in the painter's font and pen,
    // from a text laid out once. Texts with line breaks, tabs or other
    // control characters are left to drawText itself.
    static void drawCentred(QPainter *painter, const QRectF &rect, const QString &text);

    // The icon with its pure black pixels in the colour (opaque), turned
    // by the angle in degrees; recolour makes the coloured copy when none
    // is kept yet.
    static QImage icon(const QImage &image, const QColor &color, int rotation,
                       QImage (*recolour)(const QImage &image, const QColor &color));
};

#endif // DIAGRAM_PAINTCACHE_H
