#include "calc/pddiagnosis.h"

QString PdDiagnosis::leadText()
{
    return QStringLiteral("<nobr>Brak punktu dystrybucyjnego spełniających warunek</nobr> ");
}

QString PdDiagnosis::throughputText()
{
    return QStringLiteral("<font color=\"red\">\nMaksymalnego bitrate</font>");
}

QString PdDiagnosis::loadText()
{
    return QStringLiteral("<font color=\"red\"><b>\nMaksymalnego obciążenia</b></font>");
}

QString PdDiagnosis::slotsText()
{
    return QStringLiteral("<font color=\"red\">\nLiczby slotów PoE</font>");
}

QString PdDiagnosis::slotsLoadText()
{
    return QStringLiteral("<font color=\"red\"><b>\nLiczby slotów PoE\nMaksymalnego obciążenia</b></font>");
}

QString PdDiagnosis::allText()
{
    return QStringLiteral("<font color=\"red\"><b><br>Liczby slotów PoE<br>Maksymalnego obciążenia"
                          "<br>Maksymalnego bitrate</b></font>");
}

PdDiagnosis PdDiagnosis::run(const PdRequirements &req, const Finder &finds)
{
    PdDiagnosis d;
    QString message;
    bool anyFound = false;

    // Each single criterion first: if dropping it alone makes a model fit,
    // that criterion is (one of) the culprits.
    if (finds(req.criteria(PdRequirements::Throughput))) {
        message += throughputText();
        anyFound = true;
    }
    if (finds(req.criteria(PdRequirements::Load))) {
        message += loadText();
        anyFound = true;
    }
    if (finds(req.criteria(PdRequirements::Slots))) {
        message += slotsText();
        d.slotOverflow = true;
        anyFound = true;
    }
    // Only when no single criterion explains it do the combined ones count;
    // after an earlier find their answer could not change anything, so they
    // are not asked.
    if (!anyFound && finds(req.criteria(PdRequirements::Slots | PdRequirements::Load))) {
        message = slotsLoadText();
        d.slotOverflow = true;
        anyFound = true;
    }
    if (!anyFound
        && finds(req.criteria(PdRequirements::Slots | PdRequirements::Load
                                        | PdRequirements::Throughput))) {
        message = allText();
        d.slotOverflow = true;
    }
    d.toolTip = leadText() + message;
    return d;
}
