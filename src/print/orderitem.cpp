#include "print/orderitem.h"

OrderItem::OrderItem(const QString &name, int quantity, int kind, QObject *parent)
    : QObject(parent), m_name(name), m_quantity(quantity), m_kind(kind)
{
}

OrderItem::OrderItem(const OrderItem &other)
    : QObject(other.parent()), m_name(other.m_name), m_quantity(other.m_quantity),
      m_kind(other.m_kind)
{
}

QString OrderItem::name() const
{
    return m_name;
}

int OrderItem::quantity() const
{
    return m_quantity;
}

int OrderItem::kind() const
{
    return m_kind;
}

void OrderItem::setQuantity(int quantity)
{
    m_quantity = quantity;
}

QString OrderItem::typeName() const
{
    switch (m_kind) {
    case Cable:
        return tr("Przewód");
    case Camera:
        return tr("Kamera");
    case PD:
        return tr("Punkt Dystrybucyjny");
    case Battery:
        return tr("Akumulator");
    default:
        return QString();
    }
}

QString OrderItem::unitName() const
{
    switch (m_kind) {
    case Cable:
        // cable is ordered by length, not by the piece
        return tr("m");
    case Camera:
    case PD:
    case Battery:
        return tr("szt.");
    default:
        return QString();
    }
}
