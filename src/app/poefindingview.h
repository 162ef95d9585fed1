#ifndef APP_POEFINDINGVIEW_H
#define APP_POEFINDINGVIEW_H

#include <QTableView>

// The table of the PoE remarks. After an edit only some remarks change
// their figures; the rows of those that are shown are painted again, not
// the whole table, whose every cell lays its text out anew when painted.
class PoeFindingView : public QTableView
{
    Q_OBJECT

public:
    explicit PoeFindingView(QWidget *parent = nullptr);

protected:
    void dataChanged(const QModelIndex &topLeft, const QModelIndex &bottomRight,
                     const QVector<int> &roles = QVector<int>()) override;
};

#endif // APP_POEFINDINGVIEW_H
