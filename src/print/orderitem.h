#ifndef ORDERITEM_H
#define ORDERITEM_H

#include <QObject>
#include <QString>

// One row of the order (bill of materials): a product text, how many of it
// and what kind of product it is. Cable is counted in metres, everything else
// in pieces.
class OrderItem : public QObject
{
    Q_OBJECT
public:
    enum OrderKind {
        Cable = 0,
        Camera = 1,
        PD = 2,
        Battery = 3
    };

    OrderItem(const QString &name, int quantity, int kind, QObject *parent = nullptr);
    // Same values and the same parent as the original.
    OrderItem(const OrderItem &other);

    QString name() const;
    int quantity() const;
    int kind() const;
    void setQuantity(int quantity);

    QString typeName() const;
    QString unitName() const;

private:
    QString m_name;
    int m_quantity;
    int m_kind;
};

#endif // ORDERITEM_H
