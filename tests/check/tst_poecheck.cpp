// The PoE engineering check on scenes without a window. Every expected
// figure was worked out by hand from the constant-power formulas:
//   R = L * r * 2 / pairs,  V = (Vs + sqrt(Vs^2 - 4RP)) / 2,  I = P / V,
//   loss = I^2 R,  port = Vs * I,
// with r = 0.0842 / 0.0668 / 0.0530 ohm/m for 24 / 23 / 22 AWG.

#include "calc/calcloop.h"
#include "check/poeaddresstable.h"
#include "check/poecable.h"
#include "check/poecheck.h"
#include "checkfixture.h"
#include "check/poestandard.h"
#include "check/poetext.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "networkbuilder.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetproject.h"
#include "propertysets/qtnpropertysetwire.h"
#include "testcatalogue.h"

#include <QRandomGenerator>
#include <QtTest>

#include <cmath>
#include <functional>

namespace {

#define QNEAR(actual, expected, tolerance)                                                               \
    QVERIFY2(std::abs(double(actual) - double(expected)) <= (tolerance),                                 \
             qPrintable(QStringLiteral("%1 is %2, expected %3")                                           \
                                .arg(QLatin1String(#actual))                                              \
                                .arg(double(actual), 0, 'f', 9)                                           \
                                .arg(double(expected), 0, 'f', 9)))

using namespace checkfixture;

} // namespace

class TestPoeCheck : public QObject
{
    Q_OBJECT

private slots:
    void cable_data();
    void cable();
    void classes_data();
    void classes();
    void gauges_data();
    void gauges();
    void longCameraCable();
    void extenderKeepsTheBudgetNumbers();
    void faults();
    void pointAgainstItsModel();
    void storage_data();
    void storage();
    void cableWithoutGauge_data();
    void cableWithoutGauge();
    void differential();
    void figuresAsQtWritesThem_data();
    void figuresAsQtWritesThem();
    void addressTable();
};

void TestPoeCheck::cable_data()
{
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("ohmsPerMetre");
    QTest::addColumn<int>("pairs");
    QTest::addColumn<double>("watts");
    // resistance, voltage, current, per pair, loss, port; empty when collapsed
    QTest::addColumn<QList<double>>("expected");
    // 8.42 ohm: 2304 - 1380.88 = 923.12, sqrt 30.3829
    QTest::newRow("41 W, 100 m 24 AWG, two pairs")
            << 100.0 << 0.0842 << 2 << 41.0 << QList<double>{8.42, 39.1914, 1.0461, 1.0461, 9.2150, 50.2150};
    // 4.21 ohm: 2304 - 858.84 = 1445.16, sqrt 38.0153
    QTest::newRow("51 W, 100 m 24 AWG, four pairs")
            << 100.0 << 0.0842 << 4 << 51.0 << QList<double>{4.21, 43.0076, 1.1858, 0.5929, 5.9201, 56.9201};
    // 4RP = 4 * 8 * 72 = 2304 = Vs^2: the last power the cable carries, at Vs / 2
    QTest::newRow("at the edge of collapse")
            << 64.0 << 0.125 << 2 << 72.0 << QList<double>{8.0, 24.0, 3.0, 3.0, 72.0, 144.0};
    QTest::newRow("collapsed") << 64.0 << 0.125 << 2 << 72.5 << QList<double>{8.0};
    // the same on four pairs: 2304 - 1160 = 1144, sqrt 33.8231
    QTest::newRow("four pairs carry it")
            << 64.0 << 0.125 << 4 << 72.5 << QList<double>{4.0, 40.9115, 1.7721, 0.8861, 12.5616, 85.0616};
}

void TestPoeCheck::cable()
{
    QFETCH(double, length);
    QFETCH(double, ohmsPerMetre);
    QFETCH(int, pairs);
    QFETCH(double, watts);
    QFETCH(QList<double>, expected);
    const PoeCable c = PoeCable::solve(length, ohmsPerMetre, pairs, 48.0, watts);
    QNEAR(c.resistance, expected.at(0), 1e-9);
    QCOMPARE(c.collapsed, expected.size() == 1);
    if (c.collapsed)
        return;
    QNEAR(c.voltage, expected.at(1), 5e-5);
    QNEAR(c.current, expected.at(2), 5e-5);
    QNEAR(c.currentPerPair, expected.at(3), 5e-5);
    QNEAR(c.cableLoss, expected.at(4), 5e-5);
    QNEAR(c.portPower, expected.at(5), 5e-5);
    QVERIFY(!PoeCable::solve(length, ohmsPerMetre, pairs, 0.0, watts).voltage);
    // A chain is solved with the port power alone: to the last bit the
    // figure of the whole cable, or the voltages of a chain would differ
    // with the way it was checked.
    for (double volts : {48.0, 47.123456789, 41.0, 24.0, 0.0}) {
        const PoeCable whole = PoeCable::solve(length, ohmsPerMetre, pairs, volts, watts);
        bool collapsed = true;
        const double port = PoeCable::portPowerAt(length, ohmsPerMetre, pairs, volts, watts, &collapsed);
        QCOMPARE(collapsed, whole.collapsed);
        QVERIFY2(port == (whole.collapsed || whole.unsupplied ? 0.0 : whole.portPower), qPrintable(QString::number(volts)));
    }
}

void TestPoeCheck::classes_data()
{
    QTest::addColumn<double>("watts");
    QTest::addColumn<int>("poeClass");
    QTest::addColumn<QString>("standard");
    QTest::addColumn<int>("pairs");
    QTest::addColumn<double>("minimum");
    QTest::addColumn<double>("perPair");
    QTest::addColumn<double>("port");
    QTest::newRow("3.84 W") << 3.84 << 1 << "802.3af" << 2 << 37.0 << 0.35 << 4.0;
    QTest::newRow("just over 3.84 W") << 3.8401 << 2 << "802.3af" << 2 << 37.0 << 0.35 << 7.0;
    QTest::newRow("12.95 W") << 12.95 << 3 << "802.3af" << 2 << 37.0 << 0.35 << 15.4;
    // a sum that lands on the limit with a rounding error stays in its class
    QTest::newRow("1 W + 11.95 W") << 1.0 + 11.95 << 3 << "802.3af" << 2 << 37.0 << 0.35 << 15.4;
    QTest::newRow("just over 12.95 W") << 12.9501 << 4 << "802.3at" << 2 << 42.5 << 0.6 << 30.0;
    QTest::newRow("25.5 W") << 25.5 << 4 << "802.3at" << 2 << 42.5 << 0.6 << 30.0;
    QTest::newRow("just over 25.5 W") << 25.5001 << 5 << "802.3bt typ 3" << 4 << 42.5 << 0.6 << 45.0;
    QTest::newRow("51 W") << 51.0 << 6 << "802.3bt typ 3" << 4 << 42.5 << 0.6 << 60.0;
    QTest::newRow("62 W") << 62.0 << 7 << "802.3bt typ 4" << 4 << 41.1 << 0.96 << 75.0;
    QTest::newRow("71.3 W") << 71.3 << 8 << "802.3bt typ 4" << 4 << 41.1 << 0.96 << 90.0;
    QTest::newRow("beyond class 8") << 71.31 << int(PoeStandard::NoClass) << "" << 4 << 0.0 << 0.0 << 0.0;
}

void TestPoeCheck::classes()
{
    QFETCH(double, watts);
    QFETCH(int, poeClass);
    QCOMPARE(PoeStandard::classFor(watts), poeClass);
    const PoeStandard::Type type = PoeStandard::typeOf(poeClass);
    QTEST(PoeStandard::name(type), "standard");
    QTEST(PoeStandard::pairsFor(poeClass), "pairs");
    QTEST(PoeStandard::minimumVoltage(type), "minimum");
    QTEST(PoeStandard::currentPerPairLimit(type), "perPair");
    QTEST(PoeStandard::portPower(poeClass), "port");
}

void TestPoeCheck::gauges_data()
{
    QTest::addColumn<int>("awg");
    QTest::addColumn<double>("ohmsPerMetre");
    QTest::newRow("24 AWG") << 24 << 0.0842;
    QTest::newRow("23 AWG") << 23 << 0.0668;
    QTest::newRow("22 AWG") << 22 << 0.0530;
    // from the AWG series: 0.127 mm * 92^(10/39) = 0.4039 mm, 0.1281 mm2
    QTest::newRow("26 AWG") << 26 << 0.1339;
    QTest::newRow("no gauge") << 0 << 0.0;
    QTest::newRow("not a LAN gauge") << 40 << 0.0;
}

void TestPoeCheck::gauges()
{
    QFETCH(int, awg);
    QFETCH(double, ohmsPerMetre);
    QNEAR(PoeCable::conductorResistance(awg), ohmsPerMetre, 5e-5);
}

// A 25 W camera (class 4, 802.3at, two pairs) at 200 m of Cat5e from a mains
// point: R = 16.84, 2304 - 1684 = 620, V = 36.4499, I = 0.6859, port 32.9219.
void TestPoeCheck::longCameraCable()
{
    TestCatalogue catalogue;
    QVERIFY2(createCatalogue(catalogue), qPrintable(catalogue.lastError()));
    NetworkBuilder net;
    DiagramItem *point = net.addPd({100, 100}, 1);
    DiagramItem *camera = net.addCamera({300, 100}, 7, 25);
    Wire *wire = net.connect(point, camera, 200);
    wire->setType(kCat5e);
    CalcLoop(net.scene()).run();

    const PoeCheckResult result = PoeCheck::run(net.scene());
    const PoeCheckResult::Device *d = result.device(camera);
    QVERIFY(d);
    QVERIFY(d->supplied);
    QCOMPARE(d->awg, 24);
    QCOMPARE(d->poeClass, 4);
    QCOMPARE(d->cable.pairs, 2);
    QNEAR(d->sourceVoltage, 48.0, 0.0);
    QNEAR(d->cable.voltage, 36.4499, 5e-5);
    QNEAR(d->cable.current, 0.6859, 5e-5);
    QNEAR(d->cable.cableLoss, 7.9219, 5e-5);
    QNEAR(d->cable.portPower, 32.9219, 5e-5);
    QCOMPARE(textsOf(result, PoeFinding::Severity::Error),
             QStringList({"K 7: napięcie 36,45 V poniżej minimum 42,5 V dla 802.3at",
                          "K 7: prąd 0,69 A na parę powyżej dopuszczalnych 0,6 A dla 802.3at",
                          "K 7: port musi dać 32,92 W, więcej niż 30 W klasy 4 (802.3at)"}));
    QCOMPARE(textsOf(result, PoeFinding::Severity::Warning),
             QStringList({"PD 1 – K 7: długość 200 m ponad 100 m kanału Ethernet"}));
    // Each remark belongs to what it names.
    QVERIFY(result.hasError(camera) && !result.hasError(point));
    for (const PoeFinding &finding : result.findings) {
        if (finding.severity == PoeFinding::Severity::Warning)
            QCOMPARE(finding.element, static_cast<QGraphicsItem *>(wire));
    }
}

// The extender of the budget's own example: 40 W of cameras behind 100 m of
// Cat5e. The budget still shows its 40.5138 V; the check solves the chain
// and finds a voltage and a load that agree with each other.
void TestPoeCheck::extenderKeepsTheBudgetNumbers()
{
    TestCatalogue catalogue;
    QVERIFY2(createCatalogue(catalogue), qPrintable(catalogue.lastError()));
    NetworkBuilder net;
    DiagramItem *mains = net.addPd({100, 100}, 1);
    DiagramItem *extender = net.addPd({400, 100}, 2, false);
    net.connect(mains, extender, 100)->setType(kCat5e);
    QList<DiagramItem *> cameras;
    for (int i = 0; i < 4; ++i) {
        cameras << net.addCamera({300.0 + 60 * i, 300}, uint(i + 1), 10);
        net.connect(extender, cameras.last(), 10)->setType(kCat6);
    }
    CalcLoop(net.scene()).run();
    const PoeCheckResult result = PoeCheck::run(net.scene());
    PoeCheck::writeStorage(result);

    // The budget's figures, untouched by the check.
    QNEAR(extender->vin(), 40.5138, 5e-5);
    QCOMPARE(extender->vout(), 40.0);
    QNEAR(extender->pdSet()->AdvancedPD.Resistance.value(), 8.7643, 5e-5);

    // The fixed point by hand, iterating V -> cameras (10 m of 23 AWG, two
    // pairs, 0.668 ohm) -> load -> V from 48 V: 1 W and four ports make
    // 41.1385 W, so class 6 on four pairs (4.21 ohm), 44.0700 V arriving.
    const PoeCheckResult::Device *e = result.device(extender);
    QVERIFY(e && e->supplied);
    QNEAR(e->devicePower, 41.1385, 5e-5);
    QCOMPARE(e->poeClass, 6);
    QCOMPARE(e->cable.pairs, 4);
    QNEAR(e->cable.resistance, 4.21, 1e-12);
    QNEAR(e->cable.voltage, 44.0700, 5e-5);
    for (DiagramItem *camera : cameras)
        QNEAR(result.device(camera)->sourceVoltage, e->cable.voltage, 1e-9);
    // 48 V x 41.1385 W / 44.0700 V at the mains point's port.
    QNEAR(result.point(mains)->portPower, 44.8071, 5e-5);
    QCOMPARE(result.errorCount(), 0);
}

void TestPoeCheck::faults()
{
    TestCatalogue catalogue;
    QVERIFY2(createCatalogue(catalogue), qPrintable(catalogue.lastError()));
    NetworkBuilder net;
    DiagramItem *mains = net.addPd({100, 100}, 1);
    // 25 W on 200 m of 26 AWG: R = 26.78, 4RP = 2678.1 > 2304
    DiagramItem *far = net.addCamera({100, 300}, 1, 25);
    net.connect(mains, far, 200)->setType(kPatch26);
    net.addCamera({200, 300}, 2);
    DiagramItem *twice = net.addCamera({300, 300}, 3);
    net.connect(mains, twice, 20);
    DiagramItem *other = net.addPd({500, 100}, 4);
    net.connect(other, twice, 20);
    DiagramItem *heater = net.addCamera({400, 300}, 5, 90);
    net.connect(mains, heater, 5)->setType(kCat6a);
    // fed over PoE, but its only cable leads to a camera
    DiagramItem *orphan = net.addPd({700, 100}, 6, false);
    DiagramItem *behindOrphan = net.addCamera({700, 300}, 7);
    net.connect(orphan, behindOrphan, 10);
    CalcLoop(net.scene()).run();

    const PoeCheckResult result = PoeCheck::run(net.scene());
    QCOMPARE(textsOf(result, PoeFinding::Severity::Error),
             QStringList({"K 1: przewód nie dostarczy mocy 25 W – 4RP = 2678,1 ponad Vs² = 2304,0",
                          "K 2: brak zasilania – kamera nie jest podłączona do punktu dystrybucyjnego",
                          "K 5: moc 90 W ponad 71,3 W klasy 8 – żaden standard PoE jej nie dostarczy",
                          "PD 6: brak zasilania – punkt bez zasilania 230 V nie ma źródła PoE"}));
    QVERIFY(textsOf(result, PoeFinding::Severity::Warning)
                    .contains("K 3: kamera na 2 przewodach – nie wiadomo, który ją zasila; nie sprawdzono"));
    // The camera behind the unsupplied point has no voltage, and no remark
    // of its own: the point is the cause.
    const PoeCheckResult::Device *cut = result.device(behindOrphan);
    QVERIFY(cut && !cut->supplied);
    QCOMPARE(cut->cable.voltage, 0.0);
    QVERIFY(!result.hasError(behindOrphan));
    // 90 W beyond every class still gets its physics on four pairs of
    // 22 AWG: R = 0.1325, 2304 - 47.7 = 2256.3, V = 47.7503.
    QNEAR(result.device(heater)->cable.voltage, 47.7503, 5e-5);
    QCOMPARE(result.device(heater)->cable.pairs, 4);
}

void TestPoeCheck::pointAgainstItsModel()
{
    TestCatalogue catalogue;
    QVERIFY2(createCatalogue(catalogue, {{"PD-4/32", "Wewnętrzna (IP20)", 0, 5, 1, 32, 20000}}),
             qPrintable(catalogue.lastError()));
    NetworkBuilder net;
    DiagramItem *point = net.addPd({100, 100}, 1);
    // Four cameras of 8 W on 1 m of Cat5e and a recorder: five slots, 32 W and
    // 16 384 kbit/s, which the model fits as the budget counts.
    QList<DiagramItem *> cameras;
    for (int i = 0; i < 4; ++i) {
        cameras << net.addCamera({100.0 + 60 * i, 300}, uint(i + 1), 8);
        net.connect(point, cameras.last(), 1)->setType(kCat5e);
    }
    point->setNvr(true);
    CalcLoop(net.scene()).run();
    QCOMPARE(point->modelName(), QStringLiteral("PD-4/32"));

    PoeCheckResult result = PoeCheck::run(net.scene());
    const PoeCheckResult::Point *p = result.point(point);
    QVERIFY(p && p->modelKnown);
    QCOMPARE(p->powerBudget, 32);
    // per camera R = 0.0842, V = 47.9860, port 8.0023: the losses tip it over
    QNEAR(p->portPower, 32.0094, 5e-5);
    QCOMPARE(textsOf(result, PoeFinding::Severity::Error),
             QStringList({"PD 1: porty muszą dać 32,01 W (ze stratami w przewodach), więcej niż budżet 32 W "
                          "modelu PD-4/32"}));
    // Full, but not over: no remark.
    QCOMPARE(p->slotCount, 5);
    QCOMPARE(p->usedSlots, 5);

    // A stream raised after the last calculation: the check reads the
    // drawing as it stands.
    cameras.first()->setBitrate(8192);
    result = PoeCheck::run(net.scene());
    QCOMPARE(result.point(point)->bitrate, qint64(20480));
    QVERIFY(textsOf(result, PoeFinding::Severity::Error)
                    .contains("PD 1: przepływ danych 20 480 kbit/s ponad 20 000 kbit/s modelu PD-4/32"));
}

void TestPoeCheck::storage_data()
{
    QTest::addColumn<int>("days");
    QTest::addColumn<int>("hours");
    QTest::addColumn<int>("reserve");
    QTest::addColumn<double>("terabytes");
    QTest::addColumn<QString>("remark");
    // 10240 kbit/s = 1 280 000 B/s; x 86 400 s x 30 = 3.31776e12 B; + 10 %
    QTest::newRow("defaults") << 30 << 24 << 10 << 3.649536
                              << "PD 1: archiwum 3,65 TB – 3 kamery, 10 240 kbit/s, 30 dni × 24 h, zapas 10 %";
    // 1 280 000 x 3600 x 12 x 7 = 3.87072e11 B
    QTest::newRow("a week, 12 h, no reserve") << 7 << 12 << 0 << 0.387072
                                              << "PD 1: archiwum 0,39 TB – 3 kamery, 10 240 kbit/s, 7 dni × 12 h, zapas 0 %";
    QTest::newRow("one day") << 1 << 24 << 10 << 0.1216512
                             << "PD 1: archiwum 0,12 TB – 3 kamery, 10 240 kbit/s, 1 dzień × 24 h, zapas 10 %";
}

// A recorder keeps its own two cameras and the one behind the point that
// sends its data through it; a PC beside the recorder doubles the data the
// budget counts, not the disks.
void TestPoeCheck::storage()
{
    QFETCH(int, days);
    QFETCH(int, hours);
    QFETCH(int, reserve);
    QFETCH(double, terabytes);
    QFETCH(QString, remark);
    TestCatalogue catalogue;
    catalogue.simulateNoCatalogue();
    NetworkBuilder net;
    net.scene()->projectSet()->ArchiveDays.setValue(uint(days));
    net.scene()->projectSet()->RecordingHours.setValue(uint(hours));
    net.scene()->projectSet()->StorageReserve.setValue(uint(reserve));
    DiagramItem *recorder = net.addPd({100, 100}, 1);
    recorder->setNvr(true);
    recorder->setPc(true);
    DiagramItem *remote = net.addPd({400, 100}, 2);
    net.connect(recorder, remote, 30);
    net.connect(recorder, net.addCamera({100, 300}, 1, 8, 4096), 10);
    net.connect(recorder, net.addCamera({200, 300}, 2, 8, 4096), 10);
    net.connect(remote, net.addCamera({400, 300}, 3, 8, 2048), 10);
    CalcLoop(net.scene()).run();

    const PoeCheckResult result = PoeCheck::run(net.scene());
    QCOMPARE(result.recorders.size(), 1);
    const PoeCheckResult::Recorder *r = result.recorder(recorder);
    QVERIFY(r);
    QCOMPARE(r->cameras, 3);
    QCOMPARE(r->bitrate, qint64(10240));
    QNEAR(r->storageTB, terabytes, 1e-9);
    QVERIFY2(std::any_of(result.findings.cbegin(), result.findings.cend(),
                         [&](const PoeFinding &f) { return f.text == remark; }),
             qPrintable(remark));
    PoeCheck::writeStorage(result);
    QNEAR(recorder->pdSet()->Storage.value(), std::round(terabytes * 100) / 100, 1e-12);
    QCOMPARE(remote->pdSet()->Storage.value(), 0.0);
}

void TestPoeCheck::cableWithoutGauge_data()
{
    QTest::addColumn<int>("catalogueKind"); // 0 none, 1 type without gauge, 2 gauge no table knows
    QTest::addColumn<QString>("reason");
    QTest::newRow("no catalogue") << 0 << "katalog nie podaje przekroju";
    QTest::newRow("type without gauge") << 1 << "katalog nie podaje przekroju";
    QTest::newRow("unknown gauge") << 2 << "nieznany przekrój 40 AWG";
}

// A cable type the catalogue gives no usable gauge for is worked as 24 AWG,
// the worst common case, with one remark per type.
void TestPoeCheck::cableWithoutGauge()
{
    QFETCH(int, catalogueKind);
    QFETCH(QString, reason);
    TestCatalogue catalogue;
    if (catalogueKind == 0)
        catalogue.simulateNoCatalogue();
    else
        QVERIFY(catalogue.createWithCables({}, {}, {{kCat5e, catalogueKind == 1 ? 0 : 40}}));
    NetworkBuilder net;
    DiagramItem *point = net.addPd({100, 100}, 1);
    DiagramItem *camera = nullptr;
    Wire *wire = nullptr;
    for (int i = 0; i < 3; ++i) {
        camera = net.addCamera({100.0 + 60 * i, 300}, uint(i + 1), 8);
        wire = net.connect(point, camera, 100);
        if (catalogueKind != 0)
            wire->setType(kCat5e);
    }
    CalcLoop(net.scene()).run();
    const PoeCheckResult result = PoeCheck::run(net.scene());
    const PoeCheckResult::Device *d = result.device(camera);
    QVERIFY(d);
    QCOMPARE(d->awg, 24);
    QVERIFY(d->awgAssumed);
    QNEAR(d->cable.resistance, 8.42, 1e-12);
    // Without a catalogue a cable keeps the type it was given, if any.
    const QString type = wire->typeName();
    const QStringList infos = textsOf(result, PoeFinding::Severity::Info).filter(QStringLiteral("AWG"));
    QCOMPARE(infos.size(), 1);
    QVERIFY2(infos.first().endsWith(QStringLiteral("typ „%1” (3 przewody zasilające): %2 – przyjęto 24 AWG")
                                            .arg(type, reason)),
             qPrintable(infos.first()));
}

namespace {

// The check again, written from the formulas in another way: every device's
// voltage from the upper root of P = V (Vs - V) / R, found by regula falsi,
// with the load of a fed point worked out recursively at each trial voltage.
struct Reference
{
    std::function<double(const Wire *)> ohmsPerMetre;

    struct Figures
    {
        double voltage = 0;
        double current = 0;
        double port = 0;
        double load = 0;
        int poeClass = 0;
        int pairs = 2;
        bool collapsed = false;
    };

    double resistance(const Wire *wire, int pairs) const
    {
        return wire->length() * ohmsPerMetre(wire) * 2 / pairs;
    }

    static int classOf(double watts)
    {
        const double limits[] = {3.84, 6.49, 12.95, 25.5, 40, 51, 62, 71.3};
        for (int c = 0; c < 8; ++c) {
            if (watts <= limits[c] + 1e-9)
                return c + 1;
        }
        return -1;
    }

    // The V in [Vs / 2, Vs] with V (Vs - V) / R = load(V), by regula falsi
    // (Illinois): the bracket keeps the root, the secant finds it in a few
    // steps even with a chain of such roots nested in load(V).
    static bool upperRoot(double vs, double r, const std::function<double(double)> &load, double *v)
    {
        if (r == 0) {
            *v = vs;
            return true;
        }
        const auto surplus = [&](double x) { return x * (vs - x) / r - load(x); };
        double lo = vs / 2;
        double hi = vs;
        double fLo = surplus(lo);
        double fHi = surplus(hi);
        if (fLo < 0)
            return false;
        int side = 0;
        for (int i = 0; i < 200 && hi - lo > 1e-12; ++i) {
            const double x = (lo * fHi - hi * fLo) / (fHi - fLo);
            const double fx = surplus(x);
            if (fx >= 0) {
                lo = x;
                fLo = fx;
                if (side == 1)
                    fHi /= 2;
                side = 1;
            } else {
                hi = x;
                fHi = fx;
                if (side == -1)
                    fLo /= 2;
                side = -1;
            }
            if (fx == 0)
                break;
        }
        *v = lo;
        return true;
    }

    Figures camera(const DiagramItem *cam, const Wire *wire, double vs) const
    {
        Figures f;
        f.load = cam->power();
        f.poeClass = classOf(f.load);
        f.pairs = f.poeClass >= 1 && f.poeClass <= 4 ? 2 : 4;
        f.collapsed = !upperRoot(vs, resistance(wire, f.pairs), [&](double) { return f.load; }, &f.voltage);
        if (!f.collapsed) {
            f.current = f.load / f.voltage;
            f.port = vs * f.current;
        }
        return f;
    }

    // What a point fed over PoE draws when its ports give v.
    double pointLoad(const DiagramItem *point, double v) const
    {
        double load = 1;
        for (const Wire *wire : point->wires()) {
            const DiagramItem *o = wire->otherEnd(point);
            if (o->diagramType() == DiagramItem::Camera) {
                const Figures f = camera(o, wire, v);
                load += f.collapsed ? f.load : f.port;
            } else if (!o->hasPower230() && !o->powerFeeder().isEmpty() && o->powerFeeder().first() == point) {
                load += fed(o, wire, v).port;
            }
        }
        return load;
    }

    // Two pairs while the load they give stays in class 4 or below, else four.
    Figures fed(const DiagramItem *point, const Wire *wire, double vs) const
    {
        Figures f;
        for (int pairs : {2, 4}) {
            const auto load = [&](double v) { return pointLoad(point, v); };
            f.pairs = pairs;
            f.collapsed = !upperRoot(vs, resistance(wire, pairs), load, &f.voltage);
            if (f.collapsed)
                return f;
            f.load = pointLoad(point, f.voltage);
            f.poeClass = classOf(f.load);
            if (pairs == 4 && f.poeClass >= 1 && f.poeClass <= 4)
                f.poeClass = 5;
            if (pairs == 4 || (f.poeClass >= 1 && f.poeClass <= 4))
                break;
        }
        f.current = f.load / f.voltage;
        f.port = vs * f.current;
        return f;
    }
};

} // namespace

// Networks of mains points, chains of extenders up to three deep and
// cameras of every class, on every cable type: the figures of the check and
// of the reference agree for every device, and so do the devices that get
// an error.
void TestPoeCheck::differential()
{
    TestCatalogue catalogue;
    QVERIFY2(createCatalogue(catalogue), qPrintable(catalogue.lastError()));
    const QStringList types = {kCat5e, kCat6, kCat6a, QStringLiteral("Nie określono")};
    const QHash<QString, double> ohms = {{kCat5e, 0.0842}, {kCat6, 0.0668}, {kCat6a, 0.0530}};
    Reference reference;
    reference.ohmsPerMetre = [&](const Wire *wire) { return ohms.value(wire->typeName(), 0.0842); };

    int devices = 0;
    int errors = 0;
    int fourPairPoints = 0;
    for (quint32 seed = 1; seed <= 20; ++seed) {
        QRandomGenerator random(seed);
        NetworkBuilder net;
        const auto cable = [&](DiagramItem *a, DiagramItem *b, int shortest, int longest) {
            net.connect(a, b, uint(random.bounded(shortest, longest + 1)))
                    ->setType(types.at(random.bounded(types.size())));
        };
        // Mains points: mostly ordinary cameras, now and then a PTZ or a
        // heated one; extenders: up to three ordinary ones.
        const auto addCameras = [&](DiagramItem *point, bool mains) {
            const int count = random.bounded(0, mains ? 5 : 4);
            for (int i = 0; i < count; ++i) {
                const bool heavy = mains && random.bounded(10) >= 6;
                const uint power = heavy ? uint(random.bounded(14, 61)) : uint(random.bounded(3, 14));
                cable(point, net.addCamera({50.0 * i, 300}, 0, power), 1, 200);
            }
        };
        const int chains = random.bounded(1, 4);
        for (int c = 0; c < chains; ++c) {
            DiagramItem *previous = net.addPd({300.0 * c, 100}, uint(c * 10 + 1));
            addCameras(previous, true);
            const int depth = random.bounded(0, 4);
            for (int d = 0; d < depth; ++d) {
                DiagramItem *extender = net.addPd({300.0 * c, 100.0 + 100 * (d + 1)}, uint(c * 10 + d + 2), false);
                cable(previous, extender, 5, 60);
                addCameras(extender, false);
                previous = extender;
            }
        }
        CalcLoop(net.scene()).run();
        const PoeCheckResult result = PoeCheck::run(net.scene());

        // The reference walks the trees from the mains points down.
        QHash<const DiagramItem *, Reference::Figures> expected;
        QHash<const DiagramItem *, double> sourceOf;
        std::function<void(const DiagramItem *, double)> walk = [&](const DiagramItem *point, double v) {
            for (const Wire *wire : point->wires()) {
                const DiagramItem *o = wire->otherEnd(point);
                if (o->diagramType() == DiagramItem::Camera) {
                    expected.insert(o, reference.camera(o, wire, v));
                    sourceOf.insert(o, v);
                } else if (!o->hasPower230() && o->powerFeeder().value(0) == point) {
                    const Reference::Figures f = reference.fed(o, wire, v);
                    expected.insert(o, f);
                    sourceOf.insert(o, v);
                    QVERIFY2(!f.collapsed, "generated chains stay clear of collapse");
                    walk(o, f.voltage);
                }
            }
        };
        for (QGraphicsItem *item : net.scene()->items()) {
            if (item->type() == DiagramItem::Type && static_cast<DiagramItem *>(item)->diagramType() == DiagramItem::PD
                && static_cast<DiagramItem *>(item)->hasPower230())
                walk(static_cast<DiagramItem *>(item), 48.0);
        }

        QCOMPARE(result.devices.size(), expected.size());
        for (const PoeCheckResult::Device &d : result.devices) {
            const QString tag = QStringLiteral("seed %1, %2").arg(seed).arg(d.item->numberText());
            QVERIFY2(expected.contains(d.item), qPrintable(tag));
            const Reference::Figures f = expected.value(d.item);
            QVERIFY2(d.supplied, qPrintable(tag));
            QVERIFY2(d.cable.collapsed == f.collapsed, qPrintable(tag));
            QVERIFY2(d.cable.pairs == f.pairs, qPrintable(tag));
            QVERIFY2(std::abs(d.sourceVoltage - sourceOf.value(d.item)) < 1e-6, qPrintable(tag));
            if (f.collapsed)
                continue;
            QVERIFY2(d.poeClass == f.poeClass, qPrintable(tag));
            QVERIFY2(std::abs(d.devicePower - f.load) < 1e-6, qPrintable(tag));
            QVERIFY2(std::abs(d.cable.voltage - f.voltage) < 1e-6, qPrintable(tag));
            QVERIFY2(std::abs(d.cable.current - f.current) < 1e-6, qPrintable(tag));
            QVERIFY2(std::abs(d.cable.portPower - f.port) < 1e-6, qPrintable(tag));

            // An error exactly when a limit of the device's standard is broken.
            const PoeStandard::Type type = PoeStandard::typeOf(f.poeClass);
            const bool broken = f.poeClass < 0 || f.voltage < PoeStandard::minimumVoltage(type)
                                || f.current * 2 / f.pairs > PoeStandard::currentPerPairLimit(type)
                                || f.port > PoeStandard::portPower(f.poeClass);
            QVERIFY2(result.hasError(d.item) == broken, qPrintable(tag));
            ++devices;
            errors += broken ? 1 : 0;
            if (d.item->diagramType() == DiagramItem::PD && f.pairs == 4)
                ++fourPairPoints;
        }
    }
    // The generated networks exercise both sides of every decision.
    QVERIFY2(devices > 150, qPrintable(QString::number(devices)));
    QVERIFY2(errors >= 5 && errors < devices - 50, qPrintable(QString::number(errors)));
    QVERIFY2(fourPairPoints >= 5, qPrintable(QString::number(fourPairPoints)));
}

// The tables that find an element by its item and a record by its set
// take entries one by one for a whole session between two readings of the
// drawing: far more than they were sized for, entries taken out and put in
// again, addresses that share their low bits.
void TestPoeCheck::addressTable()
{
    const auto address = [](int i) { return reinterpret_cast<const void *>(quintptr(0x10000 + 48 * i)); };
    PoeAddressTable table;
    table.reset(4);
    const int count = 5000;
    for (int i = 0; i < count; ++i)
        table.insert(address(i), i);
    QCOMPARE(table.count(), count);
    QVERIFY(table.fits(count));
    for (int i = 0; i < count; i += 3)
        table.remove(address(i));
    table.remove(address(count)); // never there
    for (int i = 0; i < count; ++i)
        QCOMPARE(table.value(address(i)), i % 3 ? i : -1);
    // Again, under other numbers; one already there only changes its number.
    for (int i = 0; i < count; ++i)
        table.insert(address(i), -2 - i);
    QCOMPARE(table.count(), count);
    for (int i = 0; i < count; ++i)
        QCOMPARE(table.value(address(i)), -2 - i);
    QCOMPARE(table.value(nullptr), -1);
    // Never filled: a table that was never sized takes entries too.
    PoeAddressTable fresh;
    QCOMPARE(fresh.value(address(1)), -1);
    fresh.insert(address(1), 7);
    QCOMPARE(fresh.value(address(1)), 7);
}

QTEST_MAIN(TestPoeCheck)
void TestPoeCheck::figuresAsQtWritesThem_data()
{
    QTest::addColumn<int>("decimals");
    for (int decimals = 0; decimals <= 3; ++decimals)
        QTest::addRow("%d decimals", decimals) << decimals;
}

// The remarks write their figures in a quick way of their own: every figure
// comes out as Qt writes it, ties, signs, large values and all.
void TestPoeCheck::figuresAsQtWritesThem()
{
    QFETCH(int, decimals);
    const auto qt = [&](double value) {
        return QString::number(value, 'f', decimals).replace(QLatin1Char('.'), QLatin1Char(','));
    };
    QList<double> values = {0.0,     -0.0,     0.5,      1.5,       2.5,       0.125,   0.375,  39.125, 39.19140625,
                            0.005,   0.015,    0.045,    42.5,      12.95,     25.5,    4.21,   43.0076, 9999.9995,
                            1e7 - 1, 1e6 + .5, 123456.7, -39.1914, -0.001,   1e12,    99.995, 0.9999, 5e-7};
    QRandomGenerator random(20261206);
    for (int i = 0; i < 20000; ++i) {
        // Figures as the check meets them, and some on the thousandths.
        values << random.bounded(60.0) << double(random.bounded(100000)) / 1000.0
               << double(random.bounded(2000)) / 8.0;
    }
    for (double value : qAsConst(values))
        QCOMPARE(PoeText::number(value, decimals), qt(value));
}

#include "tst_poecheck.moc"
