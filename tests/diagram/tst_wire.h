#ifndef TESTS_DIAGRAM_TST_WIRE_H
#define TESTS_DIAGRAM_TST_WIRE_H

#include <QObject>

class TestWire : public QObject
{
    Q_OBJECT

private slots:
    void newWire();
    void newWireTakesCatalogueCableType();
    void routeWorkedExample();
    void routeTieInY();
    void routeEndStraightBelow();
    void fanOffsets_data();
    void fanOffsets();
    void wireOrdering_data();
    void wireOrdering();
    void orderingWithoutSharedItem();
    void movingItemReroutesAndResorts();
    void boundingRectMargin();
    void shapeFollowsPaintedRoute();
    void selectedWireDrawsDashedParallels();
    void lengthAndType();
};

#endif // TESTS_DIAGRAM_TST_WIRE_H
