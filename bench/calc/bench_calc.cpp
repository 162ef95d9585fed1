// One calculation loop (model pass, two voltage passes) over generated
// networks of 10, 100 and 1000 cameras: points of 8 cameras each, in chains
// of a mains point followed by three PoE-fed extenders, with the bundled
// catalogue. A loop that grows faster than the network is a loop that
// someone will feel on a large site.

#include "calc/calcloop.h"
#include "calc/modelselection.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"

#include <QDir>
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

Wire *join(DiagramScene *scene, DiagramItem *a, DiagramItem *b, uint length)
{
    auto *wire = new Wire(a, b);
    a->addWire(wire);
    b->addWire(wire);
    wire->setZValue(-1000.0);
    scene->addItem(wire);
    wire->updatePosition();
    wire->setLength(length);
    return wire;
}

std::unique_ptr<DiagramScene> network(int cameras)
{
    const int CamerasPerPoint = 8;
    const int PointsPerChain = 4;
    std::unique_ptr<DiagramScene> scene(new DiagramScene(nullptr));
    DiagramItem *previous = nullptr;
    int point = 0;
    for (int placed = 0; placed < cameras; ++point) {
        const bool head = point % PointsPerChain == 0;
        const double x = 400.0 * (point % PointsPerChain);
        const double y = 300.0 * (point / PointsPerChain);
        auto *pd = new DiagramItem(DiagramItem::PD, nullptr);
        scene->addItem(pd);
        pd->setPos(x, y);
        pd->setNumber(uint(point % 100));
        if (!head) {
            pd->setPower230(false);
            join(scene.get(), previous, pd, 60);
        }
        for (int c = 0; c < CamerasPerPoint && placed < cameras; ++c, ++placed) {
            auto *cam = new DiagramItem(DiagramItem::Camera, nullptr);
            scene->addItem(cam);
            cam->setPos(x - 140 + 40 * c, y + 150);
            cam->setPower(uint(5 + placed % 8));
            cam->setBitrate(2048 + 1024 * (placed % 4));
            join(scene.get(), pd, cam, uint(10 + placed % 90));
        }
        previous = pd;
    }
    return scene;
}

} // namespace

class BenchCalc : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void firstLoop_data() { sizes(); }
    void firstLoop();
    void loop_data() { sizes(); }
    void loop();

private:
    void sizes();
    QTemporaryDir m_dir;
};

void BenchCalc::sizes()
{
    QTest::addColumn<int>("cameras");
    QTest::newRow("10 cameras") << 10;
    QTest::newRow("100 cameras") << 100;
    QTest::newRow("1000 cameras") << 1000;
}

void BenchCalc::initTestCase()
{
    qInstallMessageHandler(quiet);
    // A copy, so that nothing a pass might do touches the shipped file.
    const QString shipped = QStringLiteral(MOX_CATALOGUE_DB);
    const QString copy = m_dir.filePath(QStringLiteral("moxproducts.db"));
    QVERIFY2(QFile::copy(shipped, copy), qPrintable(QStringLiteral("no catalogue at ") + shipped));
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(copy);
    QVERIFY(db.open());
    installModelSelection();
}

void BenchCalc::cleanupTestCase()
{
    {
        QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
        db.close();
    }
    QSqlDatabase::removeDatabase(QLatin1String(QSqlDatabase::defaultConnection));
}

// The first loop over a network just built or loaded: every point gets its
// trees, model and voltages written for the first time.
void BenchCalc::firstLoop()
{
    QFETCH(int, cameras);
    std::unique_ptr<DiagramScene> scene = network(cameras);
    CalcLoop calc(scene.get());
    QBENCHMARK_ONCE {
        calc.run();
    }
}

// The loop that follows every edit once the network has settled.
void BenchCalc::loop()
{
    QFETCH(int, cameras);
    std::unique_ptr<DiagramScene> scene = network(cameras);
    CalcLoop calc(scene.get());
    calc.run();
    QBENCHMARK {
        calc.run();
    }
}

QTEST_MAIN(BenchCalc)
#include "bench_calc.moc"
