#ifndef CATALOGUE_PDCRITERIA_H
#define CATALOGUE_PDCRITERIA_H

#include <QHashFunctions>
#include <QString>

// The criteria of the statement that finds the distribution-point models
// fitting a point, in the order the statement names them. Slots, load and
// throughput may be left out (the diagnosis asks without them); backup,
// mains and enclosure never are.
struct PdCriteria
{
    int backup = 0;                 // power_backup = b
    bool slotsRequired = true;      // camera_slots >= "N"
    int slotCount = 0;
    bool boxTypeRequired = false;   // boxtype = "E"
    QString boxType;
    bool mains = false;             // power230 = "1" or "0"
    bool loadRequired = true;       // camera_total_power_max >= "P"
    int power = 0;
    bool throughputRequired = true; // bitrate >= "B"
    int bitrate = 0;

    // The statement as the catalogue runs it: numbers in double quotes
    // (SQLite compares them numerically against numeric columns), the
    // enclosure text in double quotes with quotes inside doubled.
    QString statement() const;

    bool operator==(const PdCriteria &other) const;
    bool operator!=(const PdCriteria &other) const { return !(*this == other); }
};

uint qHash(const PdCriteria &criteria, uint seed = 0);

#endif // CATALOGUE_PDCRITERIA_H
