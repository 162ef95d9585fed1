#ifndef CHECK_POEINPLACERESHAPER_H
#define CHECK_POEINPLACERESHAPER_H

#include "check/poenetwork.h"

// Carries a PoeNetwork over the common change of the drawing's shape
// without carrying any record through a map: the elements that stay keep
// their order and the new ones come last (a camera drawn, one taken away,
// a cable drawn or taken away, a point switched). A camera taken away amid
// the drawing leaves a hole; other records that went are taken out, those
// after them moving down in one pass. A touched element's cables are
// written again in its range while they fit it.
class PoeInPlaceReshaper
{
public:
    explicit PoeInPlaceReshaper(PoeNetwork &network)
        : n(network)
    {
    }

    // As PoeNetwork::reshape(); false (nothing done) for any other change.
    bool reshape(const QVector<DiagramItem *> &items, const QVector<int> &from, int unchanged,
                 QVector<bool> &touched, PoeNetwork::Reshaped *out, const QVector<int> &holesMade);

private:
    int deadElements() const;
    int deadCables() const;
    bool holesCounted() const;
    bool rangesInOrder() const;

    PoeNetwork &n;
};

#endif // CHECK_POEINPLACERESHAPER_H
