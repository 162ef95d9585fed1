#include "check/poenetwork.h"

#include "calc/cabledrop.h"
#include "check/poereshaper.h"
#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "propertysets/qtnpropertysetwire.h"

#include <algorithm>
#include <cmath>

int PoeNetwork::Point::poeClass() const
{
    const int poeClass = PoeStandard::classFor(load);
    if (fourPairs && poeClass != PoeStandard::NoClass && PoeStandard::pairsFor(poeClass) == 2)
        return PoeStandard::TwoPairClassLimit + 1;
    return poeClass;
}

PoeNetwork::PoeNetwork(const QVector<DiagramItem *> &items, double sourceVoltage, const QHash<QString, int> &awgs)
    : m_sourceVoltage(sourceVoltage)
    , m_awgs(&awgs)
{
    collect(items);
    formGroups();
}

// Cables of one type share its gauge; the type is known by its value in the
// shared cable type list.
int PoeNetwork::cableTypeOf(const Wire *wire)
{
    const int value = wire->propertySet()->Model.value();
    // Cables drawn one after another are mostly of one type.
    if (m_lastCableType >= 0 && value == m_lastCableValue)
        return m_lastCableType;
    m_lastCableValue = value;
    const auto found = m_cableTypeByValue.constFind(value);
    if (found != m_cableTypeByValue.constEnd())
        return m_lastCableType = found.value();
    CableType type;
    type.name = wire->typeName();
    readGauge(type);
    m_cableTypes << type;
    m_cableTypeByValue.insert(value, m_cableTypes.size() - 1);
    return m_lastCableType = m_cableTypes.size() - 1;
}

void PoeNetwork::readGauge(CableType &type) const
{
    type.catalogueAwg = m_awgs->value(type.name);
    type.ohmsPerMetre = PoeCable::conductorResistance(type.catalogueAwg);
    if (type.ohmsPerMetre > 0.0) {
        type.awg = type.catalogueAwg;
    } else {
        // The worst common case: a guess that errs towards a warning.
        type.assumed = true;
        type.ohmsPerMetre = PoeCable::conductorResistance(PoeCable::WorstCommonAwg);
    }
}

bool PoeNetwork::readCamera(Camera &camera)
{
    const int bitrate = camera.bitrate;
    camera.bitrate = camera.item->bitrate();
    camera.power = camera.item->power();
    camera.poeClass = PoeStandard::classFor(camera.power);
    camera.pairs = PoeStandard::pairsFor(camera.poeClass);
    camera.cableAt = -1.0;
    if (camera.wire) {
        camera.length = camera.wire->length();
        camera.cableType = cableTypeOf(camera.wire);
        camera.ohmsPerMetre = m_cableTypes.at(camera.cableType).ohmsPerMetre;
    }
    return camera.bitrate != bitrate;
}

void PoeNetwork::readSupply(Point &point)
{
    if (!point.wire)
        return;
    point.length = point.wire->length();
    point.cableType = cableTypeOf(point.wire);
    point.ohmsPerMetre = m_cableTypes.at(point.cableType).ohmsPerMetre;
}

void PoeNetwork::collect(const QVector<DiagramItem *> &items)
{
    m_elements.reserve(size_t(items.size()));
    // Most items of a large drawing are cameras.
    m_cameras.reserve(size_t(items.size()));
    for (DiagramItem *item : items) {
        const int element = int(m_elements.size());
        Element e;
        e.item = item;
        e.serial = item->serial();
        if (item->diagramType() == DiagramItem::PD) {
            e.kind = Element::PointElement;
            e.index = int(m_points.size());
            m_points.emplace_back();
            m_points.back().item = item;
            m_points.back().element = element;
        } else {
            e.kind = Element::CameraElement;
            e.index = int(m_cameras.size());
            m_cameras.emplace_back();
            m_cameras.back().item = item;
            m_cameras.back().element = element;
        }
        m_elements.push_back(e);
    }
    indexElements(items);
    for (Point &point : m_points)
        readPoint(point);
    for (int i = 0; i < int(m_cameras.size()); ++i) {
        readCameraWire(i);
        readCamera(m_cameras[size_t(i)]);
    }
    linkLists();
    for (int e = 0; e < int(m_elements.size()); ++e)
        drawCables(e);
}

// The power tree of the calculation says which point feeds which.
void PoeNetwork::readPoint(Point &point)
{
    point.mains = point.item->hasPower230();
    if (!point.item->dataUplink().isEmpty())
        point.uplink = pointOf(point.item->dataUplink().first());
    if (point.mains || point.item->powerFeeder().isEmpty())
        return;
    const int feeder = pointOf(point.item->powerFeeder().first());
    if (feeder < 0)
        return;
    for (Wire *wire : point.item->wires()) {
        if (wire->otherEnd(point.item) == m_points[size_t(feeder)].item) {
            point.wire = wire;
            break;
        }
    }
    if (!point.wire)
        return;
    point.feeder = feeder;
    readSupply(point);
}

// A camera is fed by the point at the other end of its one cable.
void PoeNetwork::readCameraWire(int index)
{
    Camera &camera = m_cameras[size_t(index)];
    const QList<Wire *> &wires = camera.item->wires();
    if (wires.size() == 1) {
        const int point = pointOf(wires.first()->otherEnd(camera.item));
        if (point >= 0) {
            camera.wire = wires.first();
            camera.point = point;
        }
    }
}

// Every point's cameras and dependants in the order of the drawing: the
// order the solution adds their loads up in.
void PoeNetwork::linkLists()
{
    for (Point &point : m_points) {
        point.cameras.clear();
        point.dependants.clear();
    }
    for (int i = 0; i < int(m_cameras.size()); ++i) {
        if (m_cameras[size_t(i)].point >= 0)
            m_points[size_t(m_cameras[size_t(i)].point)].cameras << i;
    }
    for (int i = 0; i < int(m_points.size()); ++i) {
        if (m_points[size_t(i)].feeder >= 0)
            m_points[size_t(m_points[size_t(i)].feeder)].dependants << i;
    }
}

// A cable's remarks go with the device it feeds, else with the item it was
// drawn from.
int PoeNetwork::cableOwner(const Cable &cable) const
{
    if (cable.end >= 0) {
        const Element &e = m_elements[size_t(cable.end)];
        const bool supplies = e.kind == Element::CameraElement ? m_cameras[size_t(e.index)].wire == cable.wire
                                                               : m_points[size_t(e.index)].wire == cable.wire;
        if (supplies)
            return cable.end;
    }
    return cable.start;
}

// Every cable once, from the item it was drawn from.
void PoeNetwork::drawCables(int element)
{
    Element &e = m_elements[size_t(element)];
    e.firstCable = int(m_cables.size());
    e.drawnCables = 0;
    if (!e.item)
        return; // a hole
    for (Wire *wire : e.item->wires()) {
        if (wire->startItem() != e.item)
            continue;
        const Cable cable = cableFrom(wire, element);
        if (cable.owner == cable.end && cable.end != element)
            m_elements[size_t(cable.end)].ownCable = int(m_cables.size());
        m_cables.push_back(cable);
    }
    e.drawnCables = int(m_cables.size()) - e.firstCable;
}

PoeNetwork::Cable PoeNetwork::cableFrom(Wire *wire, int start) const
{
    Cable cable;
    cable.wire = wire;
    cable.serial = wire->serial();
    cable.start = start;
    cable.end = elementOf(wire->endItem());
    cable.owner = cableOwner(cable);
    return cable;
}

int PoeNetwork::cableOf(const Wire *wire) const
{
    const int start = elementOf(wire->startItem());
    if (start < 0)
        return -1;
    const Element &e = m_elements[size_t(start)];
    for (int c = e.firstCable; c < e.firstCable + e.drawnCables; ++c) {
        if (m_cables[size_t(c)].wire == wire)
            return c;
    }
    return -1;
}

void PoeNetwork::indexElements(const QVector<DiagramItem *> &items)
{
    m_elementOf.reset(items.size());
    for (int element = 0; element < items.size(); ++element)
        m_elementOf.insert(items.at(element), element);
}

int PoeNetwork::elementOf(const DiagramItem *item) const
{
    return m_elementOf.value(item);
}

int PoeNetwork::pointOf(const DiagramItem *item) const
{
    const int element = elementOf(item);
    return element >= 0 && m_elements[size_t(element)].kind == Element::PointElement ? m_elements[size_t(element)].index
                                                                                     : -1;
}

void PoeNetwork::formGroups()
{
    // Breadth first from each mains point: every feeder before its dependants.
    for (int i = 0; i < int(m_points.size()); ++i) {
        if (!m_points[size_t(i)].mains)
            continue;
        Group group;
        group.root = i;
        m_points[size_t(i)].group = int(m_groups.size());
        for (int head = -1; head < group.fed.size(); ++head) {
            const QVector<int> &dependants = m_points[size_t(head < 0 ? i : group.fed.at(head))].dependants;
            for (int dependant : dependants) {
                Point &point = m_points[size_t(dependant)];
                if (point.reached || point.mains)
                    continue;
                point.reached = true;
                point.group = int(m_groups.size());
                group.fed << dependant;
            }
        }
        m_groups.push_back(group);
    }
    // A point no mains power reaches stands alone.
    for (int i = 0; i < int(m_points.size()); ++i) {
        if (m_points[size_t(i)].group >= 0)
            continue;
        m_points[size_t(i)].group = int(m_groups.size());
        Group group;
        group.root = i;
        m_groups.push_back(group);
    }
}

int PoeNetwork::reread(int element)
{
    const Element &e = m_elements[size_t(element)];
    if (!e.item)
        return NothingRead; // a hole
    if (e.kind == Element::PointElement) {
        Point &point = m_points[size_t(e.index)];
        const double length = point.length;
        const int type = point.cableType;
        readSupply(point);
        return point.length != length || point.cableType != type ? SupplyRead : NothingRead;
    }
    Camera &camera = m_cameras[size_t(e.index)];
    const double power = camera.power;
    const double length = camera.length;
    const int type = camera.cableType;
    const bool bitrate = readCamera(camera);
    const bool supply = camera.power != power || camera.length != length || camera.cableType != type;
    return (supply ? SupplyRead : NothingRead) | (bitrate ? BitrateRead : NothingRead);
}

PoeCable PoeNetwork::cameraCable(const Camera &camera) const
{
    if (camera.point < 0 || !m_points[size_t(camera.point)].live())
        return PoeCable();
    const double volts = m_points[size_t(camera.point)].voltage;
    if (camera.cableAt != volts) {
        camera.cable = PoeCable::solve(camera.length, camera.ohmsPerMetre, camera.pairs, volts, camera.power);
        camera.cableAt = volts;
    }
    return camera.cable;
}

// A cable that collapses draws at least what the device asks; the collapse
// itself is reported where it happens.
double PoeNetwork::cameraPort(const Camera &camera, double volts) const
{
    if (camera.cableAt == volts) {
        const PoeCable &c = camera.cable;
        if (c.unsupplied)
            return 0.0;
        return c.collapsed ? camera.power : c.portPower;
    }
    // (Only the port power on the way: the whole cable is worked out once,
    // at the voltage the point settles at.)
    bool collapsed = false;
    const double port =
        PoeCable::portPowerAt(camera.length, camera.ohmsPerMetre, camera.pairs, volts, camera.power, &collapsed);
    return collapsed ? camera.power : port;
}

double PoeNetwork::dependantPort(const Point &dependant, double volts) const
{
    if (dependant.cutOff)
        return 0.0;
    if (dependant.collapsed)
        return dependant.load;
    bool collapsed = false;
    const double port = PoeCable::portPowerAt(dependant.length, dependant.ohmsPerMetre,
                                            PoeStandard::pairsFor(dependant.poeClass()), volts, dependant.load,
                                            &collapsed);
    return collapsed ? dependant.load : port;
}

bool PoeNetwork::solve(int group, double settled, int maxIterations)
{
    Group &g = m_groups[size_t(group)];
    // Every voltage starts from the highest it can be, every load from none.
    for (int head = -1; head < g.fed.size(); ++head) {
        Point &point = m_points[size_t(head < 0 ? g.root : g.fed.at(head))];
        point.cutOff = point.collapsed = point.fourPairs = false;
        point.voltage = (point.mains || point.reached) ? m_sourceVoltage : 0.0;
        point.load = point.ports = point.cameraPorts = 0.0;
        point.cameraPortsAt = -1.0;
        point.supply = PoeCable();
    }

    for (int iteration = 0; iteration < maxIterations; ++iteration) {
        double moved = 0.0;

        // Loads from the leaves up, with the voltages as they stand.
        for (int head = g.fed.size() - 1; head >= -1; --head) {
            Point &point = m_points[size_t(head < 0 ? g.root : g.fed.at(head))];
            double ports = 0.0;
            if (point.live()) {
                // A point's cameras only change with its voltage.
                if (point.cameraPortsAt != point.voltage) {
                    point.cameraPorts = 0.0;
                    for (int camera : qAsConst(point.cameras))
                        point.cameraPorts += cameraPort(m_cameras[size_t(camera)], point.voltage);
                    point.cameraPortsAt = point.voltage;
                }
                ports = point.cameraPorts;
                for (int dependant : qAsConst(point.dependants))
                    ports += dependantPort(m_points[size_t(dependant)], point.voltage);
            }
            point.ports = ports;
            if (!point.mains && !point.collapsed && !point.cutOff) {
                const double load = CableDrop::OwnConsumption + ports;
                moved = std::max(moved, std::abs(load - point.load));
                point.load = load;
            }
        }

        // Voltages from the mains down, with the loads just found.
        for (int i : qAsConst(g.fed)) {
            Point &point = m_points[size_t(i)];
            if (point.cutOff || point.collapsed)
                continue;
            const Point &feeder = m_points[size_t(point.feeder)];
            if (!feeder.live()) {
                point.cutOff = true;
                point.voltage = 0.0;
                moved = std::max(moved, 1.0);
                continue;
            }
            if (PoeStandard::pairsFor(PoeStandard::classFor(point.load)) == 4)
                point.fourPairs = true;
            point.supply = PoeCable::solve(point.length, point.ohmsPerMetre, PoeStandard::pairsFor(point.poeClass()),
                                           feeder.voltage, point.load);
            if (point.supply.collapsed)
                point.collapsed = true;
            const double volts = point.supply.collapsed ? 0.0 : point.supply.voltage;
            moved = std::max(moved, std::abs(volts - point.voltage));
            point.voltage = volts;
        }

        if (moved < settled)
            return g.settled = true;
    }
    return g.settled = false;
}

// ------------------------------------------------------------------ reshaping

bool PoeNetwork::match(const QVector<DiagramItem *> &items, QVector<int> *from, int *unchanged,
                       Matched *matched) const
{
    return PoeReshaper::match(*this, items, from, unchanged, matched);
}

bool PoeNetwork::reshape(const QVector<DiagramItem *> &items, const QVector<int> &from, int unchanged,
                         QVector<bool> touched, Reshaped *out, const QVector<int> &holesMade)
{
    return PoeReshaper(*this).reshape(items, from, unchanged, std::move(touched), out, holesMade);
}
