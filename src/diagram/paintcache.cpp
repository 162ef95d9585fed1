#include "diagram/paintcache.h"

#include <QFontMetrics>
#include <QHash>
#include <QPainter>
#include <QStaticText>
#include <QTextLayout>
#include <QTransform>
#include <QVector>

#include <functional>

namespace {

// A drawing holds a few thousand distinct texts at most; past this the
// cache starts afresh rather than grow with every text ever shown.
const int MaxTexts = 50000;

struct LaidOut {
    QStaticText text;
    qreal advance = 0; // of the line, as drawText centres it
    qreal width = 0;   // natural width, as drawText bounds it
    qreal height = 0;  // of the line, as drawText centres it
};

// One table per font: the items use three or four fonts, so the search for
// the table is short and the texts need no font in their keys.
template <typename Value>
struct PerFont {
    QFont font;
    QHash<QString, Value> values;
};

template <typename Value>
Value &lookUp(QVector<PerFont<Value>> &tables, const QFont &font, const QString &text, bool *found)
{
    PerFont<Value> *table = nullptr;
    for (PerFont<Value> &t : tables) {
        if (t.font == font) {
            table = &t;
            break;
        }
    }
    if (!table) {
        tables.append(PerFont<Value>{font, {}});
        table = &tables.last();
    }
    if (table->values.size() > MaxTexts)
        table->values.clear();
    auto it = table->values.find(text);
    *found = it != table->values.end();
    if (!*found)
        it = table->values.insert(text, Value());
    return it.value();
}

int measured(QVector<PerFont<int>> &tables, const QFont &font, const QString &text,
             const std::function<int()> &measure)
{
    bool found = false;
    int &value = lookUp(tables, font, text, &found);
    if (!found)
        value = measure();
    return value;
}

// drawText turns these into spaces, line breaks or tab stops, or takes the
// text as a set of length variants; such texts keep taking that road.
bool plainLine(const QString &text)
{
    for (const QChar c : text) {
        const ushort u = c.unicode();
        if (u < 0x20 || u == 0x9c || u == QChar::LineSeparator || u == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}

} // namespace

int PaintCache::boundingWidth(const QFont &font, const QString &text)
{
    static QVector<PerFont<int>> tables;
    return measured(tables, font, text, [&] { return QFontMetrics(font).boundingRect(text).width(); });
}

int PaintCache::advance(const QFont &font, const QString &text)
{
    static QVector<PerFont<int>> tables;
    return measured(tables, font, text, [&] { return QFontMetrics(font).horizontalAdvance(text); });
}

void PaintCache::drawCentred(QPainter *painter, const QRectF &rect, const QString &text)
{
    const int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::AlignVCenter;
    if (!plainLine(text) || painter->layoutDirection() != Qt::LeftToRight) {
        painter->drawText(rect, flags, text);
        return;
    }
    static QVector<PerFont<LaidOut>> tables;
    const QFont &font = painter->font();
    bool found = false;
    LaidOut &laidOut = lookUp(tables, font, text, &found);
    if (!found) {
        // The line as drawText lays it out: its height and advance place it.
        QTextLayout layout(text, font);
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(0x01000000);
        line.setPosition(QPointF(0, 0));
        layout.endLayout();
        laidOut.advance = line.horizontalAdvance();
        laidOut.width = line.naturalTextWidth();
        laidOut.height = line.height();
        laidOut.text.setText(text);
        laidOut.text.setTextFormat(Qt::PlainText);
        laidOut.text.setPerformanceHint(QStaticText::AggressiveCaching);
        laidOut.text.prepare(QTransform(), font);
    }
    const qreal y = rect.y() + (rect.height() - laidOut.height) / 2;
    const QPointF at(rect.x() + (rect.width() - laidOut.advance) / 2, y);
    // drawText clips to the rectangle a text that does not fit in it.
    const QRectF bounds(rect.x() + (rect.width() - laidOut.width) / 2, y, laidOut.width, laidOut.height);
    if (rect.contains(bounds)) {
        painter->drawStaticText(at, laidOut.text);
    } else {
        painter->save();
        painter->setClipRect(rect, Qt::IntersectClip);
        painter->drawStaticText(at, laidOut.text);
        painter->restore();
    }
}

QImage PaintCache::icon(const QImage &image, const QColor &color, int rotation,
                        QImage (*recolour)(const QImage &, const QColor &))
{
    struct Key {
        qint64 image;
        QRgb colour;
        int rotation;
        bool operator==(const Key &o) const
        {
            return image == o.image && colour == o.colour && rotation == o.rotation;
        }
    };
    // A handful of colours times eight angles times two icons.
    static QVector<QPair<Key, QImage>> kept;
    const Key key{image.cacheKey(), color.rgb(), rotation};
    for (const auto &entry : qAsConst(kept)) {
        if (entry.first == key)
            return entry.second;
    }
    QTransform turn;
    turn.rotate(rotation);
    const QImage turned = recolour(image, color).transformed(turn, Qt::FastTransformation);
    if (kept.size() > 256)
        kept.clear();
    kept.append({key, turned});
    return turned;
}
