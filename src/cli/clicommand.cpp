#include "cli/clicommand.h"

#include "check/poecheck.h"
#include "check/poecheckreport.h"
#include "app/projectloader.h"
#include "cli/projectreport.h"
#include "cli/reportformat.h"
#include "diagram/diagramscene.h"
#include "print/bomcsv.h"
#include "print/orderprintjob.h"
#include "print/projectdoc.h"
#include "print/schematicprint.h"
#include "project/safesavefile.h"

#include <QCommandLineParser>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPrinter>
#include <QSqlDatabase>
#include <QSqlError>
#include <QTextEdit>
#include <QTextStream>

struct CliCommand::Request {
    QString command;
    QString project;
    QString format;
    QString output;
    QString bom;
};

CliCommand::CliCommand(QTextStream &out, QTextStream &err)
    : m_out(out), m_err(err)
{
}

CliCommand::~CliCommand() = default;

QString CliCommand::helpText()
{
    return tr("Użycie: mox-cli POLECENIE PLIK.mox [opcje]\n"
              "\n"
              "Budżet mocy i pasma, schemat i zamówienie projektu MOX NORVANTE bez okna.\n"
              "Projekt jest wczytywany i przeliczany tak jak w edytorze.\n"
              "\n"
              "Polecenia:\n"
              "  report PLIK.mox [--format text|json|csv]\n"
              "        punkty dystrybucyjne i kamery: modele, sloty, obciążenie, bitrate,\n"
              "        napięcia, akumulatory, problemy\n"
              "  pdf PLIK.mox -o SCHEMAT.pdf\n"
              "        schemat na arkuszu A4, jak „Drukuj projekt”\n"
              "  order PLIK.mox [-o ZAMOWIENIE.pdf] [--csv BOM.csv]\n"
              "        zamówienie, jak „Drukuj zamówienie”, i zestawienie materiałów\n"
              "        (produkt, ilość, jednostka; przewód w metrach) w CSV\n"
              "\n"
              "Opcje:\n"
              "  -f, --format FORMAT    postać raportu: text (domyślna), json, csv\n"
              "  -o, --output PLIK      plik PDF do zapisania\n"
              "      --csv PLIK         zestawienie materiałów do pliku CSV (UTF-8)\n"
              "      --catalogue BAZA   katalog produktów; domyślnie moxproducts.db obok\n"
              "                         programu; czytany, nigdy nie zapisywany\n"
              "  -h, --help             ta pomoc\n"
              "  -v, --version          wersja programu\n"
              "\n"
              "Kod wyjścia:\n"
              "  0  projekt bez problemów\n"
              "  3  urządzenie z napięciem 40 V lub mniej, przewód ponad 100 m\n"
              "     albo punkt dystrybucyjny bez modelu z katalogu\n"
              "  2  pliku projektu nie da się odczytać albo jest uszkodzony\n"
              "  1  błędne wywołanie albo pliku wyjściowego nie da się zapisać\n");
}

int CliCommand::usageError(const QString &text)
{
    m_err << QStringLiteral("mox-cli: ") << text << '\n' << tr("Pomoc: mox-cli --help") << '\n';
    m_err.flush();
    return UsageError;
}

int CliCommand::run(const QStringList &arguments)
{
    QCommandLineParser parser;
    const QCommandLineOption helpOption({QStringLiteral("h"), QStringLiteral("help")}, QString());
    const QCommandLineOption versionOption({QStringLiteral("v"), QStringLiteral("version")}, QString());
    const QCommandLineOption formatOption({QStringLiteral("f"), QStringLiteral("format")}, QString(),
                                          QStringLiteral("format"));
    const QCommandLineOption outputOption({QStringLiteral("o"), QStringLiteral("output")}, QString(),
                                          QStringLiteral("file"));
    const QCommandLineOption csvOption(QStringLiteral("csv"), QString(), QStringLiteral("file"));
    const QCommandLineOption catalogueOption(QStringLiteral("catalogue"), QString(), QStringLiteral("db"));
    parser.addOptions({helpOption, versionOption, formatOption, outputOption, csvOption, catalogueOption});

    if (!parser.parse(arguments)) {
        const QStringList unknown = parser.unknownOptionNames();
        return usageError(unknown.isEmpty() ? parser.errorText()
                                            : tr("nieznana opcja: %1").arg(unknown.first()));
    }
    if (parser.isSet(helpOption)) {
        m_out << helpText();
        return Success;
    }
    if (parser.isSet(versionOption)) {
        m_out << QStringLiteral("mox-cli ") << version() << '\n';
        return Success;
    }

    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty())
        return usageError(tr("brak polecenia (report, pdf albo order)"));
    Request request;
    request.command = positional.first();
    if (request.command != QLatin1String("report") && request.command != QLatin1String("pdf")
        && request.command != QLatin1String("order"))
        return usageError(tr("nieznane polecenie: %1 (report, pdf albo order)").arg(request.command));
    if (positional.size() < 2)
        return usageError(tr("brak pliku projektu"));
    if (positional.size() > 2)
        return usageError(tr("zbędne argumenty: %1").arg(positional.mid(2).join(QLatin1Char(' '))));
    request.project = positional.at(1);
    request.format = parser.isSet(formatOption) ? parser.value(formatOption) : QStringLiteral("text");
    request.output = parser.value(outputOption);
    request.bom = parser.value(csvOption);

    const bool report = request.command == QLatin1String("report");
    const bool order = request.command == QLatin1String("order");
    if (parser.isSet(formatOption) && !report)
        return usageError(tr("--format dotyczy tylko polecenia report"));
    if (!QStringList({QStringLiteral("text"), QStringLiteral("json"), QStringLiteral("csv")})
                 .contains(request.format))
        return usageError(tr("nieznany format: %1 (text, json albo csv)").arg(request.format));
    if (parser.isSet(outputOption) && report)
        return usageError(tr("-o dotyczy tylko poleceń pdf i order"));
    if (parser.isSet(csvOption) && !order)
        return usageError(tr("--csv dotyczy tylko polecenia order"));
    if (request.command == QLatin1String("pdf") && request.output.isEmpty())
        return usageError(tr("polecenie pdf potrzebuje -o PLIK.pdf"));
    if (order && request.output.isEmpty() && request.bom.isEmpty())
        return usageError(tr("polecenie order potrzebuje -o PLIK.pdf albo --csv PLIK.csv"));

    const bool chosenCatalogue = parser.isSet(catalogueOption);
    const QString catalogue = chosenCatalogue
                                      ? parser.value(catalogueOption)
                                      : QCoreApplication::applicationDirPath() + QStringLiteral("/moxproducts.db");
    if (!openCatalogue(catalogue, chosenCatalogue))
        return UsageError;
    for (const QString &output : {request.output, request.bom}) {
        if (isProtected(output, request))
            return usageError(tr("plik wyjściowy %1 to plik projektu albo katalogu").arg(output));
    }

    ProjectDoc doc;
    ProjectLoader loader(&doc);
    if (loader.load(request.project) != ProjectLoader::Loaded) {
        m_err << loader.errorMessage() << '\n';
        m_err.flush();
        return BadProject;
    }

    const ProjectReport figures =
            ProjectReport::of(&doc, QFileInfo(request.project).absoluteFilePath(), m_cataloguePath);
    const int status = figures.hasProblems() ? ProjectProblems : Success;

    if (report) {
        if (request.format == QLatin1String("json"))
            m_out << QString::fromUtf8(ReportFormat::json(figures, status));
        else if (request.format == QLatin1String("csv"))
            m_out << QString::fromUtf8(ReportFormat::csv(figures));
        else
            m_out << ReportFormat::text(figures);
        m_out.flush();
        return status;
    }
    if (request.command == QLatin1String("pdf"))
        return writeSchematic(doc, request.output) ? status : int(UsageError);
    if (!request.output.isEmpty() && !writeOrder(doc, request.output))
        return UsageError;
    if (!request.bom.isEmpty() && !writeBom(doc, request.bom))
        return UsageError;
    return status;
}

// The catalogue is only ever read: opened read-only, so not even a journal
// is written beside it, and a missing file is never created.
bool CliCommand::openCatalogue(const QString &path, bool chosen)
{
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"));
    db.setDatabaseName(path);
    db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
    QString problem;
    if (!QFileInfo::exists(path))
        problem = tr("nie ma pliku katalogu %1").arg(path);
    else if (!db.open())
        problem = tr("nie mogę otworzyć katalogu %1: %2").arg(path, db.lastError().text());
    else if (!db.tables().contains(QStringLiteral("pd")) || !db.tables().contains(QStringLiteral("camera")))
        problem = tr("%1 nie jest katalogiem produktów (brak tabel pd i camera)").arg(path);
    if (problem.isEmpty()) {
        m_cataloguePath = QFileInfo(path).absoluteFilePath();
        return true;
    }
    db.close();
    if (chosen) {
        usageError(problem);
        return false;
    }
    // Without its catalogue the editor runs on with "Nie określono" models;
    // so does the report, and says so.
    m_err << QStringLiteral("mox-cli: ") << tr("Brak połączenia z bazą danych") << QStringLiteral(" (")
          << problem << QStringLiteral(")\n");
    m_err.flush();
    return true;
}

bool CliCommand::isProtected(const QString &output, const Request &request) const
{
    if (output.isEmpty())
        return false;
    const QString target = QFileInfo(output).canonicalFilePath();
    if (target.isEmpty())
        return false;
    return target == QFileInfo(request.project).canonicalFilePath()
           || (!m_cataloguePath.isEmpty() && target == QFileInfo(m_cataloguePath).canonicalFilePath());
}

// The printer reports no reason when its file cannot be made; the file is
// tried first so the user gets the system's.
bool CliCommand::canWrite(const QString &path)
{
    QFile file(path);
    if (file.open(QIODevice::WriteOnly))
        return true;
    m_err << tr("Nie mogę zapisać pliku %1:\n%2.").arg(path, file.errorString()) << '\n';
    m_err.flush();
    return false;
}

bool CliCommand::writeSchematic(ProjectDoc &doc, const QString &path)
{
    if (!canWrite(path))
        return false;
    doc.scene()->clearSelection();
    QPrinter printer(QPrinter::ScreenResolution);
    SchematicPrint::preparePrinter(printer, path);
    if (SchematicPrint::render(doc.scene(), &printer))
        return true;
    m_err << tr("Nie mogę zapisać pliku %1.").arg(path) << '\n';
    m_err.flush();
    return false;
}

bool CliCommand::writeOrder(ProjectDoc &doc, const QString &path)
{
    if (!canWrite(path))
        return false;
    QTextEdit editor;
    OrderPrintJob::fillEditor(doc.scene(), &editor, doc.logo());
    // As the editor prints it: the order, then the PoE check's section.
    PoeCheckReport::appendTo(editor.document(), PoeCheck::run(doc.scene()));
    QPrinter printer(QPrinter::ScreenResolution);
    OrderPrintJob::preparePdfPrinter(printer, path);
    editor.print(&printer);
    return true;
}

bool CliCommand::writeBom(ProjectDoc &doc, const QString &path)
{
    QString reason;
    if (SafeSaveFile::writeAll(path, BomCsv::csv(doc.scene()), &reason))
        return true;
    m_err << tr("Nie mogę zapisać pliku %1:\n%2.").arg(path, reason) << '\n';
    m_err.flush();
    return false;
}
