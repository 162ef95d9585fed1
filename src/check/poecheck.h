#ifndef CHECK_POECHECK_H
#define CHECK_POECHECK_H

#include "check/poecheckresult.h"

class QGraphicsScene;

// The PoE engineering check: a second look at the drawn network, beside the
// budget the editor shows, with the exact physics of a constant-power load
// (PoeCable) and the limits of IEEE 802.3af/at/bt (PoeStandard). It reads
// the scene and the catalogue and changes nothing; run it after the
// calculation loop, whose power and data trees it follows.
//
// Per device on a cable (a camera, or a distribution point without mains
// fed over PoE): the loop resistance from the cable type's gauge in the
// catalogue (24 AWG when the catalogue does not know it, the worst common
// case); the class the device needs from its own power, and from the class
// its standard, its pairs (classes up to 30 W at the port two, above four),
// its lowest input voltage and its current per pair; the exact voltage,
// current, cable loss and port power, the chains of points fed over PoE
// solved together (PoeNetwork). Per distribution point: its ports against
// its model's budget, its data against the model's throughput, its slots.
// Per recorder: the disk space its cameras need.
class PoeCheck
{
public:
    // What the port of a mains-fed distribution point gives, V: the figure
    // the budget takes as well.
    static constexpr double SourceVoltage = 48.0;
    // A cable longer than this is no Ethernet channel.
    static constexpr double ChannelMetres = 100.0;
    // The chain solution stops when no voltage (V) or load (W) moves by
    // more: far below the hundredths the remarks show.
    static constexpr double Settled = 1e-7;
    static constexpr int MaxIterations = 200;

    // The whole check once (PoeCheckTracker keeps it up to date instead).
    static PoeCheckResult run(const QGraphicsScene *scene);

    // The project's archive settings (defaults for a scene without a project).
    static PoeStorageSettings storageSettings(const QGraphicsScene *scene);
    // Streams of bitrateKbps kept for the settings, in decimal terabytes
    // (the unit disks are sold in).
    static double storageTerabytes(qint64 bitrateKbps, const PoeStorageSettings &settings);

    // The storage as a recorder's set keeps it: what it shows, two decimals.
    static double shownStorage(double terabytes);
    // Writes each recorder's storage into its "Storage" property and 0 into
    // every other distribution point's, only where the value changes; as
    // results, not edits of the user.
    static void writeStorage(const PoeCheckResult &result);
    // Puts the check's mark on every device with an error and takes it off
    // every other (all marks off when not shown); repaints only what
    // changed. The result must be that of the scene as it stands.
    static void markItems(const PoeCheckResult &result, bool shown);
};

#endif // CHECK_POECHECK_H
