#include "calc/pdrequirements.h"

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

QString PdRequirements::selectionStatement(int leftOut) const
{
    QString s = QStringLiteral("select * from pd where power_backup = ") + QString::number(backup);
    if (!(leftOut & Slots))
        s += QStringLiteral(" AND camera_slots >= ") + quoted(QString::number(slotCount));
    if (boxTypeRequired)
        s += QStringLiteral(" AND boxtype = ") + quoted(boxType);
    s += QStringLiteral(" AND power230 = ") + quoted(mains ? QStringLiteral("1") : QStringLiteral("0"));
    if (!(leftOut & Load))
        s += QStringLiteral(" AND camera_total_power_max >= ") + quoted(QString::number(power));
    if (!(leftOut & Throughput))
        s += QStringLiteral(" AND bitrate >= ") + quoted(QString::number(bitrate));
    s += QLatin1Char(';');
    return s;
}

bool PdRequirements::operator==(const PdRequirements &o) const
{
    return slotCount == o.slotCount && backup == o.backup && mains == o.mains && power == o.power
            && bitrate == o.bitrate && boxTypeRequired == o.boxTypeRequired
            && (!boxTypeRequired || boxType == o.boxType);
}
