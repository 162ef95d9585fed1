#ifndef APP_POEFINDINGMODEL_H
#define APP_POEFINDINGMODEL_H

#include "check/poefinding.h"

#include <QAbstractTableModel>
#include <QVector>

// The remarks of the PoE check as a table: severity, element, remark. Each
// row is coloured by its severity; SortRole gives keys that sort errors
// first and "K 9" before "K 10".
class PoeFindingModel : public QAbstractTableModel
{
    Q_OBJECT

public:
    enum Column { SeverityColumn, ElementColumn, TextColumn, ColumnCount };
    enum Role { SortRole = Qt::UserRole, ElementRole };

    explicit PoeFindingModel(QObject *parent = nullptr);

    // Replaces the rows; an unchanged list resets nothing, so a view keeps
    // its current row while the user walks through the remarks.
    void setFindings(const QVector<PoeFinding> &findings);
    const QVector<PoeFinding> &findings() const { return m_findings; }

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    int columnCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    static QColor background(PoeFinding::Severity severity);

private:
    QVector<PoeFinding> m_findings;
};

#endif // APP_POEFINDINGMODEL_H
