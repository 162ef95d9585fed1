#ifndef CHECK_POECATALOGUE_H
#define CHECK_POECATALOGUE_H

#include <QHash>
#include <QString>

// What the PoE check reads from the product catalogue: the conductor gauge
// of each cable type (table wire, column awg) and the limits of each
// distribution-point model (table pd). Read from the catalogue snapshot of
// the default connection, whole tables at once and once per loaded
// snapshot: the check runs after every edit and asks the database nothing
// then. Where the snapshot declines (a catalogue in the middle of a
// transaction, for instance) the tables are read by statement. A missing
// catalogue, table, column or row reads as "unknown", never as an error.
class PoeCatalogue
{
public:
    struct PointModel
    {
        int powerBudget = 0; // camera_total_power_max, W
        int bitrate = 0;     // kbit/s
        int slotCount = 0;   // camera_slots
    };

    struct Tables
    {
        // Each loaded snapshot has its own number; 0: read by statement,
        // so nobody can tell whether the catalogue has changed since.
        quint64 generation = 0;
        // Cable type -> its gauge, where the table gives one.
        QHash<QString, int> awgs;
        // Model -> its limits; with several rows of one name the last one
        // counts, as it does for the throughput the model selection reads.
        QHash<QString, PointModel> models;
    };

    // The tables of the catalogue as it is now. The reference holds until
    // the next call.
    static const Tables &tables();
};

#endif // CHECK_POECATALOGUE_H
