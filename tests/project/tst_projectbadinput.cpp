// Damaged, hostile and odd project files: the reader must report the XML
// error or tolerate the damage, never crash or hang, and leave the scene in
// the state the file allows.
#include "testcatalogue.h"

#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "project/projectreader.h"

#include <QBuffer>
#include <QGraphicsItem>
#include <QImage>
#include <QRandomGenerator>
#include <QtTest>

namespace {

const char *const Head = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<!DOCTYPE mox>\n<mox version=\"1.0\">\n";
const char *const Tail = "</mox>\n";

QByteArray mox(const QByteArray &body)
{
    return QByteArray(Head) + body + Tail;
}

QByteArray camera(int id, const QByteArray &location = "Hala", const QByteArray &attrs = QByteArray())
{
    return "<camera id=\"" + QByteArray::number(id) + "\" x=\"10\" y=\"20\" rotation=\"0\"" + attrs
        + "><location>" + location + "</location></camera>\n";
}

QByteArray pd(int id, const QByteArray &children = QByteArray())
{
    return "<pd id=\"" + QByteArray::number(id) + "\" x=\"100\" y=\"200\" rotation=\"0\">" + children + "</pd>\n";
}

QByteArray wire(int start, int end, int length = 30)
{
    return "<wire model=\"UTP kat.5E\" lenght=\"" + QByteArray::number(length) + "\" start=\""
        + QByteArray::number(start) + "\" end=\"" + QByteArray::number(end) + "\"/>\n";
}

quint32 crc32(const QByteArray &data)
{
    quint32 crc = 0xffffffffu;
    for (char c : data) {
        crc ^= quint8(c);
        for (int k = 0; k < 8; ++k)
            crc = (crc >> 1) ^ (0xedb88320u & (0u - (crc & 1u)));
    }
    return crc ^ 0xffffffffu;
}

QByteArray bigEndian(quint32 v)
{
    QByteArray out(4, '\0');
    out[0] = char(v >> 24);
    out[1] = char(v >> 16);
    out[2] = char(v >> 8);
    out[3] = char(v);
    return out;
}

QByteArray pngChunk(const QByteArray &type, const QByteArray &data)
{
    return bigEndian(quint32(data.size())) + type + data + bigEndian(crc32(type + data));
}

// A PNG of a few dozen bytes whose header announces width x height pixels of
// 8-bit RGBA: decoding it for real would need width * height * 4 bytes.
QByteArray pngClaiming(quint32 width, quint32 height)
{
    QByteArray ihdr = bigEndian(width) + bigEndian(height);
    ihdr += char(8);  // bit depth
    ihdr += char(6);  // colour type RGBA
    ihdr += char(0);  // compression
    ihdr += char(0);  // filter
    ihdr += char(0);  // no interlace
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + pngChunk("IHDR", ihdr)
        + pngChunk("IDAT", QByteArray::fromHex("789c63000000000100")) + pngChunk("IEND", QByteArray());
}

QByteArray smallPng()
{
    QImage image(3, 2, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "png");
    return bytes;
}

QByteArray project(const QByteArray &children)
{
    return "<project>" + children + "</project>\n";
}

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

DiagramItem *itemById(DiagramScene *scene, int id)
{
    DiagramItem *found = nullptr;
    for (DiagramItem *item : diagramItems(scene)) {
        if (item->fileId == id)
            found = item;
    }
    return found;
}

// Checks one "key=value" probe against the scene; returns an empty string
// when it holds, else what was found.
QString probe(ProjectDoc &doc, const QString &check)
{
    DiagramScene *scene = doc.scene();
    const int eq = check.indexOf(QLatin1Char('='));
    const QString key = check.left(eq);
    const QString want = check.mid(eq + 1);
    const QString kind = key.section(QLatin1Char(':'), 0, 0);
    const int arg = key.section(QLatin1Char(':'), 1, 1).toInt();
    QString got;
    int pds = 0;
    int cams = 0;
    for (DiagramItem *item : diagramItems(scene))
        item->diagramType() == DiagramItem::PD ? ++pds : ++cams;

    if (kind == QLatin1String("pds")) {
        got = QString::number(pds);
    } else if (kind == QLatin1String("cameras")) {
        got = QString::number(cams);
    } else if (kind == QLatin1String("wires")) {
        got = QString::number(wires(scene).size());
    } else if (kind == QLatin1String("logo")) {
        got = doc.logo().isNull() ? QStringLiteral("null") : QStringLiteral("%1x%2").arg(doc.logo().width()).arg(doc.logo().height());
    } else if (kind == QLatin1String("background")) {
        got = doc.background().isNull() ? QStringLiteral("null") : QStringLiteral("set");
    } else if (kind == QLatin1String("name")) {
        got = scene->investmentName();
    } else if (kind == QLatin1String("commentLength")) {
        got = QString::number(scene->investmentComments().size());
    } else if (kind.startsWith(QLatin1String("wire"))) {
        const QList<Wire *> ws = wires(scene);
        if (arg >= ws.size())
            return QStringLiteral("no wire %1").arg(arg);
        Wire *w = ws.at(arg);
        if (kind == QLatin1String("wire"))
            got = QStringLiteral("%1>%2").arg(w->startItem()->fileId).arg(w->endItem()->fileId);
        else if (kind == QLatin1String("wireLength"))
            got = QString::number(w->length());
        else if (kind == QLatin1String("wireEndLocation"))
            got = w->endItem()->location();
    } else {
        DiagramItem *item = itemById(scene, arg);
        if (!item)
            return QStringLiteral("no item %1").arg(arg);
        if (kind == QLatin1String("pos"))
            got = QStringLiteral("%1,%2").arg(item->pos().x()).arg(item->pos().y());
        else if (kind == QLatin1String("number"))
            got = QString::number(item->number());
        else if (kind == QLatin1String("bitrate"))
            got = QString::number(item->bitrate());
        else if (kind == QLatin1String("power"))
            got = QString::number(item->power());
        else if (kind == QLatin1String("rotation"))
            got = QString::number(item->rotation());
        else if (kind == QLatin1String("power230"))
            got = item->hasPower230() ? QStringLiteral("yes") : QStringLiteral("no");
        else if (kind == QLatin1String("location"))
            got = item->location();
    }
    return got == want ? QString() : QStringLiteral("%1: got \"%2\"").arg(check, got);
}

} // namespace

class TestProjectBadInput : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void badInput_data();
    void badInput();
    void readerAddsToWhatTheSceneHolds();

private:
    TestCatalogue m_catalogue;
};

void TestProjectBadInput::initTestCase()
{
    Q_INIT_RESOURCE(images);
    QVERIFY2(m_catalogue.create({}, {}, {QStringLiteral("UTP kat.5E")}), qPrintable(m_catalogue.lastError()));
}

void TestProjectBadInput::badInput_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<bool>("ok");
    // The whole error text when it is known, else its beginning followed by "...".
    QTest::addColumn<QString>("error");
    QTest::addColumn<QStringList>("checks");

    const QString incompatible = QStringLiteral("Plik nie jest kompatybilny z MOX wersja 1.0.\nLine %1, column %2");

    QTest::newRow("empty file") << QByteArray() << false << "Premature end of document...."
                                << QStringList{"pds=0", "cameras=0"};
    QTest::newRow("declaration only") << QByteArray("<?xml version=\"1.0\"?>\n") << false
                                      << "Premature end of document...." << QStringList{"cameras=0"};
    QTest::newRow("root of another name")
        << QByteArray("<?xml version=\"1.0\"?>\n<project version=\"1.0\">" + camera(0) + "</project>\n") << false
        << incompatible.arg(2).arg(23) << QStringList{"cameras=0"};
    QTest::newRow("version 1.1") << QByteArray("<?xml version=\"1.0\"?>\n<mox version=\"1.1\">" + camera(0) + "</mox>")
                                 << false << incompatible.arg(2).arg(19) << QStringList{"cameras=0"};
    QTest::newRow("version missing") << QByteArray("<?xml version=\"1.0\"?>\n<mox>" + camera(0) + "</mox>") << false
                                     << incompatible.arg(2).arg(5) << QStringList{"cameras=0"};
    QTest::newRow("version with blank") << QByteArray("<mox version=\"1.0 \">" + camera(0) + "</mox>") << false
                                        << incompatible.arg(1).arg(20) << QStringList{"cameras=0"};

    // Cut in the middle of the second item: the first item and the start of
    // the second were read and stay.
    QTest::newRow("truncated") << QByteArray(Head + camera(0) + "<pd id=\"1\" x=\"5\" y=\"6\" rotation=\"0\">\n<location>Ha")
                               << false << "Premature end of document...."
                               << QStringList{"cameras=1", "pds=1", "pos:1=5,6", "wires=0"};
    QTest::newRow("mismatched tags") << QByteArray(Head + camera(0) + "<pd id=\"1\"></camera>" + Tail) << false
                                     << "Opening and ending tag mismatch...." << QStringList{"cameras=1", "pds=1"};

    QByteArray garbage(64 * 1024, '\0');
    QRandomGenerator generator(20240601);
    for (char &c : garbage)
        c = char(generator.bounded(256));
    garbage[0] = char(0xff);
    QTest::newRow("binary garbage") << garbage << false << "..." << QStringList{"pds=0", "cameras=0"};

    // 50 MB of Base64 that is no image: the file reads, the background is empty.
    QByteArray huge = Head + project("<name>duży</name><background>" + QByteArray(50 * 1024 * 1024, 'Q')
                                     + "</background>") + camera(0) + Tail;
    QTest::newRow("50 MB background") << huge << true << QString()
                                      << QStringList{"background=null", "name=duży", "cameras=1"};
    // The same file cut short inside the 50 MB text.
    QTest::newRow("50 MB truncated") << huge.left(40 * 1024 * 1024) << false << "Premature end of document...."
                                     << QStringList{"background=null", "cameras=0"};

    QTest::newRow("Base64 that is text")
        << mox(project("<customer_logo>" + QByteArray("Hello world").toBase64() + "</customer_logo>"
                       "<background>!!!***</background>")) << true << QString()
        << QStringList{"logo=null", "background=null"};
    QTest::newRow("image header of 100000 x 100000")
        << mox(project("<customer_logo>" + smallPng().toBase64() + "</customer_logo><background>"
                       + pngClaiming(100000, 100000).toBase64() + "</background>"))
        << true << QString() << QStringList{"logo=3x2", "background=null"};
    QTest::newRow("image just over the limit")
        << mox(project("<background>" + pngClaiming(8193, 10).toBase64() + "</background>")) << true << QString()
        << QStringList{"background=null"};

    QTest::newRow("negative numbers")
        << mox("<camera id=\"-4\" x=\"-50\" y=\"-20.5\" rotation=\"-90\"><number>-3</number><power>-1</power>"
               "<bitrate>-5</bitrate></camera>" + pd(1) + wire(1, -4, -1))
        << true << QString()
        << QStringList{"pos:-4=-50,-20.5", "rotation:-4=0", "number:-4=0", "power:-4=8", "bitrate:-4=4096",
                       "wire:0=1>-4", "wireLength:0=50"};
    QTest::newRow("huge and unreadable numbers")
        << mox("<camera id=\"99999999999\" x=\"nan\" y=\"inf\" rotation=\"450\"><number>4294967296</number>"
               "<bitrate>2147483648</bitrate><power>12abc</power></camera>"
               "<camera id=\"1\" x=\"1e999\" y=\"12,5\" rotation=\"x\"><number>100</number></camera>")
        << true << QString()
        << QStringList{"pos:0=0,0", "rotation:0=0", "number:0=0", "bitrate:0=4096", "power:0=8", "pos:1=0,0",
                       "number:1=100"};
    QTest::newRow("far off the sheet")
        << mox("<camera id=\"0\" x=\"1e300\" y=\"-1e300\" rotation=\"0\"/>" + pd(1) + wire(1, 0))
        << true << QString() << QStringList{"pos:0=1e+300,-1e+300", "wires=1"};
    QTest::newRow("duplicate ids: the last one wins")
        << mox(pd(0) + camera(1, "pierwsza") + camera(1, "druga") + wire(0, 1)) << true << QString()
        << QStringList{"cameras=2", "wires=1", "wireEndLocation:0=druga"};
    QTest::newRow("wire from an item to itself") << mox(pd(0) + camera(1) + wire(0, 0) + wire(0, 1)) << true
                                                 << QString() << QStringList{"wires=1", "wire:0=0>1"};
    QTest::newRow("dangling wire, rest loads")
        << mox(pd(0) + wire(0, 7) + wire(2, 0) + camera(2) + wire(0, 2, 44)) << true << QString()
        << QStringList{"wires=1", "wire:0=0>2", "wireLength:0=44", "cameras=1"};
    QTest::newRow("yes is exact")
        << mox(pd(0, "<power230>Yes</power230>") + pd(1, "<power230> yes</power230>") + pd(2, "<power230>yes</power230>"))
        << true << QString() << QStringList{"power230:0=no", "power230:1=no", "power230:2=yes"};
    QTest::newRow("unknown elements skipped whole")
        << mox("<extra><pd id=\"5\"/><camera id=\"6\"/></extra>"
               "<camera id=\"1\" x=\"1\" y=\"2\" rotation=\"0\"><foo><location>zła</location></foo>"
               "<location>dobra</location></camera>"
               "<wire model=\"UTP kat.5E\" lenght=\"3\" start=\"1\" end=\"1\"><pd id=\"9\"/></wire>")
        << true << QString() << QStringList{"pds=0", "cameras=1", "location:1=dobra", "wires=0"};
    QTest::newRow("markup inside a text element")
        << mox("<camera id=\"3\" x=\"1\" y=\"2\" rotation=\"0\"><location>Brama <b>płn.</b> wjazd</location></camera>")
        << true << QString() << QStringList{"location:3=Brama  wjazd"};
    QTest::newRow("project after the items")
        << mox(camera(0) + project("<name>na końcu</name><color_pds>niebieski?</color_pds>")) << true << QString()
        << QStringList{"name=na końcu", "cameras=1"};
    QTest::newRow("entity expansion bomb")
        << QByteArray("<?xml version=\"1.0\"?>\n<!DOCTYPE mox [\n<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">\n"
                      "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
                      "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
                      "<!ENTITY d \"&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;\">\n"
                      "<!ENTITY e \"&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;\">\n"
                      "<!ENTITY f \"&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;\">\n]>\n"
                      "<mox version=\"1.0\"><project><comment>&f;</comment></project></mox>\n")
        << false << "..." << QStringList{"cameras=0"};
}

void TestProjectBadInput::badInput()
{
    QFETCH(QByteArray, content);
    QFETCH(bool, ok);
    QFETCH(QString, error);
    QFETCH(QStringList, checks);

    ProjectDoc doc(nullptr);
    doc.scene()->removeAllItems();
    QBuffer buffer(&content);
    QVERIFY(buffer.open(QIODevice::ReadOnly));
    ProjectReader reader(&doc);
    const bool result = reader.read(&buffer);
    const QString message = reader.errorString();
    QVERIFY2(result == ok, qPrintable(message));
    if (!ok) {
        if (error.endsWith(QLatin1String("...")))
            QVERIFY2(message.startsWith(error.chopped(3)), qPrintable(message));
        else
            QCOMPARE(message, error);
        // Every failure names its place in the file.
        QVERIFY2(message.contains(QRegularExpression(QStringLiteral("\nLine \\d+, column \\d+$"))),
                 qPrintable(message));
    }
    for (const QString &check : qAsConst(checks)) {
        const QString failure = probe(doc, check);
        QVERIFY2(failure.isEmpty(), qPrintable(failure));
    }
}

void TestProjectBadInput::readerAddsToWhatTheSceneHolds()
{
    // Wires resolve against every diagram item of the scene, also those that
    // were there before the read, and a later item with the same id wins.
    ProjectDoc doc(nullptr);
    DiagramScene *scene = doc.scene();
    scene->removeAllItems();
    auto *old = new DiagramItem(DiagramItem::PD, nullptr);
    old->fileId = 4;
    scene->addItem(old);
    QByteArray content = mox(camera(9) + wire(4, 9) + pd(4) + wire(9, 4));
    QBuffer buffer(&content);
    buffer.open(QIODevice::ReadOnly);
    ProjectReader reader(&doc);
    QVERIFY(reader.read(&buffer));
    const QList<Wire *> ws = wires(scene);
    QCOMPARE(ws.size(), 2);
    QCOMPARE(ws.at(0)->startItem(), old);
    QVERIFY(ws.at(1)->endItem() != old);
    QCOMPARE(ws.at(1)->endItem()->fileId, 4);
    QCOMPARE(diagramItems(scene).size(), 3);
}

QTEST_MAIN(TestProjectBadInput)
#include "tst_projectbadinput.moc"
