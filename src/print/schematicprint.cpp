#include "print/schematicprint.h"

#include <QGraphicsScene>
#include <QPainter>
#include <QPrinter>

void SchematicPrint::preparePrinter(QPrinter &printer, const QString &fileName)
{
    preparePdf(printer, fileName, QPageLayout::Landscape);
}

void SchematicPrint::preparePdf(QPrinter &printer, const QString &fileName, QPageLayout::Orientation orientation)
{
    printer.setFullPage(true);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(orientation);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(fileName);
}

bool SchematicPrint::render(QGraphicsScene *scene, QPrinter *printer)
{
    QPainter painter;
    if (!painter.begin(printer))
        return false;
    scene->render(&painter, QRectF(), scene->sceneRect(), Qt::KeepAspectRatio);
    return painter.end();
}
