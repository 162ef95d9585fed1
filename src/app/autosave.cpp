#include "app/autosave.h"

#include "app/dialogseam.h"
#include "app/mainwindow.h"
#include "print/projectdoc.h"
#include "project/projectwriter.h"
#include "project/safesavefile.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGraphicsTextItem> // completes the sheet's title-block pointers
#include <QStatusBar>

namespace {

const int kStatusTimeout = 3000;
// When the time is up while a dialog is open, look again this much later.
const int kDialogRetry = 1000;
// Long enough for any real project name, short enough for every file system.
const int kMaxNameLength = 100;

bool writeText(const QString &path, const QString &text, QString *error)
{
    SafeSaveFile file(path);
    if (!file.open() || file.write(text.toUtf8()) < 0 || !file.commit()) {
        *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace

Autosave::Autosave(MainWindow *window)
    : QObject(window)
    , m_window(window)
{
    setObjectName(QStringLiteral("autosave"));
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &Autosave::timeUp);
    connect(window->projectDoc(), &ProjectDoc::modifiedSet, this, &Autosave::modifiedSet);
}

Autosave *Autosave::of(MainWindow *window)
{
    auto *autosave = window->findChild<Autosave *>(QString(), Qt::FindDirectChildrenOnly);
    return autosave ? autosave : new Autosave(window);
}

QString Autosave::folder()
{
    return QDir::homePath() + QStringLiteral("/mox/.autosave");
}

// The file's base name rather than the project's "Name": every new project
// is called "inwestycja 1", and the name may change with every edit, while
// the file is what the user knows the project by and what stays put.
QString Autosave::fileNameFor(const QString &projectPath)
{
    const QString base = projectPath.isEmpty() ? QString() : QFileInfo(projectPath).completeBaseName();
    QString name;
    for (const QChar c : base) {
        // Separators and what other file systems forbid become "_"; so does
        // a leading point, which would hide the file.
        const bool forbidden = c.unicode() < 0x20 || c.unicode() == 0x7f
                               || QStringLiteral("/\\:*?\"<>|").contains(c)
                               || (name.isEmpty() && c == QLatin1Char('.'));
        name += forbidden ? QLatin1Char('_') : c;
    }
    name = name.trimmed();
    if (name.size() > kMaxNameLength)
        name.truncate(name.at(kMaxNameLength - 1).isHighSurrogate() ? kMaxNameLength - 1 : kMaxNameLength);
    if (name.isEmpty())
        name = QStringLiteral("bez-nazwy");
    return name + QStringLiteral(".mox");
}

QString Autosave::pathFileOf(const QString &autosaveFile)
{
    return autosaveFile + QStringLiteral(".path");
}

QString Autosave::projectPathOf(const QString &autosaveFile)
{
    QFile file(pathFileOf(autosaveFile));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll()).trimmed();
}

QString Autosave::currentFile() const
{
    const QFile *project = m_window->projectFile();
    return folder() + QLatin1Char('/') + fileNameFor(project ? project->fileName() : QString());
}

void Autosave::modifiedSet(bool modified)
{
    if (modified) {
        m_timer.start(m_delay);
    } else {
        // Saved: the project file holds everything the copy did.
        m_timer.stop();
        discard();
    }
}

void Autosave::timeUp()
{
    if (!m_window->projectDoc()->isModified())
        return;
    // Dialogs of the property view (colours, fonts) do not pass the seam,
    // so the application is asked too.
    if (m_window->dialogSeam()->isDialogOpen() || QApplication::activeModalWidget()) {
        m_timer.start(kDialogRetry);
        return;
    }
    writeNow();
}

bool Autosave::writeNow()
{
    const QString target = currentFile();
    const QFile *project = m_window->projectFile();
    const QString projectPath = project ? QFileInfo(project->fileName()).absoluteFilePath() : QString();
    QDir().mkpath(folder());

    // The path first: a copy is never without it, even after a crash
    // between the two writes.
    QString error;
    bool written = writeText(pathFileOf(target), projectPath, &error);
    if (written) {
        SafeSaveFile file(target);
        ProjectWriter writer(m_window->projectDoc());
        written = file.open() && writer.write(&file) && file.commit();
        if (!written)
            error = file.errorString();
    }
    if (!written) {
        m_window->statusBar()->showMessage(
                tr("Nie mogę zapisać kopii automatycznej %1: %2").arg(target, error), kStatusTimeout);
        return false;
    }

    // After a Save As the copy has a new name; the old one is stale.
    m_ownFiles.remove(target);
    discard();
    m_ownFiles.insert(target);
    return true;
}

void Autosave::discard()
{
    for (const QString &file : qAsConst(m_ownFiles)) {
        QFile::remove(file);
        QFile::remove(pathFileOf(file));
    }
    m_ownFiles.clear();
}

void Autosave::adopt(const QString &autosaveFile)
{
    m_ownFiles.insert(autosaveFile);
}
