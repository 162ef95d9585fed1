#include "check/poecheckresult.h"

#include "diagram/diagramitem.h"

#include <QGraphicsItem>

namespace {

template <typename Record>
const Record *find(const QVector<Record> &records, const QGraphicsItem *item)
{
    if (!item)
        return nullptr;
    for (const Record &record : records) {
        if (static_cast<const QGraphicsItem *>(record.item) == item)
            return &record;
    }
    return nullptr;
}

} // namespace

int PoeCheckResult::count(Severity severity) const
{
    int n = 0;
    for (const PoeFinding &finding : findings) {
        if (finding.severity == severity)
            ++n;
    }
    return n;
}

bool PoeCheckResult::hasError(const QGraphicsItem *element) const
{
    for (const PoeFinding &finding : findings) {
        if (finding.severity == Severity::Error && finding.element == element)
            return true;
    }
    return false;
}

const PoeCheckResult::Device *PoeCheckResult::device(const QGraphicsItem *item) const
{
    return find(devices, item);
}

const PoeCheckResult::Point *PoeCheckResult::point(const QGraphicsItem *item) const
{
    return find(points, item);
}

const PoeCheckResult::Recorder *PoeCheckResult::recorder(const QGraphicsItem *item) const
{
    return find(recorders, item);
}
