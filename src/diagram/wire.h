#ifndef DIAGRAM_WIRE_H
#define DIAGRAM_WIRE_H

#include <QColor>
#include <QGraphicsLineItem>
#include <QList>
#include <QPointF>
#include <QString>

class DiagramItem;
class QtnPropertySetWire;

// A cable between two diagram items, drawn as an orthogonal route of three
// segments that leaves the bottom of the start item, runs along a bus below
// the lower item and rises into the bottom of the end item. The wire stays at
// the scene origin, so its item coordinates are scene coordinates.
class Wire : public QGraphicsLineItem
{
public:
    enum { Type = UserType + 5 };

    Wire(DiagramItem *startItem, DiagramItem *endItem, QGraphicsItem *parent = nullptr);
    ~Wire() override;

    QRectF boundingRect() const override;
    QPainterPath shape() const override;
    void paint(QPainter *painter, const QStyleOptionGraphicsItem *option, QWidget *widget = nullptr) override;
    int type() const override { return Type; }

    DiagramItem *startItem() const { return m_startItem; }
    DiagramItem *endItem() const { return m_endItem; }
    // The end that is not the given one (the start, when the wire is not
    // attached to it at all).
    DiagramItem *otherEnd(const DiagramItem *item) const { return m_startItem == item ? m_endItem : m_startItem; }
    // Re-attach one end (used when the wires of a point move to new points).
    void setStartItem(DiagramItem *item);
    void setEndItem(DiagramItem *item);
    QColor color() const { return m_color; }
    void setColor(const QColor &color);
    // No other wire made in this run has this number, although another may
    // later live at this wire's address.
    quint64 serial() const { return m_serial; }

    void updatePosition();
    // The route is about to change (a wire joins or leaves one of its ends,
    // whose fan then spreads otherwise): the scene has to hear of it before,
    // or it keeps looking for the wire where it no longer is.
    void aboutToReroute() { prepareGeometryChange(); }
    // The route P0 -> P1 -> P2 -> P3.
    QList<QPointF> path() const;

    uint length() const;
    void setLength(uint length);
    QString typeName() const;
    void setType(const QString &name);

    QtnPropertySetWire *propertySet() const { return m_propertySet; }

    // Sorting order of the wires of one item: by the direction from the shared
    // item to the other end, starting straight up and turning clockwise.
    static bool angleLessThan(Wire *a, Wire *b);

private:
    bool route(QPointF points[4]) const;

    DiagramItem *m_startItem;
    DiagramItem *m_endItem;
    QColor m_color;
    // The segments of the route as last painted; they give the wire its shape.
    QGraphicsLineItem m_segments[3];
    QtnPropertySetWire *m_propertySet = nullptr;
    const quint64 m_serial;
    static quint64 s_serials;
};

#endif // DIAGRAM_WIRE_H
