#ifndef APP_PROJECTCOMMANDS_H
#define APP_PROJECTCOMMANDS_H

#include <QCoreApplication>
#include <QString>
#include <functional>

class DialogSeam;
class ProjectDoc;
class QFile;
class QMainWindow;
class QMenu;
class SafeSaveFile;

// The logic behind the main window's project commands: open, load, save,
// save as and the unsaved-changes prompt. The main window owns everything
// these commands touch and hands it over in a Host; the slots of the window
// are one-line calls into here.
//
// Saving goes through a temporary file that replaces the project file only
// once every byte is on disk: a full disk, a killed process or a failing
// device leaves the previous version of the project whole.
class ProjectCommands
{
    Q_DECLARE_TR_FUNCTIONS(ProjectCommands)

public:
    struct Host {
        QMainWindow *window = nullptr;   // parent of the dialogs; title and status bar
        ProjectDoc *doc = nullptr;       // the drawing sheet with its scene
        DialogSeam *seam = nullptr;      // every modal dialog goes through it
        QFile **projectFile = nullptr;   // the window's m_pProjectFile: current path or null
        QMenu *itemMenu = nullptr;       // context menu of every diagram item
        // Steps of the window that a loaded project passes through.
        std::function<void()> showProjectSet;      // dock shows the scene's project set
        std::function<void()> updateScene;         // updateScene(null, null, 0)
        std::function<void()> applyProjectColours;
        std::function<void()> selectionChanged;
        // The user replaced the project by another one (open).
        std::function<void()> projectReplaced;
    };

    explicit ProjectCommands(const Host &host);

    void openProject();
    void loadProject(const QString &path);
    // Loads the autosaved copy of the project at projectPath (empty for a
    // project never saved) and makes projectPath current; the project stays
    // modified. False when the copy could not be opened.
    bool restoreProject(const QString &autosavePath, const QString &projectPath);
    // True when the project reached the file.
    bool saveProject();
    // False when cancelled or when the project did not reach the file.
    bool saveAsProject();
    // The unsaved-changes prompt: true = go on, false = stop.
    bool maybeSave();

    // "mox" in the home directory, with native separators.
    static QString projectDirectory();
    // Title forms: "MOX NORVANTE", then " - [path]" and "*" while modified.
    static QString windowTitle(const QString &path, bool modified);

private:
    bool saveToCurrentFile();
    bool saveProjectToFile(SafeSaveFile &file);
    void setProjectFile(const QString &path);
    void clearProjectFile();
    QString currentPath() const;
    void showWarning(const QString &text);
    void showStatus(const QString &text);
    void removeBackground();
    void makeProjectDirectory();

    Host m_host;
};

#endif // APP_PROJECTCOMMANDS_H
