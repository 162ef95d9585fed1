// mox-cli: the command-line tool beside the editor (see cli/clicommand.h).

#include "cli/clicommand.h"

#include <QApplication>
#include <QLoggingCategory>
#include <QTextStream>

#include <cstdio>

namespace {

QtMessageHandler g_handler = nullptr;

void forward(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (g_handler)
        g_handler(type, context, text);
    else
        std::fprintf(stderr, "%s\n", qPrintable(text));
}

// Only what stops the tool gets through while the platform starts: its
// notes (no XDG_RUNTIME_DIR under cron, and the like) are about a screen the
// tool never uses, and would land in every batch log.
void startUpHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        forward(type, context, text);
}

// Without a catalogue every statement of the calculation warns that the
// database is not open; the tool has said so once already.
void runHandler(QtMsgType type, const QMessageLogContext &context, const QString &text)
{
    if (type != QtWarningMsg || !text.startsWith(QLatin1String("QSqlQuery::exec: database not open")))
        forward(type, context, text);
}

} // namespace

int main(int argc, char *argv[])
{
    // The tool never shows a window. Without a platform chosen by the user it
    // draws offscreen, so it runs where there is no display and gives the
    // same pages whatever display there is.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    Q_INIT_RESOURCE(images);
    g_handler = qInstallMessageHandler(startUpHandler);
    QApplication app(argc, argv);
    qInstallMessageHandler(runHandler);
    QCoreApplication::setApplicationName(QStringLiteral("mox-cli"));
    QCoreApplication::setApplicationVersion(CliCommand::version());
    // The editor's diagnostics would bury the report on the terminal;
    // QT_LOGGING_RULES still brings them back.
    QLoggingCategory::setFilterRules(QStringLiteral("*.debug=false\n*.info=false"));

    QTextStream out(stdout);
    QTextStream err(stderr);
    out.setCodec("UTF-8");
    err.setCodec("UTF-8");
    const int status = CliCommand(out, err).run(QCoreApplication::arguments());
    out.flush();
    err.flush();
    return status;
}
