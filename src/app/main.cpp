#include "app/mainwindow.h"
#include "app/startup.h"

#include <QApplication>
#include <QPixmap>
#include <QSplashScreen>

int main(int argc, char *argv[])
{
    Q_INIT_RESOURCE(images);
    Startup::configure();
    QApplication app(argc, argv);
    Startup::identify();

    QPixmap pixmap(QStringLiteral(":/images/splash.png"));
    QSplashScreen splash(pixmap);
    Startup::showSplash(app, splash);

    MainWindow mainWin;
    Startup::openWindow(mainWin, app.arguments());

    return app.exec();
}
