#include "check/poecheck.h"

#include "calc/calcpass.h"
#include "check/poechecktracker.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetproject.h"

#include <QGraphicsScene>

#include <algorithm>
#include <cmath>

PoeCheckResult PoeCheck::run(const QGraphicsScene *scene)
{
    PoeCheckTracker tracker;
    return tracker.update(scene);
}

PoeStorageSettings PoeCheck::storageSettings(const QGraphicsScene *scene)
{
    PoeStorageSettings settings;
    const auto *diagramScene = qobject_cast<const DiagramScene *>(scene);
    if (diagramScene && diagramScene->projectSet()) {
        const QtnPropertySetProject *project = diagramScene->projectSet();
        settings.archiveDays = int(project->ArchiveDays.value());
        settings.hoursPerDay = int(project->RecordingHours.value());
        settings.reservePercent = int(project->StorageReserve.value());
    }
    return settings;
}

double PoeCheck::storageTerabytes(qint64 bitrateKbps, const PoeStorageSettings &settings)
{
    // kbit/s -> bytes per second -> per recorded day -> for the archive, plus
    // the reserve; disks are sold in decimal terabytes.
    const double bytesPerSecond = double(bitrateKbps) * 1000.0 / 8.0;
    const double bytes = bytesPerSecond * 3600.0 * settings.hoursPerDay * settings.archiveDays
                         * (1.0 + settings.reservePercent / 100.0);
    return bytes / 1e12;
}

double PoeCheck::shownStorage(double terabytes)
{
    return std::round(terabytes * 100.0) / 100.0;
}

void PoeCheck::writeStorage(const PoeCheckResult &result)
{
    // Results, not edits: whoever records the user's edits passes them by.
    CalcPass pass;
    for (const PoeCheckResult::Point &point : result.points) {
        QtnPropertySetPD *set = point.item ? point.item->pdSet() : nullptr;
        if (!set)
            continue;
        const PoeCheckResult::Recorder *recorder = result.recorder(point.item);
        const double value = recorder ? shownStorage(recorder->storageTB) : 0.0;
        if (set->Storage.value() != value)
            set->Storage.setValue(value);
    }
}

void PoeCheck::markItems(const PoeCheckResult &result, bool shown)
{
    // Run after every check that changed something, over the whole drawing.
    DiagramItem *const *items = result.items.constData();
    const bool *errors = result.itemErrors.constData();
    const int known = std::min(result.items.size(), result.itemErrors.size());
    for (int i = 0; i < result.items.size(); ++i) {
        const bool mark = shown && i < known && errors[i];
        DiagramItem *item = items[i];
        if (item->poeCheckMark() != mark) {
            item->setPoeCheckMark(mark);
            item->update();
        }
    }
}
