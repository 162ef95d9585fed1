#include "print/orderdocument.h"

#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "print/orderitem.h"

#include <QGraphicsScene>

OrderDocument::OrderDocument(QObject *parent) : QObject(parent)
{
}

OrderDocument::~OrderDocument()
{
    clear();
}

const QList<OrderItem *> &OrderDocument::rows() const
{
    return m_rows;
}

void OrderDocument::addRow(const QString &name, int quantity, int kind)
{
    m_rows.append(new OrderItem(name, quantity, kind, this));
}

void OrderDocument::clear()
{
    qDeleteAll(m_rows);
    m_rows.clear();
}

QString OrderDocument::batteryName(uint capacity)
{
    return tr("Akumulator 12V [%1 Ah]").arg(capacity);
}

QString OrderDocument::version()
{
    return QStringLiteral("1.0.22");
}

void OrderDocument::collect(const QGraphicsScene *scene)
{
    if (!scene)
        return;
    // Wires lie at the bottom of the stack, so the cable rows come first;
    // among the devices the ascending order is the order of insertion.
    const QList<QGraphicsItem *> items = scene->items(Qt::AscendingOrder);
    for (QGraphicsItem *item : items) {
        if (item->type() == Wire::Type) {
            const Wire *wire = static_cast<const Wire *>(item);
            addRow(wire->typeName(), int(wire->length()), OrderItem::Cable);
        } else if (item->type() == DiagramItem::Type) {
            const DiagramItem *device = static_cast<const DiagramItem *>(item);
            if (device->diagramType() == DiagramItem::PD) {
                addRow(device->modelName(), 1, OrderItem::PD);
                // a point without backup, or with backup but no capacity
                // given yet, needs no battery on the order
                if (device->hasBackup() && device->accumulatorCapacity() != 0)
                    addRow(batteryName(device->accumulatorCapacity()), 1, OrderItem::Battery);
            } else if (device->diagramType() == DiagramItem::Camera) {
                addRow(device->modelName(), 1, OrderItem::Camera);
            }
        }
    }
}

void OrderDocument::merge()
{
    for (int i = 0; i < m_rows.size(); ++i) {
        OrderItem *first = m_rows.at(i);
        int j = i + 1;
        while (j < m_rows.size()) {
            OrderItem *later = m_rows.at(j);
            if (later->kind() == first->kind() && later->name() == first->name()) {
                first->setQuantity(first->quantity() + later->quantity());
                m_rows.removeAt(j);
                delete later;
                // the row that moved into place j is examined next
            } else {
                ++j;
            }
        }
    }
}

QString OrderDocument::rowsHtml() const
{
    QString text;
    int number = 1;
    for (const OrderItem *row : m_rows) {
        text += QStringLiteral("<tr>");
        text += QStringLiteral("<td>") + QString::number(number++) + QStringLiteral("</td>");
        text += QStringLiteral("<td>") + row->typeName() + QStringLiteral("</td>");
        text += QStringLiteral("<td>") + row->name() + QStringLiteral("</td>");
        text += QStringLiteral("<td>") + QString::number(row->quantity()) + QStringLiteral("</td>");
        text += QStringLiteral("<td>") + row->unitName() + QStringLiteral("</td>");
        text += QStringLiteral("</tr>");
    }
    return text;
}

QString OrderDocument::html(bool withLogo, const OrderProjectData &project) const
{
    QString text;
    text += QStringLiteral("<html><head><style>");
    text += QStringLiteral("table, td, th { border: 1px solid black; }");
    text += QStringLiteral("table { width: 100%;  }");
    text += QStringLiteral("th, td { padding: 8px; text-align: left; border-bottom: 1px solid #ddd;}");
    text += QStringLiteral("p {font-size: 10px;}");
    text += QStringLiteral("</style></head>");
    text += QStringLiteral("<body>");
    if (withLogo) {
        text += QStringLiteral("<p><img src=\"customerlogo\" align=\"right\"></p>");
        // the logo floats right; the breaks keep the heading below it
        for (int i = 0; i < 6; ++i)
            text += QStringLiteral("<br/>");
    }
    text += QString::fromUtf8("<p align=center><b><font size=\"7\">Zamówienie</b></p>");
    text += QStringLiteral("<p align=center><font size=\"1\">");
    text += QStringLiteral("mox ver.");
    text += version();
    text += QStringLiteral("</p>");
    text += QStringLiteral("<br/>");
    // project values go in verbatim: a user may format them with markup
    text += QStringLiteral("<p>Nazwa inwestycji: <b>") + project.name + QStringLiteral("</b></p>");
    text += QStringLiteral("<p>Adres: <b>") + project.address + QStringLiteral("</b></p>");
    text += QStringLiteral("<p>Uwagi: <b>") + project.comments + QStringLiteral("</b></p>");
    text += QStringLiteral("<p>Data utworzenia: <b>") + project.createDate + QStringLiteral("</b></p>");
    text += QStringLiteral("<br/>");
    text += QStringLiteral("<table width=\"100%\" border=\"1\" cellspacing=\"0\" cellpadding=\"0\">");
    text += QStringLiteral("<tr>");
    text += QStringLiteral("<th>Lp.</th>");
    text += QStringLiteral("<th>Typ</th>");
    text += QStringLiteral("<th>Nazwa</th>");
    text += QString::fromUtf8("<th>Ilość</th>");
    text += QStringLiteral("<th>Jednostka</th>");
    text += QStringLiteral("</tr>");
    text += rowsHtml();
    text += QStringLiteral("</table></body></html>");
    return text;
}
