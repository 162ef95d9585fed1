#ifndef CLI_CLICOMMAND_H
#define CLI_CLICOMMAND_H

#include <QCoreApplication>
#include <QString>
#include <QStringList>

class ProjectDoc;
class ProjectReport;
class QTextStream;

// mox-cli: the budget, the schematic and the order of a project without a
// window. Each run loads one project the way the editor opens it, works out
// the report (which also decides the exit status) and then does what the
// command asks:
//   report FILE [--format text|json|csv]   the report on standard output
//   pdf FILE -o OUT.pdf                    the schematic, as the editor prints it
//   order FILE [-o OUT.pdf] [--csv BOM.csv] the order and its bill of materials
// --catalogue DB reads another catalogue; the catalogue is opened read-only.
class CliCommand
{
    Q_DECLARE_TR_FUNCTIONS(CliCommand)

public:
    enum ExitStatus {
        Success = 0,
        UsageError = 1,     // also: an output file that cannot be written
        BadProject = 2,     // unreadable or invalid project file
        ProjectProblems = 3 // a device at 40 V or less, a cable over 100 m, a point without model
    };

    CliCommand(QTextStream &out, QTextStream &err);
    ~CliCommand();

    // arguments as QCoreApplication::arguments() gives them, program first.
    int run(const QStringList &arguments);

    static QString helpText();
    static QString version() { return QStringLiteral("1.0.22"); }

private:
    struct Request;

    int usageError(const QString &text);
    bool openCatalogue(const QString &path, bool chosen);
    bool isProtected(const QString &output, const Request &request) const;
    bool writeSchematic(ProjectDoc &doc, const QString &path);
    bool writeOrder(ProjectDoc &doc, const QString &path);
    bool writeBom(ProjectDoc &doc, const QString &path);
    bool canWrite(const QString &path);

    QTextStream &m_out;
    QTextStream &m_err;
    QString m_cataloguePath; // empty while no catalogue is open
};

#endif // CLI_CLICOMMAND_H
