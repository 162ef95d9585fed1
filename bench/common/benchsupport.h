#ifndef BENCH_COMMON_BENCHSUPPORT_H
#define BENCH_COMMON_BENCHSUPPORT_H

// What the benchmarks share: the generated projects the figures are taken
// on, a log sink that costs what a terminal would without flooding it,
// medians, and a count of the SQL statements the catalogue connection runs.

#include <QByteArray>
#include <QSqlDatabase>
#include <QString>
#include <QVector>

#include <functional>

struct sqlite3;

namespace bench {

// Debug and info lines are formatted and written to /dev/null, as a user's
// terminal would take them; warnings and worse still reach stderr.
void quietLog();

// A project written by the project writer: a chain of distribution points
// fed over PoE from the first, eight cameras to a point, laid out on a grid
// across (and beyond) the sheet. Needs the bundled catalogue as the default
// connection (for the camera model).
QByteArray generateProject(int cameras);

// Writes bytes to a file in a temporary folder kept for the process.
QString writeTemporaryFile(const QString &name, const QByteArray &bytes);

// Median of the samples (nanoseconds or counts).
qint64 median(QVector<qint64> samples);

// Wall-clock time and the CPU time of the calling thread, in nanoseconds.
// The machine the figures are taken on is shared: the thread's CPU time is
// what the same work takes on an idle machine, the wall time what it took
// among the neighbours.
struct Duration {
    qint64 wall = 0;
    qint64 cpu = 0;
};
qint64 threadCpuNs();
class Stopwatch
{
public:
    Stopwatch() { start(); }
    void start();
    Duration elapsed() const;

private:
    qint64 m_wall = 0;
    qint64 m_cpu = 0;
};

// Runs f n times and returns the medians of its wall and CPU times; setup,
// when given, runs untimed before each run.
Duration medianOf(int n, const std::function<void()> &f, const std::function<void()> &setup = {});
double ms(qint64 ns);

// Counts the statements the default connection runs while it lives (every
// statement start, prepared or not, PRAGMAs included).
class SqlStatementCounter
{
public:
    SqlStatementCounter();
    ~SqlStatementCounter();
    SqlStatementCounter(const SqlStatementCounter &) = delete;
    SqlStatementCounter &operator=(const SqlStatementCounter &) = delete;

    int count() const { return m_count; }
    void reset() { m_count = 0; }

private:
    static int traced(unsigned type, void *context, void *, void *);
    sqlite3 *m_handle = nullptr;
    int m_count = 0;
};

} // namespace bench

#endif // BENCH_COMMON_BENCHSUPPORT_H
