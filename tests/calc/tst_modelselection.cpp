// The choice of a distribution-point model from the catalogue, the diagnosis
// of a point that nothing fits, and the split of an overfull point.

#include "calc/calcloop.h"
#include "calc/modelselection.h"
#include "calc/pdrequirements.h"
#include "calc/pdsplitter.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "networkbuilder.h"
#include "property/core/qtnenuminfo.h"
#include "propertysets/qtnpropertysetpd.h"
#include "scripteddialogseam.h"
#include "testcatalogue.h"
#include "testhelpers.h"

#include <QMenu>
#include <QMessageBox>
#include <QtTest>

namespace {

const QString IP20 = QStringLiteral("Wewnętrzna (IP20)");
const QString None = QStringLiteral("Nie określono");
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
    if (const QtnEnumInfo *info = point->pdSet()->Model.enumInfo())
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
    void initTestCase() { installModelSelection(); }
    void statement_data();
    void statement();
    void choiceAndDiagnosis_data();
    void choiceAndDiagnosis();
    void choiceKeptWhileItFits();
    void split_data();
    void split();
};

void TestModelSelection::statement_data()
{
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("leftOut");
    QTest::addColumn<QString>("expected");
    // 6 slots, 41 W, 4096 kbit/s, with backup, on the mains.
    const QString tail = QStringLiteral("AND power230 = \"1\" AND camera_total_power_max >= \"41\"");
    QTest::newRow("worked example") << QString() << 0
        << "select * from pd where power_backup = 1 AND camera_slots >= \"6\" " + tail + " AND bitrate >= \"4096\";";
    // An enclosure text with a double quote stays one literal.
    QTest::newRow("quote in enclosure") << QStringLiteral("Szafa RACK 19\"") << 0
        << "select * from pd where power_backup = 1 AND camera_slots >= \"6\" AND boxtype = \"Szafa RACK 19\"\"\" "
               + tail + " AND bitrate >= \"4096\";";
    QTest::newRow("without slots and throughput") << QString()
                                                  << int(PdRequirements::Slots | PdRequirements::Throughput)
        << "select * from pd where power_backup = 1 " + tail + ";";
}

void TestModelSelection::statement()
{
    QFETCH(QString, box);
    QFETCH(int, leftOut);
    PdRequirements r;
    r.slotCount = 6;
    r.backup = 1;
    r.mains = true;
    r.power = 41;
    r.bitrate = 4096;
    r.boxTypeRequired = !box.isEmpty();
    r.boxType = box;
    QTEST(r.selectionStatement(leftOut), "expected");
}

void TestModelSelection::choiceAndDiagnosis_data()
{
    QTest::addColumn<bool>("catalogueOpen");
    QTest::addColumn<QList<TestCatalogue::Pd>>("catalogue");
    QTest::addColumn<QString>("model");
    QTest::addColumn<QStringList>("list");
    QTest::addColumn<QString>("toolTip");
    QTest::addColumn<bool>("overflow");

    // The point: 6 cameras of 8 W and 4096 kbit/s on the mains, indoor box:
    // 6 slots, 48 W, 24576 kbit/s. Each failing row misses by one.
    using Pd = TestCatalogue::Pd;
    QTest::newRow("first fitting model, exactly enough")
        << true
        << QList<Pd>{{"Small", IP20, 0, 5, 1, 60, 100000}, {"UPS", IP20, 1, 8, 1, 60, 100000},
                     {"Exact", IP20, 0, 6, 1, 48, 24576}, {"Big", IP20, 0, 16, 1, 200, 100000}}
        << "Exact" << QStringList{None, "Exact", "Big"} << QString() << false;
    QTest::newRow("M1 throughput") << true << QList<Pd>{{"Slow", IP20, 0, 8, 1, 60, 24575}} << None
                                   << QStringList{None} << Lead + M1 << false;
    QTest::newRow("M2 load") << true << QList<Pd>{{"Weak", IP20, 0, 8, 1, 47, 100000}} << None
                             << QStringList{None} << Lead + M2 << false;
    QTest::newRow("M3 slots") << true << QList<Pd>{{"Narrow", IP20, 0, 5, 1, 60, 100000}} << None
                              << QStringList{None} << Lead + M3 << true;
    QTest::newRow("M4 slots and load") << true << QList<Pd>{{"NarrowWeak", IP20, 0, 5, 1, 47, 100000}} << None
                                       << QStringList{None} << Lead + M4 << true;
    QTest::newRow("M5 slots, load and throughput") << true << QList<Pd>{{"Tiny", IP20, 0, 5, 1, 47, 24575}}
                                                   << None << QStringList{None} << Lead + M5 << true;
    QTest::newRow("no catalogue") << false << QList<Pd>{} << None << QStringList{None} << Lead << false;
}

void TestModelSelection::choiceAndDiagnosis()
{
    QFETCH(bool, catalogueOpen);
    QFETCH(QList<TestCatalogue::Pd>, catalogue);
    TestCatalogue db;
    if (catalogueOpen)
        QVERIFY2(db.create({}, catalogue, {}), qPrintable(db.lastError()));
    else
        db.simulateNoCatalogue();
    NetworkBuilder net;
    DiagramItem *pd = pointWithCameras(net, 6);
    CalcLoop(net.scene()).run();

    QTEST(pd->modelName(), "model");
    QTEST(modelTexts(pd), "list");
    QFETCH(QString, toolTip);
    QCOMPARE(pd->modelMissing(), !toolTip.isEmpty());
    QCOMPARE(pd->toolTip(), toolTip);
    QTEST(pd->slotOverflow(), "overflow");
    // Without a catalogue there is no list of enclosures to ask about.
    const QString box = catalogueOpen ? QStringLiteral("AND boxtype = \"Wewnętrzna (IP20)\" ") : QString();
    QCOMPARE(ModelSelection::requirements(pd).selectionStatement(),
             "select * from pd where power_backup = 0 AND camera_slots >= \"6\" " + box
                 + "AND power230 = \"1\" AND camera_total_power_max >= \"48\" AND bitrate >= \"24576\";");
}

void TestModelSelection::choiceKeptWhileItFits()
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
    for (int i = 0; i < 2; ++i)
        net.connect(pd, net.addCamera({400.0 + 40 * i, 400}), 10);
    loop.run();
    QCOMPARE(modelTexts(pd), (QStringList{None, "Eight", "Sixteen"}));
    QCOMPARE(pd->pdSet()->Model.value(), 1);
    QCOMPARE(pd->modelName(), QStringLiteral("Eight"));

    // A choice that stops fitting gives way to the first that fits, and a
    // point marked as missing its model loses the mark and its warning.
    pd->setToolTip(QStringLiteral("stale"));
    pd->setModelMissing(true);
    for (int i = 0; i < 4; ++i)
        net.connect(pd, net.addCamera({500.0 + 40 * i, 400}), 10);
    loop.run();
    QCOMPARE(pd->modelName(), QStringLiteral("Sixteen"));
    QVERIFY(!pd->modelMissing());
    QCOMPARE(pd->toolTip(), QString());
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
    QVERIFY(asked.buttons.contains(QStringLiteral("Tak")) && asked.buttons.contains(QStringLiteral("Nie")));
    QCOMPARE(asked.defaultButton, int(QMessageBox::Yes));

    // The chain, left to right, 100 units apart.
    QList<DiagramItem *> chain{pd};
    for (DiagramItem *d : tst::itemsOf<DiagramItem>(net.scene()))
        if (d != pd && d->diagramType() == DiagramItem::PD)
            chain << d;
    QCOMPARE(chain.size(), oldPerPoint.size());
    std::sort(chain.begin() + 1, chain.end(),
              [](DiagramItem *a, DiagramItem *b) { return a->pos().x() < b->pos().x(); });
    for (int i = 0; i < chain.size(); ++i) {
        DiagramItem *p = chain.at(i);
        QCOMPARE(p->pos(), origin + QPointF(100.0 * i, 0));
        if (i > 0) {
            QCOMPARE(p->color(), QColor(Qt::red));
            QCOMPARE(p->contextMenu(), &menu);
        }
        // Its share of the old wires, five at a time in the old order, plus
        // the chain links to its neighbours.
        int old = 0;
        int links = 0;
        for (Wire *w : p->wires()) {
            if (before.contains(w)) {
                QCOMPARE(before.indexOf(w), 5 * i + old++);
                QVERIFY(w->startItem() == p || w->endItem() == p);
            } else {
                ++links;
                QCOMPARE(w->color(), QColor(Qt::blue));
                QCOMPARE(w->zValue(), -1000.0);
                const DiagramItem *other = w->otherEnd(p);
                QVERIFY(other == chain.value(i - 1) || other == chain.value(i + 1));
            }
        }
        QCOMPARE(old, oldPerPoint.at(i));
        QCOMPARE(links, (i > 0 ? 1 : 0) + (i + 1 < chain.size() ? 1 : 0));
    }
}

QTEST_MAIN(TestModelSelection)
#include "tst_modelselection.moc"
