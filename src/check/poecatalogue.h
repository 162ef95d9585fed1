#ifndef CHECK_POECATALOGUE_H
#define CHECK_POECATALOGUE_H

#include <QHash>
#include <QString>
#include <QStringList>

// What the PoE check reads from the product catalogue. Tables wire and pd
// never change while a catalogue is open (only the camera table is ever
// rewritten), so each is read once per catalogue file and kept; the check
// runs after every edit and must not ask the database each time. A missing
// catalogue, table, column or row reads as "unknown", never as an error.
class PoeCatalogue
{
public:
    // The "awg" of each of these cable types in table wire; a type the
    // table does not list, or lists without a gauge, is left out.
    static QHash<QString, int> cableAwgs(const QStringList &cableTypes);

    // The limits of a distribution-point model in table pd.
    struct PointModel
    {
        int powerBudget = 0; // camera_total_power_max, W
        int bitrate = 0;     // kbit/s
        int slotCount = 0;   // camera_slots
    };
    // The models of these names that table pd lists; with several rows of
    // one name the last one counts, as it does for the throughput the model
    // selection reads.
    static QHash<QString, PointModel> pointModels(const QStringList &names);
};

#endif // CHECK_POECATALOGUE_H
