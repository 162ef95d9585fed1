#include "calc/pdrequirements.h"

PdCriteria PdRequirements::criteria(int leftOut) const
{
    PdCriteria c;
    c.backup = backup;
    c.slotsRequired = !(leftOut & Slots);
    c.slotCount = slotCount;
    c.boxTypeRequired = boxTypeRequired;
    if (boxTypeRequired)
        c.boxType = boxType;
    c.mains = mains;
    c.loadRequired = !(leftOut & Load);
    c.power = power;
    c.throughputRequired = !(leftOut & Throughput);
    c.bitrate = bitrate;
    return c;
}

bool PdRequirements::operator==(const PdRequirements &o) const
{
    return slotCount == o.slotCount && backup == o.backup && mains == o.mains && power == o.power
            && bitrate == o.bitrate && boxTypeRequired == o.boxTypeRequired
            && (!boxTypeRequired || boxType == o.boxType);
}
