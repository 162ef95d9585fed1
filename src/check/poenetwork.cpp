#include "check/poenetwork.h"

#include "calc/cabledrop.h"
#include "check/poecatalogue.h"
#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "propertysets/qtnpropertysetwire.h"

#include <QGraphicsScene>

#include <algorithm>
#include <cmath>

namespace {

DiagramItem *otherEnd(const Wire *wire, const DiagramItem *item)
{
    return wire->startItem() == item ? wire->endItem() : wire->startItem();
}

} // namespace

int PoeNetwork::Point::poeClass() const
{
    const int poeClass = PoeStandard::classFor(load);
    if (fourPairs && poeClass != PoeStandard::NoClass && PoeStandard::pairsFor(poeClass) == 2)
        return PoeStandard::TwoPairClassLimit + 1;
    return poeClass;
}

PoeNetwork::PoeNetwork(const QGraphicsScene *scene, double sourceVoltage)
    : m_sourceVoltage(sourceVoltage)
{
    if (!scene)
        return;
    collect(scene);
    orderTree();
}

// Cables of one type share its gauge; the type is known by its value in the
// shared cable type list, and the catalogue is asked once for all types.
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
    m_cableTypes << type;
    m_cableTypeByValue.insert(value, m_cableTypes.size() - 1);
    return m_lastCableType = m_cableTypes.size() - 1;
}

void PoeNetwork::readGauges()
{
    QStringList names;
    for (const CableType &type : qAsConst(m_cableTypes))
        names << type.name;
    const QHash<QString, int> awgs = PoeCatalogue::cableAwgs(names);
    for (CableType &type : m_cableTypes) {
        type.catalogueAwg = awgs.value(type.name);
        type.ohmsPerMetre = PoeCable::conductorResistance(type.catalogueAwg);
        if (type.ohmsPerMetre > 0.0) {
            type.awg = type.catalogueAwg;
        } else {
            // The worst common case: a guess that errs towards a warning.
            type.assumed = true;
            type.ohmsPerMetre = PoeCable::conductorResistance(PoeCable::WorstCommonAwg);
        }
    }
}

void PoeNetwork::collect(const QGraphicsScene *scene)
{
    const QList<QGraphicsItem *> items = scene->items(AnyOrder);
    int wires = 0;
    int devices = 0;
    for (const QGraphicsItem *graphicsItem : items) {
        const int type = graphicsItem->type();
        wires += type == Wire::Type;
        devices += type == DiagramItem::Type;
    }
    m_wires.reserve(size_t(wires));
    m_elements.reserve(size_t(wires + devices));
    // Most devices of a large drawing are cameras.
    m_cameras.reserve(size_t(devices));
    // Points by their item, for the look-ups of feeders and cameras below.
    QHash<const DiagramItem *, int> pointIndex;
    pointIndex.reserve(devices / 4 + 1);
    for (QGraphicsItem *graphicsItem : items) {
        if (graphicsItem->type() == Wire::Type) {
            m_elements.push_back({Element::CableElement, int(m_wires.size())});
            m_wires.push_back(static_cast<Wire *>(graphicsItem));
            continue;
        }
        if (graphicsItem->type() != DiagramItem::Type)
            continue;
        auto *item = static_cast<DiagramItem *>(graphicsItem);
        if (item->diagramType() == DiagramItem::PD) {
            pointIndex.insert(item, int(m_points.size()));
            m_elements.push_back({Element::PointElement, int(m_points.size())});
            m_points.emplace_back();
            Point &point = m_points.back();
            point.item = item;
            point.mains = item->hasPower230();
            point.cameras.reserve(item->wires().size());
        } else if (item->diagramType() == DiagramItem::Camera) {
            m_elements.push_back({Element::CameraElement, int(m_cameras.size())});
            m_cameras.emplace_back();
            Camera &camera = m_cameras.back();
            camera.item = item;
            camera.power = item->power();
            camera.poeClass = PoeStandard::classFor(camera.power);
        }
    }

    const auto indexOf = [&pointIndex](const DiagramItem *item) { return pointIndex.value(item, -1); };

    // The power tree of the calculation says which point feeds which.
    for (int i = 0; i < int(m_points.size()); ++i) {
        Point &point = m_points[i];
        if (point.mains || point.item->powerFeeder().isEmpty())
            continue;
        const int feeder = indexOf(point.item->powerFeeder().first());
        if (feeder < 0)
            continue;
        for (Wire *wire : point.item->wires()) {
            if (otherEnd(wire, point.item) == m_points[feeder].item) {
                point.wire = wire;
                break;
            }
        }
        if (!point.wire)
            continue;
        point.feeder = feeder;
        point.length = point.wire->length();
        point.cableType = cableTypeOf(point.wire);
        m_points[feeder].dependants << i;
    }

    // A camera is fed by the point at the other end of its one cable.
    for (int i = 0; i < int(m_cameras.size()); ++i) {
        Camera &camera = m_cameras[i];
        const QList<Wire *> &wires = camera.item->wires();
        if (wires.size() != 1)
            continue;
        const int point = indexOf(otherEnd(wires.first(), camera.item));
        if (point < 0)
            continue;
        camera.wire = wires.first();
        camera.length = camera.wire->length();
        camera.cableType = cableTypeOf(camera.wire);
        camera.point = point;
        m_points[point].cameras << i;
    }
    readGauges();
    for (Point &point : m_points) {
        if (point.cableType >= 0)
            point.ohmsPerMetre = m_cableTypes.at(point.cableType).ohmsPerMetre;
    }
    for (Camera &camera : m_cameras) {
        camera.pairs = PoeStandard::pairsFor(camera.poeClass);
        if (camera.cableType >= 0)
            camera.ohmsPerMetre = m_cableTypes.at(camera.cableType).ohmsPerMetre;
    }
}

void PoeNetwork::orderTree()
{
    // Breadth first from the mains points: every feeder before its dependants.
    QVector<int> queue;
    for (int i = 0; i < int(m_points.size()); ++i) {
        if (m_points[i].mains)
            queue << i;
    }
    const QVector<int> mains = queue;
    for (int head = 0; head < queue.size(); ++head) {
        const QVector<int> dependants = m_points[queue.at(head)].dependants;
        for (int dependant : dependants) {
            Point &point = m_points[dependant];
            if (point.reached || point.mains)
                continue;
            point.reached = true;
            queue << dependant;
            m_treeOrder << dependant;
        }
    }
    // Every voltage starts from the highest it can be.
    for (Point &point : m_points)
        point.voltage = (point.mains || point.reached) ? m_sourceVoltage : 0.0;
    m_leavesFirst = m_treeOrder;
    std::reverse(m_leavesFirst.begin(), m_leavesFirst.end());
    m_leavesFirst << mains;
}

PoeCable PoeNetwork::cameraCable(const Camera &camera) const
{
    if (camera.point < 0 || !m_points[camera.point].live())
        return PoeCable();
    const double volts = m_points[camera.point].voltage;
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
    if (camera.cableAt != volts) {
        camera.cable = PoeCable::solve(camera.length, camera.ohmsPerMetre, camera.pairs, volts, camera.power);
        camera.cableAt = volts;
    }
    const PoeCable &c = camera.cable;
    if (c.unsupplied)
        return 0.0;
    return c.collapsed ? camera.power : c.portPower;
}

double PoeNetwork::dependantPort(const Point &dependant, double volts) const
{
    if (dependant.cutOff)
        return 0.0;
    if (dependant.collapsed)
        return dependant.load;
    const PoeCable c = PoeCable::solve(dependant.length, dependant.ohmsPerMetre,
                                       PoeStandard::pairsFor(dependant.poeClass()), volts, dependant.load);
    if (c.unsupplied)
        return 0.0;
    return c.collapsed ? dependant.load : c.portPower;
}

bool PoeNetwork::solve(double settled, int maxIterations)
{
    for (int iteration = 0; iteration < maxIterations; ++iteration) {
        double moved = 0.0;

        // Loads from the leaves up, with the voltages as they stand.
        for (int i : qAsConst(m_leavesFirst)) {
            Point &point = m_points[i];
            double ports = 0.0;
            if (point.live()) {
                // A point's cameras only change with its voltage.
                if (point.cameraPortsAt != point.voltage) {
                    point.cameraPorts = 0.0;
                    for (int camera : qAsConst(point.cameras))
                        point.cameraPorts += cameraPort(m_cameras[camera], point.voltage);
                    point.cameraPortsAt = point.voltage;
                }
                ports = point.cameraPorts;
                for (int dependant : qAsConst(point.dependants))
                    ports += dependantPort(m_points[dependant], point.voltage);
            }
            point.ports = ports;
            if (!point.mains && !point.collapsed && !point.cutOff) {
                const double load = CableDrop::OwnConsumption + ports;
                moved = std::max(moved, std::abs(load - point.load));
                point.load = load;
            }
        }

        // Voltages from the mains down, with the loads just found.
        for (int i : qAsConst(m_treeOrder)) {
            Point &point = m_points[i];
            if (point.cutOff || point.collapsed)
                continue;
            const Point &feeder = m_points[point.feeder];
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
            return true;
    }
    return false;
}
