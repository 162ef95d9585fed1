#include "app/mainwindow.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPixmap>
#include <QScreen>
#include <QSplashScreen>
#include <QStyle>
#include <QThread>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(images);
    QApplication app(argc, argv);

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
    mainWin.setMinimumSize(950, 600);
    mainWin.setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, mainWin.size(),
                                            QGuiApplication::primaryScreen()->availableGeometry()));
    mainWin.setWindowState(Qt::WindowMaximized);
    mainWin.show();

    // Exactly one argument names a project file; any other count is ignored.
    const QStringList arguments = app.arguments();
    if (arguments.size() == 2)
        mainWin.loadProject(arguments.at(1));

    return app.exec();
}
