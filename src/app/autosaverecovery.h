#ifndef APP_AUTOSAVERECOVERY_H
#define APP_AUTOSAVERECOVERY_H

#include <QCoreApplication>
#include <QDateTime>
#include <QList>
#include <QString>

class MainWindow;

// The start-up question after a crash: copies left in the autosave folder
// (Autosave) that are newer than their projects are offered one by one,
// newest first, through the window's dialog seam. "Przywróć" loads the copy
// as the project at its own path, still modified, and ends the questions;
// "Odrzuć" deletes the copy. A copy older than its project holds nothing the
// project lacks and goes without a question.
class AutosaveRecovery
{
    Q_DECLARE_TR_FUNCTIONS(AutosaveRecovery)

public:
    struct Copy {
        QString file;        // the copy in the autosave folder
        QString projectPath; // empty for a project never saved
        QDateTime written;
    };

    // The copies worth offering, newest first; stale copies are removed on
    // the way. With a project named on the command line only that
    // project's copy is offered: the others wait for a start without one.
    static QList<Copy> pending(const QString &commandLineProject = QString());

    // Asks about each pending copy. True when one was restored (the window
    // then holds it, and the command-line project is not to be loaded).
    static bool offer(MainWindow *window, const QString &commandLineProject = QString());

    // The question as the user reads it.
    static QString question(const Copy &copy);
};

#endif // APP_AUTOSAVERECOVERY_H
