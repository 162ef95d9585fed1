// Load and save times of generated projects of 100, 1000 and 5000 cameras,
// and for the largest the cost of reading compared with a bare pass of the
// XML stream reader over the same bytes.
//   ./bench/project/bench_project            (all)
//   ./bench/project/bench_project load       (one function)
#include "networkbuilder.h"
#include "testcatalogue.h"

#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "project/projectreader.h"
#include "project/projectwriter.h"

#include <QBuffer>
#include <QElapsedTimer>
#include <QXmlStreamReader>
#include <QtTest>
#include <cstdio>

namespace {

// A star of points, eight cameras to a point, the points chained over PoE
// from the first one; laid out on a grid across (and beyond) the sheet.
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

bool loadInto(ProjectDoc &doc, const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    return ProjectReader(&doc).read(&buffer);
}

qint64 bareReaderPass(const QByteArray &bytes)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    QXmlStreamReader xml(&buffer);
    qint64 tokens = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        ++tokens;
    }
    return xml.hasError() ? -1 : tokens;
}

} // namespace

class BenchProject : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void save_data();
    void save();
    void load_data();
    void load();
    void bareXmlPass();
    void loadToBareRatio();

private:
    TestCatalogue m_catalogue;
    QMap<int, QByteArray> m_files;
};

void BenchProject::initTestCase()
{
    Q_INIT_RESOURCE(images);
    // The items and the calculation log every step; thousands of lines would
    // be timed along with the reading.
    qInstallMessageHandler([](QtMsgType type, const QMessageLogContext &, const QString &text) {
        if (type != QtDebugMsg && type != QtWarningMsg)
            fprintf(stderr, "%s\n", qPrintable(text));
    });
    QVERIFY2(m_catalogue.createBundled(), qPrintable(m_catalogue.lastError()));
    for (int n : {100, 1000, 5000}) {
        m_files[n] = generateProject(n);
        fprintf(stderr, "%d cameras: %d bytes\n", n, int(m_files[n].size()));
    }
}

void BenchProject::save_data()
{
    QTest::addColumn<int>("cameras");
    for (int n : {100, 1000, 5000})
        QTest::addRow("%d cameras", n) << n;
}

void BenchProject::save()
{
    QFETCH(int, cameras);
    ProjectDoc doc;
    QVERIFY(loadInto(doc, m_files[cameras]));
    QByteArray bytes;
    QBENCHMARK {
        bytes.clear();
        QBuffer buffer(&bytes);
        buffer.open(QIODevice::WriteOnly);
        ProjectWriter(&doc).write(&buffer);
    }
    QVERIFY(bytes.startsWith("<?xml"));
}

void BenchProject::load_data()
{
    save_data();
}

void BenchProject::load()
{
    QFETCH(int, cameras);
    const QByteArray &bytes = m_files[cameras];
    ProjectDoc doc;
    QBENCHMARK {
        doc.scene()->removeAllItems();
        QVERIFY(loadInto(doc, bytes));
    }
}

void BenchProject::bareXmlPass()
{
    const QByteArray &bytes = m_files[5000];
    QBENCHMARK {
        QVERIFY(bareReaderPass(bytes) > 0);
    }
}

void BenchProject::loadToBareRatio()
{
    const QByteArray &bytes = m_files[5000];
    ProjectDoc doc;
    QElapsedTimer timer;
    qint64 bare = 0;
    qint64 load = 0;
    // The same network built directly, without any XML: what the items,
    // wires and catalogue look-ups cost by themselves.
    timer.start();
    {
        ProjectDoc direct;
        NetworkBuilder builder(direct.scene());
        DiagramItem *point = nullptr;
        DiagramItem *previous = nullptr;
        for (int i = 0; i < 5000; ++i) {
            if (i % 8 == 0) {
                point = builder.addPd(QPointF(100, 100), 1, i == 0);
                if (previous)
                    builder.connect(previous, point, 40);
                previous = point;
            }
            DiagramItem *camera = builder.addCamera(QPointF(80, 160), 1, 7, 4096);
            camera->setModel(QStringLiteral("Hikvision DS-2CD2143G2-I"));
            builder.connect(point, camera, 10);
        }
    }
    const qint64 direct = timer.nsecsElapsed();
    // Best of three for each, so a stray pause does not decide the ratio.
    for (int round = 0; round < 3; ++round) {
        timer.start();
        bareReaderPass(bytes);
        const qint64 b = timer.nsecsElapsed();
        doc.scene()->removeAllItems();
        timer.start();
        loadInto(doc, bytes);
        const qint64 l = timer.nsecsElapsed();
        bare = round ? qMin(bare, b) : b;
        load = round ? qMin(load, l) : l;
    }
    fprintf(stderr, "5000 cameras built without XML (and torn down): %.1f ms\n", direct / 1e6);
    fprintf(stderr, "5000 cameras: load %.1f ms, bare QXmlStreamReader pass %.1f ms, ratio %.1f\n", load / 1e6, bare / 1e6,
          double(load) / double(bare));
    QVERIFY(load > 0 && bare > 0);
}

QTEST_MAIN(BenchProject)
#include "bench_project.moc"
