#include "benchsupport.h"

#include "networkbuilder.h"

#include "diagram/diagramitem.h"
#include "print/projectdoc.h"
#include "project/projectwriter.h"

#include <QBuffer>
#include <QFile>
#include <QSqlDriver>
#include <QTemporaryDir>
#include <QVariant>

#include <sqlite3.h>

#include <algorithm>
#include <time.h>
#include <cstdio>

namespace bench {

namespace {

FILE *nullSink()
{
    static FILE *sink = std::fopen("/dev/null", "w");
    return sink;
}

void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    const QByteArray line = qFormatLogMessage(type, context, text).toLocal8Bit();
    if (type == QtDebugMsg || type == QtInfoMsg) {
        std::fprintf(nullSink(), "%s\n", line.constData());
        return;
    }
    std::fprintf(stderr, "%s\n", line.constData());
}

} // namespace

void quietLog()
{
    qInstallMessageHandler(quietHandler);
}

QByteArray generateProject(int cameras)
{
    ProjectDoc doc;
    NetworkBuilder builder(doc.scene());
    DiagramItem *previous = nullptr;
    DiagramItem *point = nullptr;
    for (int i = 0; i < cameras; ++i) {
        if (i % 8 == 0) {
            const int p = i / 8;
            point = builder.addPd(QPointF(100 + (p % 10) * 110, 100 + (p / 10) * 150), unsigned(p % 100), p == 0);
            point->setLocation(QStringLiteral("Punkt %1").arg(p));
            if (previous)
                builder.connect(previous, point, 40 + unsigned(p % 50));
            previous = point;
        }
        DiagramItem *camera = builder.addCamera(QPointF(80 + (i % 40) * 27.5, 160 + (i / 40) * 33.25),
                                                unsigned(i % 100), 7, 4096);
        camera->setLocation(QStringLiteral("Kamera %1 – hala").arg(i));
        camera->setModel(QStringLiteral("Hikvision DS-2CD2143G2-I"));
        builder.connect(point, camera, 10 + unsigned(i % 90));
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ProjectWriter(&doc).write(&buffer);
    return bytes;
}

QString writeTemporaryFile(const QString &name, const QByteArray &bytes)
{
    static QTemporaryDir dir;
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        return QString();
    return path;
}

qint64 median(QVector<qint64> samples)
{
    if (samples.isEmpty())
        return 0;
    std::sort(samples.begin(), samples.end());
    const int n = samples.size();
    return n % 2 ? samples.at(n / 2) : (samples.at(n / 2 - 1) + samples.at(n / 2)) / 2;
}

qint64 threadCpuNs()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}

namespace {
qint64 monotonicNs()
{
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return qint64(t.tv_sec) * 1000000000 + t.tv_nsec;
}
} // namespace

void Stopwatch::start()
{
    m_wall = monotonicNs();
    m_cpu = threadCpuNs();
}

Duration Stopwatch::elapsed() const
{
    return {monotonicNs() - m_wall, threadCpuNs() - m_cpu};
}

Duration medianOf(int n, const std::function<void()> &f, const std::function<void()> &setup)
{
    QVector<qint64> walls;
    QVector<qint64> cpus;
    for (int i = 0; i < n; ++i) {
        if (setup)
            setup();
        Stopwatch watch;
        f();
        const Duration d = watch.elapsed();
        walls << d.wall;
        cpus << d.cpu;
    }
    return {median(walls), median(cpus)};
}

double ms(qint64 ns)
{
    return double(ns) / 1e6;
}

SqlStatementCounter::SqlStatementCounter()
{
    const QSqlDatabase db = QSqlDatabase::database(QLatin1String(QSqlDatabase::defaultConnection), false);
    if (!db.isOpen() || !db.driver())
        return;
    const QVariant handle = db.driver()->handle();
    if (qstrcmp(handle.typeName(), "sqlite3*") != 0)
        return;
    m_handle = *static_cast<sqlite3 *const *>(handle.data());
    if (m_handle)
        sqlite3_trace_v2(m_handle, SQLITE_TRACE_STMT, &SqlStatementCounter::traced, this);
}

SqlStatementCounter::~SqlStatementCounter()
{
    if (m_handle)
        sqlite3_trace_v2(m_handle, 0, nullptr, nullptr);
}

int SqlStatementCounter::traced(unsigned type, void *context, void *, void *)
{
    if (type == SQLITE_TRACE_STMT)
        ++static_cast<SqlStatementCounter *>(context)->m_count;
    return 0;
}

} // namespace bench
