#include "app/autosaverecovery.h"
#include "app/mainwindow.h"

#include <QApplication>
#include <QIcon>
#include <QPixmap>
#include <QSplashScreen>
#include <QThread>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(images);
    QApplication app(argc, argv);
    // The installed desktop entry and its icon name the window on the desktop.
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/mox-norvante-256.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("mox-norvante"));

    // The splash stays up for three seconds before the window is even built;
    // the last second passes without event processing.
    QPixmap pixmap(QStringLiteral(":/images/splash.png"));
    QSplashScreen splash(pixmap);
    splash.show();
    app.processEvents();
    QThread::sleep(1);
    app.processEvents();
    QThread::sleep(1);
    QThread::sleep(1);

    MainWindow mainWin;
    mainWin.showAtStartUp();

    // After a crash the autosaved copy comes first; the user chooses.
    const QString project = MainWindow::projectFromArguments(app.arguments());
    if (!AutosaveRecovery::offer(&mainWin, project) && !project.isEmpty())
        mainWin.loadProject(project);

    return app.exec();
}
