#include "app/startup.h"

#include "app/autosaverecovery.h"
#include "app/mainwindow.h"

#include <QApplication>
#include <QIcon>
#include <QSplashScreen>
#include <QThread>

void Startup::configure()
{
    QCoreApplication::setAttribute(Qt::AA_ForceRasterWidgets);
}

void Startup::identify()
{
    QApplication::setWindowIcon(QIcon(QStringLiteral(":/images/mox-norvante-256.png")));
    QGuiApplication::setDesktopFileName(QStringLiteral("mox-norvante"));
}

void Startup::showSplash(QApplication &app, QSplashScreen &splash)
{
    splash.show();
    app.processEvents();
    QThread::sleep(1);
    app.processEvents();
    QThread::sleep(1);
    QThread::sleep(1);
}

void Startup::openWindow(MainWindow &window, const QStringList &arguments)
{
    window.showAtStartUp();
    const QString project = MainWindow::projectFromArguments(arguments);
    if (!AutosaveRecovery::offer(&window, project) && !project.isEmpty())
        window.loadProject(project);
}
