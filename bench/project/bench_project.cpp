// Opening and saving generated projects of 500, 1000 and 5000 cameras, each
// against the bare XML stream work over the same file, in one run:
//   - the whole load as the editor does it (MainWindow::loadProject: reading,
//     list refresh, the calculation loading runs, the selection change),
//     and the project reader alone, against a bare QXmlStreamReader pass;
//   - the project writer against a bare QXmlStreamWriter writing the same
//     elements (its output is checked to be the writer's, byte for byte),
//     both into a file;
//   - t(5000) / t(500) of load and save.
//   nice -n 10 ./bench/project/bench_project report    (the ratio table)
//   nice -n 10 ./bench/project/bench_project           (QBENCHMARK figures too)
#include "benchsupport.h"
#include "scripteddialogseam.h"
#include "temporaryhome.h"
#include "testcatalogue.h"

#include "app/mainwindow.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "project/projectimagecodec.h"
#include "project/projectreader.h"
#include "project/projectwriter.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetwire.h"

#include <QBuffer>
#include <QFile>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>
#include <QtTest>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

const int Sizes[] = {500, 1000, 5000};
const int Repeats = 7;

qint64 bareReaderPass(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    QXmlStreamReader xml(&file);
    qint64 tokens = 0;
    while (!xml.atEnd()) {
        xml.readNext();
        ++tokens;
    }
    return xml.hasError() ? -1 : tokens;
}

// The elements of a project as plain texts, taken from a loaded sheet the way
// the writer takes them, so that a bare stream writer can write the very same
// document without touching the scene or any property.
struct PlainElement {
    QString name;
    QVector<QPair<QString, QString>> attributes;
    QVector<QPair<QString, QString>> children;
};

struct PlainProject {
    QVector<QPair<QString, QString>> project;
    QVector<PlainElement> elements;
};

QString yesNo(bool yes)
{
    return yes ? QStringLiteral("yes") : QStringLiteral("no");
}

PlainProject plainProject(ProjectDoc &doc)
{
    PlainProject plain;
    const DiagramScene *scene = doc.scene();
    plain.project = {{"name", scene->investmentName()},
                     {"create", scene->createDate()},
                     {"address", scene->investmentAddress()},
                     {"comment", scene->investmentComments()},
                     {"color_wires", scene->colorWires()},
                     {"color_cameras", scene->colorCameras()},
                     {"color_pds", scene->colorPD()},
                     {"customer_logo", ProjectImageCodec::encode(doc.logo())},
                     {"background", ProjectImageCodec::encode(doc.background())}};
    QVector<PlainElement> pds;
    QVector<PlainElement> cameras;
    QVector<PlainElement> wires;
    QList<Wire *> wireItems;
    int id = 0;
    for (QGraphicsItem *graphicsItem : scene->items(Qt::AscendingOrder)) {
        if (graphicsItem->type() == DiagramItem::Type) {
            auto *item = static_cast<DiagramItem *>(graphicsItem);
            item->fileId = id++;
            PlainElement e;
            e.attributes = {{"id", QString::number(item->fileId)},
                            {"x", QString::number(item->pos().x(), 'g', 6)},
                            {"y", QString::number(item->pos().y(), 'g', 6)},
                            {"rotation", QString::number(item->rotation())}};
            e.children = {{"location", item->location()},
                          {"number", QString::number(item->number())},
                          {"model", item->modelName()}};
            if (item->diagramType() == DiagramItem::PD) {
                e.name = QStringLiteral("pd");
                e.children += {{"power230", yesNo(item->hasPower230())},
                               {"backup", yesNo(item->hasBackup())},
                               {"calculate", yesNo(item->calculateAccumulator())},
                               {"batterySet", QString::number(item->accumulatorCapacity())},
                               {"batteryCount", QString::number(item->backupHours())},
                               {"boxtype", item->boxTypeName()},
                               {"nvr", yesNo(item->hasNvr())},
                               {"pc", yesNo(item->hasPc())},
                               {"bitrate", QString::number(item->bitrate())}};
                pds << e;
            } else {
                e.name = QStringLiteral("camera");
                e.children += {{"power", QString::number(item->power())},
                               {"bitrate", QString::number(item->bitrate())}};
                cameras << e;
            }
        } else if (graphicsItem->type() == Wire::Type) {
            wireItems << static_cast<Wire *>(graphicsItem);
        }
    }
    // Wires lie below the items, so their ends get their ids after them.
    for (const Wire *wire : qAsConst(wireItems)) {
        PlainElement e;
        e.name = QStringLiteral("wire");
        e.attributes = {{"model", wire->typeName()},
                        {"lenght", QString::number(wire->length())},
                        {"start", QString::number(wire->startItem()->fileId)},
                        {"end", QString::number(wire->endItem()->fileId)}};
        wires << e;
    }
    plain.elements = pds + cameras + wires;
    return plain;
}

void bareWrite(const PlainProject &plain, QIODevice *device)
{
    QXmlStreamWriter xml(device);
    xml.setAutoFormatting(true);
    xml.writeStartDocument();
    xml.writeDTD(QStringLiteral("<!DOCTYPE mox>"));
    xml.writeStartElement(QStringLiteral("mox"));
    xml.writeAttribute(QStringLiteral("version"), QStringLiteral("1.0"));
    xml.writeStartElement(QStringLiteral("project"));
    for (const auto &child : plain.project)
        xml.writeTextElement(child.first, child.second);
    xml.writeEndElement();
    for (const PlainElement &e : plain.elements) {
        if (e.children.isEmpty())
            xml.writeEmptyElement(e.name);
        else
            xml.writeStartElement(e.name);
        for (const auto &a : e.attributes)
            xml.writeAttribute(a.first, a.second);
        for (const auto &c : e.children)
            xml.writeTextElement(c.first, c.second);
        if (!e.children.isEmpty())
            xml.writeEndElement();
    }
    xml.writeEndDocument();
}

QByteArray writerBytes(ProjectDoc *doc)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ProjectWriter(doc).write(&buffer);
    return bytes;
}

QByteArray bareBytes(const PlainProject &plain)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    bareWrite(plain, &buffer);
    return bytes;
}

// Saving goes to a file, as the editor saves (the same kind of device for
// the writer and the bare writer; no flush to the disk is timed).
qint64 writeFile(const QString &path, const std::function<void(QIODevice *)> &write)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text | QIODevice::Truncate))
        return -1;
    write(&file);
    return file.size();
}

} // namespace

class BenchProject : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanupTestCase();
    void report();
    void load_data() { sizes(); }
    void load();
    void read_data() { sizes(); }
    void read();
    void save_data() { sizes(); }
    void save();

private:
    void sizes();
    void loadInWindow(int cameras);
    void emptySheet();
    void readAlone(ProjectDoc &doc, int cameras);

    // The window autosaves into ~/mox: a run must not leave files there
    // that the next start of the editor offers to recover.
    TemporaryHome m_home;
    ScriptedDialogSeam m_seam;
    std::unique_ptr<MainWindow> m_window;
    std::unique_ptr<TestCatalogue> m_catalogue;
    QMap<int, QString> m_paths;
};

void BenchProject::sizes()
{
    QTest::addColumn<int>("cameras");
    for (int n : Sizes)
        QTest::addRow("%d cameras", n) << n;
}

void BenchProject::initTestCase()
{
    Q_INIT_RESOURCE(images);
    bench::quietLog();
    m_window.reset(new MainWindow(&m_seam));
    m_window->resize(1600, 1000);
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    // After the window: its own catalogue (beside the executable) is absent
    // here, the bundled one takes the default connection instead.
    m_catalogue.reset(new TestCatalogue);
    QVERIFY2(m_catalogue->createBundled(), qPrintable(m_catalogue->lastError()));
    for (int n : Sizes) {
        const QByteArray bytes = bench::generateProject(n);
        m_paths[n] = bench::writeTemporaryFile(QStringLiteral("generated%1.mox").arg(n), bytes);
        QVERIFY(!m_paths[n].isEmpty());
        std::printf("%d cameras: %d bytes\n", n, int(bytes.size()));
    }
}

void BenchProject::cleanupTestCase()
{
    m_window.reset();
    m_catalogue.reset();
}

void BenchProject::loadInWindow(int cameras)
{
    m_window->loadProject(m_paths.value(cameras));
}

// A load starts on an empty sheet, as after start-up: tearing the previous
// project down is not part of what is measured.
void BenchProject::emptySheet()
{
    m_window->scene()->clearSelection();
    m_window->scene()->removeAllItems();
    QCoreApplication::processEvents();
}

void BenchProject::readAlone(ProjectDoc &doc, int cameras)
{
    QFile file(m_paths.value(cameras));
    file.open(QIODevice::ReadOnly | QIODevice::Text);
    ProjectReader(&doc).read(&file);
}

void BenchProject::load()
{
    QFETCH(int, cameras);
    QBENCHMARK {
        emptySheet();
        loadInWindow(cameras);
    }
    QCoreApplication::processEvents();
}

void BenchProject::read()
{
    QFETCH(int, cameras);
    ProjectDoc doc;
    QBENCHMARK {
        doc.scene()->removeAllItems();
        readAlone(doc, cameras);
    }
}

void BenchProject::save()
{
    QFETCH(int, cameras);
    loadInWindow(cameras);
    QByteArray bytes;
    QBENCHMARK {
        bytes = writerBytes(m_window->projectDoc());
    }
    QVERIFY(bytes.startsWith("<?xml"));
}

void BenchProject::report()
{
    struct Row {
        bench::Duration bareRead, sets, read, load, close, bareWrite, write;
        int statements = 0;
    };
    QMap<int, Row> rows;
    for (int n : {500, 5000}) {
        Row row;
        const QString path = m_paths.value(n);
        row.bareRead = bench::medianOf(Repeats, [&] { bareReaderPass(path); });
        {
            // Every property is an object of its own: building just the
            // property sets of the file's elements is, with the XML pass, a
            // floor under any load of it, whatever the reader does.
            ProjectDoc doc;
            readAlone(doc, n);
            int cameras = 0, points = 0, wires = 0;
            for (QGraphicsItem *item : doc.scene()->items()) {
                if (item->type() == Wire::Type)
                    ++wires;
                else if (item->type() == DiagramItem::Type)
                    ++(static_cast<DiagramItem *>(item)->diagramType() == DiagramItem::Camera ? cameras : points);
            }
            // Freed outside the timing: a load builds them, the next one frees them.
            std::vector<std::unique_ptr<QtnPropertySet>> sets;
            row.sets = bench::medianOf(
                    Repeats,
                    [&] {
                        sets.reserve(size_t(cameras + points + wires));
                        for (int i = 0; i < cameras; ++i)
                            sets.emplace_back(new QtnPropertySetCamera(nullptr));
                        for (int i = 0; i < points; ++i)
                            sets.emplace_back(new QtnPropertySetPD(nullptr));
                        for (int i = 0; i < wires; ++i)
                            sets.emplace_back(new QtnPropertySetWire(nullptr));
                    },
                    [&] { sets.clear(); });
        }
        {
            ProjectDoc doc;
            row.read = bench::medianOf(
                    Repeats, [&] { readAlone(doc, n); }, [&] { doc.scene()->removeAllItems(); });
        }
        {
            bench::SqlStatementCounter counter;
            emptySheet();
            counter.reset();
            loadInWindow(n);
            row.statements = counter.count();
        }
        QCoreApplication::processEvents();
        row.load = bench::medianOf(Repeats, [&] { loadInWindow(n); }, [&] { emptySheet(); });
        QCoreApplication::processEvents();
        // Opening another project first takes this one down; the event loop
        // has run in between, as it has when a user opens the next file.
        row.close = bench::medianOf(
                Repeats, [&] { m_window->scene()->removeAllItems(); },
                [&] {
                    loadInWindow(n);
                    QCoreApplication::processEvents();
                });
        loadInWindow(n);
        QCoreApplication::processEvents();

        ProjectDoc *doc = m_window->projectDoc();
        const PlainProject plain = plainProject(*doc);
        const QByteArray bare = bareBytes(plain);
        const QByteArray written = writerBytes(doc);
        if (bare != written) {
            int at = 0;
            while (at < bare.size() && at < written.size() && bare.at(at) == written.at(at))
                ++at;
            QFAIL(qPrintable(QStringLiteral("the bare writer differs at byte %1: ...%2... against ...%3...")
                                     .arg(at)
                                     .arg(QString::fromUtf8(bare.mid(qMax(0, at - 60), 120)),
                                          QString::fromUtf8(written.mid(qMax(0, at - 60), 120)))));
        }
        const QString target = bench::writeTemporaryFile(QStringLiteral("saved.mox"), QByteArray());
        row.write = bench::medianOf(Repeats, [&] {
            writeFile(target, [&](QIODevice *device) { ProjectWriter(doc).write(device); });
        });
        row.bareWrite = bench::medianOf(Repeats, [&] {
            writeFile(target, [&](QIODevice *device) { bareWrite(plain, device); });
        });
        rows[n] = row;
    }
    const Row &big = rows[5000];
    const Row &small = rows[500];
    std::printf("\nmedians of %d runs, ms (wall / CPU of the GUI thread)\n", Repeats);
    std::printf("%-30s %21s %21s\n", "", "500 cameras", "5000 cameras");
    const auto line = [&](const char *what, bench::Duration Row::*field) {
        std::printf("%-30s %10.2f / %8.2f %10.2f / %8.2f\n", what, bench::ms((small.*field).wall),
                    bench::ms((small.*field).cpu), bench::ms((big.*field).wall), bench::ms((big.*field).cpu));
    };
    line("bare QXmlStreamReader pass", &Row::bareRead);
    line("the elements' property sets", &Row::sets);
    line("ProjectReader alone", &Row::read);
    line("MainWindow::loadProject", &Row::load);
    line("taking the sheet down", &Row::close);
    line("bare QXmlStreamWriter", &Row::bareWrite);
    line("ProjectWriter", &Row::write);
    std::printf("%-30s %21d %21d\n", "SQL statements per load", small.statements, big.statements);
    const auto ratio = [](const char *what, bench::Duration a, bench::Duration b, const char *goal) {
        std::printf("%-34s %7.2f %7.2f   %s\n", what, double(a.wall) / double(b.wall), double(a.cpu) / double(b.cpu),
                    goal);
    };
    std::printf("\nratios (same run)                     wall     CPU\n");
    ratio("load 5000 / bare read 5000", big.load, big.bareRead, "(goal <= 2)");
    ratio("reader 5000 / bare read 5000", big.read, big.bareRead, "");
    ratio("property sets 5000 / bare read 5000", big.sets, big.bareRead, "");
    ratio("save 5000 / bare write 5000", big.write, big.bareWrite, "(goal <= 2)");
    ratio("load t(5000) / t(500)", big.load, small.load, "(goal <= 11)");
    ratio("save t(5000) / t(500)", big.write, small.write, "(goal <= 11)");
    ratio("take-down t(5000) / t(500)", big.close, small.close, "");
    std::fflush(stdout);
}

QTEST_MAIN(BenchProject)
#include "bench_project.moc"
