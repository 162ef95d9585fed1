#ifndef APP_AUTOSAVE_H
#define APP_AUTOSAVE_H

#include <QObject>
#include <QSet>
#include <QString>
#include <QTimer>

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
class Autosave : public QObject
{
    Q_OBJECT

public:
    // A minute after the last change.
    static constexpr int DefaultDelay = 60000;

    // The window's autosave, created on first use as the window's child.
    static Autosave *of(MainWindow *window);

    // "mox/.autosave" in the home directory.
    static QString folder();
    // The copy of the project at projectPath: the file's base name, made
    // safe as a file name, or "bez-nazwy" for a project never saved; ".mox".
    static QString fileNameFor(const QString &projectPath);
    // The file beside a copy that holds the project's own path.
    static QString pathFileOf(const QString &autosaveFile);
    // Reads that file: the project's path, empty for a project never saved.
    static QString projectPathOf(const QString &autosaveFile);

    void setDelay(int milliseconds) { m_delay = milliseconds; }
    int delay() const { return m_delay; }
    // True while a copy is due.
    bool isDue() const { return m_timer.isActive(); }

    // The copy the current project goes to.
    QString currentFile() const;
    // Writes the copy now. False, with a word in the status bar, when it
    // could not be written.
    bool writeNow();
    // Removes the copies this session wrote or restored.
    void discard();
    // A copy restored at start-up is the session's own from then on.
    void adopt(const QString &autosaveFile);

private:
    explicit Autosave(MainWindow *window);

    void modifiedSet(bool modified);
    void timeUp();

    MainWindow *m_window;
    QTimer m_timer;
    int m_delay = DefaultDelay;
    QSet<QString> m_ownFiles;
};

#endif // APP_AUTOSAVE_H
