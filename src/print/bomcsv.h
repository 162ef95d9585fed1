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
    static QByteArray csv(const QGraphicsScene *scene);
    // Writes csv(scene) to path; the file is replaced only once the whole
    // table is on disk. False with the system's reason in *error otherwise.
    static bool save(const QGraphicsScene *scene, const QString &path, QString *error);
};

#endif // PRINT_BOMCSV_H
