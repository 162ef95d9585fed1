// The cable formula, the catalogue statement of a point's needs and the
// diagnosis texts, checked without any scene.

#include "calc/cabledrop.h"
#include "calc/pddiagnosis.h"
#include "calc/pdrequirements.h"

#include <QSet>
#include <QtTest>

class TestCalcFormula : public QObject
{
    Q_OBJECT

private slots:
    void cableDrop_data();
    void cableDrop();
    void statement_data();
    void statement();
    void diagnosis_data();
    void diagnosis();
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

    // I = 8/48; R = 50/0.19625*1e6*1.72e-8; dV = I*R; Vin = 48 - dV.
    QTest::newRow("camera 8 W at 50 m") << 50.0 << 48.0 << 8.0 << 0.1667 << 4.3822 << 0.7304 << 47.2696
                                        << 0.1217 << 7.8783 << false << false;
    // Extender carrying 40 W of cameras plus its own 1 W.
    QTest::newRow("extender at 100 m") << 100.0 << 48.0 << 41.0 << 0.8542 << 8.7643 << 7.4862 << 40.5138
                                       << 6.3945 << 34.6055 << false << false;
    QTest::newRow("extender at 101 m") << 101.0 << 48.0 << 41.0 << 0.8542 << 8.8520 << 7.5611 << 40.4389
                                       << 6.4584 << 34.5416 << true << false;
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
    QTest::newRow("bare point") << 0 << 0 << false << 0 << 0 << QString() << 0
        << QStringLiteral("select * from pd where power_backup = 0 AND camera_slots >= \"0\" AND power230 = \"0\" "
                          "AND camera_total_power_max >= \"0\" AND bitrate >= \"0\";");
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
    QTest::newRow("without load") << 6 << 1 << true << 41 << 4096 << QStringLiteral("A") << int(PdRequirements::Load)
        << QStringLiteral("select * from pd where power_backup = 1 AND camera_slots >= \"6\" AND boxtype = \"A\" "
                          "AND power230 = \"1\" AND bitrate >= \"4096\";");
    QTest::newRow("without slots") << 6 << 0 << false << 41 << 4096 << QString() << int(PdRequirements::Slots)
        << QStringLiteral("select * from pd where power_backup = 0 AND power230 = \"0\" "
                          "AND camera_total_power_max >= \"41\" AND bitrate >= \"4096\";");
    QTest::newRow("only the kind of box") << 6 << 1 << false << 41 << 4096 << QStringLiteral("B")
        << int(PdRequirements::Slots | PdRequirements::Load | PdRequirements::Throughput)
        << QStringLiteral("select * from pd where power_backup = 1 AND boxtype = \"B\" AND power230 = \"0\";");
    QTest::newRow("large numbers, no grouping") << 123 << 0 << true << 12345 << 1234567 << QString() << 0
        << QStringLiteral("select * from pd where power_backup = 0 AND camera_slots >= \"123\" AND power230 = \"1\" "
                          "AND camera_total_power_max >= \"12345\" AND bitrate >= \"1234567\";");
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

void TestCalcFormula::diagnosis_data()
{
    // Which left-out criteria make the catalogue answer, as the set of
    // PdRequirements::Criterion combinations that find a row.
    QTest::addColumn<QList<int>>("finding");
    QTest::addColumn<QString>("message");
    QTest::addColumn<bool>("overflow");
    QTest::addColumn<int>("asked");

    using R = PdRequirements;
    const QString m1 = QStringLiteral("<font color=\"red\">\nMaksymalnego bitrate</font>");
    const QString m2 = QStringLiteral("<font color=\"red\"><b>\nMaksymalnego obciążenia</b></font>");
    const QString m3 = QStringLiteral("<font color=\"red\">\nLiczby slotów PoE</font>");
    const QString m4 = QStringLiteral("<font color=\"red\"><b>\nLiczby slotów PoE\nMaksymalnego obciążenia</b></font>");
    const QString m5 = QStringLiteral("<font color=\"red\"><b><br>Liczby slotów PoE<br>Maksymalnego obciążenia"
                                      "<br>Maksymalnego bitrate</b></font>");

    QTest::newRow("nothing helps") << QList<int>() << QString() << false << 5;
    QTest::newRow("M1 throughput") << QList<int>{R::Throughput} << m1 << false << 3;
    QTest::newRow("M2 load") << QList<int>{R::Load} << m2 << false << 3;
    QTest::newRow("M3 slots") << QList<int>{R::Slots} << m3 << true << 3;
    QTest::newRow("M1 and M3 together") << QList<int>{R::Throughput, R::Slots} << m1 + m3 << true << 3;
    QTest::newRow("M1 M2 M3 in order") << QList<int>{R::Slots, R::Load, R::Throughput} << m1 + m2 + m3 << true << 3;
    QTest::newRow("M4 slots and load") << QList<int>{R::Slots | R::Load} << m4 << true << 4;
    QTest::newRow("M5 all three") << QList<int>{R::Slots | R::Load | R::Throughput} << m5 << true << 5;
    // A combined step that would also find is not consulted after a single one.
    QTest::newRow("M2 wins over M4") << QList<int>{R::Load, R::Slots | R::Load} << m2 << false << 3;
    QTest::newRow("M4 wins over M5") << QList<int>{R::Slots | R::Load, R::Slots | R::Load | R::Throughput} << m4
                                     << true << 4;
}

void TestCalcFormula::diagnosis()
{
    QFETCH(QList<int>, finding);
    PdRequirements req;
    req.slotCount = 12;
    req.power = 200;
    req.bitrate = 60000;
    req.mains = true;
    QSet<QString> findingStatements;
    for (int leftOut : finding)
        findingStatements.insert(req.selectionStatement(leftOut));
    QStringList asked;
    const PdDiagnosis d = PdDiagnosis::run(req, [&](const QString &s) {
        asked << s;
        return findingStatements.contains(s);
    });
    QFETCH(QString, message);
    QCOMPARE(d.toolTip, QStringLiteral("<nobr>Brak punktu dystrybucyjnego spełniających warunek</nobr> ") + message);
    QTEST(d.slotOverflow, "overflow");
    QTEST(int(asked.size()), "asked");
    // The steps ask in their fixed order, and never the full statement.
    const QList<int> order{PdRequirements::Throughput, PdRequirements::Load, PdRequirements::Slots,
                            PdRequirements::Slots | PdRequirements::Load,
                            PdRequirements::Slots | PdRequirements::Load | PdRequirements::Throughput};
    for (int i = 0; i < asked.size(); ++i)
        QCOMPARE(asked.at(i), req.selectionStatement(order.at(i)));
}

QTEST_APPLESS_MAIN(TestCalcFormula)
#include "tst_calcformula.moc"
