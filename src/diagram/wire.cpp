#include "diagram/wire.h"

#include "diagram/diagramitem.h"
#include "diagram/enumaccess.h"
#include "propertysets/qtnpropertysetwire.h"
#include "catalogue/catalogue.h"

#include <QLineF>
#include <QPainter>
#include <QPainterPath>
#include <QPen>

#include <cmath>
#include <initializer_list>

namespace {

// Offset of a wire's attachment point along the bottom edge of an item, so
// that several wires at one item run side by side 5 units apart instead of
// on top of each other.
int fanOffset(const DiagramItem *item, Wire *wire)
{
    const int n = item->wires().size();
    const int i = item->wireIndex(wire);
    return (5 * n) / 2 - 5 * i;
}

// Angles in (90, 450]: "straight up" is the largest, so a descending sort
// starts there and turns clockwise on screen.
qreal normalisedAngle(const QLineF &line)
{
    qreal angle = line.angle();
    if (angle >= 0 && angle <= 90)
        angle += 360;
    return angle;
}

QPointF truncated(const QPointF &p)
{
    return QPointF(std::trunc(p.x()), std::trunc(p.y()));
}

} // namespace

quint64 Wire::s_serials = 0;

Wire::Wire(DiagramItem *startItem, DiagramItem *endItem, QGraphicsItem *parent)
    : QGraphicsLineItem(parent)
    , m_startItem(startItem)
    , m_endItem(endItem)
    , m_color(Qt::black)
    , m_serial(++s_serials)
{
    setFlag(QGraphicsItem::ItemIsSelectable, true);
    setFlag(QGraphicsItem::ItemIsFocusable, true);
    setPen(QPen(m_color, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));

    m_propertySet = new QtnPropertySetWire(nullptr);
    Catalogue::refreshWireTypes(m_propertySet->Model);

    setAcceptHoverEvents(false);
    setType(QStringLiteral("UTP kat.5E"));
}

Wire::~Wire()
{
    delete m_propertySet;
}

void Wire::setColor(const QColor &color)
{
    if (m_color == color)
        return;
    m_color = color;
    update();
}

void Wire::updatePosition()
{
    if (!m_startItem || !m_endItem)
        return;
    // The route depends on the fan positions and item heights as well as on
    // the two origins, so the geometry change is announced even when the
    // base line itself stays the same.
    prepareGeometryChange();
    setLine(QLineF(mapFromItem(m_startItem, 0, 0), mapFromItem(m_endItem, 0, 0)));
}

QList<QPointF> Wire::path() const
{
    QPointF points[4];
    if (!route(points))
        return {};
    return {points[0], points[1], points[2], points[3]};
}

// The scene asks for a wire's bounding rectangle many times per repaint; the
// route is worked out into a plain array, without allocating.
bool Wire::route(QPointF points[4]) const
{
    if (!m_startItem || !m_endItem)
        return false;

    const QPointF s = m_startItem->pos();
    const QPointF e = m_endItem->pos();
    const qreal hS = m_startItem->boundingRect().height();
    const qreal hE = m_endItem->boundingRect().height();
    Wire *self = const_cast<Wire *>(this);
    const int dS = fanOffset(m_startItem, self);
    const int dE = fanOffset(m_endItem, self);

    // The bus runs below the lower of the two items; with equal heights on
    // screen the start item counts as the lower one.
    const qreal yBus = (e.y() > s.y()) ? e.y() + hE + dE : s.y() + hS + dE;

    points[0] = QPointF(s.x() + dS, s.y() + hS / 2);
    points[1] = QPointF(points[0].x(), yBus);
    points[2] = QPointF(e.x() + dE, yBus);
    points[3] = QPointF(e.x() + dE, e.y() + hE / 2);
    return true;
}

QRectF Wire::boundingRect() const
{
    QPointF points[4];
    if (!route(points))
        return QRectF();
    qreal left = points[0].x(), right = left, top = points[0].y(), bottom = top;
    for (const QPointF &p : points) {
        left = qMin(left, p.x());
        right = qMax(right, p.x());
        top = qMin(top, p.y());
        bottom = qMax(bottom, p.y());
    }
    // The margin covers the pen and the dashed parallels drawn 4 units away
    // from every segment of a selected wire.
    const qreal extra = (pen().width() + 20) / 2.0;
    return QRectF(QPointF(left, top), QPointF(right, bottom)).adjusted(-extra, -extra, extra, extra);
}

QPainterPath Wire::shape() const
{
    QPainterPath result;
    for (const QGraphicsLineItem &segment : m_segments)
        result = result.united(segment.shape());
    return result;
}

void Wire::paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget)
{
    Q_UNUSED(option)
    Q_UNUSED(widget)

    QPen drawPen = pen();
    drawPen.setColor(m_color);
    painter->setPen(drawPen);
    painter->setBrush(m_color);

    QPointF points[4];
    if (!route(points))
        return;
    QLineF lines[3];
    for (int i = 0; i < 3; ++i) {
        lines[i] = QLineF(points[i], points[i + 1]);
        m_segments[i].setLine(lines[i]);
    }
    painter->drawLines(lines, 3);

    if (isSelected()) {
        painter->setPen(QPen(Qt::red, 1, Qt::DashLine, Qt::SquareCap, Qt::BevelJoin));
        for (const QGraphicsLineItem &segment : m_segments) {
            const QLineF l = segment.line();
            painter->drawLine(l.translated(4, 4));
            painter->drawLine(l.translated(-4, -4));
        }
    }
}

bool Wire::angleLessThan(Wire *a, Wire *b)
{
    DiagramItem *shared = nullptr;
    DiagramItem *otherA = nullptr;
    DiagramItem *otherB = nullptr;
    if (a->startItem() == b->startItem()) {
        shared = a->startItem();
        otherA = a->endItem();
        otherB = b->endItem();
    } else if (a->startItem() == b->endItem()) {
        shared = a->startItem();
        otherA = a->endItem();
        otherB = b->startItem();
    } else if (a->endItem() == b->startItem()) {
        shared = a->endItem();
        otherA = a->startItem();
        otherB = b->endItem();
    } else if (a->endItem() == b->endItem()) {
        shared = a->endItem();
        otherA = a->startItem();
        otherB = b->startItem();
    }

    QLineF lineA;
    QLineF lineB;
    if (shared && otherA && otherB) {
        const QPointF k = truncated(shared->pos());
        lineA = QLineF(k, truncated(otherA->pos()));
        lineB = QLineF(k, truncated(otherB->pos()));
    }
    return normalisedAngle(lineA) > normalisedAngle(lineB);
}

uint Wire::length() const
{
    return m_propertySet->UintLenght.value();
}

namespace {

// Whoever was or is at either end sees another neighbour through the wire.
void noteEnds(std::initializer_list<DiagramItem *> ends)
{
    for (DiagramItem *end : ends) {
        if (end)
            end->noteOwnWiringChanged();
    }
}

} // namespace

// Another end is another route: the scene hears of it before.
void Wire::setStartItem(DiagramItem *item)
{
    noteEnds({m_startItem, item, m_endItem});
    prepareGeometryChange();
    m_startItem = item;
}

void Wire::setEndItem(DiagramItem *item)
{
    noteEnds({m_endItem, item, m_startItem});
    prepareGeometryChange();
    m_endItem = item;
}

void Wire::setLength(uint length)
{
    m_propertySet->UintLenght.setValue(length);
}

QString Wire::typeName() const
{
    return enumDisplayText(m_propertySet->Model);
}

void Wire::setType(const QString &name)
{
    int value = 0;
    if (enumValueByDisplayText(m_propertySet->Model, name, value))
        m_propertySet->Model.setValue(value);
}
