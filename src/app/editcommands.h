#ifndef APP_EDITCOMMANDS_H
#define APP_EDITCOMMANDS_H

#include <QImage>
#include <QString>

class MainWindow;

// The diagram editing commands of the main window: deleting, rotating,
// hiding connections and descriptions, the sheet's background and the
// designer's logo, zoom, the pointer and tool-box buttons, and the camera
// import from a CSV file. Every file dialog goes through the window's seam.
class EditCommands
{
public:
    // The largest logo shown in the title block, in pixels.
    static constexpr int LogoMaxWidth = 150;
    static constexpr int LogoMaxHeight = 80;

    explicit EditCommands(MainWindow *window) : m_window(window) {}

    void deleteItem();
    void rotateLeft();
    void rotateRight();
    void hideWires(bool bEnable);
    void hideDescriptions(bool bEnable);
    void addBackground();
    void delBackground();
    void addCustomerLogo();
    void delCustomerLogo();
    void sceneScaleChanged(const QString &scale);
    void pointerGroupClicked();
    void buttonGroupClicked(int id);
    void importCamerasFromCsv();

    // The logo as shown: fitted into 150 x 80 keeping its shape when larger.
    static QImage fitLogo(const QImage &image);
    // "125%" -> 1.25; text that is not a number gives 0.
    static double zoomFactor(const QString &scale);

private:
    void rotate(bool right);
    // False when the picture was refused for its size (and said so).
    bool readPicture(const QString &fileName, QImage *picture);

    MainWindow *m_window;
};

#endif // APP_EDITCOMMANDS_H
