#ifndef PDREQUIREMENTS_H
#define PDREQUIREMENTS_H

#include "catalogue/pdcriteria.h"

#include <QString>

// What a distribution point asks of a catalogue model, and the catalogue
// statement that finds the models able to give it.
class PdRequirements
{
public:
    // Criteria that a diagnostic statement may leave out to find out which
    // one no model meets. Enclosure, backup and mains are never left out: a
    // box of the wrong kind is no answer at all.
    enum Criterion {
        NoCriterion = 0x0,
        Throughput = 0x1,
        Load = 0x2,
        Slots = 0x4
    };

    int slotCount = 0;              // wires + PC + NVR
    int backup = 0;             // 1 when a battery is wanted
    bool mains = false;         // fed from 230 V
    int power = 0;              // W of everything fed over PoE
    int bitrate = 0;            // kbit/s passing through
    bool boxTypeRequired = false;
    QString boxType;            // enclosure text, when required

    // The criteria of the statement on table pd; leftOut is an OR of
    // Criterion.
    PdCriteria criteria(int leftOut = NoCriterion) const;
    // The statement itself, criteria in the fixed order backup, slots,
    // enclosure, mains, load, throughput. The numbers are quoted: SQLite
    // compares them numerically against INTEGER columns.
    QString selectionStatement(int leftOut = NoCriterion) const { return criteria(leftOut).statement(); }

    bool operator==(const PdRequirements &other) const;
    bool operator!=(const PdRequirements &other) const { return !(*this == other); }
};

#endif // PDREQUIREMENTS_H
