#ifndef ORDERDOCUMENT_H
#define ORDERDOCUMENT_H

#include <QList>
#include <QObject>
#include <QString>

class QGraphicsScene;
class OrderItem;

// The project data printed above the order table.
struct OrderProjectData
{
    QString name;
    QString address;
    QString comments;
    QString createDate;
};

// The bill of materials of one schematic: the rows collected from the scene,
// merged per product, and the HTML document printed from them. Works on a
// bare scene, so the whole order can be produced without a main window.
class OrderDocument : public QObject
{
    Q_OBJECT
public:
    explicit OrderDocument(QObject *parent = nullptr);
    ~OrderDocument() override;

    // Rows in the order they were added; the document owns them.
    const QList<OrderItem *> &rows() const;
    void addRow(const QString &name, int quantity, int kind);
    void clear();

    // Appends a row for every wire, distribution point (with its battery)
    // and camera of the scene, walking the items from the bottom of the
    // stacking order up. Sheet furniture and other items add nothing.
    void collect(const QGraphicsScene *scene);

    // Folds every later row of the same kind and exactly the same name into
    // its first appearance, so each product keeps the place where it was
    // first met and cable lengths and battery counts add up.
    void merge();

    // The numbered <tr> rows of the table.
    QString rowsHtml() const;

    // The whole document; the logo, when there is one, is referenced as the
    // image resource "customerlogo" that the caller registers.
    QString html(bool withLogo, const OrderProjectData &project) const;

    static QString batteryName(uint capacity);
    static QString version();

private:
    QList<OrderItem *> m_rows;
};

#endif // ORDERDOCUMENT_H
