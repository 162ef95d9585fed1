// Writing and reading of project files: the document layout byte for byte,
// round trips of every stored value, file ids and number formats, and the
// bundled example project.
#include "networkbuilder.h"
#include "testcatalogue.h"

#include "calc/calcloop.h"
#include "calc/modelselection.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "project/projectreader.h"
#include "project/projectwriter.h"

#include <QBuffer>
#include <QFile>
#include <QGraphicsItem>
#include <QImage>
#include <QPainter>
#include <QtTest>

namespace {

QByteArray writeProject(ProjectDoc &doc)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    ProjectWriter writer(&doc);
    writer.write(&buffer);
    return bytes;
}

bool readProject(ProjectDoc &doc, const QByteArray &bytes, QString *error = nullptr)
{
    QBuffer buffer;
    buffer.setData(bytes);
    buffer.open(QIODevice::ReadOnly);
    ProjectReader reader(&doc);
    const bool ok = reader.read(&buffer);
    if (error)
        *error = ok ? QString() : reader.errorString();
    return ok;
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QByteArray();
    return file.readAll();
}

// Diagram items and wires of a scene, in ascending stacking order.
QList<DiagramItem *> diagramItems(DiagramScene *scene)
{
    QList<DiagramItem *> out;
    const QList<QGraphicsItem *> items = scene->items(Qt::AscendingOrder);
    for (QGraphicsItem *item : items) {
        if (item->type() == DiagramItem::Type)
            out << static_cast<DiagramItem *>(item);
    }
    return out;
}

QList<Wire *> wires(DiagramScene *scene)
{
    QList<Wire *> out;
    const QList<QGraphicsItem *> items = scene->items(Qt::AscendingOrder);
    for (QGraphicsItem *item : items) {
        if (item->type() == Wire::Type)
            out << static_cast<Wire *>(item);
    }
    return out;
}

// An opaque picture with a distinct colour in every pixel, so any change of
// a pixel through PNG and Base64 shows.
QImage testPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 37) % 256, (y * 53) % 256, (x * y) % 256));
    }
    return image;
}

} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void annotatedExampleIsWrittenByteForByte();
    void annotatedExampleReadsBack();
    void roundTripKeepsEveryValue();
    void fileIdsFollowStackingOrder();
    void positionsUseSixSignificantDigits_data();
    void positionsUseSixSignificantDigits();
    void textThatXmlCannotCarry();
    void bundledExampleIsAWriterFile();
};

void TestProjectFile::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TestProjectFile::annotatedExampleIsWrittenByteForByte()
{
    TestCatalogue catalogue;
    catalogue.simulateNoCatalogue();
    ProjectDoc doc(nullptr);
    DiagramScene *scene = doc.scene();
    scene->setCreateDate(QStringLiteral("2017-01-01"));
    NetworkBuilder builder(scene);
    DiagramItem *pd = builder.addPd(QPointF(120, 80), 1);
    pd->setBitrate(4000);
    DiagramItem *camera = builder.addCamera(QPointF(300, 80), 1, 6, 4000);
    camera->setRotation(90);
    builder.connect(pd, camera, 25);

    const QByteArray written = writeProject(doc);
    const QByteArray golden = readFile(QStringLiteral(MOX_PROJECT_TEST_DIR "/annotated.mox"));
    QVERIFY(!golden.isEmpty());
    QCOMPARE(QString::fromUtf8(written), QString::fromUtf8(golden));
    // The writer hands the ids back to the items.
    QCOMPARE(pd->fileId, 0);
    QCOMPARE(camera->fileId, 1);
}

void TestProjectFile::annotatedExampleReadsBack()
{
    TestCatalogue catalogue;
    catalogue.simulateNoCatalogue();
    const QByteArray golden = readFile(QStringLiteral(MOX_PROJECT_TEST_DIR "/annotated.mox"));
    ProjectDoc doc(nullptr);
    DiagramScene *scene = doc.scene();
    scene->removeAllItems();
    scene->setInvestmentName(QStringLiteral("inny"));
    QString error;
    QVERIFY2(readProject(doc, golden, &error), qPrintable(error));

    QCOMPARE(scene->investmentName(), QStringLiteral("inwestycja 1"));
    QCOMPARE(scene->createDate(), QStringLiteral("2017-01-01"));
    QCOMPARE(scene->investmentAddress(), QStringLiteral("adres 1"));
    QCOMPARE(scene->investmentComments(), QStringLiteral("uwagi"));
    QVERIFY(doc.logo().isNull());
    QVERIFY(doc.background().isNull());

    const QList<DiagramItem *> items = diagramItems(scene);
    QCOMPARE(items.size(), 2);
    DiagramItem *pd = items.at(0);
    DiagramItem *camera = items.at(1);
    QCOMPARE(int(pd->diagramType()), int(DiagramItem::PD));
    QCOMPARE(pd->pos(), QPointF(120, 80));
    QCOMPARE(pd->rotation(), 0);
    QCOMPARE(pd->number(), 1u);
    QCOMPARE(pd->bitrate(), 4000);
    QVERIFY(pd->hasPower230());
    QVERIFY(!pd->hasBackup());
    QCOMPARE(int(camera->diagramType()), int(DiagramItem::Camera));
    QCOMPARE(camera->pos(), QPointF(300, 80));
    QCOMPARE(camera->rotation(), 90);
    QCOMPARE(camera->power(), 6u);
    QCOMPARE(camera->bitrate(), 4000);
    QCOMPARE(camera->fileId, 1);

    const QList<Wire *> ws = wires(scene);
    QCOMPARE(ws.size(), 1);
    QCOMPARE(ws.first()->startItem(), pd);
    QCOMPARE(ws.first()->endItem(), camera);
    QCOMPARE(ws.first()->length(), 25u);
    QCOMPARE(ws.first()->zValue(), -1000.0);
    QCOMPARE(pd->wires(), QList<Wire *>{ws.first()});
    QCOMPARE(camera->wires(), QList<Wire *>{ws.first()});

    QCOMPARE(QString::fromUtf8(writeProject(doc)), QString::fromUtf8(golden));
}

void TestProjectFile::roundTripKeepsEveryValue()
{
    TestCatalogue catalogue;
    QVERIFY2(catalogue.create({{QStringLiteral("Kamera A"), 7, 2048}, {QStringLiteral("Kamera B"), 12, 8192}},
                              {{QStringLiteral("PD-4/60"), QStringLiteral("Wewnętrzna (IP20)"), 1, 5, 1, 60, 100000},
                               {QStringLiteral("PD-8/120"), QStringLiteral("Zewnętrzna (IP65)"), 1, 9, 1, 120, 1000000},
                               {QStringLiteral("PD-EXT-4"), QStringLiteral("Zewnętrzna (IP65)"), 0, 5, 0, 45, 100000}},
                              {QStringLiteral("UTP kat.5E"), QStringLiteral("UTP kat.6")}),
             qPrintable(catalogue.lastError()));

    ProjectDoc doc(nullptr);
    DiagramScene *scene = doc.scene();
    scene->setInvestmentName(QStringLiteral("Osiedle Zielone – etap II"));
    scene->setCreateDate(QStringLiteral("2024-03-15"));
    scene->setInvestmentAddress(QStringLiteral("ul. Łąkowa 7, 80-001 Gdańsk"));
    scene->setInvestmentComments(QStringLiteral("kable <w> korycie & \"rurze\"\ndruga linia"));
    scene->setColorWires(QStringLiteral("#ff0000"));
    scene->setColorCameras(QStringLiteral("#00a0ff"));
    scene->setColorPD(QStringLiteral("#7f123456"));
    const QImage logo = testPicture(40, 20);
    const QImage background = testPicture(64, 48);
    doc.setLogo(QPixmap::fromImage(logo));
    doc.setBackground(QPixmap::fromImage(background));

    NetworkBuilder builder(scene);
    DiagramItem *main = builder.addPd(QPointF(120.5, 80.25), 7);
    main->setLocation(QStringLiteral("Rozdzielnia główna"));
    main->setRotation(45);
    main->setBoxType(QStringLiteral("Zewnętrzna (IP65)"));
    main->setBackup(true);
    main->setCalculateAccumulator(true);
    main->setBackupHours(12);
    main->setNvr(true);
    main->setPc(true);
    main->setBitrate(8000);
    DiagramItem *battery = builder.addPd(QPointF(600, 300), 3);
    battery->setBackup(true);
    battery->setAccumulatorCapacity(17);
    battery->setRotation(135);
    DiagramItem *extender = builder.addPd(QPointF(1000.75, 612.125), 2, false);
    extender->setRotation(270);
    extender->setLocation(QStringLiteral("Słup przy bramie"));
    DiagramItem *camera = builder.addCamera(QPointF(12.5, 700.75), 12, 25, 3000);
    camera->setRotation(315);
    camera->setLocation(QStringLiteral("Wjazd – północ"));
    camera->setModel(QStringLiteral("Kamera B"));
    DiagramItem *camera2 = builder.addCamera(QPointF(-40, 1200), 100, 1, 131072);
    camera2->setRotation(180);
    camera2->setModel(QStringLiteral("Kamera A"));
    Wire *trunk = builder.connect(main, extender, 120);
    trunk->setType(QStringLiteral("UTP kat.6"));
    builder.connect(main, battery, 1);
    builder.connect(extender, camera, 200);
    builder.connect(battery, camera2, 73);

    // The values must really differ from what a fresh item holds, or the
    // round trip would prove nothing.
    // A point's model list is filled by the model selection, which this test
    // leaves out; its model name travels like a camera's.
    QCOMPARE(main->boxTypeName(), QStringLiteral("Zewnętrzna (IP65)"));
    QVERIFY(main->calculateAccumulator());
    QCOMPARE(main->backupHours(), 12u);
    QCOMPARE(battery->accumulatorCapacity(), 17u);
    QVERIFY(!extender->hasPower230());
    QCOMPARE(camera->modelName(), QStringLiteral("Kamera B"));
    QCOMPARE(trunk->typeName(), QStringLiteral("UTP kat.6"));

    const QByteArray first = writeProject(doc);

    ProjectDoc copy(nullptr);
    copy.scene()->removeAllItems();
    QString error;
    QVERIFY2(readProject(copy, first, &error), qPrintable(error));
    const QByteArray second = writeProject(copy);
    QCOMPARE(QString::fromUtf8(second), QString::fromUtf8(first));

    DiagramScene *s2 = copy.scene();
    QCOMPARE(s2->investmentName(), scene->investmentName());
    QCOMPARE(s2->investmentComments(), QStringLiteral("kable <w> korycie & \"rurze\"\ndruga linia"));
    QCOMPARE(s2->colorPD(), QStringLiteral("#7f123456"));
    QCOMPARE(copy.logo().toImage().convertToFormat(QImage::Format_RGB32), logo);
    QCOMPARE(copy.background().toImage().convertToFormat(QImage::Format_RGB32), background);

    const QList<DiagramItem *> items = diagramItems(s2);
    QCOMPARE(items.size(), 5);
    DiagramItem *main2 = items.at(0);
    QCOMPARE(main2->pos(), QPointF(120.5, 80.25));
    QCOMPARE(main2->rotation(), 45);
    QCOMPARE(main2->location(), QStringLiteral("Rozdzielnia główna"));
    QCOMPARE(main2->number(), 7u);
    QVERIFY(main2->hasBackup());
    QVERIFY(main2->calculateAccumulator());
    QCOMPARE(main2->backupHours(), 12u);
    QVERIFY(main2->hasNvr());
    QVERIFY(main2->hasPc());
    QCOMPARE(main2->bitrate(), 8000);
    QCOMPARE(items.at(1)->accumulatorCapacity(), 17u);
    QCOMPARE(items.at(1)->rotation(), 135);
    QVERIFY(!items.at(2)->hasPower230());
    QCOMPARE(items.at(2)->pos(), QPointF(1000.75, 612.125));
    QCOMPARE(items.at(3)->modelName(), QStringLiteral("Kamera B"));
    QCOMPARE(items.at(3)->power(), 25u);
    QCOMPARE(items.at(3)->bitrate(), 3000);
    QCOMPARE(items.at(3)->rotation(), 315);
    QCOMPARE(items.at(4)->number(), 100u);
    QCOMPARE(items.at(4)->bitrate(), 131072);
    QCOMPARE(items.at(4)->pos(), QPointF(-40, 1200));

    const QList<Wire *> ws = wires(s2);
    QCOMPARE(ws.size(), 4);
    int found = 0;
    for (Wire *w : ws) {
        if (w->startItem() == main2 && w->endItem() == items.at(2)) {
            QCOMPARE(w->length(), 120u);
            QCOMPARE(w->typeName(), QStringLiteral("UTP kat.6"));
            ++found;
        }
        if (w->startItem() == items.at(2) && w->endItem() == items.at(3)) {
            QCOMPARE(w->length(), 200u);
            ++found;
        }
    }
    QCOMPARE(found, 2);
}

void TestProjectFile::fileIdsFollowStackingOrder()
{
    TestCatalogue catalogue;
    catalogue.simulateNoCatalogue();
    ProjectDoc doc(nullptr);
    NetworkBuilder builder(doc.scene());
    DiagramItem *cameraA = builder.addCamera(QPointF(10, 10), 1);
    DiagramItem *pd = builder.addPd(QPointF(20, 20), 1);
    DiagramItem *cameraB = builder.addCamera(QPointF(30, 30), 2);
    builder.connect(pd, cameraB, 10);

    QByteArray text = writeProject(doc);
    QCOMPARE(cameraA->fileId, 0);
    QCOMPARE(pd->fileId, 1);
    QCOMPARE(cameraB->fileId, 2);
    const int pdAt = text.indexOf("<pd id=\"1\"");
    const int cameraAAt = text.indexOf("<camera id=\"0\"");
    const int cameraBAt = text.indexOf("<camera id=\"2\"");
    const int wireAt = text.indexOf("lenght=\"10\" start=\"1\" end=\"2\"/>");
    QVERIFY(pdAt > 0);
    QVERIFY(cameraAAt > pdAt);
    QVERIFY(cameraBAt > cameraAAt);
    QVERIFY(wireAt > cameraBAt);

    // Raising the first camera puts it on top of the stack: it is numbered
    // last and the others move down.
    cameraA->setZValue(5);
    text = writeProject(doc);
    QCOMPARE(pd->fileId, 0);
    QCOMPARE(cameraB->fileId, 1);
    QCOMPARE(cameraA->fileId, 2);
    QVERIFY(text.contains("start=\"0\" end=\"1\"/>"));
}

void TestProjectFile::positionsUseSixSignificantDigits_data()
{
    QTest::addColumn<double>("x");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("readBack");

    QTest::newRow("half unit") << 12.5 << "12.5" << 12.5;
    QTest::newRow("whole") << 120.0 << "120" << 120.0;
    QTest::newRow("rounded to six digits") << 1234.5678 << "1234.57" << 1234.57;
    QTest::newRow("negative") << -87.125 << "-87.125" << -87.125;
    QTest::newRow("large") << 1234567.0 << "1.23457e+06" << 1234570.0;
    QTest::newRow("tiny") << 0.0000001 << "1e-07" << 0.0000001;
}

void TestProjectFile::positionsUseSixSignificantDigits()
{
    QFETCH(double, x);
    QFETCH(QString, text);
    QFETCH(double, readBack);

    TestCatalogue catalogue;
    catalogue.simulateNoCatalogue();
    ProjectDoc doc(nullptr);
    NetworkBuilder builder(doc.scene());
    builder.addCamera(QPointF(x, 300));
    const QByteArray written = writeProject(doc);
    QVERIFY2(written.contains(QStringLiteral("<camera id=\"0\" x=\"%1\" y=\"300\"").arg(text).toUtf8()),
             written.constData());

    ProjectDoc copy(nullptr);
    copy.scene()->removeAllItems();
    QVERIFY(readProject(copy, written));
    const QList<DiagramItem *> items = diagramItems(copy.scene());
    QCOMPARE(items.size(), 1);
    QCOMPARE(items.first()->pos().x(), readBack);
}

void TestProjectFile::textThatXmlCannotCarry()
{
    // Control characters pasted into a text cannot be stored in XML; they are
    // left out and the rest of the project is saved and reads back.
    TestCatalogue catalogue;
    catalogue.simulateNoCatalogue();
    ProjectDoc doc(nullptr);
    doc.scene()->setInvestmentComments(QStringLiteral("A\x01" "B\vC\fD\tE ") + QChar(0xd800) + QStringLiteral("F \U0001F4F7"));
    DiagramItem *camera = NetworkBuilder(doc.scene()).addCamera(QPointF(10, 10));
    camera->setLocation(QStringLiteral("Brama\x1b[0m"));

    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QVERIFY(ProjectWriter(&doc).write(&buffer));

    ProjectDoc copy(nullptr);
    copy.scene()->removeAllItems();
    QString error;
    QVERIFY2(readProject(copy, bytes, &error), qPrintable(error));
    QCOMPARE(copy.scene()->investmentComments(), QStringLiteral("ABCD\tE F \U0001F4F7"));
    QCOMPARE(diagramItems(copy.scene()).first()->location(), QStringLiteral("Brama[0m"));
}

void TestProjectFile::bundledExampleIsAWriterFile()
{
    TestCatalogue catalogue;
    QVERIFY2(catalogue.createBundled(), qPrintable(catalogue.lastError()));
    const QByteArray example = readFile(QStringLiteral(MOX_DATA_DIR "/example.mox"));
    QVERIFY2(!example.isEmpty(), "data/example.mox is missing");

    ProjectDoc doc(nullptr);
    doc.scene()->removeAllItems();
    QString error;
    QVERIFY2(readProject(doc, example, &error), qPrintable(error));

    // As the editor does after loading: fresh lists, then the calculation,
    // which settles each point on the first catalogue model that fits.
    installModelSelection();
    const QList<DiagramItem *> items = diagramItems(doc.scene());
    for (DiagramItem *item : items)
        item->refreshLists();
    CalcLoop(doc.scene()).run();

    int mainsPoints = 0;
    int poePoints = 0;
    int recorders = 0;
    int cameras = 0;
    for (DiagramItem *item : items) {
        if (item->diagramType() == DiagramItem::PD) {
            QVERIFY2(item->modelName() != QStringLiteral("Nie określono"), qPrintable(item->location()));
            item->hasPower230() ? ++mainsPoints : ++poePoints;
            if (item->hasNvr())
                ++recorders;
        } else {
            ++cameras;
            // Every camera is a catalogue model, so its figures are real ones.
            QVERIFY2(item->modelName() != QStringLiteral("Nie określono"), qPrintable(item->location()));
        }
    }
    QCOMPARE(mainsPoints, 1);
    QCOMPARE(poePoints, 2);
    QCOMPARE(recorders, 1);
    QVERIFY(cameras >= 12 && cameras <= 20);
    // One cable per camera and one to each extender: nothing was dropped.
    QCOMPARE(wires(doc.scene()).size(), cameras + poePoints);
    const QStringList written = QString::fromUtf8(writeProject(doc)).split(QLatin1Char('\n'));
    const QStringList expected = QString::fromUtf8(example).split(QLatin1Char('\n'));
    for (int i = 0; i < qMin(written.size(), expected.size()); ++i)
        QVERIFY2(written.at(i) == expected.at(i),
                 qPrintable(QStringLiteral("line %1: %2").arg(i + 1).arg(written.at(i))));
    QCOMPARE(written.size(), expected.size());
}

QTEST_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
