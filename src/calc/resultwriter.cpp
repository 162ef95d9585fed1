#include "calc/resultwriter.h"

#include "calc/cabledrop.h"
#include "diagram/diagramitem.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"

namespace {

template <typename Results>
bool store(Results &r, const CableDrop &d)
{
    bool changed = r.Resistance.setValue(d.resistance);
    changed = r.PowerLost.setValue(d.powerLost) || changed;
    changed = r.PowerAvailable.setValue(d.powerAvailable) || changed;
    changed = r.VoltageLoss.setValue(d.voltageLoss) || changed;
    changed = r.VoltageAvailable.setValue(d.vin) || changed;
    return changed;
}

} // namespace

bool ResultWriter::write(DiagramItem *item, const CableDrop &drop)
{
    if (!item)
        return false;
    if (QtnPropertySetCamera *camera = item->cameraSet())
        return store(camera->Advanced, drop);
    if (QtnPropertySetPD *point = item->pdSet())
        return store(point->AdvancedPD, drop);
    return false;
}
