#ifndef APP_AUTOSAVE_H
#define APP_AUTOSAVE_H

#include <QLockFile>
#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class MainWindow;

// Keeps a copy of the project while it has unsaved changes, so a crash of the
// editor or of the machine costs at most the last minute of work.
//
// Every change of the project passes through the sheet's modified flag; each
// one restarts a single-shot timer, and when the timer runs out (a minute
// after the last change) the project is written with the normal project
// writer and a safe save to ~/mox/.autosave/<name>.mox. Beside it,
// <name>.mox.path holds the project's own path (empty for a project never
// saved), which the start-up question needs (AutosaveRecovery).
//
// The copy is never written while a dialog waits for an answer: the command
// that asked is stopped half-way and the drawing may be between two
// consistent states. The write waits for the dialog to close.
//
// A clean save, "Nowy projekt", an opened project and a clean exit remove the
// copy; a crash (the window destroyed without closing) leaves it behind.
//
// While the editor runs it holds <copy>.lock, so a second editor started
// meanwhile neither asks about the copy nor writes its own over it; the lock
// of an editor that died is taken over.
class Autosave : public QObject
{
    Q_OBJECT

public:
    // A minute after the last change.
    static constexpr int DefaultDelay = 60000;

    // The window's autosave, created on first use as the window's child.
    static Autosave *of(MainWindow *window);
    ~Autosave() override;

    // "mox/.autosave" in the home directory.
    static QString folder();
    // The copy of the project at projectPath: the file's base name, made
    // safe as a file name, or "bez-nazwy" for a project never saved; ".mox".
    // When a copy of that name is taken by another running editor or waits
    // to be restored, "-2", "-3" ... are added before ".mox".
    static QString fileNameFor(const QString &projectPath);
    // The file beside a copy that holds the project's own path.
    static QString pathFileOf(const QString &autosaveFile);
    // Reads that file: the project's path, empty for a project never saved.
    static QString projectPathOf(const QString &autosaveFile);
    // Locks a copy for this editor. Null when a running editor holds it; a
    // lock left by an editor that died is taken over.
    static std::unique_ptr<QLockFile> lock(const QString &autosaveFile);

    void setDelay(int milliseconds) { m_delay = milliseconds; }
    int delay() const { return m_delay; }
    // True while a copy is due.
    bool isDue() const { return m_timer.isActive(); }
    // The copy this session writes; empty before the first one.
    QString ownFile() const { return m_ownFile; }

    // Writes the copy now. False, with a word in the status bar, when it
    // could not be written.
    bool writeNow();
    // Removes the copy this session wrote or restored.
    void discard();
    // A copy restored at start-up is the session's own from then on.
    void adopt(const QString &autosaveFile, const QString &projectPath, std::unique_ptr<QLockFile> lock);

private:
    explicit Autosave(MainWindow *window);

    void modifiedSet(bool modified);
    void timeUp();
    QString claim(const QString &name, std::unique_ptr<QLockFile> *lock) const;

    MainWindow *m_window;
    QTimer m_timer;
    int m_delay = DefaultDelay;
    // The copy, the name it was claimed for (fileNameFor) and the lock that
    // tells other editors, and the start-up question, that it is in use.
    QString m_ownFile;
    QString m_ownName;
    std::unique_ptr<QLockFile> m_ownLock;
};

#endif // APP_AUTOSAVE_H
