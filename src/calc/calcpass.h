#ifndef CALCPASS_H
#define CALCPASS_H

#include <QHash>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVector>

class DiagramItem;

// One step of the calculation (a model pass or a voltage pass) during which
// the network and the catalogue cannot change: the trees are built, camera
// loads are fixed and the calculation itself writes only results. Within
// such a step the sums behind a point and the answers of the catalogue are
// therefore kept instead of being worked out again for every point, which
// keeps a chain of extenders from costing the square of its length.
//
// A pass is a scope: constructing one makes it current, destroying it
// restores the previous one. Outside any pass nothing is kept.
class CalcPass
{
public:
    CalcPass();
    ~CalcPass();
    CalcPass(const CalcPass &) = delete;
    CalcPass &operator=(const CalcPass &) = delete;

    static CalcPass *current();

    // A sum per point. A pass fills one entry for every point of the sheet,
    // so the table is open-addressed: a node allocated per entry cost more
    // than working out the sum.
    class Sums
    {
    public:
        // Null when the item has no sum yet.
        const int *find(const DiagramItem *item) const;
        void insert(const DiagramItem *item, int sum);

    private:
        int slotOf(const DiagramItem *item) const;

        QVector<const DiagramItem *> m_items;
        QVector<int> m_sums;
        int m_count = 0;
    };

    Sums totalPower;
    Sums totalBitrate;
    // Selection statement -> names of the fitting models, in row order.
    QHash<QString, QStringList> modelNames;
    // Diagnostic statement -> whether it returns a row.
    QHash<QString, bool> finds;
    // Model name -> the bitrate column of every row of that name.
    QHash<QString, QList<int>> modelBitrates;

private:
    CalcPass *m_previous;
};

#endif // CALCPASS_H
