// The choice of a distribution-point model from the catalogue, the diagnosis
// of a point that nothing fits, and the split of an overfull point.

#include "calc/calcloop.h"
#include "calc/modelselection.h"
#include "calc/networkcalc.h"
#include "calc/pdsplitter.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "networkbuilder.h"
#include "property/core/qtnenuminfo.h"
#include "propertysets/qtnpropertysetpd.h"
#include "scripteddialogseam.h"
#include "testcatalogue.h"

#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QtTest>

namespace {

const QString IP20 = QStringLiteral("Wewnętrzna (IP20)");
const QString Lead = QStringLiteral("<nobr>Brak punktu dystrybucyjnego spełniających warunek</nobr> ");
const QString M1 = QStringLiteral("<font color=\"red\">\nMaksymalnego bitrate</font>");
const QString M2 = QStringLiteral("<font color=\"red\"><b>\nMaksymalnego obciążenia</b></font>");
const QString M3 = QStringLiteral("<font color=\"red\">\nLiczby slotów PoE</font>");
const QString M4 = QStringLiteral("<font color=\"red\"><b>\nLiczby slotów PoE\nMaksymalnego obciążenia</b></font>");
const QString M5 = QStringLiteral("<font color=\"red\"><b><br>Liczby slotów PoE<br>Maksymalnego obciążenia"
                                  "<br>Maksymalnego bitrate</b></font>");

QStringList modelTexts(const DiagramItem *point)
{
    QStringList texts;
    const QtnEnumInfo *info = point->pdSet()->Model.enumInfo();
    if (info)
        info->forEachEnumValue([&](const QtnEnumValueInfo &v) {
            texts << v.displayName();
            return true;
        });
    return texts;
}

// A mains point with `cameras` cameras of 8 W and 4096 kbit/s each.
DiagramItem *pointWithCameras(NetworkBuilder &net, int cameras, double x = 100)
{
    DiagramItem *pd = net.addPd({x, 100}, 1);
    for (int i = 0; i < cameras; ++i)
        net.connect(pd, net.addCamera({x - 200 + 40.0 * i, 400}, uint(i + 1), 8, 4096), 10);
    return pd;
}

} // namespace

Q_DECLARE_METATYPE(QList<TestCatalogue::Pd>)

class TestModelSelection : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void choiceAndDiagnosis_data();
    void choiceAndDiagnosis();
    void noCatalogue();
    void workedStatement();
    void selectionKeptByText();
    void bitrateOfModel();
    void split_data();
    void split();
    void splitDeclined();
};

void TestModelSelection::initTestCase()
{
    installModelSelection();
}

void TestModelSelection::choiceAndDiagnosis_data()
{
    QTest::addColumn<QList<TestCatalogue::Pd>>("catalogue");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<bool>("missing");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("overflow");

    // The point: 6 cameras of 8 W and 4096 kbit/s on the mains, indoor box:
    // 6 slots, 48 W, 24576 kbit/s.
    using Pd = TestCatalogue::Pd;
    const QString none = QStringLiteral("Nie określono");
    QTest::newRow("first fitting model") << QList<Pd>{{"Small", IP20, 0, 4, 1, 60, 100000},
                                                      {"Mid", IP20, 0, 8, 1, 60, 100000},
                                                      {"UPS", IP20, 1, 8, 1, 60, 100000},
                                                      {"Big", IP20, 0, 16, 1, 200, 100000}}
                                         << "Mid" << QStringList{none, "Mid", "Big"} << false << QString() << false;
    QTest::newRow("exactly enough") << QList<Pd>{{"Exact", IP20, 0, 6, 1, 48, 24576}} << "Exact"
                                    << QStringList{none, "Exact"} << false << QString() << false;
    QTest::newRow("twice the same name") << QList<Pd>{{"Twin", IP20, 0, 8, 1, 60, 100000},
                                                      {"Twin", IP20, 0, 9, 1, 60, 100000}}
                                         << "Twin" << QStringList{none, "Twin", "Twin"} << false << QString()
                                         << false;
    QTest::newRow("M1 throughput") << QList<Pd>{{"Slow", IP20, 0, 8, 1, 60, 24575}} << none
                                   << QStringList{none} << true << Lead + M1 << false;
    QTest::newRow("M2 load") << QList<Pd>{{"Weak", IP20, 0, 8, 1, 47, 100000}} << none << QStringList{none}
                             << true << Lead + M2 << false;
    QTest::newRow("M3 slots") << QList<Pd>{{"Narrow", IP20, 0, 5, 1, 60, 100000}} << none << QStringList{none}
                              << true << Lead + M3 << true;
    QTest::newRow("M1 and M2 by different models")
        << QList<Pd>{{"Slow", IP20, 0, 8, 1, 60, 1000}, {"Weak", IP20, 0, 8, 1, 10, 100000}} << none
        << QStringList{none} << true << Lead + M1 + M2 << false;
    QTest::newRow("M4 slots and load") << QList<Pd>{{"NarrowWeak", IP20, 0, 5, 1, 47, 100000}} << none
                                       << QStringList{none} << true << Lead + M4 << true;
    QTest::newRow("M5 slots, load and throughput") << QList<Pd>{{"Tiny", IP20, 0, 5, 1, 47, 24575}} << none
                                                   << QStringList{none} << true << Lead + M5 << true;
    // Only an extender in the indoor box: enclosure and mains are never
    // left out, so nothing explains it.
    QTest::newRow("no box of this kind") << QList<Pd>{{"Extender", IP20, 0, 16, 0, 200, 100000}} << none
                                         << QStringList{none} << true << Lead << false;
}

void TestModelSelection::choiceAndDiagnosis()
{
    QFETCH(QList<TestCatalogue::Pd>, catalogue);
    TestCatalogue db;
    QVERIFY2(db.create({}, catalogue, {}), qPrintable(db.lastError()));
    NetworkBuilder net;
    DiagramItem *pd = pointWithCameras(net, 6);
    QCOMPARE(pd->boxTypeName(), IP20);
    CalcLoop(net.scene()).run();

    QTEST(pd->modelName(), "model");
    QTEST(modelTexts(pd), "list");
    QTEST(pd->modelMissing(), "missing");
    QTEST(pd->toolTip(), "toolTip");
    QTEST(pd->slotOverflow(), "overflow");
    QCOMPARE(ModelSelection::requirements(pd).selectionStatement(),
             QStringLiteral("select * from pd where power_backup = 0 AND camera_slots >= \"6\" AND boxtype = "
                            "\"Wewnętrzna (IP20)\" AND power230 = \"1\" AND camera_total_power_max >= \"48\" "
                            "AND bitrate >= \"24576\";"));
}

void TestModelSelection::noCatalogue()
{
    TestCatalogue db;
    db.simulateNoCatalogue();
    NetworkBuilder net;
    DiagramItem *pd = pointWithCameras(net, 3);
    CalcLoop(net.scene()).run();
    QCOMPARE(pd->pdSet()->Model.value(), 0);
    QCOMPARE(pd->modelName(), QStringLiteral("Nie określono"));
    QVERIFY(pd->modelMissing());
    QCOMPARE(pd->toolTip(), Lead);
    QVERIFY(!pd->slotOverflow());
    // Asking a missing catalogue must not leave an empty one behind.
    QVERIFY(!QFile::exists(QFileInfo(db.path()).dir().filePath(QStringLiteral("absent.db"))));
}

void TestModelSelection::workedStatement()
{
    TestCatalogue db;
    QVERIFY(db.create({}, {{"Fits", IP20, 1, 6, 1, 41, 5000}}, {}));
    NetworkBuilder net;
    DiagramItem *pd = net.addPd({100, 100}, 1);
    pd->setBackup(true);
    pd->pdSet()->BoxType.setValue(0);
    // 5 cameras of 8 W (1000, 1000, 1000, 1000, 96 kbit/s) and an empty
    // extender (its own 1 W): 6 slots, 41 W, 4096 kbit/s.
    const int rates[] = {1000, 1000, 1000, 1000, 96};
    for (int i = 0; i < 5; ++i)
        net.connect(pd, net.addCamera({40.0 * i, 300}, uint(i + 1), 8, rates[i]), 10);
    net.connect(pd, net.addPd({400, 100}, 2, false), 20);
    CalcLoop(net.scene()).run();

    QCOMPARE(ModelSelection::requirements(pd).selectionStatement(),
             QStringLiteral("select * from pd where power_backup = 1 AND camera_slots >= \"6\" AND power230 = \"1\" "
                            "AND camera_total_power_max >= \"41\" AND bitrate >= \"4096\";"));
    // The row fits with not a slot nor a watt to spare.
    QCOMPARE(pd->modelName(), QStringLiteral("Fits"));
    QVERIFY(!pd->modelMissing());

    // One more camera and the box is short of a slot and of load.
    net.connect(pd, net.addCamera({300, 300}, 6, 8, 1), 10);
    CalcLoop(net.scene()).run();
    QCOMPARE(pd->modelName(), QStringLiteral("Nie określono"));
    QCOMPARE(pd->toolTip(), Lead + M4);
    QVERIFY(pd->slotOverflow());
}

void TestModelSelection::selectionKeptByText()
{
    TestCatalogue db;
    QVERIFY(db.create({},
                      {{"Four", IP20, 0, 4, 1, 200, 100000},
                       {"Eight", IP20, 0, 8, 1, 200, 100000},
                       {"Sixteen", IP20, 0, 16, 1, 200, 100000}},
                      {}));
    NetworkBuilder net;
    DiagramItem *pd = pointWithCameras(net, 3);
    CalcLoop loop(net.scene());
    loop.run();
    QCOMPARE(pd->modelName(), QStringLiteral("Four"));

    // The user's choice stays while it fits, also when its number changes.
    pd->pdSet()->Model.setValue(2);
    QCOMPARE(pd->modelName(), QStringLiteral("Eight"));
    loop.run();
    QCOMPARE(pd->modelName(), QStringLiteral("Eight"));
    QCOMPARE(pd->pdSet()->Model.value(), 2);
    for (int i = 0; i < 2; ++i)
        net.connect(pd, net.addCamera({400.0 + 40 * i, 400}), 10);
    loop.run();
    QCOMPARE(modelTexts(pd), (QStringList{"Nie określono", "Eight", "Sixteen"}));
    QCOMPARE(pd->pdSet()->Model.value(), 1);
    QCOMPARE(pd->modelName(), QStringLiteral("Eight"));

    // A choice that stops fitting gives way to the first that fits, and a
    // point marked as missing its model loses the mark and its warning.
    pd->setToolTip(QStringLiteral("stale"));
    pd->setModelMissing(true);
    for (int i = 0; i < 4; ++i)
        net.connect(pd, net.addCamera({500.0 + 40 * i, 400}), 10);
    loop.run();
    QCOMPARE(modelTexts(pd), (QStringList{"Nie określono", "Sixteen"}));
    QCOMPARE(pd->modelName(), QStringLiteral("Sixteen"));
    QVERIFY(!pd->modelMissing());
    QCOMPARE(pd->toolTip(), QString());

    // Past every box's slots: nothing, and the split is offered.
    for (int i = 0; i < 8; ++i)
        net.connect(pd, net.addCamera({700.0 + 40 * i, 400}), 10);
    loop.run();
    QCOMPARE(pd->modelName(), QStringLiteral("Nie określono"));
    QVERIFY(pd->modelMissing());
    QCOMPARE(pd->toolTip(), Lead + M3);
    QVERIFY(pd->slotOverflow());
}

void TestModelSelection::bitrateOfModel()
{
    TestCatalogue db;
    QVERIFY(db.create({}, {{"A", IP20, 0, 8, 1, 100, 100000}, {"B", IP20, 0, 8, 1, 100, 50000}}, {}));
    NetworkBuilder net;
    // Created on a catalogue: the point picks "A" at once and reads its rate.
    DiagramItem *pd = pointWithCameras(net, 2);
    QCOMPARE(pd->modelName(), QStringLiteral("A"));
    QCOMPARE(pd->bitrate(), 100000);

    // The remembered text trails by one selection: the automatic choice of
    // "A" is read once more on the next pass, then no longer.
    CalcLoop loop(net.scene());
    pd->setBitrate(7);
    loop.run();
    QCOMPARE(pd->bitrate(), 100000);
    pd->setBitrate(7);
    loop.run();
    QCOMPARE(pd->bitrate(), 7);

    // A model chosen by hand brings its own rate.
    pd->pdSet()->Model.setValue(2);
    loop.run();
    QCOMPARE(pd->modelName(), QStringLiteral("B"));
    QCOMPARE(pd->bitrate(), 50000);
    pd->setBitrate(9);
    loop.run();
    QCOMPARE(pd->bitrate(), 9);
}

void TestModelSelection::split_data()
{
    QTest::addColumn<int>("wires");
    QTest::addColumn<QList<int>>("oldPerPoint");

    QTest::newRow("5 wires stay") << 5 << QList<int>{5};
    QTest::newRow("6 wires") << 6 << QList<int>{5, 1};
    QTest::newRow("12 wires") << 12 << QList<int>{5, 5, 2};
}

void TestModelSelection::split()
{
    QFETCH(int, wires);
    QFETCH(QList<int>, oldPerPoint);
    QMenu menu;
    NetworkBuilder net;
    net.scene()->setColorPD(QStringLiteral("#ff0000"));
    net.scene()->setColorWires(QStringLiteral("#0000ff"));
    DiagramItem *pd = pointWithCameras(net, wires, 300);
    const QPointF origin = pd->pos();
    const QList<Wire *> before = pd->wires();

    ScriptedDialogSeam seam;
    seam.messageAnswers.enqueue(QMessageBox::Yes);
    QVERIFY(PdSplitter::askAndSplit(pd, &menu, [&](QMessageBox &box) { return seam.execMessageBox(box); }));
    QCOMPARE(seam.shown.size(), 1);
    const ScriptedDialogSeam::Shown &asked = seam.shown.first();
    QCOMPARE(asked.text, QStringLiteral("W projekcie znajduje się nie określony model dla punktu dystrybucyjnego "
                                        "z powodu przekroczenia dostępnej liczby slotów.\nCzy dodać kolejne punkty "
                                        "dystrybucyjne, aby rozwiązać ten problem?"));
    QCOMPARE(asked.buttons.size(), 2);
    QVERIFY(asked.buttons.contains(QStringLiteral("Tak")));
    QVERIFY(asked.buttons.contains(QStringLiteral("Nie")));
    QCOMPARE(asked.defaultButton, int(QMessageBox::Yes));
    QVERIFY(!asked.hasParent);

    // The chain, left to right, 100 units apart.
    QList<DiagramItem *> chain{pd};
    for (QGraphicsItem *item : net.scene()->items()) {
        auto *d = item->type() == DiagramItem::Type ? static_cast<DiagramItem *>(item) : nullptr;
        if (d && d != pd && d->diagramType() == DiagramItem::PD)
            chain << d;
    }
    QCOMPARE(chain.size(), oldPerPoint.size());
    std::sort(chain.begin() + 1, chain.end(),
              [](DiagramItem *a, DiagramItem *b) { return a->pos().x() < b->pos().x(); });
    int next = 0;
    for (int i = 0; i < chain.size(); ++i) {
        DiagramItem *p = chain.at(i);
        QCOMPARE(p->pos(), origin + QPointF(100.0 * i, 0));
        if (i > 0) {
            QCOMPARE(p->color(), QColor(Qt::red));
            QCOMPARE(p->contextMenu(), &menu);
        }
        // Its share of the old wires, in the old order, plus the chain links.
        QList<Wire *> old;
        int links = 0;
        for (Wire *w : p->wires()) {
            if (before.contains(w)) {
                old << w;
                QVERIFY(w->startItem() == p || w->endItem() == p);
            } else {
                ++links;
                QCOMPARE(w->color(), QColor(Qt::blue));
                QCOMPARE(w->zValue(), -1000.0);
                QVERIFY(w->scene() == net.scene());
                const DiagramItem *other = w->startItem() == p ? w->endItem() : w->startItem();
                QVERIFY(other == chain.value(i - 1) || other == chain.value(i + 1));
            }
        }
        QCOMPARE(old.size(), oldPerPoint.at(i));
        QCOMPARE(links, (i > 0 ? 1 : 0) + (i + 1 < chain.size() ? 1 : 0));
        for (Wire *w : qAsConst(old))
            QVERIFY(before.indexOf(w) >= next && before.indexOf(w) < next + 5);
        next += 5;
    }
    // The first point's first five wires are the old list's first five.
    QCOMPARE(pd->wires().size(), oldPerPoint.first() + (chain.size() > 1 ? 1 : 0));
}

void TestModelSelection::splitDeclined()
{
    NetworkBuilder net;
    DiagramItem *pd = pointWithCameras(net, 7);
    const QList<Wire *> before = pd->wires();
    const int items = net.scene()->items().size();
    ScriptedDialogSeam seam;
    seam.messageAnswers.enqueue(QMessageBox::No);
    QVERIFY(!PdSplitter::askAndSplit(pd, nullptr, [&](QMessageBox &box) { return seam.execMessageBox(box); }));
    QCOMPARE(seam.shown.size(), 1);
    QCOMPARE(pd->wires(), before);
    QCOMPARE(net.scene()->items().size(), items);
    for (Wire *w : before)
        QCOMPARE(w->startItem(), pd);
}

QTEST_MAIN(TestModelSelection)
#include "tst_modelselection.moc"
