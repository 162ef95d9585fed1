// Project files: the document layout byte for byte, round trips of every
// stored value, damaged and hostile files, and the bundled example project.
#include "networkbuilder.h"
#include "testcatalogue.h"
#include "testhelpers.h"

#include "calc/calcloop.h"
#include "calc/modelselection.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "propertysets/qtnpropertysetproject.h"
#include "project/projectimagecodec.h"
#include "project/projectreader.h"

#include <QBuffer>
#include <QImage>
#include <QRandomGenerator>
#include <QtEndian>
#include <QPainter>
#include <QtTest>

using tst::itemsOf;

namespace {

// Reads into an emptied sheet; the error text, or "" when the read succeeded.
QString readProject(ProjectDoc &doc, QByteArray bytes)
{
    doc.scene()->removeAllItems();
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::ReadOnly);
    ProjectReader reader(&doc);
    return reader.read(&buffer) ? QString() : reader.errorString();
}

// Every stored value of an item, in one line.
QString describe(const DiagramItem *i)
{
    return QStringList{QString::number(i->diagramType()), QString::number(i->pos().x()),
                       QString::number(i->pos().y()), QString::number(i->rotation()), QString::number(i->number()),
                       i->location(), i->modelName(), QString::number(i->power()), QString::number(i->bitrate()),
                       QString::number(i->hasPower230()), QString::number(i->hasBackup()),
                       QString::number(i->calculateAccumulator()), QString::number(i->backupHours()),
                       QString::number(i->accumulatorCapacity()), i->boxTypeName(), QString::number(i->hasNvr()),
                       QString::number(i->hasPc())}
        .join(QLatin1Char('|'));
}

// What a read left in the sheet, one fact a line ("pos:ID=x,y", "wire:0=1>4/30" ...).
QStringList facts(ProjectDoc &doc)
{
    const QList<DiagramItem *> items = itemsOf<DiagramItem>(doc.scene());
    const QList<Wire *> wires = itemsOf<Wire>(doc.scene());
    int pds = 0;
    QStringList out;
    for (DiagramItem *i : items) {
        pds += i->diagramType() == DiagramItem::PD;
        const QString id = QString::number(i->fileId);
        out << "pos:" + id + QStringLiteral("=%1,%2").arg(i->pos().x()).arg(i->pos().y())
            << "rotation:" + id + "=" + QString::number(i->rotation())
            << "number:" + id + "=" + QString::number(i->number()) << "power:" + id + "=" + QString::number(i->power())
            << "bitrate:" + id + "=" + QString::number(i->bitrate()) << "location:" + id + "=" + i->location();
    }
    for (int k = 0; k < wires.size(); ++k)
        out << QStringLiteral("wire:%1=%2>%3/%4").arg(k).arg(wires[k]->startItem()->fileId)
                   .arg(wires[k]->endItem()->fileId).arg(wires[k]->length())
            << QStringLiteral("wireEnd:%1=").arg(k) + wires[k]->endItem()->location();
    const QPixmap logo = doc.logo();
    out << QStringLiteral("pds=%1").arg(pds) << QStringLiteral("cameras=%1").arg(items.size() - pds)
        << QStringLiteral("wires=%1").arg(wires.size()) << "name=" + doc.scene()->investmentName()
        << "logo=" + (logo.isNull() ? QStringLiteral("null") : QStringLiteral("%1x%2").arg(logo.width()).arg(logo.height()))
        << "background=" + QString::fromLatin1(doc.background().isNull() ? "null" : "set");
    const QtnPropertySetProject *project = doc.scene()->projectSet();
    out << QStringLiteral("archive=%1/%2/%3")
               .arg(project->ArchiveDays.value())
               .arg(project->RecordingHours.value())
               .arg(project->StorageReserve.value());
    return out;
}

// An opaque picture with a distinct colour in every pixel, so any change of
// a pixel through PNG and Base64 shows.
QImage testPicture(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 37) % 256, (y * 53) % 256, (x * y) % 256));
    return image;
}

// A PNG header announcing width x height RGBA pixels: decoding it for real
// would need width * height * 4 bytes.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    auto be32 = [](quint32 v) { QByteArray b(4, '\0'); qToBigEndian(v, b.data()); return b; };
    const QByteArray ihdr = "IHDR" + be32(width) + be32(height) + QByteArray::fromHex("0806000000");
    quint32 crc = 0xffffffffu;
    for (char c : ihdr) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + be32(13) + ihdr + be32(~crc);
}

QByteArray mox(const QByteArray &body)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE mox>\n<mox version=\"1.0\">\n" + body + "</mox>\n";
}

QByteArray camera(int id, const QByteArray &location = "Hala")
{
    return "<camera id=\"" + QByteArray::number(id) + "\" x=\"10\" y=\"20\" rotation=\"0\"><location>" + location
        + "</location></camera>\n";
}

QByteArray pd(int id)
{
    return "<pd id=\"" + QByteArray::number(id) + "\" x=\"100\" y=\"200\" rotation=\"0\"></pd>\n";
}

QByteArray wire(int start, int end, int length = 30)
{
    return "<wire model=\"UTP kat.5E\" lenght=\"" + QByteArray::number(length) + "\" start=\""
        + QByteArray::number(start) + "\" end=\"" + QByteArray::number(end) + "\"/>\n";
}

} // namespace

class TestProjectFile : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(images); }
    void annotatedExample();
    void roundTripKeepsEveryValue();
    void badInput_data();
    void badInput();
    void bundledExampleLoads();
    void pictureTextFollowsItsPixmap();
};

void TestProjectFile::annotatedExample()
{
    TestCatalogue catalogue;
    catalogue.simulateNoCatalogue();
    ProjectDoc doc(nullptr);
    doc.scene()->setCreateDate(QStringLiteral("2017-01-01"));
    NetworkBuilder builder(doc.scene());
    DiagramItem *point = builder.addPd(QPointF(120, 80), 1);
    point->setBitrate(4000);
    DiagramItem *cam = builder.addCamera(QPointF(300, 80), 1, 6, 4000);
    cam->setRotation(90);
    builder.connect(point, cam, 25);

    const QByteArray golden = tst::fileBytes(QStringLiteral(MOX_PROJECT_TEST_DIR "/annotated.mox"));
    QVERIFY(!golden.isEmpty());
    QCOMPARE(QString::fromUtf8(tst::projectBytes(&doc)), QString::fromUtf8(golden));

    // Read back over a sheet holding other values (archive settings too: a
    // file without them means the defaults), it writes the same bytes, and
    // its one wire hangs on both items.
    ProjectDoc copy(nullptr);
    copy.scene()->setInvestmentName(QStringLiteral("inny"));
    copy.scene()->projectSet()->ArchiveDays.setValue(90);
    const QString error = readProject(copy, golden);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(QString::fromUtf8(tst::projectBytes(&copy)), QString::fromUtf8(golden));
    const QList<DiagramItem *> items = itemsOf<DiagramItem>(copy.scene());
    const QList<Wire *> wires = itemsOf<Wire>(copy.scene());
    QCOMPARE(wires.size(), 1);
    QCOMPARE(items.size(), 2);
    QCOMPARE(items.at(0)->wires(), wires);
    QCOMPARE(items.at(1)->wires(), wires);
}

void TestProjectFile::roundTripKeepsEveryValue()
{
    TestCatalogue catalogue;
    QVERIFY2(catalogue.create({{QStringLiteral("Kamera A"), 7, 2048}, {QStringLiteral("Kamera B"), 12, 8192}},
                              {{QStringLiteral("PD-8/120"), QStringLiteral("Zewnętrzna (IP65)"), 1, 9, 1, 120, 1000000}},
                              {QStringLiteral("UTP kat.5E"), QStringLiteral("UTP kat.6")}),
             qPrintable(catalogue.lastError()));
    ProjectDoc doc(nullptr);
    DiagramScene *scene = doc.scene();
    scene->setInvestmentName(QStringLiteral("Osiedle Zielone – etap II"));
    scene->setCreateDate(QStringLiteral("2024-03-15"));
    scene->setInvestmentAddress(QStringLiteral("ul. Łąkowa 7, 80-001 Gdańsk"));
    // Control characters cannot be stored in XML: they are left out, the
    // rest of the text and of the project survives. Line ends of every kind
    // come back as typed, though XML readers turn CR LF and CR into LF.
    scene->setInvestmentComments(QStringLiteral("kable <w> & \"rurze\"\x01\v\r\n\tdruga ") + QChar(0xd800)
                                 + QStringLiteral("linia\r\U0001F4F7"));
    scene->setColorWires(QStringLiteral("#ff0000"));
    scene->setColorCameras(QStringLiteral("#00a0ff"));
    scene->setColorPD(QStringLiteral("#7f123456"));
    doc.setLogo(QPixmap::fromImage(testPicture(40, 20)));
    doc.setBackground(QPixmap::fromImage(testPicture(64, 48)));
    scene->projectSet()->ArchiveDays.setValue(90);
    scene->projectSet()->RecordingHours.setValue(12);
    scene->projectSet()->StorageReserve.setValue(0);

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
    DiagramItem *cam = builder.addCamera(QPointF(12.5, 700.75), 12, 25, 3000);
    cam->setRotation(315);
    cam->setLocation(QStringLiteral("Wjazd – północ"));
    cam->setModel(QStringLiteral("Kamera B"));
    DiagramItem *cam2 = builder.addCamera(QPointF(-40, 1200), 100, 1, 131072);
    cam2->setRotation(180);
    builder.connect(main, extender, 120)->setType(QStringLiteral("UTP kat.6"));
    builder.connect(main, battery, 1);
    builder.connect(extender, cam, 200);
    builder.connect(battery, cam2, 73);
    builder.connect(main, builder.addCamera(QPointF(300, 20), 4), 30);
    // The values must really differ from what a fresh item holds, or the
    // round trip would prove nothing.
    QCOMPARE(main->boxTypeName(), QStringLiteral("Zewnętrzna (IP65)"));
    QCOMPARE(cam->modelName(), QStringLiteral("Kamera B"));
    QCOMPARE(itemsOf<Wire>(scene).first()->typeName(), QStringLiteral("UTP kat.6"));

    const QByteArray first = tst::projectBytes(&doc);
    ProjectDoc copy(nullptr);
    const QString error = readProject(copy, first);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(QString::fromUtf8(tst::projectBytes(&copy)), QString::fromUtf8(first));

    // Archive settings that differ from the defaults close the project element.
    QVERIFY(first.contains("</background>\n        <archive_days>90</archive_days>\n        "
                           "<recording_hours>12</recording_hours>\n        <storage_reserve>0</storage_reserve>\n"
                           "    </project>"));
    QVERIFY(facts(copy).contains(QStringLiteral("archive=90/12/0")));

    DiagramScene *s2 = copy.scene();
    QCOMPARE(s2->investmentComments(), QStringLiteral("kable <w> & \"rurze\"\r\n\tdruga linia\r\U0001F4F7"));
    QCOMPARE(QStringList({s2->investmentName(), s2->createDate(), s2->investmentAddress(), s2->colorWires(),
                          s2->colorCameras(), s2->colorPD()}),
             QStringList({scene->investmentName(), scene->createDate(), scene->investmentAddress(),
                          scene->colorWires(), scene->colorCameras(), scene->colorPD()}));
    QCOMPARE(copy.logo().toImage().convertToFormat(QImage::Format_RGB32), testPicture(40, 20));
    QCOMPARE(copy.background().toImage().convertToFormat(QImage::Format_RGB32), testPicture(64, 48));
    const QList<DiagramItem *> items = itemsOf<DiagramItem>(scene);
    const QList<DiagramItem *> items2 = itemsOf<DiagramItem>(s2);
    QCOMPARE(items2.size(), items.size());
    for (int k = 0; k < items.size(); ++k)
        QCOMPARE(describe(items2.at(k)), describe(items.at(k)));
    auto describeWires = [](DiagramScene *s) {
        const QList<DiagramItem *> ends = itemsOf<DiagramItem>(s);
        QStringList out;
        for (Wire *w : itemsOf<Wire>(s))
            out << QStringLiteral("%1>%2 %3 m %4").arg(ends.indexOf(w->startItem())).arg(ends.indexOf(w->endItem()))
                       .arg(w->length()).arg(w->typeName());
        return out;
    };
    QCOMPARE(describeWires(s2), describeWires(scene));
    // Every item keeps its wires in the order of their directions, the
    // order drawing them one by one gave.
    auto wireOrder = [](DiagramScene *s) {
        const QList<DiagramItem *> ends = itemsOf<DiagramItem>(s);
        QStringList out;
        for (DiagramItem *item : ends) {
            QStringList others;
            for (Wire *w : item->wires())
                others << QString::number(ends.indexOf(w->otherEnd(item)));
            out << others.join(QLatin1Char(','));
        }
        return out;
    };
    QCOMPARE(wireOrder(s2), wireOrder(scene));
}

void TestProjectFile::badInput_data()
{
    QTest::addColumn<QByteArray>("content");
    // The whole error text, its beginning followed by "...", or "" for a good read.
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("checks");
    const QString incompatible = QStringLiteral("Plik nie jest kompatybilny z MOX wersja 1.0.\nLine %1, column %2");

    QTest::newRow("root of another name")
        << QByteArray("<?xml version=\"1.0\"?>\n<project version=\"1.0\">" + camera(0) + "</project>\n")
        << incompatible.arg(2).arg(23) << QStringList{"cameras=0"};
    QTest::newRow("version 1.1") << QByteArray("<?xml version=\"1.0\"?>\n<mox version=\"1.1\">" + camera(0) + "</mox>")
                                 << incompatible.arg(2).arg(19) << QStringList{"cameras=0"};
    // Cut in the middle of the second item, closing tag and all: what was read stays.
    QTest::newRow("truncated") << mox(camera(0) + "<pd id=\"1\" x=\"5\" y=\"6\" rotation=\"0\">\n<location>Ha").chopped(7)
                               << "Premature end of document...." << QStringList{"cameras=1", "pds=1", "pos:1=5,6", "wires=0"};

    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator generator(20240601);
    for (char &c : garbage)
        c = char(generator.bounded(256));
    garbage[0] = char(0xff);
    QTest::newRow("binary garbage") << garbage << "..." << QStringList{"pds=0", "cameras=0"};
    QTest::newRow("50 MB of Base64 that is no image")
        << mox("<project><name>duży</name><background>" + QByteArray(50 * 1024 * 1024, 'Q') + "</background></project>"
               + camera(0)) << QString() << QStringList{"background=null", "name=duży", "cameras=1"};
    QTest::newRow("Base64 of a text, a good logo")
        << mox("<project><customer_logo>" + ProjectImageCodec::encode(QPixmap::fromImage(testPicture(3, 2))).toLatin1()
               + "</customer_logo><background>"
               + QByteArray("Hello world").toBase64() + "</background></project>")
        << QString() << QStringList{"logo=3x2", "background=null"};
    QTest::newRow("image headers of 100000 x 100000 and 8193 x 10")
        << mox("<project><customer_logo>" + pngClaiming(8193, 10).toBase64() + "</customer_logo><background>"
               + pngClaiming(100000, 100000).toBase64() + "</background></project>")
        << QString() << QStringList{"logo=null", "background=null"};
    QTest::newRow("archive settings: unreadable, out of range, good")
        << mox("<project><archive_days>30 dni</archive_days><recording_hours>25</recording_hours>"
               "<storage_reserve>0</storage_reserve></project>")
        << QString() << QStringList{"archive=30/24/0"};
    QTest::newRow("negative numbers")
        << mox("<camera id=\"-4\" x=\"-50\" y=\"-20.5\" rotation=\"-90\"><number>-3</number><power>-1</power>"
               "<bitrate>-5</bitrate></camera>" + pd(1) + wire(1, -4, -1))
        << QString()
        << QStringList{"pos:-4=-50,-20.5", "rotation:-4=0", "number:-4=0", "power:-4=8", "bitrate:-4=4096",
                       "wire:0=1>-4/50"};
    QTest::newRow("huge and unreadable numbers")
        << mox("<camera id=\"99999999999\" x=\"nan\" y=\"inf\" rotation=\"450\"><number>4294967296</number>"
               "<bitrate>2147483648</bitrate><power>12abc</power></camera>"
               "<camera id=\"1\" x=\"1e999\" y=\"12,5\" rotation=\"x\"><number>100</number></camera>")
        << QString()
        << QStringList{"pos:0=0,0", "rotation:0=0", "number:0=0", "bitrate:0=4096", "power:0=8", "pos:1=0,0",
                       "number:1=100"};
    QTest::newRow("duplicate ids: the last one wins")
        << mox(pd(0) + camera(1, "pierwsza") + camera(1, "druga") + wire(0, 1)) << QString()
        << QStringList{"cameras=2", "wires=1", "wire:0=0>1/30", "wireEnd:0=druga"};
    QTest::newRow("wire from an item to itself")
        << mox(pd(0) + camera(1) + wire(0, 0) + wire(0, 1)) << QString() << QStringList{"wires=1", "wire:0=0>1/30"};
    QTest::newRow("dangling wires, rest loads")
        << mox(pd(0) + wire(0, 7) + wire(2, 0) + camera(2) + wire(0, 2, 44)) << QString()
        << QStringList{"wires=1", "wire:0=0>2/44", "cameras=1"};
    // Six levels of sixteen references each: 16^5 copies of a 32-byte text.
    QByteArray bomb = "<?xml version=\"1.0\"?>\n<!DOCTYPE mox [\n<!ENTITY a \"" + QByteArray(32, 'a') + "\">\n";
    for (char e = 'b'; e <= 'f'; ++e)
        bomb += "<!ENTITY " + QByteArray(1, e) + " \"" + QByteArray("&").append(char(e - 1)).append(';').repeated(16) + "\">\n";
    bomb += "]>\n<mox version=\"1.0\"><project><comment>&f;</comment></project></mox>\n";
    QTest::newRow("entity expansion bomb") << bomb << "..." << QStringList{"cameras=0"};
}

void TestProjectFile::badInput()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, error);
    QFETCH(QStringList, checks);

    ProjectDoc doc(nullptr);
    const QString message = readProject(doc, content);
    if (error.endsWith(QLatin1String("..."))) {
        QVERIFY2(message.startsWith(error.chopped(3)), qPrintable(message));
        // Every failure names its place in the file.
        QVERIFY2(message.contains(QRegularExpression(QStringLiteral("\nLine \\d+, column \\d+$"))), qPrintable(message));
    } else {
        QCOMPARE(message, error);
    }
    const QStringList found = facts(doc);
    for (const QString &check : qAsConst(checks))
        QVERIFY2(found.contains(check), qPrintable(check + QStringLiteral(" not in: ") + found.join(QLatin1String("; "))));
}

void TestProjectFile::bundledExampleLoads()
{
    TestCatalogue catalogue;
    QVERIFY2(catalogue.createBundled(), qPrintable(catalogue.lastError()));
    const QByteArray example = tst::fileBytes(QStringLiteral(MOX_DATA_DIR "/example.mox"));
    QVERIFY2(!example.isEmpty(), "data/example.mox is missing");
    ProjectDoc doc(nullptr);
    const QString error = readProject(doc, example);
    QVERIFY2(error.isEmpty(), qPrintable(error));

    // As the editor does after loading: fresh lists, then the calculation,
    // which settles each point on the first catalogue model that fits.
    installModelSelection();
    const QList<DiagramItem *> items = itemsOf<DiagramItem>(doc.scene());
    for (DiagramItem *item : items)
        item->refreshLists();
    CalcLoop(doc.scene()).run();
    for (DiagramItem *item : items) {
        // Every element is a catalogue model, so its figures are real ones.
        QVERIFY2(item->modelName() != QStringLiteral("Nie określono"), qPrintable(item->location()));
    }
    // Loading and recalculating changes nothing the file holds: no item, cable
    // or value was dropped or moved.
    QCOMPARE(QString::fromUtf8(tst::projectBytes(&doc)), QString::fromUtf8(example));
}

// The encoded text of a picture is kept between saves; a changed picture,
// even a copy of one already written, must be written as it is now.
void TestProjectFile::pictureTextFollowsItsPixmap()
{
    const QPixmap plan = QPixmap::fromImage(testPicture(30, 20));
    const QString first = ProjectImageCodec::encode(plan);
    QCOMPARE(ProjectImageCodec::encode(plan), first);

    QPixmap marked = plan;
    {
        QPainter painter(&marked);
        painter.fillRect(QRect(0, 0, 5, 5), Qt::red);
    }
    const QImage back = ProjectImageCodec::decodeImage(ProjectImageCodec::encode(marked));
    QCOMPARE(back.pixel(2, 2), qRgb(255, 0, 0));
    QCOMPARE(back.pixel(20, 10), testPicture(30, 20).pixel(20, 10));
    QCOMPARE(ProjectImageCodec::decodeImage(ProjectImageCodec::encode(plan)), testPicture(30, 20));

    QPixmap filled = plan;
    filled.fill(Qt::blue);
    QCOMPARE(ProjectImageCodec::decodeImage(ProjectImageCodec::encode(filled)).pixel(20, 10), qRgb(0, 0, 255));
}

QTEST_MAIN(TestProjectFile)
#include "tst_projectfile.moc"
