// The PoE check against the calculation loop it follows, with the bundled
// catalogue, on two kinds of network:
// - "site": how a large site is drawn - mains points of 12 cameras on Cat5e,
//   four to a recorder, every second one feeding a PoE extender with three
//   cameras over 60 m of Cat6; few remarks;
// - "chains": chains of a mains point and three PoE-fed extenders with 8
//   cameras each (the network of the calculation benchmark), which overloads
//   every extender: a remark on most devices, every one formatted.
// The check runs after every edit, so it must stay a small part of the loop.

#include "calc/calcloop.h"
#include "calc/modelselection.h"
#include "check/poecheck.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "networkbuilder.h"

#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

#ifndef MOX_CATALOGUE_DB
#define MOX_CATALOGUE_DB ""
#endif

namespace {

void quiet(QtMsgType type, const QMessageLogContext &, const QString &message)
{
    // The passes log every point they look at; the terminal would be timed.
    if (type != QtDebugMsg)
        fprintf(stderr, "%s\n", qPrintable(message));
}

void cameraOn(NetworkBuilder &net, DiagramItem *point, int placed, const QPointF &pos)
{
    DiagramItem *camera = net.addCamera(pos, uint(placed % 100), uint(5 + placed % 8), 2048 + 1024 * (placed % 4));
    net.connect(point, camera, uint(10 + placed % 80))->setType(QStringLiteral("UTP kat.5E"));
}

std::unique_ptr<NetworkBuilder> site(int cameras)
{
    std::unique_ptr<NetworkBuilder> net(new NetworkBuilder);
    DiagramItem *recorder = nullptr;
    int placed = 0;
    for (int point = 0; placed < cameras; ++point) {
        const double x = 500.0 * (point % 4);
        const double y = 400.0 * (point / 4);
        DiagramItem *pd = net->addPd({x, y}, uint(point % 100));
        if (point % 4 == 0) {
            pd->setNvr(true);
            recorder = pd;
        } else {
            net->connect(recorder, pd, 40)->setType(QStringLiteral("UTP kat.5E"));
        }
        for (int c = 0; c < 12 && placed < cameras; ++c, ++placed)
            cameraOn(*net, pd, placed, {x - 200 + 25 * c, y + 150});
        if (point % 2 == 1 && placed < cameras) {
            DiagramItem *extender = net->addPd({x + 200, y + 200}, uint(point % 100), false);
            net->connect(pd, extender, 60)->setType(QStringLiteral("UTP kat.6"));
            for (int c = 0; c < 3 && placed < cameras; ++c, ++placed)
                cameraOn(*net, extender, placed, {x + 150 + 25 * c, y + 300});
        }
    }
    return net;
}

std::unique_ptr<NetworkBuilder> chains(int cameras)
{
    const int CamerasPerPoint = 8;
    const int PointsPerChain = 4;
    std::unique_ptr<NetworkBuilder> net(new NetworkBuilder);
    DiagramItem *previous = nullptr;
    int placed = 0;
    for (int point = 0; placed < cameras; ++point) {
        const bool head = point % PointsPerChain == 0;
        const double x = 400.0 * (point % PointsPerChain);
        const double y = 300.0 * (point / PointsPerChain);
        DiagramItem *pd = net->addPd({x, y}, uint(point % 100), head);
        if (head)
            pd->setNvr(true);
        else
            net->connect(previous, pd, 60)->setType(QStringLiteral("UTP kat.6"));
        for (int c = 0; c < CamerasPerPoint && placed < cameras; ++c, ++placed)
            cameraOn(*net, pd, placed, {x - 140 + 40 * c, y + 150});
        previous = pd;
    }
    return net;
}

std::unique_ptr<NetworkBuilder> network(const QString &kind, int cameras)
{
    return kind == QLatin1String("site") ? site(cameras) : chains(cameras);
}

} // namespace

class BenchPoeCheck : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void calculationLoop_data() { sizes(); }
    void calculationLoop();
    void check_data() { sizes(); }
    void check();
    void checkAsTheEditorRunsIt_data() { sizes(); }
    void checkAsTheEditorRunsIt();

private:
    void sizes();
    QTemporaryDir m_dir;
};

void BenchPoeCheck::sizes()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("cameras");
    QTest::newRow("site, 100 cameras") << "site" << 100;
    QTest::newRow("site, 1000 cameras") << "site" << 1000;
    QTest::newRow("chains, 1000 cameras") << "chains" << 1000;
}

void BenchPoeCheck::initTestCase()
{
    qInstallMessageHandler(quiet);
    const QString copy = m_dir.filePath(QStringLiteral("moxproducts.db"));
    QVERIFY2(QFile::copy(QStringLiteral(MOX_CATALOGUE_DB), copy), "no catalogue beside the editor");
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(copy);
    QVERIFY(db.open());
    installModelSelection();
}

void BenchPoeCheck::cleanupTestCase()
{
    {
        QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
}

// The loop that follows every edit once the network has settled.
void BenchPoeCheck::calculationLoop()
{
    QFETCH(QString, kind);
    QFETCH(int, cameras);
    std::unique_ptr<NetworkBuilder> net = network(kind, cameras);
    CalcLoop calc(net->scene());
    calc.run();
    QBENCHMARK {
        calc.run();
    }
}

// The check alone, as the command line runs it.
void BenchPoeCheck::check()
{
    QFETCH(QString, kind);
    QFETCH(int, cameras);
    std::unique_ptr<NetworkBuilder> net = network(kind, cameras);
    CalcLoop(net->scene()).run();
    int findings = 0;
    QBENCHMARK {
        findings = PoeCheck::run(net->scene()).findings.size();
    }
    qInfo("%d remarks", findings);
}

// With the storage written into the recorders and the marks on the sheet,
// as the editor does after each loop.
void BenchPoeCheck::checkAsTheEditorRunsIt()
{
    QFETCH(QString, kind);
    QFETCH(int, cameras);
    std::unique_ptr<NetworkBuilder> net = network(kind, cameras);
    CalcLoop(net->scene()).run();
    QBENCHMARK {
        const PoeCheckResult result = PoeCheck::run(net->scene());
        PoeCheck::writeStorage(result);
        PoeCheck::markItems(result, true);
    }
}

QTEST_MAIN(BenchPoeCheck)
#include "bench_poecheck.moc"
