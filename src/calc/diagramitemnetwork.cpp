// The network operations of a diagram item. They are declared with the item
// but live with the calculation, which is the layer that knows what the
// network means: who feeds whom, and what flows where.

#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "calc/cabledrop.h"
#include "calc/calcpass.h"

namespace {

bool isPoint(const DiagramItem *item)
{
    return item && item->diagramType() == DiagramItem::PD;
}

bool isCamera(const DiagramItem *item)
{
    return item && item->diagramType() == DiagramItem::Camera;
}

bool isDataRoot(const DiagramItem *item)
{
    return item->hasNvr() || item->hasPc();
}

} // namespace

int DiagramItem::totalPower() const
{
    if (m_diagramType != PD)
        return 0;
    CalcPass *pass = CalcPass::current();
    if (pass) {
        if (const int *kept = pass->totalPower.find(this))
            return *kept;
    }
    int sum = 0;
    for (const Wire *wire : m_wires) {
        const DiagramItem *other = wire->otherEnd(this);
        if (isCamera(other))
            sum += int(other->power());
    }
    // A point fed over PoE draws its own switch on top of what it passes on.
    for (const DiagramItem *dependant : m_powerDependants)
        sum += CableDrop::OwnConsumption + dependant->totalPower();
    if (pass)
        pass->totalPower.insert(this, sum);
    return sum;
}

int DiagramItem::totalBitrate() const
{
    if (m_diagramType != PD)
        return 0;
    CalcPass *pass = CalcPass::current();
    if (pass) {
        if (const int *kept = pass->totalBitrate.find(this))
            return *kept;
    }
    int sum = 0;
    for (const Wire *wire : m_wires) {
        const DiagramItem *other = wire->otherEnd(this);
        if (isCamera(other))
            sum += other->bitrate();
    }
    for (const DiagramItem *dependant : m_dataDependants)
        sum += dependant->totalBitrate();
    // A recorder and a viewing PC on one point each pull every stream.
    if (hasPc() && hasNvr())
        sum *= 2;
    if (pass)
        pass->totalBitrate.insert(this, sum);
    return sum;
}

bool DiagramItem::linkPowerTree()
{
    if (m_diagramType != PD)
        return false;
    // Only a point that has power can pass it on.
    if (!hasPower230() && m_powerFeeder.isEmpty())
        return false;
    bool linked = false;
    for (Wire *wire : m_wires) {
        DiagramItem *other = wire->otherEnd(this);
        if (isPoint(other) && !other->hasPower230() && other->m_powerFeeder.isEmpty()) {
            other->m_powerFeeder.append(this);
            m_powerDependants.append(other);
            linked = true;
        }
    }
    return linked;
}

bool DiagramItem::linkDataTree()
{
    if (m_diagramType != PD)
        return false;
    // Data flows towards a recorder or PC; a point not yet connected to one
    // cannot be anybody's uplink.
    if (!isDataRoot(this) && m_dataUplink.isEmpty())
        return false;
    bool linked = false;
    for (Wire *wire : m_wires) {
        DiagramItem *other = wire->otherEnd(this);
        if (isPoint(other) && !isDataRoot(other) && other->m_dataUplink.isEmpty()) {
            other->m_dataUplink.append(this);
            m_dataDependants.append(other);
            linked = true;
        }
    }
    return linked;
}
