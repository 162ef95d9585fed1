#include "app/projectcommands.h"

#include "app/dialogseam.h"
#include "app/projectloader.h"
#include "diagram/diagramscene.h"
#include "print/projectdoc.h"
#include "project/projectimagecodec.h"
#include "project/projectwriter.h"
#include "project/safesavefile.h"

#include <QBrush>
#include <QDir>
#include <QFile>
#include <QMainWindow>
#include <QMessageBox>
#include <QPixmap>
#include <QPushButton>
#include <QStatusBar>

namespace {

const int StatusTimeout = 3000;

QString projectFilter()
{
    return ProjectCommands::tr("MOX Files (*.mox *.xml)");
}

} // namespace

ProjectCommands::ProjectCommands(const Host &host)
    : m_host(host)
{
}

QString ProjectCommands::projectDirectory()
{
    return QDir::toNativeSeparators(QDir::homePath() + QStringLiteral("/mox"));
}

QString ProjectCommands::windowTitle(const QString &path, bool modified)
{
    QString title = tr("MOX NORVANTE");
    if (path.isEmpty())
        return title;
    title += QStringLiteral(" - [") + path + QStringLiteral("]");
    if (modified)
        title += QLatin1Char('*');
    return title;
}

void ProjectCommands::makeProjectDirectory()
{
    // A directory that cannot be made is no reason to keep the dialog shut:
    // the user can still pick any other place.
    QDir(QDir::homePath()).mkdir(QStringLiteral("mox"));
}

void ProjectCommands::openProject()
{
    makeProjectDirectory();
    const QString fileName = m_host.seam->getOpenFileName(m_host.window, tr("Otwórz projekt MOX"),
                                                          projectDirectory(), projectFilter());
    if (fileName.isEmpty())
        return;
    if (m_host.projectReplaced)
        m_host.projectReplaced();
    removeBackground();
    m_host.doc->scene()->removeAllItems();
    loadProject(fileName);
}

void ProjectCommands::loadProject(const QString &path)
{
    if (path.isEmpty())
        return;
    setProjectFile(path);
    ProjectLoader loader(m_host.doc);
    const ProjectLoader::Outcome outcome = loader.read(**m_host.projectFile);
    if (outcome == ProjectLoader::Unreadable) {
        showWarning(loader.errorMessage());
        clearProjectFile();
        return;
    }
    if (outcome == ProjectLoader::Invalid)
        showWarning(loader.errorMessage());
    else
        showStatus(tr("Otwarto projekt"));
    // A picture left out must not go unnoticed: the next save would drop it
    // from the file for good.
    if (loader.refusedImageSize().isValid())
        showStatus(ProjectImageCodec::refusalText(loader.refusedImageSize()));
    m_host.window->setWindowTitle(windowTitle(path, true));

    loader.showSheet();
    if (m_host.showProjectSet)
        m_host.showProjectSet();
    loader.prepareItems(m_host.itemMenu);

    // The selection change at the end marks the project modified: a project
    // that was just read has not been saved by this editor yet.
    if (m_host.updateScene)
        m_host.updateScene();
    if (m_host.applyProjectColours)
        m_host.applyProjectColours();
    if (m_host.selectionChanged)
        m_host.selectionChanged();
}

bool ProjectCommands::restoreProject(const QString &autosavePath, const QString &projectPath)
{
    loadProject(autosavePath);
    if (!*m_host.projectFile)
        return false;
    if (projectPath.isEmpty())
        clearProjectFile();
    else
        setProjectFile(projectPath);
    // Loading marked it modified: what was restored is not in the project
    // file yet.
    m_host.window->setWindowTitle(windowTitle(projectPath, true));
    showStatus(tr("Przywrócono projekt z kopii automatycznej"));
    return true;
}

bool ProjectCommands::saveProject()
{
    if (!*m_host.projectFile)
        return saveAsProject();
    return saveToCurrentFile();
}

bool ProjectCommands::saveAsProject()
{
    makeProjectDirectory();
    const QString suggestion = projectDirectory() + QDir::separator() + m_host.doc->scene()->investmentName();
    const QString fileName = m_host.seam->getSaveFileName(m_host.window, tr("Zapisz MOX Projekt"), suggestion,
                                                          projectFilter());
    if (fileName.isEmpty())
        return false;
    // The chosen path stays current even when writing fails, so the next
    // Save tries it again.
    setProjectFile(fileName);
    return saveToCurrentFile();
}

bool ProjectCommands::saveToCurrentFile()
{
    const QString path = currentPath();
    SafeSaveFile file(path);
    if (!file.open()) {
        showWarning(tr("Nie mogę zapisać pliku %1:\n%2.").arg(path, file.errorString()));
        return false;
    }
    return saveProjectToFile(file);
}

bool ProjectCommands::saveProjectToFile(SafeSaveFile &file)
{
    // Only a commit replaces the old project; until then it is untouched, and
    // a write that failed anywhere on the way cancels the commit.
    ProjectWriter writer(m_host.doc);
    if (!writer.write(&file) || !file.commit()) {
        file.cancel();
        showWarning(tr("Nie mogę zapisać pliku %1:\n%2.").arg(currentPath(), file.errorString()));
        return false;
    }
    showStatus(tr("Zapisano projekt"));
    m_host.window->setWindowTitle(windowTitle(currentPath(), false));
    m_host.doc->setModified(false);
    return true;
}

bool ProjectCommands::maybeSave()
{
    if (!m_host.doc->isModified())
        return true;
    QMessageBox box;
    box.setText(QStringLiteral("Projekt zastał zmodyfikowany.\nCzy zapisać zmiany w pliku?"));
    box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    box.button(QMessageBox::Save)->setText(tr("Zapisz"));
    box.button(QMessageBox::Discard)->setText(tr("Nie zapisuj"));
    box.button(QMessageBox::Cancel)->setText(tr("Anuluj"));
    box.setDefaultButton(QMessageBox::Save);
    switch (m_host.seam->execMessageBox(box)) {
    case QMessageBox::Save:
        return saveProject();
    case QMessageBox::Discard:
        return true;
    default:
        return false;
    }
}

void ProjectCommands::setProjectFile(const QString &path)
{
    clearProjectFile();
    *m_host.projectFile = new QFile(path, m_host.window);
}

void ProjectCommands::clearProjectFile()
{
    delete *m_host.projectFile;
    *m_host.projectFile = nullptr;
}

QString ProjectCommands::currentPath() const
{
    return *m_host.projectFile ? (*m_host.projectFile)->fileName() : QString();
}

void ProjectCommands::showWarning(const QString &text)
{
    QMessageBox box(QMessageBox::Warning, tr("MOX"), text, QMessageBox::Ok, m_host.window);
    m_host.seam->execMessageBox(box);
}

void ProjectCommands::showStatus(const QString &text)
{
    m_host.window->statusBar()->showMessage(text, StatusTimeout);
}

void ProjectCommands::removeBackground()
{
    m_host.doc->setBackground(QPixmap());
    m_host.doc->scene()->setBackgroundBrush(QBrush());
}
