// One edit in the property panel of the editor window, with 1000 and 5000
// cameras loaded, timed from the new value to the end of the repaint it
// causes: the window is shown (offscreen, 1600 x 1000, the sheet at 1:1), the
// set of the selected element is changed through its property exactly as
// the panel's editor does it, the selection binding recalculates, and the
// events are processed until the sheet's view has painted what changed (or
// until they are through, when nothing shown changed). Reported per kind of
// edit: medians of the whole edit, of the recalculation and of the repaint,
// the SQL statements the edit ran, the number of distribution points whose
// requirements changed and the share of the view painted again.
//   nice -n 10 ./bench/app/bench_edit report
#include "benchsupport.h"
#include "scripteddialogseam.h"
#include "temporaryhome.h"
#include "testcatalogue.h"

#include "app/mainwindow.h"
#include "calc/modelselection.h"
#include "calc/pdrequirements.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "undo/undohistory.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetwire.h"

#include <QElapsedTimer>
#include <QGraphicsView>
#include <QtTest>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>

namespace {

const int Edits = 21;

// Counts the paints of the sheet's viewport and the area they cover.
class PaintCounter : public QObject
{
public:
    int paints = 0;
    qint64 area = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            ++paints;
            for (const QRect &rect : static_cast<QPaintEvent *>(event)->region())
                area += qint64(rect.width()) * rect.height();
        }
        return false;
    }
};

// Posted events are delivered in rounds: the scene gathers the items'
// updates, the view asks its viewport for a paint, the window paints. An
// edit that shows nothing new paints nothing, so the wait ends when a paint
// came or when this many rounds brought none.
const int EventRounds = 8;

QList<DiagramItem *> itemsOfKind(QGraphicsScene *scene, DiagramItem::DiagramType kind)
{
    QList<DiagramItem *> out;
    for (QGraphicsItem *item : scene->items(Qt::AscendingOrder)) {
        if (item->type() == DiagramItem::Type && static_cast<DiagramItem *>(item)->diagramType() == kind)
            out << static_cast<DiagramItem *>(item);
    }
    return out;
}

} // namespace

class BenchEdit : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void report();
    void cameraPower_data();
    void cameraPower();

private:
    struct Figures {
        bench::Duration total, calc, repaint;
        int statements = 0;
        int changedPoints = 0;
        // Median share of the view's area painted again, in per cent.
        double paintedShare = 0;
        // A paint that came only after the rounds the wait allows.
        bool late = false;
    };
    void open(int cameras);
    void select(QGraphicsItem *item);
    // Applies edit (i) Edits times and returns the medians.
    Figures measure(const std::function<void(int)> &edit);
    QVector<PdRequirements> requirements() const;

    // The window autosaves into ~/mox: a run must not leave files there
    // that the next start of the editor offers to recover.
    TemporaryHome m_home;
    ScriptedDialogSeam m_seam;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<TestCatalogue> m_catalogue;
    PaintCounter m_paints;
    QMap<int, QString> m_paths;
    QList<DiagramItem *> m_points;
};

void BenchEdit::initTestCase()
{
    Q_INIT_RESOURCE(images);
    bench::quietLog();
    m_window.reset(new MainWindow(&m_seam));
    m_window->resize(1600, 1000);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    m_window->projectDoc()->view()->viewport()->installEventFilter(&m_paints);
    m_catalogue.reset(new TestCatalogue);
    QVERIFY2(m_catalogue->createBundled(), qPrintable(m_catalogue->lastError()));
    for (int n : {1000, 5000}) {
        m_paths[n] = bench::writeTemporaryFile(QStringLiteral("generated%1.mox").arg(n), bench::generateProject(n));
        QVERIFY(!m_paths[n].isEmpty());
    }
}

void BenchEdit::cleanupTestCase()
{
    m_window.reset();
    m_catalogue.reset();
}

void BenchEdit::open(int cameras)
{
    m_window->loadProject(m_paths.value(cameras));
    QCoreApplication::processEvents();
    m_points = itemsOfKind(m_window->scene(), DiagramItem::PD);
}

void BenchEdit::select(QGraphicsItem *item)
{
    m_window->scene()->clearSelection();
    item->setSelected(true);
    for (int round = 0; round < EventRounds; ++round)
        QCoreApplication::processEvents();
}

QVector<PdRequirements> BenchEdit::requirements() const
{
    QVector<PdRequirements> out;
    for (const DiagramItem *point : m_points)
        out << ModelSelection::requirements(point);
    return out;
}

BenchEdit::Figures BenchEdit::measure(const std::function<void(int)> &edit)
{
    QVector<qint64> totals, calcs, repaints, totalsCpu, calcsCpu, repaintsCpu, statements, changed, areas;
    Figures f;
    const QWidget *viewport = m_window->projectDoc()->view()->viewport();
    const qint64 viewArea = qint64(viewport->width()) * viewport->height();
    for (int i = 0; i < Edits; ++i) {
        const QVector<PdRequirements> before = requirements();
        bench::SqlStatementCounter counter;
        const int paintsBefore = m_paints.paints;
        const qint64 areaBefore = m_paints.area;
        bench::Stopwatch watch;
        edit(i);
        const bench::Duration calc = watch.elapsed();
        // The repaint the edit asked for: delivered by the event loop.
        for (int round = 0; round < EventRounds && m_paints.paints == paintsBefore; ++round)
            QCoreApplication::processEvents();
        const bench::Duration total = watch.elapsed();
        const int paintsSeen = m_paints.paints;
        for (int round = 0; round < EventRounds; ++round)
            QCoreApplication::processEvents();
        f.late = f.late || m_paints.paints != paintsSeen;
        areas << (m_paints.area - areaBefore) * 1000 / viewArea;
        statements << counter.count();
        const QVector<PdRequirements> after = requirements();
        int differing = 0;
        for (int p = 0; p < after.size(); ++p)
            differing += after.at(p) != before.at(p);
        changed << differing;
        totals << total.wall;
        calcs << calc.wall;
        repaints << total.wall - calc.wall;
        totalsCpu << total.cpu;
        calcsCpu << calc.cpu;
        repaintsCpu << total.cpu - calc.cpu;
    }
    f.total = {bench::median(totals), bench::median(totalsCpu)};
    f.calc = {bench::median(calcs), bench::median(calcsCpu)};
    f.repaint = {bench::median(repaints), bench::median(repaintsCpu)};
    f.statements = int(bench::median(statements));
    f.changedPoints = int(bench::median(changed));
    f.paintedShare = bench::median(areas) / 10.0;
    return f;
}

void BenchEdit::report()
{
    std::printf("\nmedians of %d edits, ms, wall / CPU of the GUI thread; SQL = statements per edit,\n"
                "changed = points whose requirements changed, painted = share of the view painted again\n",
                Edits);
    std::printf("%-58s %17s %17s %17s %5s %7s %8s\n", "edit", "total", "calc", "repaint", "SQL", "changed",
                "painted");
    for (int n : {1000, 5000}) {
        open(n);
        const QList<DiagramItem *> cameras = itemsOfKind(m_window->scene(), DiagramItem::Camera);
        QGraphicsView *view = m_window->projectDoc()->view();
        const QList<QGraphicsItem *> shown = view->items(view->viewport()->rect());
        const auto count = [&](int type) {
            return int(std::count_if(shown.begin(), shown.end(), [type](QGraphicsItem *i) { return i->type() == type; }));
        };
        std::printf("%5d cameras: the view (%d x %d) shows %d diagram items and %d wires\n", n,
                    view->viewport()->width(), view->viewport()->height(), count(DiagramItem::Type),
                    count(Wire::Type));
        // The first edit after opening, once the window has shown the sheet:
        // the undo history has had the chance to take it in the meantime.
        {
            DiagramItem *camera = cameras.first();
            select(camera);
            const int paintsBefore = m_paints.paints;
            bench::Stopwatch watch;
            camera->cameraSet()->Power.setValue(8);
            for (int round = 0; round < EventRounds && m_paints.paints == paintsBefore; ++round)
                QCoreApplication::processEvents();
            const bench::Duration first = watch.elapsed();
            std::printf("%5d cameras: the first edit after opening (camera Power) %.2f / %.2f ms\n", n,
                        bench::ms(first.wall), bench::ms(first.cpu));
        }
        // Part of every edit's "calc": the undo history takes the values of
        // the sheet before the edit (here with nothing changed since the last).
        const bench::Duration capture =
                bench::medianOf(Edits, [this] { m_window->undoHistory()->captureValues(); });
        std::printf("%5d cameras: the undo history's capture of the sheet before an edit %.2f / %.2f ms\n", n,
                    bench::ms(capture.wall), bench::ms(capture.cpu));
        struct Kind {
            const char *name;
            QGraphicsItem *item;
            std::function<void(int)> edit;
        };
        // The first camera hangs on the mains point at the top of the chain;
        // the last one on the far end, so its load runs up every extender.
        DiagramItem *first = cameras.first();
        DiagramItem *last = cameras.last();
        DiagramItem *root = m_points.first();
        Wire *rootWire = root->wires().first();
        const QList<Kind> kinds = {
            {"camera Power, point at the top of the chain", first,
             [first](int i) { first->cameraSet()->Power.setValue(i % 2 ? 7 : 9); }},
            {"camera Power, point at the end of the chain", last,
             [last](int i) { last->cameraSet()->Power.setValue(i % 2 ? 7 : 9); }},
            {"camera Lokalizacja (no requirement changes)", first,
             [first](int i) { first->cameraSet()->Lokalizacja.setValue(QStringLiteral("Brama %1").arg(i)); }},
            {"point Backup", root,
             [root](int i) { root->pdSet()->Backup.setValue(i % 2 ? 1 : 2); }},
            {"cable UintLenght (one more pass)", rootWire,
             [rootWire](int i) { rootWire->propertySet()->UintLenght.setValue(i % 2 ? 40 : 45); }},
        };
        for (const Kind &kind : kinds) {
            select(kind.item);
            const Figures f = measure(kind.edit);
            std::printf("%5d cameras: %-44s %8.2f /%7.2f %8.2f /%7.2f %8.2f /%7.2f %5d %7d %7.1f%%%s\n", n,
                        kind.name, bench::ms(f.total.wall), bench::ms(f.total.cpu), bench::ms(f.calc.wall),
                        bench::ms(f.calc.cpu), bench::ms(f.repaint.wall), bench::ms(f.repaint.cpu), f.statements,
                        f.changedPoints, f.paintedShare, f.late ? "  (a paint came late)" : "");
        }
    }
    std::fflush(stdout);
}

void BenchEdit::cameraPower_data()
{
    QTest::addColumn<int>("cameras");
    QTest::newRow("1000 cameras") << 1000;
    QTest::newRow("5000 cameras") << 5000;
}

void BenchEdit::cameraPower()
{
    QFETCH(int, cameras);
    open(cameras);
    DiagramItem *camera = itemsOfKind(m_window->scene(), DiagramItem::Camera).first();
    select(camera);
    int i = 0;
    QBENCHMARK {
        const int paintsBefore = m_paints.paints;
        camera->cameraSet()->Power.setValue(++i % 2 ? 7 : 9);
        for (int round = 0; round < EventRounds && m_paints.paints == paintsBefore; ++round)
            QCoreApplication::processEvents();
    }
}

QTEST_MAIN(BenchEdit)
#include "bench_edit.moc"
