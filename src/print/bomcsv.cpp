#include "print/bomcsv.h"

#include "print/csvwriter.h"
#include "print/orderdocument.h"
#include "print/orderitem.h"

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
