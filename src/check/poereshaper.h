#ifndef CHECK_POERESHAPER_H
#define CHECK_POERESHAPER_H

#include "check/poenetwork.h"

// Carries a PoeNetwork over a change of the drawing's shape: which items
// are the elements read before, and the records read again, kept or moved.
// A change that leaves every kept record at its index (a camera drawn, the
// last ones taken away, a cable drawn between elements that stay) writes
// only what it touched; any other moves the records to their new indexes.
class PoeReshaper
{
public:
    explicit PoeReshaper(PoeNetwork &network)
        : n(network)
    {
    }

    // As PoeNetwork::match() and PoeNetwork::reshape().
    static bool match(const PoeNetwork &n, const QVector<DiagramItem *> &items, QVector<int> *from, int *unchanged);
    void reshape(const QVector<DiagramItem *> &items, const QVector<int> &from, int unchanged, QVector<bool> touched,
                 PoeNetwork::Reshaped *out);

private:
    bool reshapeInPlace(const QVector<DiagramItem *> &items, const QVector<int> &from, int unchanged,
                        QVector<bool> &touched, PoeNetwork::Reshaped *out);
    void regroup(const QVector<int> &pointWas, const QVector<int> &oldGroupOf, const QVector<bool> &dirty,
                 PoeNetwork::Reshaped *out);

    PoeNetwork &n;
};

#endif // CHECK_POERESHAPER_H
