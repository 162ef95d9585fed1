#include "catalogue/pdcriteria.h"

namespace {

// A text inside a double-quoted SQL literal; an enclosure such as
// 'Szafa RACK 19"' would otherwise end the literal early and break the whole
// statement, leaving rack points without any model.
QString quoted(const QString &text)
{
    QString inner = text;
    inner.replace(QLatin1Char('"'), QLatin1String("\"\""));
    return QLatin1Char('"') + inner + QLatin1Char('"');
}

} // namespace

QString PdCriteria::statement() const
{
    QString s = QStringLiteral("select * from pd where power_backup = ") + QString::number(backup);
    if (slotsRequired)
        s += QStringLiteral(" AND camera_slots >= ") + quoted(QString::number(slotCount));
    if (boxTypeRequired)
        s += QStringLiteral(" AND boxtype = ") + quoted(boxType);
    s += QStringLiteral(" AND power230 = ") + quoted(mains ? QStringLiteral("1") : QStringLiteral("0"));
    if (loadRequired)
        s += QStringLiteral(" AND camera_total_power_max >= ") + quoted(QString::number(power));
    if (throughputRequired)
        s += QStringLiteral(" AND bitrate >= ") + quoted(QString::number(bitrate));
    s += QLatin1Char(';');
    return s;
}

bool PdCriteria::operator==(const PdCriteria &o) const
{
    return backup == o.backup && slotsRequired == o.slotsRequired && (!slotsRequired || slotCount == o.slotCount)
            && boxTypeRequired == o.boxTypeRequired && (!boxTypeRequired || boxType == o.boxType)
            && mains == o.mains && loadRequired == o.loadRequired && (!loadRequired || power == o.power)
            && throughputRequired == o.throughputRequired && (!throughputRequired || bitrate == o.bitrate);
}

uint qHash(const PdCriteria &c, uint seed)
{
    uint h = seed ^ uint(c.backup) ^ (c.mains ? 0x9e3779b9u : 0u);
    h = h * 31 + (c.slotsRequired ? uint(c.slotCount) + 1 : 0);
    h = h * 31 + (c.loadRequired ? uint(c.power) + 1 : 0);
    h = h * 31 + (c.throughputRequired ? uint(c.bitrate) + 1 : 0);
    if (c.boxTypeRequired)
        h ^= qHash(c.boxType, seed);
    return h;
}
