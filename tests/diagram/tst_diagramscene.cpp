#include "tst_diagramscene.h"

#include "diagramtesthelpers.h"
#include "networkbuilder.h"

#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "propertysets/qtnpropertysetproject.h"

#include <QGraphicsLineItem>
#include <QGraphicsTextItem>
#include <QMenu>
#include <QPointer>
#include <QSignalSpy>
#include <QtTest>

using namespace DiagramTest;

Q_DECLARE_METATYPE(DiagramItem::DiagramType)
Q_DECLARE_METATYPE(DiagramItem *)
Q_DECLARE_METATYPE(Wire *)

namespace {
const int kLineType = 6; // plain line item
}

void TestDiagramScene::initTestCase()
{
    qRegisterMetaType<DiagramItem *>();
    qRegisterMetaType<Wire *>();
}

void TestDiagramScene::newScene()
{
    QMenu menu;
    DiagramScene scene(&menu);
    QCOMPARE(scene.mode(), DiagramScene::MoveItem);
    QCOMPARE(scene.itemType(), DiagramItem::Camera);
    QCOMPARE(scene.itemMenu(), &menu);
    QCOMPARE(scene.lineColor(), QColor(Qt::black));
    QVERIFY(scene.projectSet() != nullptr);
    QVERIFY(scene.rubberBandLine() == nullptr);

    scene.setMode(DiagramScene::InsertLine);
    scene.setItemType(DiagramItem::PD);
    QCOMPARE(scene.mode(), DiagramScene::InsertLine);
    QCOMPARE(scene.itemType(), DiagramItem::PD);
    QMenu other;
    scene.setItemMenu(&other);
    QCOMPARE(scene.itemMenu(), &other);
}

void TestDiagramScene::insertItemClick_data()
{
    QTest::addColumn<DiagramItem::DiagramType>("type");
    QTest::addColumn<QPointF>("click");

    QTest::newRow("camera") << DiagramItem::Camera << QPointF(321.5, 211);
    QTest::newRow("distribution point") << DiagramItem::PD << QPointF(700, 420);
}

void TestDiagramScene::insertItemClick()
{
    QFETCH(DiagramItem::DiagramType, type);
    QFETCH(QPointF, click);

    QMenu menu;
    DiagramScene scene(&menu);
    scene.setSceneRect(0, 0, 1188, 840);
    QSignalSpy inserted(&scene, &DiagramScene::itemInserted);

    // In the default mode a click only selects.
    sendMouse(&scene, QEvent::GraphicsSceneMousePress, click);
    sendMouse(&scene, QEvent::GraphicsSceneMouseRelease, click);
    QCOMPARE(inserted.count(), 0);
    QCOMPARE(countItems(&scene, DiagramItem::Type), 0);

    scene.setItemType(type);
    scene.setMode(DiagramScene::InsertItem);
    sendMouse(&scene, QEvent::GraphicsSceneMousePress, click);
    sendMouse(&scene, QEvent::GraphicsSceneMouseRelease, click);
    QCOMPARE(inserted.count(), 1);
    auto *item = inserted.at(0).at(0).value<DiagramItem *>();
    QVERIFY(item);
    QCOMPARE(item->scene(), &scene);
    QCOMPARE(item->diagramType(), type);
    QCOMPARE(item->pos(), click);
    QCOMPARE(item->contextMenu(), &menu);
    // Centred on the click point.
    QVERIFY(qAbs(item->sceneBoundingRect().center().x() - click.x()) <= 1);
    QVERIFY(qAbs(item->sceneBoundingRect().center().y() - click.y()) <= 1);

    // Every click places one more item, also on top of an existing one.
    sendMouse(&scene, QEvent::GraphicsSceneMousePress, click);
    sendMouse(&scene, QEvent::GraphicsSceneMouseRelease, click);
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(countItems(&scene, DiagramItem::Type), 2);
}

void TestDiagramScene::rubberBandLine()
{
    DiagramScene scene(nullptr);
    scene.setSceneRect(0, 0, 1188, 840);
    scene.setLineColor(Qt::blue);
    scene.setMode(DiagramScene::InsertLine);

    sendMouse(&scene, QEvent::GraphicsSceneMousePress, QPointF(100, 100));
    QGraphicsLineItem *line = scene.rubberBandLine();
    QVERIFY(line);
    QCOMPARE(line->scene(), &scene);
    QCOMPARE(line->type(), kLineType);
    QCOMPARE(line->line(), QLineF(100, 100, 100, 100));
    QCOMPARE(line->pen().color(), QColor(Qt::blue));
    QCOMPARE(line->pen().width(), 2);
    QCOMPARE(line->pen().capStyle(), Qt::SquareCap);
    QCOMPARE(line->pen().joinStyle(), Qt::BevelJoin);

    sendMouse(&scene, QEvent::GraphicsSceneMouseMove, QPointF(250, 180));
    QCOMPARE(line->line(), QLineF(100, 100, 250, 180));

    sendMouse(&scene, QEvent::GraphicsSceneMouseRelease, QPointF(250, 180));
    QVERIFY(scene.rubberBandLine() == nullptr);
    QCOMPARE(countItems(&scene, kLineType), 0);
}

void TestDiagramScene::moveWithoutPressDoesNothing()
{
    NetworkBuilder net;
    DiagramItem *pd = net.addPd(QPointF(300, 300));
    net.scene()->setMode(DiagramScene::InsertLine);
    sendMouse(net.scene(), QEvent::GraphicsSceneMouseMove, QPointF(300, 300), Qt::NoButton);
    sendMouse(net.scene(), QEvent::GraphicsSceneMouseMove, QPointF(500, 300), Qt::NoButton);
    QVERIFY(net.scene()->rubberBandLine() == nullptr);
    QCOMPARE(net.scene()->items().size(), 1);
    QCOMPARE(pd->pos(), QPointF(300, 300));
}

void TestDiagramScene::dragCreatesWire_data()
{
    QTest::addColumn<QString>("from");
    QTest::addColumn<QString>("to");
    QTest::addColumn<bool>("created");

    QTest::newRow("free camera to point") << "camFree" << "pdA" << true;
    QTest::newRow("point to free camera") << "pdA" << "camFree" << true;
    QTest::newRow("wired camera to point") << "camWired" << "pdA" << false;
    QTest::newRow("point to wired camera") << "pdA" << "camWired" << false;
    QTest::newRow("point to point") << "pdA" << "pdB" << true;
    QTest::newRow("wired point to point") << "pdB" << "pdA" << true;
    QTest::newRow("camera to camera") << "camFree" << "camFree2" << false;
    QTest::newRow("camera to empty space") << "camFree" << "empty" << false;
    QTest::newRow("empty space to point") << "empty" << "pdA" << false;
    QTest::newRow("released on the start item") << "pdA" << "pdAOther" << false;
    QTest::newRow("camera released on the start item") << "camFree" << "camFree" << false;
    QTest::newRow("point to a bare wire") << "pdA" << "bareWire" << false;
    QTest::newRow("bare wire to point") << "bareWire" << "pdA" << false;
    // The item's shape is its whole rectangle, text lines included.
    QTest::newRow("camera to a point's location line") << "camFree" << "pdALabel" << true;
}

void TestDiagramScene::dragCreatesWire()
{
    QFETCH(QString, from);
    QFETCH(QString, to);
    QFETCH(bool, created);

    NetworkBuilder net;
    DiagramScene *scene = net.scene();
    scene->setLineColor(QColor(0, 128, 0));
    DiagramItem *pdA = net.addPd(QPointF(300, 200));
    DiagramItem *pdB = net.addPd(QPointF(700, 200));
    DiagramItem *camFree = net.addCamera(QPointF(300, 500));
    DiagramItem *camFree2 = net.addCamera(QPointF(500, 500));
    DiagramItem *camWired = net.addCamera(QPointF(700, 500));
    net.connect(pdB, camWired);
    // Route of that wire: (697, 230) down to the bus at 557 and up to (697, 530).
    renderScene(scene); // what the user sees; settles rectangles and wire shapes

    const QMap<QString, QPointF> points = {
        {"pdA", pdA->pos()},
        {"pdAOther", pdA->pos() + QPointF(12, 6)},
        {"pdALabel", pdA->pos() + QPointF(-20, -25)},
        {"pdB", pdB->pos()},
        {"camFree", camFree->pos()},
        {"camFree2", camFree2->pos()},
        {"camWired", camWired->pos()},
        {"empty", QPointF(1000, 700)},
        {"bareWire", QPointF(697, 350)},
    };
    const QMap<QString, DiagramItem *> items = {
        {"pdA", pdA}, {"pdALabel", pdA}, {"pdB", pdB}, {"camFree", camFree},
    };
    QVERIFY(points.contains(from) && points.contains(to));

    scene->setMode(DiagramScene::InsertLine);
    QSignalSpy inserted(scene, &DiagramScene::wireInserted);
    drag(scene, points.value(from), points.value(to));

    // The rubber-band line never stays behind.
    QVERIFY(scene->rubberBandLine() == nullptr);
    QCOMPARE(countItems(scene, kLineType), 0);

    QCOMPARE(inserted.count(), created ? 1 : 0);
    QCOMPARE(countItems(scene, Wire::Type), created ? 2 : 1);
    if (!created)
        return;
    auto *wire = inserted.at(0).at(0).value<Wire *>();
    QVERIFY(wire);
    QCOMPARE(wire->startItem(), items.value(from));
    QCOMPARE(wire->endItem(), items.value(to));
    QCOMPARE(wire->scene(), scene);
    QCOMPARE(wire->zValue(), -1000.0);
    QCOMPARE(wire->color(), QColor(0, 128, 0));
    QVERIFY(wire->startItem()->wires().contains(wire));
    QVERIFY(wire->endItem()->wires().contains(wire));
    QCOMPARE(wire->line(), QLineF(wire->startItem()->pos(), wire->endItem()->pos()));
}

void TestDiagramScene::twoPointsJoinedTwice()
{
    NetworkBuilder net;
    DiagramScene *scene = net.scene();
    DiagramItem *a = net.addPd(QPointF(300, 200));
    DiagramItem *b = net.addPd(QPointF(700, 200));
    DiagramItem *camera = net.addCamera(QPointF(300, 500));
    renderScene(scene);
    scene->setMode(DiagramScene::InsertLine);
    QSignalSpy inserted(scene, &DiagramScene::wireInserted);

    drag(scene, a->pos(), b->pos());
    drag(scene, b->pos(), a->pos());
    QCOMPARE(inserted.count(), 2);
    QCOMPARE(a->wires().size(), 2);
    QCOMPARE(b->wires().size(), 2);

    // A camera takes only its first cable.
    drag(scene, camera->pos(), a->pos());
    drag(scene, camera->pos(), b->pos());
    drag(scene, b->pos(), camera->pos());
    QCOMPARE(inserted.count(), 3);
    QCOMPARE(camera->wires().size(), 1);
    QCOMPARE(countItems(scene, kLineType), 0);
}

void TestDiagramScene::rightButtonIsSwallowed()
{
    NetworkBuilder net;
    DiagramScene *scene = net.scene();
    DiagramItem *pd = net.addPd(QPointF(300, 300));
    pd->setSelected(true);
    QSignalSpy inserted(scene, &DiagramScene::itemInserted);

    // A right press on empty space would clear the selection if handled.
    sendMouse(scene, QEvent::GraphicsSceneMousePress, QPointF(800, 600), Qt::RightButton);
    sendMouse(scene, QEvent::GraphicsSceneMouseRelease, QPointF(800, 600), Qt::RightButton);
    QVERIFY(pd->isSelected());

    scene->setMode(DiagramScene::InsertItem);
    sendMouse(scene, QEvent::GraphicsSceneMousePress, QPointF(800, 600), Qt::RightButton);
    QCOMPARE(inserted.count(), 0);
    scene->setMode(DiagramScene::InsertLine);
    sendMouse(scene, QEvent::GraphicsSceneMousePress, QPointF(800, 600), Qt::RightButton);
    QVERIFY(scene->rubberBandLine() == nullptr);
    QCOMPARE(scene->items().size(), 1);

    // The left button does reach the base class.
    scene->setMode(DiagramScene::MoveItem);
    sendMouse(scene, QEvent::GraphicsSceneMousePress, QPointF(800, 600));
    sendMouse(scene, QEvent::GraphicsSceneMouseRelease, QPointF(800, 600));
    QVERIFY(!pd->isSelected());
}

void TestDiagramScene::removeAllItems()
{
    NetworkBuilder net;
    DiagramScene *scene = net.scene();
    scene->setInvestmentName(QStringLiteral("Magazyn 4"));
    QtnPropertySetProject *projectSet = scene->projectSet();
    DiagramItem *pd = net.addPd(QPointF(300, 300));
    net.connect(pd, net.addCamera(QPointF(300, 600)));
    auto *text = new QGraphicsTextItem(QStringLiteral("tabliczka"));
    scene->addItem(text);
    scene->addLine(0, 0, 100, 0);
    QPointer<QGraphicsTextItem> watched(text);
    pd->setSelected(true);
    QSignalSpy selection(scene, &QGraphicsScene::selectionChanged);

    scene->removeAllItems();
    QVERIFY(scene->items().isEmpty());
    QVERIFY(watched.isNull());
    QCOMPARE(selection.count(), 1);
    // The project set is kept for the next project.
    QCOMPARE(scene->projectSet(), projectSet);
    QCOMPARE(scene->investmentName(), QStringLiteral("Magazyn 4"));

    // The scene works on afterwards.
    DiagramItem *again = net.addPd(QPointF(100, 100));
    QCOMPARE(again->scene(), scene);
}

void TestDiagramScene::projectTexts()
{
    DiagramScene scene(nullptr);
    QCOMPARE(scene.investmentName(), QStringLiteral("inwestycja 1"));
    QCOMPARE(scene.investmentAddress(), QStringLiteral("adres 1"));
    QCOMPARE(scene.investmentComments(), QStringLiteral("uwagi"));
    QCOMPARE(scene.createDate(), QStringLiteral("2017-01-01"));

    int changes = 0;
    QObject::connect(scene.projectSet(), &QtnPropertyBase::propertyDidChange, [&changes] { ++changes; });
    scene.setInvestmentName(QStringLiteral("Osiedle Zielone"));
    scene.setInvestmentAddress(QStringLiteral("ul. Polna 3"));
    scene.setInvestmentComments(QStringLiteral("bez uwag"));
    // The creation date is read-only in the view, but code may set it.
    scene.setCreateDate(QStringLiteral("2024-05-06"));
    QCOMPARE(changes, 4);
    QCOMPARE(scene.investmentName(), QStringLiteral("Osiedle Zielone"));
    QCOMPARE(scene.investmentAddress(), QStringLiteral("ul. Polna 3"));
    QCOMPARE(scene.investmentComments(), QStringLiteral("bez uwag"));
    QCOMPARE(scene.createDate(), QStringLiteral("2024-05-06"));
    // An equal value announces nothing.
    scene.setInvestmentName(QStringLiteral("Osiedle Zielone"));
    QCOMPARE(changes, 4);
}

void TestDiagramScene::projectColours()
{
    DiagramScene scene(nullptr);
    QCOMPARE(scene.colorWires(), QStringLiteral("#000000"));
    QCOMPARE(scene.colorCameras(), QStringLiteral("#000000"));
    QCOMPARE(scene.colorPD(), QStringLiteral("#000000"));

    scene.setColorWires(QStringLiteral("#ff8000"));
    scene.setColorCameras(QStringLiteral("red"));
    scene.setColorPD(QStringLiteral("  #0000ff  "));
    QCOMPARE(scene.colorWires(), QStringLiteral("#ff8000"));
    QCOMPARE(scene.colorCameras(), QStringLiteral("#ff0000"));
    QCOMPARE(scene.colorPD(), QStringLiteral("#0000ff"));

    // A text that names no colour keeps the old one.
    scene.setColorWires(QStringLiteral("niebieskawy"));
    QCOMPARE(scene.colorWires(), QStringLiteral("#ff8000"));
    // Translucent colours carry their alpha first.
    scene.setColorPD(QStringLiteral("#80ff0000"));
    QCOMPARE(scene.colorPD(), QStringLiteral("#80ff0000"));
}
