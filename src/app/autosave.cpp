#include "app/autosave.h"

#include "app/dialogseam.h"
#include "app/mainwindow.h"
#include "print/projectdoc.h"
#include "project/projectwriter.h"
#include "project/safesavefile.h"
#include "project/systemerror.h"

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
// Copies of projects of the same name: one per running editor or crash.
const int kMaxCopiesPerName = 50;

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

// A window destroyed without closing is a crash as far as the copy is
// concerned: it stays. Only the lock goes with this session.
Autosave::~Autosave() = default;

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

std::unique_ptr<QLockFile> Autosave::lock(const QString &autosaveFile)
{
    std::unique_ptr<QLockFile> lock(new QLockFile(autosaveFile + QStringLiteral(".lock")));
    // A running editor may keep its copy for hours; only a lock whose owner
    // has died is stale.
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0))
        return nullptr;
    return lock;
}

// The first of name, name-2, name-3 ... that no running editor holds and no
// copy left by a crash occupies: such a copy waits for the start-up question.
QString Autosave::claim(const QString &name, std::unique_ptr<QLockFile> *lock) const
{
    const QString stem = folder() + QLatin1Char('/') + name.chopped(4);
    for (int n = 1; n <= kMaxCopiesPerName; ++n) {
        const QString candidate = n == 1 ? stem + QStringLiteral(".mox") : stem + QStringLiteral("-%1.mox").arg(n);
        std::unique_ptr<QLockFile> candidateLock = Autosave::lock(candidate);
        if (candidateLock && !QFileInfo::exists(candidate)) {
            *lock = std::move(candidateLock);
            return candidate;
        }
    }
    return QString();
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
    const QFile *project = m_window->projectFile();
    const QString projectPath = project ? QFileInfo(project->fileName()).absoluteFilePath() : QString();
    const QString name = fileNameFor(projectPath);
    QDir().mkpath(folder());

    // A Save As gives the copy a new name; the old copy goes only once the
    // new one is written.
    QString target = m_ownFile;
    std::unique_ptr<QLockFile> newLock;
    if (!m_ownLock || name != m_ownName)
        target = claim(name, &newLock);

    QString error;
    bool written = !target.isEmpty();
    if (!written)
        error = SystemError::ofWriting(folder() + QLatin1Char('/') + name, tr("wszystkie nazwy kopii są zajęte"));
    // The path first: a copy is never without it, even after a crash
    // between the two writes.
    if (written)
        written = writeText(pathFileOf(target), projectPath, &error);
    if (written) {
        SafeSaveFile file(target);
        ProjectWriter writer(m_window->projectDoc());
        written = file.open() && writer.write(&file) && file.commit();
        if (!written)
            error = file.errorString();
    }
    if (!written) {
        if (newLock)
            QFile::remove(pathFileOf(target));
        m_window->statusBar()->showMessage(
                tr("Nie mogę zapisać kopii automatycznej %1: %2").arg(target.isEmpty() ? name : target, error),
                kStatusTimeout);
        return false;
    }
    if (newLock) {
        discard();
        m_ownFile = target;
        m_ownName = name;
        m_ownLock = std::move(newLock);
    }
    return true;
}

void Autosave::discard()
{
    if (!m_ownFile.isEmpty()) {
        QFile::remove(m_ownFile);
        QFile::remove(pathFileOf(m_ownFile));
    }
    m_ownFile.clear();
    m_ownName.clear();
    m_ownLock.reset();
}

void Autosave::adopt(const QString &autosaveFile, const QString &projectPath, std::unique_ptr<QLockFile> lock)
{
    discard();
    m_ownFile = autosaveFile;
    m_ownName = fileNameFor(projectPath);
    m_ownLock = std::move(lock);
}
