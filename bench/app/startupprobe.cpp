// The editor's start-up without the splash's fixed three seconds: the same
// steps as main() (Startup) but the splash, stopped at the first moment the
// event loop has nothing left to do after the window's first paint. Prints
//   idle_ms=<since the launcher's time stamp> main_ms=<since main()>
//   cpu_ms=<CPU time of the process> rss_kb=<peak resident memory>
// The launcher passes its CLOCK_MONOTONIC time stamp in MOX_PROBE_T0_NS so
// that process creation, loading and linking count too. Used by bench_startup
// and, with a large project, for the peak memory of a loaded project.
#include "app/mainwindow.h"
#include "app/startup.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QFile>
#include <QTimer>

#include <sys/resource.h>
#include <time.h>

#include <cstdio>
#include <cstdlib>

namespace {

qint64 monotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

// The high-water mark of this process image. getrusage's ru_maxrss would
// also count the memory of the parent that forked it (Linux keeps it
// across exec).
long peakResidentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    const QList<QByteArray> lines = status.readAll().split('\n');
    for (const QByteArray &line : lines) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

class FirstPaint : public QObject
{
public:
    bool seen = false;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            seen = true;
        return false;
    }
};

} // namespace

int main(int argc, char *argv[])
{
    const qint64 mainStart = monotonicNs();
    const char *t0Text = std::getenv("MOX_PROBE_T0_NS");
    const qint64 t0 = t0Text ? std::atoll(t0Text) : mainStart;

    Q_INIT_RESOURCE(images);
    Startup::configure();
    QApplication app(argc, argv);
    Startup::identify();
    FirstPaint firstPaint;
    app.installEventFilter(&firstPaint);

    MainWindow mainWin;
    Startup::openWindow(mainWin, app.arguments());

    QObject::connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, &app, [&]() {
        if (!firstPaint.seen)
            return;
        const qint64 now = monotonicNs();
        rusage usage{};
        getrusage(RUSAGE_SELF, &usage);
        const double cpuMs = (usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) * 1e3
                             + (usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e3;
        std::printf("idle_ms=%.2f main_ms=%.2f cpu_ms=%.2f rss_kb=%ld\n", (now - t0) / 1e6,
                    (now - mainStart) / 1e6, cpuMs, peakResidentKb());
        std::fflush(stdout);
        std::_Exit(0);
    });
    // Leave even if the platform never paints (a broken display).
    QTimer::singleShot(30000, &app, [] { std::_Exit(2); });
    return app.exec();
}
