// mox-cli as a designer runs it: on project files, reading its output and
// its exit status.
#include "networkbuilder.h"
#include "testcatalogue.h"
#include "testhelpers.h"

#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

using tst::fileBytes;
using tst::writeBytes;
using tst::writeProject;

namespace {

struct Run {
    int status = -1;
    QByteArray out;
    QString err;
};

Run runCli(const QStringList &arguments, const QString &program = QStringLiteral(MOX_CLI_PATH))
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // The tool must pick its platform itself.
    env.remove(QStringLiteral("QT_QPA_PLATFORM"));
    env.remove(QStringLiteral("DISPLAY"));
    process.setProcessEnvironment(env);
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit)
        return run;
    run.status = process.exitCode();
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// RFC 4180 records: quoted fields may hold commas, CR LF and doubled quotes.
QList<QStringList> parseCsv(const QByteArray &bytes)
{
    const QString text = QString::fromUtf8(bytes);
    QList<QStringList> records;
    QStringList record;
    QString field;
    bool quoted = false;
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text.at(i + 1) == '"') {
                field += '"';
                ++i;
            } else if (c == '"') {
                quoted = false;
            } else {
                field += c;
            }
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            record << field;
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text.at(i + 1) == '\n') {
            record << field;
            records << record;
            record.clear();
            field.clear();
            ++i;
        } else {
            field += c;
        }
    }
    return records;
}

} // namespace

class TestCli : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void exitStatus_data();
    void exitStatus();
    void jsonFigures();
    void problemsOfAFaultyProject();
    void poeCheckInTheReport();
    void withoutCatalogue();
    void csvOutputs();
    void pdfPages_data();
    void pdfPages();

private:
    QString path(const QString &name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
    TestCatalogue m_catalogue;
};

// Three projects on a catalogue of our own: "good.mox", a mains point feeding
// an 8 W camera over 50 m (the voltage-drop case worked by hand below) and a
// second camera over 25 m of the same cable; "faulty.mox" with a cable over
// 100 m, a camera on no cable and a PoE-fed point no model fits;
// "overloaded.mox", which the budget passes and the PoE check does not.
void TestCli::initTestCase()
{
    Q_INIT_RESOURCE(images);
    QVERIFY(m_dir.isValid());
    QVERIFY2(m_catalogue.create({{"Kamera A", 8, 4096}},
                                {{"PD-4", "RACK", 0, 4, 1, 60, 100000}},
                                {QStringLiteral("Kabel \"Ex\", 4x2")}),
             qPrintable(m_catalogue.lastError()));

    {
        ProjectDoc doc;
        doc.scene()->setInvestmentName(QStringLiteral("Hala, etap \"A\""));
        NetworkBuilder net(doc.scene());
        DiagramItem *point = net.addPd(QPointF(300, 300), 1);
        DiagramItem *first = net.addCamera(QPointF(500, 200), 1, 8, 4096);
        DiagramItem *second = net.addCamera(QPointF(500, 400), 2, 6, 2048);
        first->setModel(QStringLiteral("Kamera A"));
        net.connect(point, first, 50)->setType(QStringLiteral("Kabel \"Ex\", 4x2"));
        net.connect(point, second, 25)->setType(QStringLiteral("Kabel \"Ex\", 4x2"));
        QVERIFY(writeProject(&doc, path("good.mox")));
    }
    {
        ProjectDoc doc;
        NetworkBuilder net(doc.scene());
        DiagramItem *point = net.addPd(QPointF(300, 300), 1);
        net.connect(point, net.addCamera(QPointF(500, 200), 1), 150);
        net.addCamera(QPointF(500, 400), 2);
        net.addPd(QPointF(700, 300), 2, false);
        QVERIFY(writeProject(&doc, path("faulty.mox")));
    }

    {
        // 20, 20 and 19 W on 100 m each: 59 W fit the 60 W of PD-4 as the
        // budget counts, and every camera stays within its class.
        ProjectDoc doc;
        NetworkBuilder net(doc.scene());
        DiagramItem *point = net.addPd(QPointF(300, 300), 1);
        const uint powers[] = {20, 20, 19};
        for (int i = 0; i < 3; ++i)
            net.connect(point, net.addCamera(QPointF(500, 200.0 + 100 * i), uint(i + 1), powers[i]), 100);
        QVERIFY(writeProject(&doc, path("overloaded.mox")));
    }

    QByteArray example = fileBytes(QStringLiteral(MOX_EXAMPLE_PATH));
    QVERIFY(example.size() > 2000);
    QVERIFY(writeBytes(path("truncated.mox"), example.left(example.size() / 2)));
    QVERIFY(writeBytes(path("version.mox"), QByteArray(example).replace("<mox version=\"1.0\">",
                                                                         "<mox version=\"1.1\">")));
    QVERIFY(writeBytes(path("empty.mox"), QByteArray()));
}

void TestCli::exitStatus_data()
{
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("errStart"); // the start of standard error ("" when it must be empty)
    QTest::addColumn<QString>("outPart");  // a text standard output must hold

    const QString good = path("good.mox");
    const QString cat = m_catalogue.path();
    const QString missing = path("brak.mox");

    QTest::newRow("version") << QStringList{"--version"} << 0 << "" << "mox-cli 1.0.22\n";
    QTest::newRow("help") << QStringList{"-h"} << 0 << "" << "Kod wyjścia:";
    QTest::newRow("good project") << QStringList{"report", good, "--catalogue", cat} << 0 << ""
                                  << "Wynik: bez problemów";
    QTest::newRow("example project, default catalogue") << QStringList{"report", MOX_EXAMPLE_PATH} << 0 << ""
                                                        << "Magazyn Logistyka Pomorze";
    QTest::newRow("faulty project") << QStringList{"report", path("faulty.mox"), "--catalogue", cat} << 3 << ""
                                    << QString::fromUtf8("Wynik: 6 problemów");
    QTest::newRow("faulty project, pdf too") << QStringList{"pdf", path("faulty.mox"), "-o", path("f.pdf"),
                                                            "--catalogue", cat}
                                             << 3 << "" << "";

    QTest::newRow("missing file") << QStringList{"report", missing, "--catalogue", cat} << 2
                                  << "Nie mogę odczytać pliku " + missing + ":\n" << "";
    QTest::newRow("truncated xml") << QStringList{"report", path("truncated.mox"), "--catalogue", cat} << 2
                                   << "Nie mogę odczytać pliku " + path("truncated.mox") + ":\n\n" << "";
    QTest::newRow("other version") << QStringList{"order", path("version.mox"), "--csv", path("v.csv")} << 2
                                   << "Nie mogę odczytać pliku " + path("version.mox")
                                              + ":\n\nPlik nie jest kompatybilny z MOX wersja 1.0."
                                   << "";
    QTest::newRow("empty file") << QStringList{"pdf", path("empty.mox"), "-o", path("e.pdf")} << 2
                                << "Nie mogę odczytać pliku " + path("empty.mox") + ":\n\n" << "";

    QTest::newRow("no arguments") << QStringList{} << 1 << "mox-cli: brak polecenia" << "";
    QTest::newRow("unknown command") << QStringList{"print", good} << 1 << "mox-cli: nieznane polecenie: print"
                                     << "";
    QTest::newRow("no file") << QStringList{"report"} << 1 << "mox-cli: brak pliku projektu" << "";
    QTest::newRow("unknown option") << QStringList{"report", good, "--pretty"} << 1
                                    << "mox-cli: nieznana opcja: pretty" << "";
    QTest::newRow("unknown format") << QStringList{"report", good, "--format", "xml"} << 1
                                    << "mox-cli: nieznany format: xml" << "";
    QTest::newRow("pdf without output") << QStringList{"pdf", good} << 1 << "mox-cli: polecenie pdf potrzebuje"
                                        << "";
    QTest::newRow("order without outputs") << QStringList{"order", good} << 1
                                           << "mox-cli: polecenie order potrzebuje" << "";
    QTest::newRow("csv for a report") << QStringList{"report", good, "--csv", path("x.csv")} << 1
                                      << "mox-cli: --csv dotyczy tylko" << "";
    QTest::newRow("missing catalogue") << QStringList{"report", good, "--catalogue", path("brak.db")} << 1
                                       << "mox-cli: nie ma pliku katalogu" << "";
    QTest::newRow("project as catalogue") << QStringList{"report", good, "--catalogue", good} << 1
                                          << "mox-cli: " + good + " nie jest katalogiem" << "";
    QTest::newRow("pdf over the project") << QStringList{"pdf", good, "-o", good, "--catalogue", cat} << 1
                                          << "mox-cli: plik wyjściowy" << "";
    QTest::newRow("pdf over the catalogue") << QStringList{"order", good, "--csv", cat, "--catalogue", cat} << 1
                                            << "mox-cli: plik wyjściowy" << "";
    QTest::newRow("output folder missing") << QStringList{"pdf", good, "-o", path("brak/s.pdf"), "--catalogue",
                                                          cat}
                                           << 1 << "Nie mogę zapisać pliku " + path("brak/s.pdf") + ":\n" << "";
}

void TestCli::exitStatus()
{
    QFETCH(QStringList, arguments);
    QFETCH(int, status);
    QFETCH(QString, errStart);
    QFETCH(QString, outPart);

    const QByteArray project = fileBytes(path("good.mox"));
    const QByteArray catalogue = fileBytes(m_catalogue.path());
    const Run run = runCli(arguments);
    QVERIFY2(run.status == status, qPrintable(QString("status %1\n%2").arg(run.status).arg(run.err)));
    if (errStart.isEmpty())
        QVERIFY2(run.err.isEmpty(), qPrintable(run.err));
    else
        QVERIFY2(run.err.startsWith(errStart), qPrintable(run.err));
    QVERIFY2(QString::fromUtf8(run.out).contains(outPart), run.out.constData());
    // Nothing the tool is given is ever written.
    QCOMPARE(fileBytes(path("good.mox")), project);
    QCOMPARE(fileBytes(m_catalogue.path()), catalogue);
}

// 8 W over 50 m from 48 V: I = 8 / 48 = 0.16667 A, R = 50 / 0.19625 x 1e6 x
// 1.72e-8 = 4.38217 ohm, drop 0.73036 V, so 47.26964 V at the camera. 6 W over
// 25 m: I = 0.125 A, R = 2.19108 ohm, drop 0.27389 V, 47.72611 V.
void TestCli::jsonFigures()
{
    const Run run = runCli({"report", path("good.mox"), "--format", "json", "--catalogue", m_catalogue.path()});
    QCOMPARE(run.status, 0);
    QJsonParseError error;
    const QJsonObject root = QJsonDocument::fromJson(run.out, &error).object();
    QVERIFY2(error.error == QJsonParseError::NoError, qPrintable(error.errorString()));
    QCOMPARE(root.value("project").toObject().value("name").toString(), QString("Hala, etap \"A\""));
    QCOMPARE(root.value("exitStatus").toInt(), 0);
    QCOMPARE(root.value("problems").toArray().size(), 0);

    const QJsonArray points = root.value("points").toArray();
    QCOMPARE(points.size(), 1);
    const QJsonObject point = points.first().toObject();
    QCOMPARE(point.value("label").toString(), QString("PD 1"));
    QCOMPARE(point.value("model").toString(), QString("PD-4"));
    QCOMPARE(point.value("slotsUsed").toInt(), 2);
    QCOMPARE(point.value("slotsAvailable").toInt(), 4);
    QCOMPARE(point.value("loadW").toInt(), 14);
    QCOMPARE(point.value("bitrateKbps").toInt(), 4096 + 2048);
    QCOMPARE(point.value("voutV").toInt(), 48);
    QVERIFY(point.value("vinV").isNull());
    QVERIFY(point.value("battery").isNull());

    const QJsonArray cameras = root.value("cameras").toArray();
    QCOMPARE(cameras.size(), 2);
    const double vin[] = {47.270, 47.726};
    const double loss[] = {0.730, 0.274};
    const int cable[] = {50, 25};
    for (int i = 0; i < 2; ++i) {
        const QJsonObject camera = cameras.at(i).toObject();
        QCOMPARE(camera.value("label").toString(), QString("K %1").arg(i + 1));
        QCOMPARE(camera.value("point").toString(), QString("PD 1"));
        QCOMPARE(camera.value("cableM").toInt(), cable[i]);
        QCOMPARE(camera.value("vinV").toDouble(), vin[i]);
        QCOMPARE(camera.value("voltageLossV").toDouble(), loss[i]);
        QCOMPARE(camera.value("flags").toArray().size(), 0);
    }
    QCOMPARE(cameras.at(0).toObject().value("model").toString(), QString("Kamera A"));
    QVERIFY(cameras.at(1).toObject().value("model").isNull());
}

void TestCli::problemsOfAFaultyProject()
{
    const Run run = runCli({"report", path("faulty.mox"), "--format", "json", "--catalogue", m_catalogue.path()});
    QCOMPARE(run.status, 3);
    const QJsonObject root = QJsonDocument::fromJson(run.out).object();
    QCOMPARE(root.value("exitStatus").toInt(), 3);
    QStringList problems;
    for (const QJsonValue &value : root.value("problems").toArray())
        problems << value.toObject().value("element").toString() + ' ' + value.toObject().value("kind").toString();
    // Points, then cameras, then cables: the PoE-fed point has neither a
    // model nor a source, the lone camera no supply, the 150 m cable is long;
    // then the PoE check's errors in the order of the file.
    QCOMPARE(problems, QStringList({"PD 2 noModel", "PD 2 lowVoltage", "K 2 lowVoltage",
                                    QString::fromUtf8("PD 1 – K 1 longCable"), "PD 2 checkError",
                                    "K 2 checkError"}));
    const QJsonObject longCamera = root.value("cameras").toArray().at(0).toObject();
    QCOMPARE(longCamera.value("flags").toArray(), QJsonArray({"longCable"}));
}

// The remarks of the PoE check in the report. The example project: the
// recorder's archive, 62 464 kbit/s x 125 B x 86 400 s x 30 days x 1.1 =
// 22.262 TB, and nothing wrong. The overloaded one, with the cable type's
// gauge unknown (24 AWG assumed, 8.42 ohm for 100 m on two pairs): 20 W take
// V = (48 + sqrt(48^2 - 4 x 8.42 x 20)) / 2 = 44.1891 V, 48 V x 20 / 44.1891 =
// 21.7248 W at the port, twice; 19 W 44.3966 V, 20.5421 W: 63.99 W together,
// more than the model's 60 W.
void TestCli::poeCheckInTheReport()
{
    const auto findingsOf = [](const QJsonObject &root) {
        QStringList texts;
        for (const QJsonValue &value : root.value("findings").toArray()) {
            const QJsonObject finding = value.toObject();
            texts << finding.value("severity").toString() + '|' + finding.value("element").toString() + '|'
                             + finding.value("text").toString();
        }
        return texts;
    };

    const Run example = runCli({"report", MOX_EXAMPLE_PATH, "--format", "json"});
    QCOMPARE(example.status, 0);
    QJsonObject root = QJsonDocument::fromJson(example.out).object();
    QCOMPARE(findingsOf(root), QStringList({QString::fromUtf8("info|PD 1|archiwum 22,26 TB – 15 kamer, 62 464 "
                                                              "kbit/s, 30 dni × 24 h, zapas 10 %")}));
    const QJsonArray points = root.value("points").toArray();
    QCOMPARE(points.at(0).toObject().value("storageTB").toDouble(), 22.26);
    QVERIFY(!points.at(1).toObject().contains("storageTB"));

    const Run overloaded =
            runCli({"report", path("overloaded.mox"), "--format", "json", "--catalogue", m_catalogue.path()});
    QCOMPARE(overloaded.status, 3);
    root = QJsonDocument::fromJson(overloaded.out).object();
    const QString error = QString::fromUtf8("porty muszą dać 63,99 W (ze stratami w przewodach), więcej niż "
                                            "budżet 60 W modelu PD-4");
    QVERIFY2(findingsOf(root).contains("error|PD 1|" + error), qPrintable(findingsOf(root).join('\n')));
    const QJsonArray problems = root.value("problems").toArray();
    QCOMPARE(problems.size(), 1);
    QCOMPARE(problems.first().toObject().value("kind").toString(), QString("checkError"));
    QCOMPARE(problems.first().toObject().value("text").toString(), error);
    QCOMPARE(root.value("points").toArray().first().toObject().value("flags").toArray(),
             QJsonArray({"checkError"}));

    // The terminal and the spreadsheet say it too.
    const Run text = runCli({"report", path("overloaded.mox"), "--catalogue", m_catalogue.path()});
    QCOMPARE(text.status, 3);
    QVERIFY2(QString::fromUtf8(text.out).contains(
                     QRegularExpression(QString::fromUtf8("\\n  błąd +PD 1 +") + QRegularExpression::escape(error))),
             text.out.constData());
    const Run csv = runCli({"report", path("overloaded.mox"), "--format", "csv", "--catalogue", m_catalogue.path()});
    const QList<QStringList> rows = parseCsv(csv.out);
    QCOMPARE(rows.at(1).at(rows.first().indexOf("flags")), QString("mains checkError"));
}

// A program with no catalogue beside it runs on as the editor does, with
// "Nie określono" for every model, and says so once.
void TestCli::withoutCatalogue()
{
    const QString program = path("bare/mox-cli");
    QVERIFY(QDir().mkpath(path("bare")));
    QVERIFY(QFile::copy(QStringLiteral(MOX_CLI_PATH), program));
    const Run run = runCli({"report", path("good.mox"), "--format", "json"}, program);
    QCOMPARE(run.status, 3);
    QCOMPARE(run.err, QString::fromUtf8("mox-cli: Brak połączenia z bazą danych (nie ma pliku katalogu %1)\n")
                              .arg(path("bare/moxproducts.db")));
    const QJsonObject root = QJsonDocument::fromJson(run.out).object();
    QVERIFY(root.value("catalogue").isNull());
    QCOMPARE(root.value("problems").toArray().first().toObject().value("kind").toString(), QString("noModel"));
}

void TestCli::csvOutputs()
{
    const QString bom = path("bom.csv");
    const Run order = runCli({"order", path("good.mox"), "--csv", bom, "--catalogue", m_catalogue.path()});
    QCOMPARE(order.status, 0);
    const QByteArray bytes = fileBytes(bom);
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QCOMPARE(bytes.count("\r\n"), 5);
    // Cables first and merged (50 + 25 m), then the point, then the cameras
    // by model as the order lists them.
    QCOMPARE(parseCsv(bytes), QList<QStringList>({{"Produkt", QString::fromUtf8("Ilość"), "Jednostka"},
                                                  {"Kabel \"Ex\", 4x2", "75", "m"},
                                                  {"PD-4", "1", "szt."},
                                                  {"Kamera A", "1", "szt."},
                                                  {QString::fromUtf8("Nie określono"), "1", "szt."}}));

    const Run report = runCli({"report", path("good.mox"), "--format", "csv", "--catalogue", m_catalogue.path()});
    QCOMPARE(report.status, 0);
    const QList<QStringList> rows = parseCsv(report.out);
    QCOMPARE(rows.size(), 4);
    const QStringList header = rows.first();
    for (const QStringList &row : rows)
        QCOMPARE(row.size(), header.size());
    QCOMPARE(rows.at(1).at(header.indexOf("kind")), QString("pd"));
    QCOMPARE(rows.at(1).at(header.indexOf("slots_available")), QString("4"));
    QCOMPARE(rows.at(1).at(header.indexOf("flags")), QString("mains"));
    QCOMPARE(rows.at(2).at(header.indexOf("vin_v")), QString("47.27"));
    QCOMPARE(rows.at(3).at(header.indexOf("voltage_loss_v")), QString("0.274"));
}

void TestCli::pdfPages_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("landscape");
    QTest::newRow("schematic, landscape") << "pdf" << true;
    QTest::newRow("order, portrait") << "order" << false;
}

void TestCli::pdfPages()
{
    QFETCH(QString, command);
    QFETCH(bool, landscape);
    const QString pdf = path(command + ".pdf");
    const Run run = runCli({command, path("good.mox"), "-o", pdf, "--catalogue", m_catalogue.path()});
    QCOMPARE(run.status, 0);
    const QByteArray bytes = fileBytes(pdf);
    QVERIFY(bytes.startsWith("%PDF-"));
    const tst::PdfPages pages = tst::pdfPages(bytes);
    QCOMPARE(pages.count, 1);
    QVERIFY2(pages.isA4(landscape), qPrintable(QStringLiteral("%1 x %2").arg(pages.size.width()).arg(pages.size.height())));
}

QTEST_MAIN(TestCli)
#include "tst_cli.moc"
