// The PoE check against the calculation loop it follows, with the bundled
// catalogue, on two kinds of network:
// - "site": how a large site is drawn - mains points of 12 cameras on Cat5e,
//   four to a recorder, every second one feeding a PoE extender with three
//   cameras over 60 m of Cat6; few remarks;
// - "chains": chains of a mains point and three PoE-fed extenders with 8
//   cameras each (the network of the calculation benchmark), which overloads
//   every extender: a remark on most devices, every one formatted.
// The check runs after every edit, so it must stay a small part of the loop;
// the editor runs both in one look at the catalogue, as here.
// "report" prints medians (wall / CPU of the thread) of the loop and of the
// check as the editor runs it, on a settled network, after an edit that
// changes one camera's power at the far end of the network, after a camera
// drawn there with its cable, after one of them taken away, after an edit of
// a camera's power a third into the drawing (in "chains", a whole chain is
// solved and worded again) and after a camera amid the drawing taken away
// (it leaves a hole), and the ratio:
//   QT_QPA_PLATFORM=offscreen nice -n 10 ./bench/check/bench_poecheck report

#include "calc/calcloop.h"
#include "calc/modelselection.h"
#include "catalogue/catalogue.h"
#include "check/poecheck.h"
#include "check/poechecktracker.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "benchsupport.h"
#include "networkbuilder.h"
#include "propertysets/qtnpropertysetcamera.h"

#include <QFile>
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>

#include <functional>
#include <memory>

#ifndef MOX_CATALOGUE_DB
#define MOX_CATALOGUE_DB ""
#endif

namespace {

DiagramItem *cameraOn(NetworkBuilder &net, DiagramItem *point, int placed, const QPointF &pos)
{
    DiagramItem *camera = net.addCamera(pos, uint(placed % 100), uint(5 + placed % 8), 2048 + 1024 * (placed % 4));
    net.connect(point, camera, uint(10 + placed % 80))->setType(QStringLiteral("UTP kat.5E"));
    return camera;
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
    void report();
    void check_data();
    void check();

private:
    QTemporaryDir m_dir;
};

void BenchPoeCheck::initTestCase()
{
    bench::quietLog();
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

namespace {

// What the editor does after each calculation loop: the check brought up to
// date, the storage written into the recorders, the marks on the sheet.
void checkAsTheEditorRunsIt(PoeCheckTracker &tracker, QGraphicsScene *scene)
{
    const quint64 revision = tracker.revision();
    tracker.update(scene);
    tracker.writeStorage();
    if (tracker.revision() != revision)
        tracker.markItems(true);
}

} // namespace

void BenchPoeCheck::report()
{
    const int Runs = qEnvironmentVariableIsEmpty("MOX_BENCH_RUNS") ? 41 : qEnvironmentVariableIntValue("MOX_BENCH_RUNS");
    std::printf("\nmedians of %d runs, ms, wall / CPU of the thread; the check as the editor runs it after the\n"
                "loop that follows: nothing changed, a camera's power changed, a camera drawn (a new shape),\n"
                "a camera drawn before taken away with its cable, the power of a camera a third into the\n"
                "drawing changed, a camera amid the drawing taken away\n",
                Runs);
    std::printf("%-20s %-10s %17s %17s %10s\n", "network", "after", "loop", "check", "check/loop");
    for (const QString &kind : {QStringLiteral("site"), QStringLiteral("chains")}) {
        for (int cameras : {100, 1000, 5000}) {
            if (!qEnvironmentVariableIsEmpty("MOX_BENCH_ONLY")
                && qgetenv("MOX_BENCH_ONLY") != (kind + QString::number(cameras)).toUtf8())
                continue;
            std::unique_ptr<NetworkBuilder> net = network(kind, cameras);
            QGraphicsScene *scene = net->scene();
            CalcLoop calc(scene);
            calc.run();
            PoeCheckTracker tracker;
            checkAsTheEditorRunsIt(tracker, scene);
            // The last camera drawn hangs at the far end of the network.
            DiagramItem *camera = nullptr;
            DiagramItem *point = nullptr;
            QList<DiagramItem *> amid;
            for (QGraphicsItem *item : scene->items(Qt::AscendingOrder)) {
                if (item->type() != DiagramItem::Type)
                    continue;
                if (static_cast<DiagramItem *>(item)->diagramType() == DiagramItem::Camera)
                    amid << (camera = static_cast<DiagramItem *>(item));
                else
                    point = static_cast<DiagramItem *>(item);
            }
            amid.removeLast(); // the one edited stays
            int edits = 0;
            const auto edit = [&] { camera->cameraSet()->Power.setValue(++edits % 2 ? 7 : 9); };
            QList<DiagramItem *> drawn;
            const auto draw = [&] {
                ++edits;
                drawn << cameraOn(*net, point, edits, point->pos() + QPointF(edits % 40, 300));
            };
            // The cameras drawn go again, last drawn first, with their cables.
            const auto takeAway = [&] {
                DiagramItem *gone = drawn.takeLast();
                gone->removeWires();
                delete gone;
            };
            // A camera amid the drawing goes: every element after it moves.
            const auto takeAmid = [&] {
                DiagramItem *gone = amid.takeAt(amid.size() / 2);
                gone->removeWires();
                delete gone;
            };
            const auto print = [&](const char *after, bench::Duration loop, bench::Duration check) {
                std::printf("%-6s %5d cameras  %-10s %8.3f /%7.3f %8.3f /%7.3f %9.1f %%\n", qPrintable(kind),
                            cameras, after, bench::ms(loop.wall), bench::ms(loop.cpu), bench::ms(check.wall),
                            bench::ms(check.cpu), 100.0 * double(check.cpu) / double(qMax<qint64>(1, loop.cpu)));
            };
            // The editor runs the loop and the check in one look at the catalogue.
            std::unique_ptr<Catalogue::Pass> pass;
            const auto measure = [&](const char *after, const std::function<void()> &change) {
                if (!qEnvironmentVariableIsEmpty("MOX_BENCH_ROW") && !qgetenv("MOX_BENCH_ROW").contains(after))
                    return;
                const bench::Duration loop = bench::medianOf(Runs, [&] { calc.run(); }, [&] {
                    checkAsTheEditorRunsIt(tracker, scene);
                    pass.reset();
                    change();
                    pass.reset(new Catalogue::Pass);
                });
                const bench::Duration check = bench::medianOf(Runs, [&] { checkAsTheEditorRunsIt(tracker, scene); },
                                                              [&] {
                                                                  pass.reset();
                                                                  change();
                                                                  pass.reset(new Catalogue::Pass);
                                                                  calc.run();
                                                              });
                pass.reset();
                print(after, loop, check);
            };
            measure("nothing", [] {});
            measure("an edit", edit);
            measure("a camera", draw);
            measure("camera gone", takeAway);
            // A camera's power a third into the drawing, amid a full chain.
            int amidEdits = 0;
            const auto editAmid = [&] { amid.at(amid.size() / 3)->cameraSet()->Power.setValue(++amidEdits % 2 ? 7 : 9); };
            measure("edit amid", editAmid);
            measure("one amid", takeAmid);
        }
    }
    std::fflush(stdout);
}

void BenchPoeCheck::check_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("cameras");
    QTest::newRow("site, 1000 cameras") << "site" << 1000;
    QTest::newRow("chains, 1000 cameras") << "chains" << 1000;
}

// The check alone on a settled network, as the command line runs it (for
// -callgrind and the other QtTest back ends).
void BenchPoeCheck::check()
{
    QFETCH(QString, kind);
    QFETCH(int, cameras);
    std::unique_ptr<NetworkBuilder> net = network(kind, cameras);
    CalcLoop(net->scene()).run();
    QBENCHMARK {
        PoeCheck::run(net->scene());
    }
}

QTEST_MAIN(BenchPoeCheck)
#include "bench_poecheck.moc"
