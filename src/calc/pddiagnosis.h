#ifndef PDDIAGNOSIS_H
#define PDDIAGNOSIS_H

#include "calc/pdrequirements.h"

#include <QString>
#include <functional>

// Explains, for a distribution point that no catalogue model fits, which of
// its needs no model meets, by asking the catalogue again with some criteria
// left out. The answer goes into the point's tool tip; a point whose cameras
// fit nowhere only for lack of slots is marked so that the editor can offer
// to split it.
class PdDiagnosis
{
public:
    static QString leadText();
    static QString throughputText(); // M1
    static QString loadText();       // M2
    static QString slotsText();      // M3
    static QString slotsLoadText();  // M4
    static QString allText();        // M5

    // finds(criteria) tells whether the selection statement of these
    // criteria returns at least one row; a statement that fails to run finds
    // nothing.
    using Finder = std::function<bool(const PdCriteria &criteria)>;

    QString toolTip;
    bool slotOverflow = false;

    static PdDiagnosis run(const PdRequirements &req, const Finder &finds);
};

#endif // PDDIAGNOSIS_H
