// The diagram model: item geometry and colours, wire routes and their order
// at an item, and the scene turning clicks and drags into items and wires.
#include "networkbuilder.h"
#include "testhelpers.h"

#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetpd.h"

#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QSignalSpy>
#include <QStyleOptionGraphicsItem>
#include <QtTest>

#include <algorithm>

Q_DECLARE_METATYPE(DiagramItem::DiagramType)
Q_DECLARE_METATYPE(DiagramItem *)
Q_DECLARE_METATYPE(Wire *)

using PointList = QList<QPointF>;

namespace {

// Paints an item as a view would, with its origin in the image centre. This
// also settles the cached rectangle, which follows rotation only when painted.
QImage paintItem(QGraphicsItem *item, int w = 400, int h = 300)
{
    QImage image(w, h, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.translate(w / 2, h / 2);
    QStyleOptionGraphicsItem option;
    item->paint(&painter, &option, nullptr);
    return image;
}

int textWidth(int pixelSize, bool italic, const QString &text)
{
    QFont font(QStringLiteral("Calibri"));
    font.setPixelSize(pixelSize);
    font.setItalic(italic);
    return QFontMetrics(font).boundingRect(text).width();
}

} // namespace

class TestDiagram : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        Q_INIT_RESOURCE(images);
        qRegisterMetaType<DiagramItem *>();
        qRegisterMetaType<Wire *>();
    }

    void itemGeometry_data()
    {
        QTest::addColumn<DiagramItem::DiagramType>("type");
        QTest::addColumn<int>("rotation");
        QTest::addColumn<bool>("extender");
        QTest::addColumn<int>("height");

        // Upright: icon height + 30 (+15 for the extender line); turned, the icon
        // stands on its side, so its width counts, plus 15.
        QTest::newRow("camera 0") << DiagramItem::Camera << 0 << false << 30 + 30;
        QTest::newRow("camera 90") << DiagramItem::Camera << 90 << false << 44 + 30 + 15;
        QTest::newRow("camera 180 extender") << DiagramItem::Camera << 180 << true << 30 + 45;
        QTest::newRow("point 0") << DiagramItem::PD << 0 << false << 30 + 30;
        QTest::newRow("point 90") << DiagramItem::PD << 90 << false << 60 + 30 + 15;
        QTest::newRow("point 315 extender") << DiagramItem::PD << 315 << true << 60 + 45 + 15;
    }

    void itemGeometry()
    {
        QFETCH(DiagramItem::DiagramType, type);
        QFETCH(int, rotation);
        QFETCH(bool, extender);
        QFETCH(int, height);

        DiagramItem item(type, nullptr);
        item.setLocation(QStringLiteral("Hala produkcyjna, brama wschodnia"));
        item.setRotation(rotation);
        item.setExtenderRequired(extender);
        const int w = std::max(textWidth(14, false, item.location()), textWidth(12, true, item.modelName()));
        QVERIFY(w > item.iconImage().width());

        // Centred on the origin; odd sizes leave the extra unit right and below.
        const QRectF expected(-(w / 2), -(height / 2), w, height);
        QCOMPARE(item.computeRect(), expected);
        paintItem(&item);
        QCOMPARE(item.boundingRect(), expected);

        // A side label drawn at one paint widens the rectangle from the next one
        // on, so that the icon with a label on either side stays centred.
        item.setLocation(QStringLiteral("A"));
        item.setLowVoltage(true);
        paintItem(&item);
        QVERIFY(item.lowVoltageShown());
        const int t = textWidth(12, false, QStringLiteral("<40[V]"));
        const int narrow = std::max(textWidth(12, true, item.modelName()), item.iconImage().width());
        QCOMPARE(item.computeRect().width(), qreal(std::max(narrow, 2 * t + item.iconImage().width())));
        item.hideDescription();
        paintItem(&item);
        QVERIFY(!item.lowVoltageShown());
        QCOMPARE(item.computeRect().width(), qreal(narrow));
    }

    void numberLabel_data()
    {
        QTest::addColumn<DiagramItem::DiagramType>("type");
        QTest::addColumn<QList<uint>>("numbers");
        QTest::addColumn<QString>("label");

        QTest::newRow("new camera") << DiagramItem::Camera << QList<uint>{} << "K";
        QTest::newRow("camera 7") << DiagramItem::Camera << QList<uint>{7} << "K 7";
        QTest::newRow("point 12") << DiagramItem::PD << QList<uint>{12} << "PD 12";
        QTest::newRow("point 12 then 0") << DiagramItem::PD << QList<uint>{12, 0} << "PD";
        QTest::newRow("101 is out of range") << DiagramItem::Camera << QList<uint>{7, 101} << "K 7";
    }

    void numberLabel()
    {
        QFETCH(DiagramItem::DiagramType, type);
        QFETCH(QList<uint>, numbers);
        QFETCH(QString, label);

        DiagramItem item(type, nullptr);
        for (uint n : numbers)
            item.setNumber(n);
        QCOMPARE(item.numberText(), label);
    }

    void iconRecolouring_data()
    {
        QTest::addColumn<bool>("lowVoltage");
        QTest::addColumn<bool>("extender");
        QTest::addColumn<QColor>("iconColour");

        QTest::newRow("item colour") << false << false << QColor(Qt::blue);
        QTest::newRow("low voltage is red") << true << false << QColor(Qt::red);
        // The extender line resets the pen to the item's colour before the icon.
        QTest::newRow("low voltage with extender") << true << true << QColor(Qt::blue);
    }

    void iconRecolouring()
    {
        QFETCH(bool, lowVoltage);
        QFETCH(bool, extender);
        QFETCH(QColor, iconColour);

        DiagramItem item(DiagramItem::Camera, nullptr);
        item.setColor(Qt::blue);
        item.setLowVoltage(lowVoltage);
        item.setExtenderRequired(extender);
        paintItem(&item);
        const QImage image = paintItem(&item, 400, 300);

        // Only the pure black pixels take the colour; the icon is centred and
        // rests on the bottom edge of the rectangle.
        const QImage icon = item.iconImage().convertToFormat(QImage::Format_ARGB32);
        const int left = 200 - icon.width() / 2;
        const int top = 150 + int(item.boundingRect().height() / 2 - icon.height());
        int black = 0, coloured = 0, other = 0, kept = 0;
        for (int y = 0; y < icon.height(); ++y) {
            for (int x = 0; x < icon.width(); ++x) {
                const QRgb p = icon.pixel(x, y);
                const bool isBlack = (p & 0xffffff) == 0;
                if (qAlpha(p) == 255) {
                    (isBlack ? coloured : kept) += image.pixel(left + x, top + y) == (isBlack ? iconColour.rgb() : p);
                    ++(isBlack ? black : other);
                }
            }
        }
        QVERIFY(black > 0 && other > 0);
        // Texts drawn across the icon (number, extender line) may cover a few pixels.
        QVERIFY2(coloured * 10 >= black * 9, qPrintable(QStringLiteral("%1 of %2").arg(coloured).arg(black)));
        QVERIFY2(kept * 10 >= other * 8, qPrintable(QStringLiteral("%1 of %2").arg(kept).arg(other)));
    }

    void accessors()
    {
        DiagramItem point(DiagramItem::PD, nullptr);
        point.setNvr(true);
        QCOMPARE(point.pdSet()->NVR.value(), int(MoxEnums::Yes));
        // A point's own consumption is 1 W, whatever is written.
        point.setPower(50);
        QCOMPARE(point.power(), 1u);

        // Accessors of the other kind give 0 or nothing and write nothing.
        DiagramItem camera(DiagramItem::Camera, nullptr);
        camera.setPc(true);
        camera.setVout(40);
        camera.setAccumulatorCapacity(40);
        QVERIFY(!camera.hasPc() && !camera.pdSet());
        QCOMPARE(camera.vout() + camera.accumulatorCapacity(), 0.0);
        QCOMPARE(camera.power(), 8u);
        // A model name that the list does not hold changes nothing.
        camera.setModel(QStringLiteral("DS-2CD2143"));
        QCOMPARE(camera.modelName(), QStringLiteral("Nie określono"));
    }

    void voutTruncation_data()
    {
        QTest::addColumn<double>("vout");
        QTest::addColumn<double>("expected");

        QTest::newRow("47.9 truncates down") << 47.9 << 47.0;
        QTest::newRow("just below 1") << 0.999 << 0.0;
        // Outside 0..100: refused, the default 48 stays.
        QTest::newRow("above range") << 101.2 << 48.0;
        QTest::newRow("negative after a large drop") << -3.5 << 48.0;
    }

    void voutTruncation()
    {
        QFETCH(double, vout);
        QFETCH(double, expected);

        DiagramItem point(DiagramItem::PD, nullptr);
        point.setVout(vout);
        QCOMPARE(point.vout(), expected);
    }

    void route_data()
    {
        QTest::addColumn<QPointF>("start");
        QTest::addColumn<int>("startRotation");
        QTest::addColumn<QPointF>("end");
        QTest::addColumn<int>("endRotation");
        QTest::addColumn<PointList>("expected");

        // One wire at each end: d = 5/2 - 5 = -3. The bus runs half an item
        // below the lower item's bottom edge: 200 + 60 - 3 = 257.
        QTest::newRow("worked example") << QPointF(0, 0) << 0 << QPointF(100, 200) << 0
                                        << PointList{{-3, 30}, {-3, 257}, {97, 257}, {97, 230}};
        QTest::newRow("end straight below") << QPointF(200, 100) << 0 << QPointF(200, 400) << 0
                                            << PointList{{197, 130}, {197, 457}, {197, 457}, {197, 430}};
        QTest::newRow("end above: bus under the start") << QPointF(200, 400) << 0 << QPointF(500, 100) << 0
                                                        << PointList{{197, 430}, {197, 457}, {497, 457}, {497, 130}};
        // On equal y the start counts as lower: its height (105 turned) decides.
        QTest::newRow("tie, tall start") << QPointF(100, 300) << 90 << QPointF(400, 300) << 0
                                         << PointList{{97, 352.5}, {97, 402}, {397, 402}, {397, 330}};
        QTest::newRow("tie, tall end") << QPointF(100, 300) << 0 << QPointF(400, 300) << 90
                                       << PointList{{97, 330}, {97, 357}, {397, 357}, {397, 352.5}};
    }

    void route()
    {
        QFETCH(QPointF, start);
        QFETCH(int, startRotation);
        QFETCH(QPointF, end);
        QFETCH(int, endRotation);
        QFETCH(PointList, expected);

        NetworkBuilder net;
        DiagramItem *s = net.addPd(start);
        DiagramItem *e = net.addPd(end);
        s->setRotation(startRotation);
        e->setRotation(endRotation);
        paintItem(s);
        paintItem(e);
        Wire *wire = net.connect(s, e);
        QCOMPARE(wire->path(), expected);
        QCOMPARE(wire->line(), QLineF(start, end));

        // The bounding rectangle covers the route plus 11 on every side, room
        // for the pen and for the dashed parallels of a selected wire.
        QRectF corners = QPolygonF(expected.toVector()).boundingRect();
        QCOMPARE(wire->boundingRect(), corners.adjusted(-11, -11, 11, 11));
    }

    void fanOffsets_data()
    {
        QTest::addColumn<int>("count");
        QTest::addColumn<bool>("hubIsStart");
        QTest::addColumn<QList<int>>("offsets"); // cameras from left to right

        // d = (5n)/2 - 5i; the rightmost camera sorts first and gets the largest d.
        QTest::newRow("n = 1") << 1 << true << QList<int>{-3};
        QTest::newRow("n = 2") << 2 << true << QList<int>{-5, 0};
        QTest::newRow("n = 3") << 3 << true << QList<int>{-8, -3, 2};
        QTest::newRow("n = 3, wires end at the hub") << 3 << false << QList<int>{-8, -3, 2};
    }

    void fanOffsets()
    {
        QFETCH(int, count);
        QFETCH(bool, hubIsStart);
        QFETCH(QList<int>, offsets);

        const QList<QList<qreal>> xs = {{400}, {200, 600}, {200, 400, 600}};
        NetworkBuilder net;
        DiagramItem *hub = net.addPd(QPointF(400, 100));
        QList<Wire *> wires;
        for (qreal x : xs.at(count - 1)) {
            DiagramItem *camera = net.addCamera(QPointF(x, 400));
            wires << (hubIsStart ? net.connect(hub, camera) : net.connect(camera, hub));
        }
        for (int k = 0; k < count; ++k) {
            const PointList route = wires.at(k)->path();
            const QPointF atHub = hubIsStart ? route.at(0) : route.at(3);
            const QPointF atCamera = hubIsStart ? route.at(3) : route.at(0);
            QCOMPARE(atHub, QPointF(400 + offsets.at(k), 130));
            QCOMPARE(atCamera, QPointF(xs.at(count - 1).at(k) - 3, 430));
            // The bus takes the end item's offset.
            QCOMPARE(route.at(1).y(), qreal(400 + 60 + (hubIsStart ? -3 : offsets.at(k))));
        }
    }

    void wireOrdering_data()
    {
        QTest::addColumn<QStringList>("inserted");
        QTest::addColumn<QStringList>("expected");

        QTest::newRow("up, right, down, left reversed") << QStringList{"left", "down", "right", "up"}
                                                        << QStringList{"up", "right", "down", "left"};
        QTest::newRow("shuffled") << QStringList{"down", "up", "left", "right"}
                                  << QStringList{"up", "right", "down", "left"};
        QTest::newRow("diagonals") << QStringList{"downLeft", "upLeft", "downRight", "upRight"}
                                   << QStringList{"upRight", "downRight", "downLeft", "upLeft"};
        // Just left of straight up is past 90 degrees: it comes last, not first.
        QTest::newRow("nearly up from the left") << QStringList{"nearlyUpLeft", "right", "up"}
                                                 << QStringList{"up", "right", "nearlyUpLeft"};
    }

    void wireOrdering()
    {
        QFETCH(QStringList, inserted);
        QFETCH(QStringList, expected);

        const QMap<QString, QPointF> offsets = {
            {"up", {0, -200}},         {"right", {200, 0}},       {"down", {0, 200}},
            {"left", {-200, 0}},       {"upRight", {200, -200}},  {"downRight", {200, 200}},
            {"downLeft", {-200, 200}}, {"upLeft", {-200, -200}},  {"nearlyUpLeft", {-10, -200}},
        };
        NetworkBuilder net;
        DiagramItem *hub = net.addPd(QPointF(500, 400));
        QMap<Wire *, QString> names;
        for (int k = 0; k < inserted.size(); ++k) {
            DiagramItem *other = net.addPd(QPointF(500, 400) + offsets.value(inserted.at(k)));
            // Alternate the hub's end so every way of sharing an item is met.
            names.insert(k % 2 ? net.connect(other, hub) : net.connect(hub, other), inserted.at(k));
        }
        QStringList actual;
        for (Wire *wire : hub->wires())
            actual << names.value(wire);
        QCOMPARE(actual, expected);
    }

    void movingItemReroutesAndResorts()
    {
        NetworkBuilder net;
        DiagramItem *hub = net.addPd(QPointF(500, 400));
        DiagramItem *camA = net.addCamera(QPointF(700, 400)); // right
        DiagramItem *camB = net.addCamera(QPointF(500, 600)); // below
        Wire *wireA = net.connect(hub, camA);
        Wire *wireB = net.connect(hub, camB);
        QCOMPARE(hub->wires(), (QList<Wire *>{wireA, wireB}));

        // The camera moves to the left: the hub's list turns round, and with it
        // the fan offsets and the wire's base line.
        camA->setPos(300, 400);
        QCOMPARE(hub->wires(), (QList<Wire *>{wireB, wireA}));
        QCOMPARE(wireA->line(), QLineF(500, 400, 300, 400));
        QCOMPARE(wireA->path().first(), QPointF(500 - 5, 430));
        QCOMPARE(wireA->path().last(), QPointF(300 - 3, 430));

        // A moved point re-sorts its own list and the lists of its neighbours.
        hub->setPos(100, 600);
        QCOMPARE(hub->wires(), (QList<Wire *>{wireA, wireB}));
        DiagramItem *p2 = net.addPd(QPointF(100, 300));
        Wire *toHub = net.connect(p2, hub);                          // down
        Wire *toP3 = net.connect(p2, net.addPd(QPointF(400, 300)));  // right
        QCOMPARE(p2->wires(), (QList<Wire *>{toP3, toHub}));
        hub->setPos(100, 100);                                       // now up
        QCOMPARE(p2->wires(), (QList<Wire *>{toHub, toP3}));
    }

    // A turned camera grows taller on its first paint; its wire's route rests
    // on the camera's height, so the new route must be repainted with it,
    // or the bus stays drawn where it was until the whole sheet repaints.
    void turnedItemTakesItsWiresAlong()
    {
        NetworkBuilder net;
        DiagramItem *hub = net.addPd(QPointF(100, 100));
        DiagramItem *camera = net.addCamera(QPointF(400, 300));
        camera->setRotation(90);
        Wire *wire = net.connect(hub, camera);
        const qreal busBefore = wire->path().at(1).y();
        QCoreApplication::processEvents();

        QList<QRectF> repainted;
        connect(net.scene(), &QGraphicsScene::changed, this, [&](const QList<QRectF> &rects) { repainted << rects; });
        paintItem(camera);
        QCoreApplication::processEvents();

        const QList<QPointF> route = wire->path();
        QVERIFY(route.at(1).y() > busBefore);
        const QRectF bus = QRectF(route.at(1), route.at(2)).normalized().adjusted(0, -1, 0, 1);
        QVERIFY2(std::any_of(repainted.begin(), repainted.end(), [&](const QRectF &r) { return r.contains(bus); }),
                 "the wire's new bus is not repainted");
    }

    void insertItemClick()
    {
        QMenu menu;
        DiagramScene scene(&menu);
        QSignalSpy inserted(&scene, &DiagramScene::itemInserted);
        tst::click(&scene, QPointF(321.5, 211)); // the default mode only selects
        QCOMPARE(inserted.count(), 0);

        scene.setItemType(DiagramItem::PD);
        scene.setMode(DiagramScene::InsertItem);
        tst::click(&scene, QPointF(321.5, 211), {}, Qt::RightButton); // swallowed
        QCOMPARE(inserted.count(), 0);
        tst::click(&scene, QPointF(321.5, 211));
        tst::click(&scene, QPointF(321.5, 211)); // also on top of an existing item
        QCOMPARE(inserted.count(), 2);
        auto *item = inserted.at(0).at(0).value<DiagramItem *>();
        QVERIFY(item && item->scene() == &scene && item->contextMenu() == &menu);
        QCOMPARE(item->diagramType(), DiagramItem::PD);
        // Centred on the click.
        QCOMPARE(item->pos(), QPointF(321.5, 211));
        QVERIFY((item->sceneBoundingRect().center() - QPointF(321.5, 211)).manhattanLength() <= 2);
    }

    void dragCreatesWire_data()
    {
        QTest::addColumn<QString>("from");
        QTest::addColumn<QString>("to");
        QTest::addColumn<bool>("created");

        QTest::newRow("free camera to point") << "camFree" << "pdA" << true;
        QTest::newRow("point to free camera") << "pdA" << "camFree" << true;
        QTest::newRow("wired camera to point") << "camWired" << "pdA" << false;
        QTest::newRow("point to wired camera") << "pdA" << "camWired" << false;
        QTest::newRow("point to point") << "pdA" << "pdB" << true;
        QTest::newRow("point to point already joined") << "pdB" << "pdC" << true;
        QTest::newRow("camera to camera") << "camFree" << "camFree2" << false;
        QTest::newRow("camera to empty space") << "camFree" << "empty" << false;
        QTest::newRow("empty space to point") << "empty" << "pdA" << false;
        QTest::newRow("released on the start item") << "pdA" << "pdAOther" << false;
        QTest::newRow("point to a bare wire") << "pdA" << "bareWire" << false;
        // An item's shape is its whole rectangle, text lines included.
        QTest::newRow("camera to a point's location line") << "camFree" << "pdALabel" << true;
    }

    void dragCreatesWire()
    {
        QFETCH(QString, from);
        QFETCH(QString, to);
        QFETCH(bool, created);

        NetworkBuilder net;
        DiagramScene *scene = net.scene();
        scene->setLineColor(QColor(0, 128, 0));
        DiagramItem *pdA = net.addPd(QPointF(300, 200));
        DiagramItem *pdB = net.addPd(QPointF(700, 200));
        DiagramItem *pdC = net.addPd(QPointF(1000, 200));
        DiagramItem *camWired = net.addCamera(QPointF(700, 500));
        net.connect(pdB, camWired); // route: x = 697 from y = 230 down to 557 and back up to 530
        net.connect(pdB, pdC);
        const QMap<QString, QPointF> points = {
            {"pdA", pdA->pos()},        {"pdAOther", pdA->pos() + QPointF(12, 6)},
            {"pdB", pdB->pos()},        {"pdALabel", pdA->pos() + QPointF(-20, -25)},
            {"pdC", pdC->pos()},        {"camFree", net.addCamera(QPointF(300, 500))->pos()},
            {"camWired", camWired->pos()}, {"camFree2", net.addCamera(QPointF(500, 500))->pos()},
            {"empty", QPointF(1000, 700)}, {"bareWire", QPointF(697, 350)},
        };
        // Render once, as the user sees it: wires take their shape when painted.
        QImage image(1188, 840, QImage::Format_ARGB32_Premultiplied);
        QPainter painter(&image);
        scene->render(&painter, QRectF(0, 0, 1188, 840), QRectF(0, 0, 1188, 840));
        painter.end();
        const int wiresBefore = tst::itemsOf<Wire>(scene).size();

        scene->setMode(DiagramScene::InsertLine);
        QSignalSpy inserted(scene, &DiagramScene::wireInserted);
        const QPointF start = points.value(from), end = points.value(to);
        tst::sendMouse(scene, QEvent::GraphicsSceneMousePress, start, start);
        QVERIFY(scene->rubberBandLine());
        tst::sendMouse(scene, QEvent::GraphicsSceneMouseMove, end, start);
        QCOMPARE(scene->rubberBandLine()->line(), QLineF(start, end));
        tst::sendMouse(scene, QEvent::GraphicsSceneMouseRelease, end, start);

        // The rubber-band line, a plain line item, never stays behind.
        QVERIFY(!scene->rubberBandLine());
        QVERIFY(tst::itemsOf<QGraphicsLineItem>(scene).isEmpty());
        QCOMPARE(inserted.count(), created ? 1 : 0);
        QCOMPARE(tst::itemsOf<Wire>(scene).size(), wiresBefore + (created ? 1 : 0));
        if (!created)
            return;
        auto *wire = inserted.at(0).at(0).value<Wire *>();
        QVERIFY(wire);
        QVERIFY(wire->startItem()->sceneBoundingRect().contains(points.value(from)));
        QVERIFY(wire->endItem()->sceneBoundingRect().contains(points.value(to)));
        QVERIFY(wire->startItem()->wires().contains(wire) && wire->endItem()->wires().contains(wire));
        QCOMPARE(wire->zValue(), -1000.0);
        QCOMPARE(wire->color(), QColor(0, 128, 0));
    }

    void removeAllItems()
    {
        NetworkBuilder net;
        DiagramScene *scene = net.scene();
        scene->setInvestmentName(QStringLiteral("Magazyn 4"));
        DiagramItem *pd = net.addPd(QPointF(300, 300));
        net.connect(pd, net.addCamera(QPointF(300, 600)));
        scene->addLine(0, 0, 100, 0);
        pd->setSelected(true);
        QSignalSpy selection(scene, &QGraphicsScene::selectionChanged);

        scene->removeAllItems();
        QVERIFY(scene->items().isEmpty());
        // The selection is left first, so nobody keeps showing a destroyed set.
        QCOMPARE(selection.count(), 1);
        // The project set stays for the next project.
        QCOMPARE(scene->investmentName(), QStringLiteral("Magazyn 4"));
    }
};

QTEST_MAIN(TestDiagram)
#include "tst_diagram.moc"
