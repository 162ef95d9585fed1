#include "print/bomcsv.h"

#include "print/csvwriter.h"
#include "print/orderdocument.h"
#include "print/orderitem.h"

#include <QSaveFile>

QByteArray BomCsv::csv(const QGraphicsScene *scene)
{
    OrderDocument order;
    order.collect(scene);
    order.merge();

    CsvWriter writer;
    writer.addRow({tr("Produkt"), tr("Ilość"), tr("Jednostka")});
    for (const OrderItem *row : order.rows())
        writer.addRow({row->name(), QString::number(row->quantity()), row->unitName()});
    return writer.bytes();
}

bool BomCsv::save(const QGraphicsScene *scene, const QString &path, QString *error)
{
    QSaveFile file(path);
    const QByteArray bytes = csv(scene);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    if (error)
        *error = file.errorString();
    file.cancelWriting();
    return false;
}
