#include "tst_wire.h"

#include "diagramtesthelpers.h"
#include "networkbuilder.h"
#include "testcatalogue.h"

#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"

#include <QPainterPath>
#include <QtTest>

using namespace DiagramTest;

using PointList = QList<QPointF>;

void TestWire::newWire()
{
    NetworkBuilder net;
    DiagramItem *a = net.addPd(QPointF(100, 100));
    DiagramItem *b = net.addPd(QPointF(300, 100));
    Wire wire(a, b);
    QCOMPARE(wire.type(), 65541);
    QCOMPARE(wire.startItem(), a);
    QCOMPARE(wire.endItem(), b);
    QCOMPARE(wire.length(), 50u);
    QVERIFY(wire.flags() & QGraphicsItem::ItemIsSelectable);
    QVERIFY(wire.flags() & QGraphicsItem::ItemIsFocusable);
    QVERIFY(!(wire.flags() & QGraphicsItem::ItemIsMovable));
    QVERIFY(!wire.acceptHoverEvents());
    QCOMPARE(wire.pen().width(), 2);
    QCOMPARE(wire.pen().capStyle(), Qt::RoundCap);
    QCOMPARE(wire.pen().joinStyle(), Qt::RoundJoin);
    // The creator, not the wire, puts it on the items' lists.
    QVERIFY(a->wires().isEmpty());
    QVERIFY(b->wires().isEmpty());
}

void TestWire::newWireTakesCatalogueCableType()
{
    {
        TestCatalogue catalogue;
        QVERIFY2(catalogue.create({}, {}, {QStringLiteral("YTKSY 2x2x0.8"), QStringLiteral("UTP kat.5E")}),
                 qPrintable(catalogue.lastError()));
        NetworkBuilder net;
        Wire *wire = net.connect(net.addPd(QPointF(100, 100)), net.addPd(QPointF(300, 100)));
        QCOMPARE(wire->typeName(), QStringLiteral("UTP kat.5E"));
        QCOMPARE(wire->length(), 50u);
        wire->setType(QStringLiteral("YTKSY 2x2x0.8"));
        QCOMPARE(wire->typeName(), QStringLiteral("YTKSY 2x2x0.8"));
    }
    {
        // A catalogue without the usual cable leaves a new wire unspecified.
        TestCatalogue catalogue;
        QVERIFY(catalogue.create({}, {}, {QStringLiteral("YTKSY 2x2x0.8")}));
        NetworkBuilder net;
        Wire *wire = net.connect(net.addPd(QPointF(100, 100)), net.addPd(QPointF(300, 100)));
        QCOMPARE(wire->typeName(), QStringLiteral("Nie określono"));
    }
}

void TestWire::routeWorkedExample()
{
    NetworkBuilder net;
    DiagramItem *start = net.addPd(QPointF(0, 0));
    DiagramItem *end = net.addPd(QPointF(100, 200));
    Wire *wire = net.connect(start, end);
    QCOMPARE(start->boundingRect().height(), 60.0);
    QCOMPARE(end->boundingRect().height(), 60.0);

    // One wire at each end: d = 5/2 - 5 = -3. The bus runs at
    // 200 + 60 - 3 = 257, below the lower item.
    QCOMPARE(wire->path(), (PointList{{-3, 30}, {-3, 257}, {97, 257}, {97, 230}}));

    // The base line joins the two origins.
    QCOMPARE(wire->line(), QLineF(0, 0, 100, 200));
}

void TestWire::routeTieInY()
{
    NetworkBuilder net;
    DiagramItem *tall = net.addPd(QPointF(100, 300));
    tall->setRotation(90);
    paintItem(tall); // the rotated height (60 + 45) takes effect when painted
    QCOMPARE(tall->boundingRect().height(), 105.0);
    DiagramItem *camera = net.addCamera(QPointF(400, 300));
    QCOMPARE(camera->boundingRect().height(), 60.0);

    // On equal y the start item counts as the lower one: its height decides.
    Wire *fromTall = net.connect(tall, camera);
    QCOMPARE(fromTall->path(), (PointList{{97, 352.5}, {97, 402}, {397, 402}, {397, 330}}));

    NetworkBuilder net2;
    DiagramItem *camera2 = net2.addCamera(QPointF(100, 300));
    DiagramItem *tall2 = net2.addPd(QPointF(400, 300));
    tall2->setRotation(90);
    paintItem(tall2);
    Wire *fromCamera = net2.connect(camera2, tall2);
    QCOMPARE(fromCamera->path(), (PointList{{97, 330}, {97, 357}, {397, 357}, {397, 352.5}}));
}

void TestWire::routeEndStraightBelow()
{
    NetworkBuilder net;
    DiagramItem *start = net.addPd(QPointF(200, 100));
    DiagramItem *end = net.addCamera(QPointF(200, 400));
    Wire *wire = net.connect(start, end);
    // A vertical drop past the end item, a run of no length, and a rise into
    // the end item's bottom edge.
    QCOMPARE(wire->path(), (PointList{{197, 130}, {197, 457}, {197, 457}, {197, 430}}));

    // Upwards: the bus runs under the start item.
    NetworkBuilder net2;
    DiagramItem *low = net2.addCamera(QPointF(200, 400));
    DiagramItem *high = net2.addPd(QPointF(200, 100));
    Wire *up = net2.connect(low, high);
    QCOMPARE(up->path(), (PointList{{197, 430}, {197, 457}, {197, 457}, {197, 130}}));
}

void TestWire::fanOffsets_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("hubIsStart");
    QTest::addColumn<QList<int>>("offsets"); // for the cameras from left to right

    // d = (5n)/2 - 5i with i the 1-based place in the sorted list; the
    // rightmost camera comes first, so it gets the largest offset.
    QTest::newRow("one wire") << 1 << true << QList<int>{-3};
    QTest::newRow("two wires") << 2 << true << QList<int>{-5, 0};
    QTest::newRow("three wires") << 3 << true << QList<int>{-8, -3, 2};
    QTest::newRow("three wires ending at the hub") << 3 << false << QList<int>{-8, -3, 2};
}

void TestWire::fanOffsets()
{
    QFETCH(int, count);
    QFETCH(bool, hubIsStart);
    QFETCH(QList<int>, offsets);

    const QList<QList<qreal>> xs = {{400}, {200, 600}, {200, 400, 600}};
    NetworkBuilder net;
    DiagramItem *hub = net.addPd(QPointF(400, 100));
    QList<Wire *> wires;
    QList<DiagramItem *> cameras;
    for (qreal x : xs.at(count - 1)) {
        DiagramItem *camera = net.addCamera(QPointF(x, 400));
        cameras << camera;
        wires << (hubIsStart ? net.connect(hub, camera) : net.connect(camera, hub));
    }
    for (int k = 0; k < count; ++k) {
        const PointList route = wires.at(k)->path();
        QCOMPARE(route.size(), 4);
        const QPointF hubPoint = hubIsStart ? route.at(0) : route.at(3);
        const QPointF cameraPoint = hubIsStart ? route.at(3) : route.at(0);
        QCOMPARE(hubPoint, QPointF(400 + offsets.at(k), 130));
        // Each camera has its one wire: d = -3 there.
        QCOMPARE(cameraPoint, QPointF(cameras.at(k)->x() - 3, 430));
        // The cameras are lower: the bus is under them, moved by the end's offset.
        const int dEnd = hubIsStart ? -3 : offsets.at(k);
        QCOMPARE(route.at(1).y(), qreal(400 + 60 + dEnd));
    }
}

void TestWire::wireOrdering_data()
{
    QTest::addColumn<QStringList>("inserted");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("four directions reversed") << QStringList{"left", "down", "right", "up"}
                                              << QStringList{"up", "right", "down", "left"};
    QTest::newRow("four directions shuffled") << QStringList{"down", "up", "left", "right"}
                                              << QStringList{"up", "right", "down", "left"};
    QTest::newRow("eight directions")
        << QStringList{"downLeft", "up", "upLeft", "downRight", "left", "upRight", "down", "right"}
        << QStringList{"up", "upRight", "right", "downRight", "down", "downLeft", "left", "upLeft"};
    // Just left of straight up is past 90 degrees: it comes last, not first.
    QTest::newRow("nearly up from the left") << QStringList{"nearlyUpLeft", "up", "right"}
                                             << QStringList{"up", "right", "nearlyUpLeft"};
}

void TestWire::wireOrdering()
{
    QFETCH(QStringList, inserted);
    QFETCH(QStringList, expected);

    const QMap<QString, QPointF> offsets = {
        {"up", {0, -200}},         {"upRight", {200, -200}}, {"right", {200, 0}},
        {"downRight", {200, 200}}, {"down", {0, 200}},       {"downLeft", {-200, 200}},
        {"left", {-200, 0}},       {"upLeft", {-200, -200}}, {"nearlyUpLeft", {-10, -200}},
    };
    NetworkBuilder net;
    const QPointF centre(500, 400);
    DiagramItem *hub = net.addPd(centre);
    QMap<Wire *, QString> names;
    for (int k = 0; k < inserted.size(); ++k) {
        DiagramItem *other = net.addPd(centre + offsets.value(inserted.at(k)));
        // Alternate the hub's end so that every way of sharing an item is met.
        Wire *wire = (k % 2 == 0) ? net.connect(hub, other) : net.connect(other, hub);
        names.insert(wire, inserted.at(k));
    }
    QStringList actual;
    for (Wire *wire : hub->wires())
        actual << names.value(wire);
    QCOMPARE(actual, expected);
}

void TestWire::orderingWithoutSharedItem()
{
    NetworkBuilder net;
    DiagramItem *a = net.addPd(QPointF(100, 100));
    DiagramItem *b = net.addPd(QPointF(100, 300));
    DiagramItem *c = net.addPd(QPointF(500, 100));
    DiagramItem *d = net.addPd(QPointF(700, 100));
    Wire *ab = net.connect(a, b);
    Wire *cd = net.connect(c, d);
    QVERIFY(!Wire::angleLessThan(ab, cd));
    QVERIFY(!Wire::angleLessThan(cd, ab));
    // Strict: never before itself.
    QVERIFY(!Wire::angleLessThan(ab, ab));
}

void TestWire::movingItemReroutesAndResorts()
{
    NetworkBuilder net;
    DiagramItem *hub = net.addPd(QPointF(500, 400));
    DiagramItem *camA = net.addCamera(QPointF(700, 400)); // right of the hub
    DiagramItem *camB = net.addCamera(QPointF(500, 600)); // below the hub
    Wire *wireA = net.connect(hub, camA);
    Wire *wireB = net.connect(hub, camB);
    QCOMPARE(hub->wires(), (QList<Wire *>{wireA, wireB}));
    QCOMPARE(wireA->path().first(), QPointF(500 + 0, 430));

    // Moving the camera to the left of the hub changes the neighbour's order
    // and with it the fan offsets.
    camA->setPos(300, 400);
    QCOMPARE(hub->wires(), (QList<Wire *>{wireB, wireA}));
    QCOMPARE(wireA->line(), QLineF(500, 400, 300, 400));
    QCOMPARE(wireA->path().first(), QPointF(500 - 5, 430));
    QCOMPARE(wireA->path().last(), QPointF(300 - 3, 430));

    // Moving the hub re-sorts its own list.
    hub->setPos(100, 600);
    QCOMPARE(hub->wires(), (QList<Wire *>{wireA, wireB}));
    QCOMPARE(wireB->line(), QLineF(100, 600, 500, 600));

    // ... and the lists of neighbouring points.
    DiagramItem *p2 = net.addPd(QPointF(100, 300));
    DiagramItem *p3 = net.addPd(QPointF(400, 300));
    Wire *toHub = net.connect(p2, hub);  // straight down from p2
    Wire *toP3 = net.connect(p2, p3);    // right of p2
    QCOMPARE(p2->wires(), (QList<Wire *>{toP3, toHub}));
    hub->setPos(100, 100);               // now straight up from p2
    QCOMPARE(p2->wires(), (QList<Wire *>{toHub, toP3}));
}

void TestWire::boundingRectMargin()
{
    NetworkBuilder net;
    Wire *wire = net.connect(net.addPd(QPointF(0, 0)), net.addPd(QPointF(100, 200)));
    // Route corners (-3, 30) and (97, 257), grown by (2 + 20) / 2 = 11.
    QCOMPARE(wire->boundingRect(), QRectF(-14, 19, 122, 249));
}

void TestWire::shapeFollowsPaintedRoute()
{
    NetworkBuilder net;
    Wire *wire = net.connect(net.addPd(QPointF(200, 200)), net.addPd(QPointF(300, 400)));
    // Route: (197, 230) (197, 457) (297, 457) (297, 430).
    QVERIFY(wire->shape().isEmpty());
    paintItem(wire, 1200, 900);
    const QPainterPath shape = wire->shape();
    QVERIFY(shape.intersects(QRectF(195, 300, 4, 4)));   // first segment
    QVERIFY(shape.intersects(QRectF(240, 455, 4, 4)));   // the bus
    QVERIFY(shape.intersects(QRectF(295, 440, 4, 4)));   // last segment
    QVERIFY(!shape.intersects(QRectF(240, 300, 20, 20))); // inside the corner
    QVERIFY(!shape.intersects(QRectF(100, 100, 20, 20)));
}

void TestWire::selectedWireDrawsDashedParallels()
{
    NetworkBuilder net;
    Wire *wire = net.connect(net.addPd(QPointF(200, 200)), net.addPd(QPointF(300, 400)));
    // The bus runs along y = 457 from x = 197 to 297; the parallels lie at
    // 457 + 4 and 457 - 4.
    auto redInRow = [](const QImage &image, int y) {
        int red = 0;
        for (int x = 205; x < 290; ++x) {
            if (image.pixel(x, y) == qRgb(255, 0, 0))
                ++red;
        }
        return red;
    };
    QImage plain = renderScene(net.scene());
    QCOMPARE(redInRow(plain, 461), 0);
    QCOMPARE(redInRow(plain, 453), 0);
    QVERIFY(plain.pixel(250, 457) == qRgb(0, 0, 0));

    wire->setSelected(true);
    QImage selected = renderScene(net.scene());
    // Dashed: a good part of the row is red, but not all of it.
    const int below = redInRow(selected, 461);
    const int above = redInRow(selected, 453);
    QVERIFY2(below > 20 && below < 85, qPrintable(QString::number(below)));
    QVERIFY2(above > 20 && above < 85, qPrintable(QString::number(above)));
    QVERIFY(wire->boundingRect().contains(QRectF(193, 226, 108, 235)));
}

void TestWire::lengthAndType()
{
    NetworkBuilder net;
    Wire *wire = net.connect(net.addPd(QPointF(100, 100)), net.addPd(QPointF(300, 100)), 120);
    QCOMPARE(wire->length(), 120u);
    // 1..200 m.
    wire->setLength(0);
    QCOMPARE(wire->length(), 120u);
    wire->setLength(201);
    QCOMPARE(wire->length(), 120u);
    wire->setLength(200);
    QCOMPARE(wire->length(), 200u);
    wire->setLength(1);
    QCOMPARE(wire->length(), 1u);

    // A text that is not in the list keeps the current type.
    const QString before = wire->typeName();
    wire->setType(QStringLiteral("Kabel, którego nie ma"));
    QCOMPARE(wire->typeName(), before);
    wire->setType(QStringLiteral("Nie określono"));
    QCOMPARE(wire->typeName(), QStringLiteral("Nie określono"));
}
