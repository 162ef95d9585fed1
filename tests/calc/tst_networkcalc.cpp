// Trees, sums and voltages over scenes built the way the editor builds them.
// Every expected figure was worked out by hand from the cable formula:
//   I = P / Vs,  R = L / 0.19625 * 1e6 * 1.72e-8,  dV = I * R,  Vin = Vs - dV.

#include "calc/calcloop.h"
#include "calc/networkcalc.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "networkbuilder.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetwire.h"

#include <QRandomGenerator>
#include <QSignalSpy>
#include <QtTest>

namespace {

const double Eps = 0.00005;

bool near(double a, double b)
{
    return qAbs(a - b) < Eps;
}

#define QNEAR(actual, expected)                                                                          \
    QVERIFY2(near((actual), (expected)),                                                                 \
             qPrintable(QStringLiteral("%1 is %2, expected %3")                                           \
                                .arg(QLatin1String(#actual))                                              \
                                .arg((actual), 0, 'f', 6)                                                 \
                                .arg((expected), 0, 'f', 4)))

struct Advanced {
    double resistance, lost, available, loss, vin;
};

Advanced pointResults(const DiagramItem *p)
{
    const auto &a = p->pdSet()->AdvancedPD;
    return {a.Resistance.value(), a.PowerLost.value(), a.PowerAvailable.value(), a.VoltageLoss.value(),
            a.VoltageAvailable.value()};
}

Advanced cameraResults(const DiagramItem *c)
{
    const auto &a = c->cameraSet()->Advanced;
    return {a.Resistance.value(), a.PowerLost.value(), a.PowerAvailable.value(), a.VoltageLoss.value(),
            a.VoltageAvailable.value()};
}

// The tree building exactly as described for the editor: full passes over
// all points until a pass links nothing. The calculation visits fewer
// points; it must end with the same trees.
void referencePowerTree(const QList<DiagramItem *> &points)
{
    for (DiagramItem *p : points) {
        p->powerFeeder().clear();
        p->powerDependants().clear();
    }
    bool linked = true;
    while (linked) {
        linked = false;
        for (DiagramItem *p : points)
            linked = p->linkPowerTree() || linked;
    }
}

void referenceDataTree(const QList<DiagramItem *> &points)
{
    for (DiagramItem *p : points) {
        p->dataUplink().clear();
        p->dataDependants().clear();
    }
    bool linked = true;
    while (linked) {
        linked = false;
        for (DiagramItem *p : points)
            linked = p->linkDataTree() || linked;
    }
}

} // namespace

class TestNetworkCalc : public QObject
{
    Q_OBJECT

private slots:
    void cameraOnPoint_data();
    void cameraOnPoint();
    void cameraWithoutSupply();
    void cameraOnTwoWires();
    void extender_data();
    void extender();
    void chainConverges_data();
    void chainConverges();
    void poeFedWithoutSource();
    void mainsPointResets();
    void dropBeyondTheSource();
    void sums();
    void bitrateDoubling_data();
    void bitrateDoubling();
    void firstFeederWins();
    void treesMatchFullPasses_data();
    void treesMatchFullPasses();
    void loopRepeatsOnRequest();
};

void TestNetworkCalc::cameraOnPoint_data()
{
    QTest::addColumn<uint>("length");
    QTest::addColumn<uint>("power");
    QTest::addColumn<double>("resistance");
    QTest::addColumn<double>("lost");
    QTest::addColumn<double>("available");
    QTest::addColumn<double>("loss");
    QTest::addColumn<double>("vin");
    QTest::addColumn<bool>("low");
    QTest::addColumn<bool>("longCable");

    QTest::newRow("8 W at 50 m") << 50u << 8u << 4.3822 << 0.1217 << 7.8783 << 0.7304 << 47.2696 << false << false;
    // I = 8/48, R = 8.7643, dV = 1.4607
    QTest::newRow("8 W at 100 m, no flag") << 100u << 8u << 8.7643 << 0.2435 << 7.7565 << 1.4607 << 46.5393
                                           << false << false;
    // R = 8.8520, dV = 1.4753
    QTest::newRow("8 W at 101 m, extender") << 101u << 8u << 8.8520 << 0.2459 << 7.7541 << 1.4753 << 46.5247
                                            << false << true;
    // 100 W at 200 m: I = 2.0833, R = 17.5287, dV = 36.5180, Vin = 11.4820.
    QTest::newRow("100 W at 200 m, too low") << 200u << 100u << 17.5287 << 76.0793 << 23.9207 << 36.5180
                                             << 11.4820 << true << true;
}

void TestNetworkCalc::cameraOnPoint()
{
    QFETCH(uint, length);
    QFETCH(uint, power);
    NetworkBuilder net;
    DiagramItem *pd = net.addPd({100, 100});
    DiagramItem *cam = net.addCamera({100, 300}, 1, power);
    net.connect(pd, cam, length);
    CalcLoop(net.scene()).run();

    QFETCH(double, vin);
    QNEAR(cam->vin(), vin);
    const Advanced a = cameraResults(cam);
    QFETCH(double, resistance);
    QFETCH(double, lost);
    QFETCH(double, available);
    QFETCH(double, loss);
    QNEAR(a.resistance, resistance);
    QNEAR(a.lost, lost);
    QNEAR(a.available, available);
    QNEAR(a.loss, loss);
    QNEAR(a.vin, vin);
    QTEST(cam->lowVoltage(), "low");
    QTEST(cam->extenderRequired(), "longCable");
    // The feeding point is on the mains: nothing changes there.
    QCOMPARE(pd->vout(), 48.0);
    QCOMPARE(pd->lowVoltage(), false);
}

void TestNetworkCalc::cameraWithoutSupply()
{
    NetworkBuilder net;
    DiagramItem *pd = net.addPd({100, 100});
    DiagramItem *cam = net.addCamera({100, 300});
    Wire *wire = net.connect(pd, cam, 50);
    DiagramItem *lonely = net.addCamera({300, 300});
    CalcLoop loop(net.scene());
    loop.run();
    QVERIFY(cam->vin() > 47.0);
    QVERIFY(lonely->lowVoltage());
    QCOMPARE(lonely->vin(), 0.0);

    // Cutting the cable leaves the camera without supply: everything to 0.
    pd->removeWire(wire);
    cam->removeWire(wire);
    net.scene()->removeItem(wire);
    delete wire;
    loop.run();
    QVERIFY(cam->lowVoltage());
    QCOMPARE(cam->vin(), 0.0);
    const Advanced a = cameraResults(cam);
    QCOMPARE(a.resistance, 0.0);
    QCOMPARE(a.lost, 0.0);
    QCOMPARE(a.available, 0.0);
    QCOMPARE(a.loss, 0.0);
    QCOMPARE(a.vin, 0.0);

    // A camera whose one cable leads to another camera has no supply either.
    DiagramItem *other = net.addCamera({500, 300});
    net.connect(cam, other, 20);
    loop.run();
    QVERIFY(cam->lowVoltage());
    QCOMPARE(cam->vin(), 0.0);
}

void TestNetworkCalc::cameraOnTwoWires()
{
    NetworkBuilder net;
    DiagramItem *a = net.addPd({100, 100});
    DiagramItem *cam = net.addCamera({100, 300});
    net.connect(a, cam, 50);
    CalcLoop loop(net.scene());
    loop.run();
    QNEAR(cam->vin(), 47.2696);

    // A second cable to a point much nearer: the drawing cannot be read, the
    // camera keeps its figures and flags.
    DiagramItem *b = net.addPd({300, 100});
    net.connect(b, cam, 1);
    QSignalSpy changes(cam->cameraSet(), &QtnPropertySet::propertyDidChange);
    loop.run();
    QNEAR(cam->vin(), 47.2696);
    QNEAR(cameraResults(cam).resistance, 4.3822);
    QCOMPARE(changes.count(), 0);
    QCOMPARE(cam->lowVoltage(), false);
}

void TestNetworkCalc::extender_data()
{
    QTest::addColumn<uint>("length");
    QTest::addColumn<double>("resistance");
    QTest::addColumn<double>("lost");
    QTest::addColumn<double>("available");
    QTest::addColumn<double>("loss");
    QTest::addColumn<double>("vin");
    QTest::addColumn<bool>("longCable");

    // 5 cameras of 8 W plus the extender's own 1 W: P = 41, I = 0.8542.
    QTest::newRow("100 m") << 100u << 8.7643 << 6.3945 << 34.6055 << 7.4862 << 40.5138 << false;
    QTest::newRow("101 m") << 101u << 8.8520 << 6.4584 << 34.5416 << 7.5611 << 40.4389 << true;
}

void TestNetworkCalc::extender()
{
    QFETCH(uint, length);
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
    QFETCH(double, vin);
    QNEAR(ext->vin(), vin);
    QCOMPARE(ext->vout(), 40.0);
    const Advanced a = pointResults(ext);
    QFETCH(double, resistance);
    QFETCH(double, lost);
    QFETCH(double, available);
    QFETCH(double, loss);
    QNEAR(a.resistance, resistance);
    QNEAR(a.lost, lost);
    QNEAR(a.available, available);
    QNEAR(a.loss, loss);
    QNEAR(a.vin, vin);
    QTEST(ext->extenderRequired(), "longCable");
    QCOMPARE(ext->lowVoltage(), false);
    // Its cameras hang on 40 V: 10 m at 8 W loses 0.1753 V, 39.8247 V arrive.
    for (DiagramItem *cam : qAsConst(cams)) {
        QNEAR(cam->vin(), 39.8247);
        QVERIFY(cam->lowVoltage());
        QVERIFY(!cam->extenderRequired());
    }
}

void TestNetworkCalc::chainConverges_data()
{
    QTest::addColumn<bool>("outwards");
    QTest::addColumn<int>("loops");
    // The voltage pass visits the topmost item first, i.e. the one placed
    // last. Drawn from the mains outwards, each voltage pass carries a change
    // one extender further; drawn from the far end, one pass does it all.
    QTest::newRow("drawn from the mains outwards") << true << 2;
    QTest::newRow("drawn from the far end inwards") << false << 1;
}

void TestNetworkCalc::chainConverges()
{
    QFETCH(bool, outwards);
    QFETCH(int, loops);
    NetworkBuilder net;
    DiagramItem *m = nullptr;
    DiagramItem *e[3] = {};
    if (outwards) {
        m = net.addPd({100, 100}, 1);
        for (int i = 0; i < 3; ++i)
            e[i] = net.addPd({300.0 + 200 * i, 100}, 2 + i, false);
    } else {
        for (int i = 2; i >= 0; --i)
            e[i] = net.addPd({300.0 + 200 * i, 100}, 2 + i, false);
        m = net.addPd({100, 100}, 1);
    }
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
    QCOMPARE(e[1]->powerFeeder(), QList<DiagramItem *>{e[0]});
    QCOMPARE(e[0]->powerFeeder(), QList<DiagramItem *>{m});
    QCOMPARE(m->totalPower(), 27);   // 8 + 1 + 8 + 1 + 8 + 1
    QCOMPARE(e[0]->totalPower(), 26);
    if (loops == 2) {
        // After one loop the far extender still works from the 46 V its
        // feeder had before it saw its own feeder's 45 V.
        QNEAR(e[1]->vin(), 43.2471);
        QNEAR(e[2]->vin(), 45.1426);
        QCOMPARE(e[2]->vout(), 45.0);
        QNEAR(c[2]->vin(), 44.8442);
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
    QNEAR(pointResults(e[2]).loss, 0.9172);
    QNEAR(pointResults(e[2]).available, 8.8080);
    QNEAR(c[2]->vin(), 41.8331);
    QNEAR(c[0]->vin(), 44.8442); // 8 W over 10 m from 45 V
    for (int i = 0; i < 3; ++i) {
        QVERIFY(!e[i]->lowVoltage());
        QVERIFY(!c[i]->lowVoltage());
    }

    // Fixed means fixed: another loop writes nothing at all.
    QList<QSignalSpy *> spies;
    for (QGraphicsItem *item : net.scene()->items()) {
        if (item->type() == DiagramItem::Type)
            spies << new QSignalSpy(static_cast<DiagramItem *>(item)->propertySet(),
                                    &QtnPropertySet::propertyDidChange);
    }
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

    QVERIFY(ext->powerFeeder().isEmpty());
    QVERIFY(other->powerFeeder().isEmpty());
    for (DiagramItem *p : {ext, other}) {
        QVERIFY(p->lowVoltage());
        QCOMPARE(p->vin(), 0.0);
        QCOMPARE(p->vout(), 0.0);
    }
    // Its camera sees a dead source: no current, nothing arrives.
    QVERIFY(cam->lowVoltage());
    QCOMPARE(cam->vin(), 0.0);

    // Plugged into the mains, the point comes alive in the same loop.
    DiagramItem *mains = net.addPd({100, 500}, 3);
    net.connect(mains, ext, 50);
    CalcLoop(net.scene()).run();
    QCOMPARE(ext->powerFeeder(), QList<DiagramItem *>{mains});
    QCOMPARE(other->powerFeeder(), QList<DiagramItem *>{ext});
    QVERIFY(!ext->lowVoltage());
    QVERIFY(ext->vout() > 40.0);
}

void TestNetworkCalc::mainsPointResets()
{
    NetworkBuilder net;
    DiagramItem *p = net.addPd({100, 100}, 1, false);
    CalcLoop loop(net.scene());
    loop.run();
    QCOMPARE(p->vout(), 0.0);
    QVERIFY(p->lowVoltage());

    // Back on the mains: 48 V out, nothing in, flag cleared, results zero.
    p->setPower230(true);
    loop.run();
    QCOMPARE(p->vout(), 48.0);
    QCOMPARE(p->vin(), 0.0);
    QVERIFY(!p->lowVoltage());
    QCOMPARE(pointResults(p).resistance, 0.0);
    QCOMPARE(pointResults(p).vin, 0.0);
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
    QVERIFY(ext->extenderRequired());
    QNEAR(pointResults(ext).loss, 182.9554);
    QNEAR(pointResults(ext).vin, -134.9554);
}

void TestNetworkCalc::sums()
{
    NetworkBuilder net;
    DiagramItem *m = net.addPd({100, 100}, 1);
    DiagramItem *e1 = net.addPd({300, 100}, 2, false);
    DiagramItem *e2 = net.addPd({500, 100}, 3, false);
    net.connect(m, e1, 30);
    net.connect(e1, e2, 30);
    net.connect(m, net.addCamera({100, 300}, 1, 7, 2048), 10);
    net.connect(e1, net.addCamera({300, 300}, 2, 8, 4096), 10);
    net.connect(e2, net.addCamera({500, 300}, 3, 10, 1024), 10);
    net.connect(e2, net.addCamera({550, 300}, 4, 12, 512), 10);
    DiagramItem *loose = net.addCamera({700, 300}, 5, 50, 8192);
    CalcLoop(net.scene()).run();

    // Each extender adds its own 1 W to its feeder's load.
    QCOMPARE(e2->totalPower(), 22);
    QCOMPARE(e1->totalPower(), 8 + 1 + 22);
    QCOMPARE(m->totalPower(), 7 + 1 + 31);
    // Nobody records: no data tree, each point counts its own cameras.
    QCOMPARE(m->totalBitrate(), 2048);
    QCOMPARE(e1->totalBitrate(), 4096);
    QCOMPARE(e2->totalBitrate(), 1536);
    // Anything but a point has no total.
    QCOMPARE(loose->totalPower(), 0);
    QCOMPARE(loose->totalBitrate(), 0);
    // Outside a calculation pass the sums follow the cameras at once.
    DiagramItem *cam = net.addCamera({600, 300}, 6, 20, 100);
    net.connect(e2, cam, 10);
    QCOMPARE(e2->totalPower(), 42);
    QCOMPARE(m->totalPower(), 7 + 1 + 8 + 1 + 42);
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
    // All three on the mains: no power tree at all.
    QCOMPARE(root->totalPower(), 8);
    QVERIFY(middle->powerFeeder().isEmpty());
    // Slots count the recorder and the PC.
    QCOMPARE(root->usedSlots(), 2 + (pc ? 1 : 0) + (nvr ? 1 : 0));
}

void TestNetworkCalc::firstFeederWins()
{
    NetworkBuilder net;
    DiagramItem *a = net.addPd({100, 100}, 1);
    DiagramItem *b = net.addPd({500, 100}, 2);
    DiagramItem *x = net.addPd({300, 100}, 3, false);
    Wire *wa = net.connect(a, x, 50);
    Wire *wb = net.connect(b, x, 150);
    net.connect(x, net.addCamera({300, 300}, 1, 8), 10);
    CalcLoop(net.scene()).run();

    // b lies above a (placed later), so its pass reaches x first.
    QCOMPARE(x->powerFeeder(), QList<DiagramItem *>{b});
    QCOMPARE(b->powerDependants(), QList<DiagramItem *>{x});
    QVERIFY(a->powerDependants().isEmpty());
    QCOMPARE(a->totalPower(), 0);
    QCOMPARE(b->totalPower(), 9);
    // Both mains points feed x's voltage; the wire visited last decides.
    const Wire *last = x->wires().indexOf(wa) > x->wires().indexOf(wb) ? wa : wb;
    // 9 W from 48 V: over 50 m Vin = 47.1783, over 150 m Vin = 45.5350.
    QNEAR(x->vin(), last == wa ? 47.1783 : 45.5350);
    QCOMPARE(x->extenderRequired(), last == wb);
}

void TestNetworkCalc::treesMatchFullPasses_data()
{
    QTest::addColumn<quint32>("seed");
    for (quint32 seed = 1; seed <= 40; ++seed)
        QTest::newRow(qPrintable(QStringLiteral("network %1").arg(seed))) << seed;
}

void TestNetworkCalc::treesMatchFullPasses()
{
    QFETCH(quint32, seed);
    QRandomGenerator rnd(seed);
    NetworkBuilder net;
    QList<DiagramItem *> points;
    const int n = 3 + int(rnd.bounded(20));
    for (int i = 0; i < n; ++i) {
        DiagramItem *p = net.addPd({double(rnd.bounded(1000)), double(rnd.bounded(800))}, uint(i + 1),
                                   rnd.bounded(5) == 0);
        if (rnd.bounded(6) == 0)
            p->setNvr(true);
        points << p;
    }
    const int links = n + int(rnd.bounded(2 * n));
    for (int i = 0; i < links; ++i) {
        const int from = int(rnd.bounded(n));
        const int to = (from + 1 + int(rnd.bounded(n - 1))) % n;
        net.connect(points.at(from), points.at(to), 10);
    }
    // Either order of visiting must give the same trees as the full passes.
    if (rnd.bounded(2))
        std::reverse(points.begin(), points.end());

    QList<QList<DiagramItem *>> feeders, dependants, uplinks, dataDependants;
    referencePowerTree(points);
    referenceDataTree(points);
    for (DiagramItem *p : qAsConst(points)) {
        feeders << p->powerFeeder();
        dependants << p->powerDependants();
        uplinks << p->dataUplink();
        dataDependants << p->dataDependants();
    }
    NetworkCalc::buildPowerTree(points);
    NetworkCalc::buildDataTree(points);
    for (int i = 0; i < points.size(); ++i) {
        QCOMPARE(points.at(i)->powerFeeder(), feeders.at(i));
        QCOMPARE(points.at(i)->powerDependants(), dependants.at(i));
        QCOMPARE(points.at(i)->dataUplink(), uplinks.at(i));
        QCOMPARE(points.at(i)->dataDependants(), dataDependants.at(i));
    }
}

void TestNetworkCalc::loopRepeatsOnRequest()
{
    NetworkBuilder net;
    DiagramItem *m = net.addPd({100, 100}, 1);
    DiagramItem *e = net.addPd({300, 100}, 2, false);
    Wire *w = net.connect(m, e, 50);
    bool flag = true; // left over from before: the loop clears it first
    CalcLoop loop(net.scene(), &flag);
    QCOMPARE(loop.run(), 1);
    QCOMPARE(flag, false);

    // The cable's set is shown while the loop runs; a change it relays asks
    // for one more pass (here a change made when the extender's output moves).
    loop.watchDisplayedSet(w->propertySet());
    e->setPower230(true);
    QObject::connect(&e->pdSet()->Vout, &QtnPropertyBase::propertyDidChange, [w] { w->setLength(60); });
    QCOMPARE(loop.run(), 2);
    QCOMPARE(w->length(), 60u);

    // Nothing shown, nothing asked.
    loop.watchDisplayedSet(nullptr);
    e->setPower230(false);
    w->setLength(70);
    QCOMPARE(loop.run(), 1);
}

QTEST_MAIN(TestNetworkCalc)
#include "tst_networkcalc.moc"
