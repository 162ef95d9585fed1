#ifndef PRINT_SCHEMATICPRINT_H
#define PRINT_SCHEMATICPRINT_H

#include <QPageLayout>
#include <QString>

class QGraphicsScene;
class QPrinter;

// The schematic on paper: the whole drawing sheet, frame and title block
// included, on one A4-landscape page. The editor's print preview and the
// command-line tool print through these two steps, so both give the same page.
class SchematicPrint
{
public:
    // Full page, A4 landscape, PDF written to fileName. The printer must have
    // been made in screen resolution (QPrinter::ScreenResolution), so the
    // sheet's 1188 x 840 units map onto the page as they do on screen.
    static void preparePrinter(QPrinter &printer, const QString &fileName);
    // The page set-up every printout shares: full page, A4 in the given
    // orientation, PDF written to fileName.
    static void preparePdf(QPrinter &printer, const QString &fileName, QPageLayout::Orientation orientation);

    // The whole scene rectangle into the whole page, keeping the aspect ratio
    // (sheet and page are both A4 landscape, so nothing is lost). False when
    // the printer could not start, e.g. its file cannot be written.
    static bool render(QGraphicsScene *scene, QPrinter *printer);
};

#endif // PRINT_SCHEMATICPRINT_H
