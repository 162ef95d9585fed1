#ifndef APP_PROJECTLOADER_H
#define APP_PROJECTLOADER_H

#include <QCoreApplication>
#include <QSize>
#include <QString>

class ProjectDoc;
class QFile;
class QMenu;

// Loading a project file into a drawing sheet, step by step, with no window:
// the editor's open command runs these steps between its own (messages,
// title, property dock, selection change), and the command-line tool runs
// them all, ending with settle() in place of the window's selection change.
//
//   ProjectLoader loader(doc);
//   if (loader.load(path) != ProjectLoader::Loaded)
//       report(loader.errorMessage());
class ProjectLoader
{
    Q_DECLARE_TR_FUNCTIONS(ProjectLoader)

public:
    enum Outcome {
        Loaded,     // the whole document was read
        Unreadable, // the file could not be opened; the scene is empty
        Invalid     // the reader stopped at an error; what was read stays
    };

    explicit ProjectLoader(ProjectDoc *doc);

    // Empties the scene (sheet furniture included) and reads the project
    // from the file, which is opened and closed here.
    Outcome read(QFile &file);
    // The editor's message for the last failed read: "Nie mogę odczytać
    // pliku %1:\n%2." when the file could not be opened, "Nie mogę odczytać
    // pliku %1:\n\n%2" when the reader stopped; empty after a good read.
    QString errorMessage() const { return m_errorMessage; }
    // The size of a logo or background the file held but the size rule
    // refused (ProjectImageCodec); invalid when none was.
    QSize refusedImageSize() const { return m_refusedImageSize; }

    // The background image read from the file becomes the scene's brush,
    // stretched over the sheet; the frame and title block are drawn anew.
    void showSheet();
    // Every item gets the context menu and the sheet's description flag and
    // fills its catalogue lists (a point also picks its model); wires follow
    // the sheet's connections flag.
    void prepareItems(QMenu *itemMenu);

    // What the editor does after loading, for a sheet without a window: the
    // recalculation that marks nothing, the project colours, then the
    // selection change to "nothing selected" (the project counts as modified,
    // the title block is refilled and the calculation loop runs again).
    void settle();

    // read, showSheet, prepareItems without a menu and settle; after a
    // failed read only the read has happened.
    Outcome load(const QString &path);

private:
    void recalculate();

    ProjectDoc *m_doc;
    QString m_errorMessage;
    QSize m_refusedImageSize;
};

#endif // APP_PROJECTLOADER_H
