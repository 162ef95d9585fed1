#ifndef PRINT_BOMCSV_H
#define PRINT_BOMCSV_H

#include <QByteArray>
#include <QCoreApplication>
#include <QString>

class QGraphicsScene;

// The bill of materials for a spreadsheet: the order's rows, merged per
// product exactly as the printed order has them, as CSV with the columns
// product, quantity and unit (cable in metres, everything else in pieces).
// The schematic is taken as drawn: no slot-overflow split is offered here.
class BomCsv
{
    Q_DECLARE_TR_FUNCTIONS(BomCsv)

public:
    // Written to disk by the callers through the project's safe save, so a
    // full disk never leaves a truncated table in place of the old one.
    static QByteArray csv(const QGraphicsScene *scene);
};

#endif // PRINT_BOMCSV_H
