#include "app/bomexportcommand.h"

#include "app/dialogseam.h"
#include "app/projectcommands.h"
#include "diagram/diagramscene.h"
#include "print/bomcsv.h"
#include "project/safesavefile.h"

#include <QDir>
#include <QMainWindow>
#include <QMessageBox>
#include <QStatusBar>

namespace {
const int kStatusTimeout = 3000;
}

BomExportCommand::BomExportCommand(QMainWindow *window, DiagramScene *scene, DialogSeam *seam)
    : m_window(window), m_scene(scene), m_seam(seam)
{
}

QString BomExportCommand::suggestedPath(const QString &projectName)
{
    return ProjectCommands::projectDirectory() + QDir::separator() + projectName + QStringLiteral(".csv");
}

bool BomExportCommand::run()
{
    // As for the project dialogs: a folder that cannot be made does not keep
    // the dialog shut.
    QDir(QDir::homePath()).mkdir(QStringLiteral("mox"));
    const QString path = m_seam->getSaveFileName(m_window, tr("Eksport BOM do CSV"),
                                                 suggestedPath(m_scene->investmentName()),
                                                 tr("Pliki CSV (*.csv)"));
    if (path.isEmpty())
        return false;

    QString reason;
    if (!SafeSaveFile::writeAll(path, BomCsv::csv(m_scene), &reason)) {
        QMessageBox box(QMessageBox::Warning, tr("MOX"), tr("Nie mogę zapisać pliku %1:\n%2.").arg(path, reason),
                        QMessageBox::Ok, m_window);
        m_seam->execMessageBox(box);
        return false;
    }
    m_window->statusBar()->showMessage(tr("Zapisano BOM do pliku CSV"), kStatusTimeout);
    return true;
}
