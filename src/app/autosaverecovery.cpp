#include "app/autosaverecovery.h"

#include "app/autosave.h"
#include "app/dialogseam.h"
#include "app/mainwindow.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

#include <algorithm>

QList<AutosaveRecovery::Copy> AutosaveRecovery::pending(const QString &commandLineProject)
{
    const QString wanted = commandLineProject.isEmpty() ? QString()
                                                        : QFileInfo(commandLineProject).absoluteFilePath();
    QList<Copy> copies;
    const QFileInfoList files = QDir(Autosave::folder()).entryInfoList({QStringLiteral("*.mox")}, QDir::Files);
    for (const QFileInfo &info : files) {
        // The copy of an editor still running is not a crash.
        if (!Autosave::lock(info.absoluteFilePath()))
            continue;
        Copy copy{info.absoluteFilePath(), Autosave::projectPathOf(info.absoluteFilePath()), info.lastModified()};
        const QFileInfo project(copy.projectPath);
        if (!copy.projectPath.isEmpty() && project.exists() && project.lastModified() >= copy.written) {
            // Saved after the copy was taken: the copy is stale.
            QFile::remove(copy.file);
            QFile::remove(Autosave::pathFileOf(copy.file));
            continue;
        }
        if (wanted.isEmpty() || copy.projectPath == wanted)
            copies << copy;
    }
    std::sort(copies.begin(), copies.end(), [](const Copy &a, const Copy &b) { return a.written > b.written; });
    return copies;
}

QString AutosaveRecovery::question(const Copy &copy)
{
    const QString project = copy.projectPath.isEmpty() ? tr("bez nazwy") : copy.projectPath;
    return tr("Edytor nie został poprawnie zamknięty.\n"
              "Znaleziono kopię automatyczną projektu %1 z %2.\n"
              "Czy przywrócić projekt z tej kopii?")
        .arg(project, copy.written.toString(QStringLiteral("yyyy-MM-dd hh:mm")));
}

bool AutosaveRecovery::offer(MainWindow *window, const QString &commandLineProject)
{
    const QList<Copy> copies = pending(commandLineProject);
    for (const Copy &copy : copies) {
        std::unique_ptr<QLockFile> lock = Autosave::lock(copy.file);
        if (!lock)
            continue;
        QMessageBox box(QMessageBox::Question, tr("MOX"), question(copy),
                        QMessageBox::Yes | QMessageBox::Discard, window);
        box.button(QMessageBox::Yes)->setText(tr("Przywróć"));
        box.button(QMessageBox::Discard)->setText(tr("Odrzuć"));
        box.setDefaultButton(QMessageBox::Yes);
        // Neither button answers Escape: a stray key must not delete the
        // work in the copy. Any other answer leaves it for the next start.
        const int answer = window->dialogSeam()->execMessageBox(box);
        if (answer == QMessageBox::Yes) {
            if (!window->restoreProject(copy.file, copy.projectPath))
                continue;
            Autosave::of(window)->adopt(copy.file, copy.projectPath, std::move(lock));
            return true;
        }
        if (answer == QMessageBox::Discard) {
            QFile::remove(copy.file);
            QFile::remove(Autosave::pathFileOf(copy.file));
        }
    }
    return false;
}
