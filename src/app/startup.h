#ifndef APP_STARTUP_H
#define APP_STARTUP_H

#include <QStringList>

class MainWindow;
class QApplication;
class QSplashScreen;

// The steps of the editor's entry point, so that the start-up benchmark
// runs the very same steps (all but the splash's fixed wait).
class Startup
{
public:
    // Before the application object exists. The editor's widgets are
    // painted by the raster engine only: no window of it ever holds OpenGL
    // content, and a window that could would load the system's OpenGL
    // libraries when it is first shown, which took half of the start-up.
    static void configure();

    // Right after the application object: the window icon and the desktop
    // file name, by which the installed desktop entry names the window.
    static void identify();

    // The splash image, three seconds before the window is built; the last
    // second passes without event processing. The splash stays until the
    // event loop has returned, so the caller keeps it.
    static void showSplash(QApplication &app, QSplashScreen &splash);

    // The window shown maximised; after a crash the autosaved copy is
    // offered first (the user chooses), otherwise the project named on the
    // command line (exactly one argument) is loaded into it.
    static void openWindow(MainWindow &window, const QStringList &arguments);
};

#endif // APP_STARTUP_H
