#include "calc/resultwriter.h"

#include "calc/cabledrop.h"
#include "diagram/diagramitem.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"

namespace {

template <typename Results>
void store(Results &r, const CableDrop &d)
{
    r.Resistance.setValue(d.resistance);
    r.PowerLost.setValue(d.powerLost);
    r.PowerAvailable.setValue(d.powerAvailable);
    r.VoltageLoss.setValue(d.voltageLoss);
    r.VoltageAvailable.setValue(d.vin);
}

} // namespace

void ResultWriter::write(DiagramItem *item, const CableDrop &drop)
{
    if (!item)
        return;
    if (QtnPropertySetCamera *camera = item->cameraSet())
        store(camera->Advanced, drop);
    else if (QtnPropertySetPD *point = item->pdSet())
        store(point->AdvancedPD, drop);
}
