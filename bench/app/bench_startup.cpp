// Start-up to the shown, idle window (without the splash's fixed 3 s), on
// data/example.mox and on an empty sheet, and the peak memory of the editor
// with a generated 5000-camera project loaded. Each figure is the median of
// separate runs of mox_startup_probe, which sits beside the catalogue as the
// editor does. The platform is whatever QT_QPA_PLATFORM says (xcb under
// xvfb-run is the one a user gets).
//   nice -n 10 xvfb-run -a ./bench/app/bench_startup
#include "benchsupport.h"
#include "testcatalogue.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QRegularExpression>
#include <QtTest>

#include <time.h>

#include <cstdio>

#ifndef MOX_PROBE
#define MOX_PROBE ""
#endif
#ifndef MOX_EXAMPLE_PROJECT
#define MOX_EXAMPLE_PROJECT ""
#endif

namespace {

const int Runs = 11;

struct ProbeResult {
    double idleMs = -1;
    double mainMs = -1;
    double cpuMs = -1;
    long rssKb = -1;
};

ProbeResult runProbe(const QStringList &arguments)
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    const qint64 t0 = qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
    QProcess probe;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("MOX_PROBE_T0_NS"), QString::number(t0));
    // A home of its own: an autosave left in the real one would make the
    // editor ask about recovering it, and the start would wait on that.
    // The caches (fonts) stay where they were, as on a user's machine.
    const QTemporaryDir home;
    if (!env.contains(QStringLiteral("XDG_CACHE_HOME")))
        env.insert(QStringLiteral("XDG_CACHE_HOME"), QDir::homePath() + QStringLiteral("/.cache"));
    env.insert(QStringLiteral("HOME"), home.path());
    probe.setProcessEnvironment(env);
    probe.setProcessChannelMode(QProcess::SeparateChannels);
    probe.start(QStringLiteral(MOX_PROBE), arguments);
    ProbeResult r;
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0)
        return r;
    const QString out = QString::fromLocal8Bit(probe.readAllStandardOutput());
    const QRegularExpressionMatch m =
            QRegularExpression(QStringLiteral("idle_ms=([0-9.]+) main_ms=([0-9.]+) cpu_ms=([0-9.]+) rss_kb=([0-9]+)"))
                    .match(out);
    if (m.hasMatch()) {
        r.idleMs = m.captured(1).toDouble();
        r.mainMs = m.captured(2).toDouble();
        r.cpuMs = m.captured(3).toDouble();
        r.rssKb = m.captured(4).toLong();
    }
    return r;
}

ProbeResult medianOf(const QStringList &arguments, int runs)
{
    QVector<qint64> idle, inMain, cpu, rss;
    for (int i = 0; i < runs; ++i) {
        const ProbeResult r = runProbe(arguments);
        if (r.idleMs < 0)
            return r;
        idle << qint64(r.idleMs * 1000);
        inMain << qint64(r.mainMs * 1000);
        cpu << qint64(r.cpuMs * 1000);
        rss << r.rssKb;
    }
    ProbeResult m;
    m.idleMs = bench::median(idle) / 1000.0;
    m.mainMs = bench::median(inMain) / 1000.0;
    m.cpuMs = bench::median(cpu) / 1000.0;
    m.rssKb = long(bench::median(rss));
    return m;
}

} // namespace

class BenchStartup : public QObject
{
    Q_OBJECT

private slots:
    void report();
};

void BenchStartup::report()
{
    bench::quietLog();
    QVERIFY2(QFile::exists(QStringLiteral(MOX_PROBE)), MOX_PROBE);
    // A 5000-camera project, written with the bundled catalogue open.
    QString big;
    {
        TestCatalogue catalogue;
        QVERIFY(catalogue.createBundled());
        big = bench::writeTemporaryFile(QStringLiteral("generated5000.mox"), bench::generateProject(5000));
    }
    QVERIFY(!big.isEmpty());

    std::printf("\nplatform %s, medians of %d runs\n", qPrintable(qEnvironmentVariable("QT_QPA_PLATFORM", "(default)")),
                Runs);
    std::printf("%-34s %10s %10s %10s %10s\n", "start-up to the idle window", "total ms", "in main", "CPU ms",
                "peak RSS");
    const struct {
        const char *what;
        QStringList arguments;
        int runs;
    } cases[] = {
        {"empty sheet", {}, Runs},
        {"data/example.mox", {QStringLiteral(MOX_EXAMPLE_PROJECT)}, Runs},
        {"5000 cameras", {big}, 5},
    };
    for (const auto &c : cases) {
        const ProbeResult r = medianOf(c.arguments, c.runs);
        QVERIFY2(r.idleMs >= 0, c.what);
        std::printf("%-34s %10.1f %10.1f %10.1f %7.1f MB\n", c.what, r.idleMs, r.mainMs, r.cpuMs, r.rssKb / 1024.0);
    }
    std::fflush(stdout);
}

QTEST_MAIN(BenchStartup)
#include "bench_startup.moc"
