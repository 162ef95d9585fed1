// The cable formula at its edges and the catalogue statement of a point's
// needs, checked without any scene; the worked cases run through scenes.

#include "calc/cabledrop.h"
#include "calc/pdrequirements.h"

#include <QtTest>

class TestCalcFormula : public QObject
{
    Q_OBJECT

private slots:
    void cableDrop_data();
    void cableDrop();
    void statement_data();
    void statement();
};

static const double Eps = 0.00005; // four decimals

void TestCalcFormula::cableDrop_data()
{
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("source");
    QTest::addColumn<double>("load");
    QTest::addColumn<double>("current");
    QTest::addColumn<double>("resistance");
    QTest::addColumn<double>("loss");
    QTest::addColumn<double>("vin");
    QTest::addColumn<double>("lost");
    QTest::addColumn<double>("available");
    QTest::addColumn<bool>("longCable");
    QTest::addColumn<bool>("low");

    // 60 W from a 40 V point over 200 m: I = 1.5, R = 17.5287, dV = 26.2930.
    QTest::newRow("heavy load far away") << 200.0 << 40.0 << 60.0 << 1.5 << 17.5287 << 26.2930 << 13.7070
                                         << 39.4395 << 20.5605 << true << true;
    // A dead source carries no current: nothing arrives.
    QTest::newRow("dead source") << 50.0 << 0.0 << 8.0 << 0.0 << 4.3822 << 0.0 << 0.0 << 0.0 << 0.0 << false
                                 << true;
    // Exactly 40 V arriving is already too low, 41 V is not.
    QTest::newRow("40 V is low") << 10.0 << 40.0 << 0.0 << 0.0 << 0.8764 << 0.0 << 40.0 << 0.0 << 0.0 << false
                                 << true;
    QTest::newRow("41 V is fine") << 10.0 << 41.0 << 0.0 << 0.0 << 0.8764 << 0.0 << 41.0 << 0.0 << 0.0 << false
                                  << false;
    // The drop may exceed the source: the far end goes negative.
    QTest::newRow("drop beyond the source") << 200.0 << 10.0 << 100.0 << 10.0 << 17.5287 << 175.2866
                                            << -165.2866 << 1752.8662 << -1652.8662 << true << true;
}

void TestCalcFormula::cableDrop()
{
    QFETCH(double, length);
    QFETCH(double, source);
    QFETCH(double, load);
    const CableDrop d = CableDrop::compute(length, source, load);
    QFETCH(double, current);
    QFETCH(double, resistance);
    QFETCH(double, loss);
    QFETCH(double, vin);
    QFETCH(double, lost);
    QFETCH(double, available);
    QVERIFY2(qAbs(d.current - current) < Eps, qPrintable(QString::number(d.current, 'f', 6)));
    QVERIFY2(qAbs(d.resistance - resistance) < Eps, qPrintable(QString::number(d.resistance, 'f', 6)));
    QVERIFY2(qAbs(d.voltageLoss - loss) < Eps, qPrintable(QString::number(d.voltageLoss, 'f', 6)));
    QVERIFY2(qAbs(d.vin - vin) < Eps, qPrintable(QString::number(d.vin, 'f', 6)));
    QVERIFY2(qAbs(d.powerLost - lost) < Eps, qPrintable(QString::number(d.powerLost, 'f', 6)));
    QVERIFY2(qAbs(d.powerAvailable - available) < Eps, qPrintable(QString::number(d.powerAvailable, 'f', 6)));
    QTEST(d.longCable, "longCable");
    QTEST(d.lowVoltage, "low");
    // The parts must add up: what is lost and what arrives is what was sent.
    QVERIFY(qAbs(d.powerLost + d.powerAvailable - d.current * source) < 1e-9);
}

void TestCalcFormula::statement_data()
{
    QTest::addColumn<int>("slotCount");
    QTest::addColumn<int>("backup");
    QTest::addColumn<bool>("mains");
    QTest::addColumn<int>("power");
    QTest::addColumn<int>("bitrate");
    QTest::addColumn<QString>("box");
    QTest::addColumn<int>("leftOut");
    QTest::addColumn<QString>("expected");

    QTest::newRow("worked example") << 6 << 1 << true << 41 << 4096 << QString() << 0
        << QStringLiteral("select * from pd where power_backup = 1 AND camera_slots >= \"6\" AND power230 = \"1\" "
                          "AND camera_total_power_max >= \"41\" AND bitrate >= \"4096\";");
    QTest::newRow("enclosure after slots") << 9 << 0 << true << 120 << 1000000
        << QStringLiteral("Zewnętrzna (IP65)") << 0
        << QStringLiteral("select * from pd where power_backup = 0 AND camera_slots >= \"9\" AND boxtype = "
                          "\"Zewnętrzna (IP65)\" AND power230 = \"1\" AND camera_total_power_max >= \"120\" "
                          "AND bitrate >= \"1000000\";");
    // An enclosure text with a double quote stays one literal.
    QTest::newRow("quote in enclosure") << 17 << 1 << true << 135 << 8192 << QStringLiteral("Szafa RACK 19\"") << 0
        << QStringLiteral("select * from pd where power_backup = 1 AND camera_slots >= \"17\" AND boxtype = "
                          "\"Szafa RACK 19\"\"\" AND power230 = \"1\" AND camera_total_power_max >= \"135\" "
                          "AND bitrate >= \"8192\";");
    QTest::newRow("without throughput") << 6 << 1 << true << 41 << 4096 << QString() << int(PdRequirements::Throughput)
        << QStringLiteral("select * from pd where power_backup = 1 AND camera_slots >= \"6\" AND power230 = \"1\" "
                          "AND camera_total_power_max >= \"41\";");
    QTest::newRow("without slots") << 6 << 0 << false << 41 << 4096 << QString() << int(PdRequirements::Slots)
        << QStringLiteral("select * from pd where power_backup = 0 AND power230 = \"0\" "
                          "AND camera_total_power_max >= \"41\" AND bitrate >= \"4096\";");
    QTest::newRow("only the kind of box") << 6 << 1 << false << 41 << 4096 << QStringLiteral("B")
        << int(PdRequirements::Slots | PdRequirements::Load | PdRequirements::Throughput)
        << QStringLiteral("select * from pd where power_backup = 1 AND boxtype = \"B\" AND power230 = \"0\";");
}

void TestCalcFormula::statement()
{
    PdRequirements r;
    QFETCH(int, slotCount);
    QFETCH(int, backup);
    QFETCH(bool, mains);
    QFETCH(int, power);
    QFETCH(int, bitrate);
    QFETCH(QString, box);
    QFETCH(int, leftOut);
    r.slotCount = slotCount;
    r.backup = backup;
    r.mains = mains;
    r.power = power;
    r.bitrate = bitrate;
    r.boxTypeRequired = !box.isEmpty();
    r.boxType = box;
    QTEST(r.selectionStatement(leftOut), "expected");
}

QTEST_APPLESS_MAIN(TestCalcFormula)
#include "tst_calcformula.moc"
