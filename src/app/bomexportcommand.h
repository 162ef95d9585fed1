#ifndef APP_BOMEXPORTCOMMAND_H
#define APP_BOMEXPORTCOMMAND_H

#include <QCoreApplication>
#include <QString>

class DialogSeam;
class DiagramScene;
class QMainWindow;

// "Eksport BOM do CSV": asks for a file through the dialog seam and writes
// the bill of materials of the schematic there.
class BomExportCommand
{
    Q_DECLARE_TR_FUNCTIONS(BomExportCommand)

public:
    BomExportCommand(QMainWindow *window, DiagramScene *scene, DialogSeam *seam);

    // True when the file was written; false when cancelled or not written.
    bool run();

    // Suggested in the project directory, named after the project.
    static QString suggestedPath(const QString &projectName);

private:
    QMainWindow *m_window;
    DiagramScene *m_scene;
    DialogSeam *m_seam;
};

#endif // APP_BOMEXPORTCOMMAND_H
