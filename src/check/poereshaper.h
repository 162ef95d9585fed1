#ifndef CHECK_POERESHAPER_H
#define CHECK_POERESHAPER_H

#include "check/poenetwork.h"

// Carries a PoeNetwork over a change of the drawing's shape: which items
// are the elements read before, and the records read again, kept or moved.
// The common change keeps every record in place (PoeInPlaceReshaper); any
// other moves the records to their new indexes through maps, and leaves the
// holes and dead cables behind.
class PoeReshaper
{
public:
    explicit PoeReshaper(PoeNetwork &network)
        : n(network)
    {
    }

    // As PoeNetwork::match() and PoeNetwork::reshape().
    static bool match(const PoeNetwork &n, const QVector<DiagramItem *> &items, QVector<int> *from, int *unchanged,
                      PoeNetwork::Matched *matched);
    bool reshape(const QVector<DiagramItem *> &items, const QVector<int> &from, int unchanged, QVector<bool> touched,
                 PoeNetwork::Reshaped *out, const QVector<int> &holesMade);
    // The groups formed anew; one whose points are the same and none of
    // them dirty keeps its solution. The dirty points go into out->points.
    void regroup(const QVector<int> &pointWas, const QVector<int> &oldGroupOf, const QVector<bool> &dirty,
                 PoeNetwork::Reshaped *out);

private:
    PoeNetwork &n;
};

#endif // CHECK_POERESHAPER_H
