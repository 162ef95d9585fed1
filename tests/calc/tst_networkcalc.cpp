// Trees, sums and voltages over scenes built the way the editor builds them.
// Every expected figure was worked out by hand from the cable formula:
//   I = P / Vs,  R = L / 0.19625 * 1e6 * 1.72e-8,  dV = I * R,  Vin = Vs - dV.

#include "calc/cabledrop.h"
#include "calc/calcloop.h"
#include "calc/networkcalc.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "networkbuilder.h"
#include "testhelpers.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"

#include <QSignalSpy>
#include <QtTest>

namespace {

// Four decimals.
#define QNEAR(actual, expected)                                                                          \
    QVERIFY2(qAbs((actual) - (expected)) < 0.00005,                                                      \
             qPrintable(QStringLiteral("%1 is %2, expected %3")                                           \
                                .arg(QLatin1String(#actual))                                              \
                                .arg((actual), 0, 'f', 6)                                                 \
                                .arg((expected), 0, 'f', 4)))

// The five results a device shows: resistance, power lost and available,
// voltage loss and the voltage arriving.
template <typename Advanced>
QList<double> results(const Advanced &a)
{
    return {a.Resistance.value(), a.PowerLost.value(), a.PowerAvailable.value(), a.VoltageLoss.value(),
            a.VoltageAvailable.value()};
}

void compareResults(const QList<double> &actual, const QList<double> &expected)
{
    for (int i = 0; i < expected.size(); ++i)
        QNEAR(actual.at(i), expected.at(i));
}

} // namespace

class TestNetworkCalc : public QObject
{
    Q_OBJECT

private slots:
    void lowVoltageEdge_data();
    void lowVoltageEdge();
    void cameraOnPoint_data();
    void cameraOnPoint();
    void extender_data();
    void extender();
    void chainConverges_data();
    void chainConverges();
    void poeFedWithoutSource();
    void treesRevision();
    void dropBeyondTheSource();
    void bitrateDoubling_data();
    void bitrateDoubling();
};

void TestNetworkCalc::lowVoltageEdge_data()
{
    QTest::addColumn<double>("source");
    QTest::addColumn<double>("load");
    QTest::addColumn<double>("vin");
    QTest::addColumn<bool>("low");
    // Exactly 40 V arriving is already too low, 41 V is not; a dead source
    // carries no current, so nothing arrives.
    QTest::newRow("40 V is low") << 40.0 << 0.0 << 40.0 << true;
    QTest::newRow("41 V is fine") << 41.0 << 0.0 << 41.0 << false;
    QTest::newRow("dead source") << 0.0 << 8.0 << 0.0 << true;
}

void TestNetworkCalc::lowVoltageEdge()
{
    QFETCH(double, source);
    QFETCH(double, load);
    const CableDrop d = CableDrop::compute(10, source, load);
    QFETCH(double, vin);
    QNEAR(d.vin, vin);
    QNEAR(d.powerAvailable, 0.0);
    QTEST(d.lowVoltage, "low");
    QVERIFY(!d.longCable);
}

void TestNetworkCalc::cameraOnPoint_data()
{
    QTest::addColumn<uint>("length");
    QTest::addColumn<uint>("power");
    QTest::addColumn<QList<double>>("expected"); // R, lost, available, dV, Vin
    QTest::addColumn<bool>("low");
    QTest::addColumn<bool>("longCable");

    // I = 8/48, R = 4.3822, dV = 0.7304
    QTest::newRow("8 W at 50 m") << 50u << 8u << QList<double>{4.3822, 0.1217, 7.8783, 0.7304, 47.2696} << false
                                 << false;
    // R = 8.7643 at 100 m, 8.8520 at 101 m: only the longer one needs an extender
    QTest::newRow("8 W at 100 m") << 100u << 8u << QList<double>{8.7643, 0.2435, 7.7565, 1.4607, 46.5393}
                                  << false << false;
    QTest::newRow("8 W at 101 m") << 101u << 8u << QList<double>{8.8520, 0.2459, 7.7541, 1.4753, 46.5247}
                                  << false << true;
    // I = 2.0833, R = 17.5287, dV = 36.5180
    QTest::newRow("100 W at 200 m, too low") << 200u << 100u
                                             << QList<double>{17.5287, 76.0793, 23.9207, 36.5180, 11.4820} << true
                                             << true;
}

void TestNetworkCalc::cameraOnPoint()
{
    QFETCH(uint, length);
    QFETCH(uint, power);
    QFETCH(QList<double>, expected);
    NetworkBuilder net;
    DiagramItem *pd = net.addPd({100, 100});
    DiagramItem *cam = net.addCamera({100, 300}, 1, power);
    net.connect(pd, cam, length);
    CalcLoop(net.scene()).run();

    QNEAR(cam->vin(), expected.last());
    compareResults(results(cam->cameraSet()->Advanced), expected);
    QTEST(cam->lowVoltage(), "low");
    QTEST(cam->extenderRequired(), "longCable");
    QCOMPARE(pd->vout(), 48.0);
}

void TestNetworkCalc::extender_data()
{
    QTest::addColumn<uint>("length");
    QTest::addColumn<QList<double>>("expected"); // R, lost, available, dV, Vin
    QTest::addColumn<bool>("longCable");

    // 5 cameras of 8 W plus the extender's own 1 W: P = 41, I = 0.8542.
    QTest::newRow("100 m") << 100u << QList<double>{8.7643, 6.3945, 34.6055, 7.4862, 40.5138} << false;
    QTest::newRow("101 m") << 101u << QList<double>{8.8520, 6.4584, 34.5416, 7.5611, 40.4389} << true;
}

void TestNetworkCalc::extender()
{
    QFETCH(uint, length);
    QFETCH(QList<double>, expected);
    NetworkBuilder net;
    DiagramItem *mains = net.addPd({100, 100}, 1);
    DiagramItem *ext = net.addPd({400, 100}, 2, false);
    net.connect(mains, ext, length);
    QList<DiagramItem *> cams;
    for (int i = 0; i < 5; ++i) {
        cams << net.addCamera({300.0 + 50 * i, 300});
        net.connect(ext, cams.last(), 10);
    }
    CalcLoop(net.scene()).run();

    QCOMPARE(ext->totalPower(), 40);
    QCOMPARE(mains->totalPower(), 41);
    QNEAR(ext->vin(), expected.last());
    QCOMPARE(ext->vout(), 40.0);
    compareResults(results(ext->pdSet()->AdvancedPD), expected);
    QTEST(ext->extenderRequired(), "longCable");
    QCOMPARE(ext->lowVoltage(), false);
    // Its cameras hang on 40 V: 10 m at 8 W loses 0.1753 V, 39.8247 V arrive.
    for (DiagramItem *cam : qAsConst(cams)) {
        QNEAR(cam->vin(), 39.8247);
        QVERIFY(cam->lowVoltage());
    }
}

void TestNetworkCalc::chainConverges_data()
{
    QTest::addColumn<bool>("outwards");
    // The voltage pass visits the topmost item first, i.e. the one placed
    // last. Drawn from the mains outwards, each voltage pass carries a change
    // one extender further; drawn from the far end, one pass does it all.
    QTest::newRow("drawn from the mains outwards") << true;
    QTest::newRow("drawn from the far end inwards") << false;
}

// Readers of the trees skip looking at every point while the trees'
// revision stands: it must move on with every point that gets another
// feeder or uplink, and only then.
void TestNetworkCalc::treesRevision()
{
    NetworkBuilder net;
    DiagramItem *m = net.addPd({100, 100}, 1);
    DiagramItem *e1 = net.addPd({300, 100}, 2, false);
    net.connect(m, e1, 50);
    CalcLoop loop(net.scene());
    loop.run();
    QCOMPARE(e1->powerFeeder(), QList<DiagramItem *>{m});
    quint64 seen = DiagramItem::treesRevision();
    const auto moved = [&seen] {
        const bool moved = DiagramItem::treesRevision() != seen;
        seen = DiagramItem::treesRevision();
        return moved;
    };

    net.connect(e1, net.addCamera({300, 300}), 10);
    loop.run();
    QVERIFY2(!moved(), "a camera drawn: every point is fed as it was");

    DiagramItem *e2 = net.addPd({500, 100}, 3, false);
    net.connect(e1, e2, 40);
    loop.run();
    QCOMPARE(e2->powerFeeder(), QList<DiagramItem *>{e1});
    QVERIFY2(moved(), "a new extender fed");

    // Wired to the mains point as well, the extender is fed from there.
    net.connect(m, e2, 30);
    loop.run();
    QCOMPARE(e2->powerFeeder(), QList<DiagramItem *>{m});
    QVERIFY2(moved(), "another feeder");

    loop.run();
    QVERIFY2(!moved(), "nothing changed");

    m->setNvr(true);
    loop.run();
    QCOMPARE(e1->dataUplink(), QList<DiagramItem *>{m});
    QVERIFY2(moved(), "an uplink to the new recorder");
}

void TestNetworkCalc::chainConverges()
{
    QFETCH(bool, outwards);
    NetworkBuilder net;
    DiagramItem *m = outwards ? net.addPd({100, 100}, 1) : nullptr;
    DiagramItem *e[3] = {};
    for (int k = 0; k < 3; ++k) {
        const int i = outwards ? k : 2 - k;
        e[i] = net.addPd({300.0 + 200 * i, 100}, 2 + i, false);
    }
    if (!outwards)
        m = net.addPd({100, 100}, 1);
    net.connect(m, e[0], 50);
    net.connect(e[0], e[1], 50);
    net.connect(e[1], e[2], 50);
    DiagramItem *c[3];
    for (int i = 0; i < 3; ++i) {
        c[i] = net.addCamera({300.0 + 200 * i, 300});
        net.connect(e[i], c[i], 10);
    }

    CalcLoop loop(net.scene());
    QCOMPARE(loop.run(), 1);
    QCOMPARE(e[2]->powerFeeder(), QList<DiagramItem *>{e[1]});
    QCOMPARE(e[0]->powerFeeder(), QList<DiagramItem *>{m});
    QCOMPARE(m->totalPower(), 27); // 8 + 1 + 8 + 1 + 8 + 1
    QCOMPARE(e[0]->totalPower(), 26);
    if (outwards) {
        // After one loop the far extender still works from the 46 V its
        // feeder had before it saw its own feeder's 45 V.
        QNEAR(e[2]->vin(), 45.1426);
        QCOMPARE(e[2]->vout(), 45.0);
        loop.run();
    }

    // The fixed state: E1 gets 27 W over 50 m from 48 V, E2 18 W from 45 V,
    // E3 9 W from 43 V; the camera of E3 8 W over 10 m from 42 V.
    QNEAR(e[0]->vin(), 45.5350);
    QCOMPARE(e[0]->vout(), 45.0);
    QNEAR(e[1]->vin(), 43.2471);
    QCOMPARE(e[1]->vout(), 43.0);
    QNEAR(e[2]->vin(), 42.0828);
    QCOMPARE(e[2]->vout(), 42.0);
    QNEAR(e[2]->pdSet()->AdvancedPD.VoltageLoss.value(), 0.9172);
    QNEAR(c[2]->vin(), 41.8331);
    QNEAR(c[0]->vin(), 44.8442); // 8 W over 10 m from 45 V

    // Fixed means fixed: another loop writes nothing at all.
    QList<QSignalSpy *> spies;
    for (DiagramItem *item : tst::itemsOf<DiagramItem>(net.scene()))
        spies << new QSignalSpy(item->propertySet(), &QtnPropertySet::propertyDidChange);
    loop.run();
    for (QSignalSpy *spy : qAsConst(spies))
        QCOMPARE(spy->count(), 0);
    qDeleteAll(spies);
}

void TestNetworkCalc::poeFedWithoutSource()
{
    NetworkBuilder net;
    DiagramItem *ext = net.addPd({100, 100}, 1, false);
    DiagramItem *cam = net.addCamera({100, 300});
    net.connect(ext, cam, 10);
    // A second PoE-fed point joined only to the first: nobody feeds either.
    DiagramItem *other = net.addPd({300, 100}, 2, false);
    net.connect(ext, other, 20);
    CalcLoop(net.scene()).run();
    for (DiagramItem *p : {ext, other}) {
        QVERIFY(p->powerFeeder().isEmpty());
        QVERIFY(p->lowVoltage());
        QCOMPARE(p->vin(), 0.0);
        QCOMPARE(p->vout(), 0.0);
    }
    QVERIFY(cam->lowVoltage());
    QCOMPARE(cam->vin(), 0.0);

    // Plugged into the mains, the point comes alive in the same loop.
    DiagramItem *mains = net.addPd({100, 500}, 3);
    net.connect(mains, ext, 50);
    CalcLoop(net.scene()).run();
    QCOMPARE(other->powerFeeder(), QList<DiagramItem *>{ext});
    QVERIFY(!ext->lowVoltage());
    QVERIFY(ext->vout() > 40.0);
}

void TestNetworkCalc::dropBeyondTheSource()
{
    NetworkBuilder net;
    DiagramItem *mains = net.addPd({100, 100}, 1);
    DiagramItem *ext = net.addPd({400, 100}, 2, false);
    net.connect(mains, ext, 200);
    for (int i = 0; i < 5; ++i)
        net.connect(ext, net.addCamera({300.0 + 40 * i, 400}, uint(i + 1), 100), 10);
    CalcLoop(net.scene()).run();
    // 501 W over 200 m from 48 V: I = 10.4375, dV = 182.9554, Vin = -134.9554.
    // Neither "Vin" nor "Vout" takes a negative value: both keep theirs,
    // the results and the flags tell the truth.
    QCOMPARE(ext->vin(), 0.0);
    QCOMPARE(ext->vout(), 48.0);
    QVERIFY(ext->lowVoltage());
    QNEAR(ext->pdSet()->AdvancedPD.VoltageLoss.value(), 182.9554);
    QNEAR(ext->pdSet()->AdvancedPD.VoltageAvailable.value(), -134.9554);
}

void TestNetworkCalc::bitrateDoubling_data()
{
    QTest::addColumn<bool>("pc");
    QTest::addColumn<bool>("nvr");
    QTest::addColumn<int>("root");
    QTest::addColumn<int>("middle");

    // Root camera 4096; middle point 2048 and a far point 1024 behind it.
    QTest::newRow("neither: no data tree") << false << false << 4096 << 2048;
    QTest::newRow("recorder only") << false << true << 4096 + 3072 << 3072;
    QTest::newRow("PC only") << true << false << 4096 + 3072 << 3072;
    QTest::newRow("PC and recorder double") << true << true << 2 * (4096 + 3072) << 3072;
}

void TestNetworkCalc::bitrateDoubling()
{
    QFETCH(bool, pc);
    QFETCH(bool, nvr);
    NetworkBuilder net;
    DiagramItem *root = net.addPd({100, 100}, 1);
    DiagramItem *middle = net.addPd({300, 100}, 2);
    DiagramItem *far = net.addPd({500, 100}, 3);
    root->setPc(pc);
    root->setNvr(nvr);
    net.connect(root, middle, 20);
    net.connect(middle, far, 20);
    net.connect(root, net.addCamera({100, 300}, 1, 8, 4096), 10);
    net.connect(middle, net.addCamera({300, 300}, 2, 8, 2048), 10);
    net.connect(far, net.addCamera({500, 300}, 3, 8, 1024), 10);
    CalcLoop(net.scene()).run();
    QTEST(root->totalBitrate(), "root");
    QTEST(middle->totalBitrate(), "middle");
    QCOMPARE(far->totalBitrate(), 1024);
    // Slots count the recorder and the PC.
    QCOMPARE(root->usedSlots(), 2 + (pc ? 1 : 0) + (nvr ? 1 : 0));
}

QTEST_MAIN(TestNetworkCalc)
#include "tst_networkcalc.moc"
