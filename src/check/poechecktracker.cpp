#include "check/poechecktracker.h"

#include "calc/calcpass.h"
#include "calc/networkcalc.h"
#include "check/poecatalogue.h"
#include "check/poecheck.h"
#include "check/poenetwork.h"
#include "check/poeremarks.h"
#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "property/core/qtnpropertyset.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetwire.h"

#include <QGraphicsScene>
#include <QSet>
#include <QVarLengthArray>

#include <cmath>

namespace {

using Severity = PoeFinding::Severity;
using Element = PoeNetwork::Element;
using Remarks = PoeRemarks::Remarks;

DiagramItem *otherEnd(const Wire *wire, const DiagramItem *item)
{
    return wire->startItem() == item ? wire->endItem() : wire->startItem();
}

DiagramItem *firstOf(const QList<DiagramItem *> &list)
{
    return list.isEmpty() ? nullptr : list.first();
}

bool isCamera(const DiagramItem *item)
{
    return item && item->diagramType() == DiagramItem::Camera;
}

// Lists of cables by element in two flat arrays: the cables of element e
// are cables[first[e]] up to cables[first[e + 1]].
struct CableLists
{
    QVector<int> first;
    QVector<int> cables;

    template <typename Ends>
    void build(int elements, int cableCount, Ends ends)
    {
        first.fill(0, elements + 1);
        for (int c = 0; c < cableCount; ++c) {
            ends(c, [&](int e) { ++first[e + 1]; });
        }
        for (int e = 0; e < elements; ++e)
            first[e + 1] += first[e];
        cables.resize(first.at(elements));
        QVector<int> next = first;
        for (int c = 0; c < cableCount; ++c) {
            ends(c, [&](int e) { cables[next[e]++] = c; });
        }
    }
    const int *begin(int e) const { return cables.constData() + first.at(e); }
    const int *end(int e) const { return cables.constData() + first.at(e + 1); }
};

bool operator==(const PoeStorageSettings &a, const PoeStorageSettings &b)
{
    return a.archiveDays == b.archiveDays && a.hoursPerDay == b.hoursPerDay && a.reservePercent == b.reservePercent;
}

} // namespace

class PoeCheckTracker::Impl
{
public:
    PoeCheckResult result;
    Work lastWork = Work::None;
    // Moves on whenever the remarks or the marks change.
    quint64 revision = 0;

    void update(const QGraphicsScene *scene);
    void writeStorage();

private:
    // What a partial check found to do.
    struct Edit
    {
        QVector<int> items;  // elements whose sets changed
        QVector<int> cables; // cables whose sets changed
        bool settings = false;
    };
    // Flags over a range of indexes that remember which they set, so that
    // clearing them costs what setting them did.
    class Marks
    {
    public:
        void resize(int size)
        {
            m_flags.fill(false, size);
            m_set.clear();
        }
        bool at(int i) const { return m_flags.at(i); }
        bool mark(int i)
        {
            if (m_flags.at(i))
                return false;
            m_flags[i] = true;
            m_set << i;
            return true;
        }
        const QVector<int> &marked() const { return m_set; }
        void clear()
        {
            for (int i : qAsConst(m_set))
                m_flags[i] = false;
            m_set.clear();
        }

    private:
        QVector<bool> m_flags;
        QVector<int> m_set;
    };

    bool shapeChanged(const QGraphicsScene *scene) const;
    bool findEdit(Edit *edit) const;
    void fullCheck(const QGraphicsScene *scene);
    void partialCheck(const Edit &edit);
    void dataChanged(int point);

    void solveGroup(int group);
    void checkCamera(int camera);
    void checkSupply(int point);
    void checkPoint(int point);
    void checkRecorder(int point);
    void checkCable(int cable);
    void countCableTypes();
    void checkCableTypes();
    void fillDevice(PoeCheckResult::Device &d, DiagramItem *item, Wire *wire, double length, double volts,
                    double watts, int poeClass, bool supplied, int cableType, const PoeCable &cable);
    void replace(Remarks &remarks, const Remarks &fresh);
    void assemble();

    // The shape the structure was read in.
    const QGraphicsScene *m_scene = nullptr;
    quint64 m_stacking = 0;
    quint64 m_wiring = 0;
    quint64 m_catalogue = 0;
    const PoeCatalogue::Tables *m_tables = nullptr;
    // Value changes of every property when the result was last brought up
    // to date.
    quint64 m_total = 0;
    int m_fullChecks = 0;

    std::unique_ptr<PoeNetwork> m_network;
    // Per point: what decides the trees and the point's part in them.
    struct PointShape
    {
        DiagramItem *feeder = nullptr;
        DiagramItem *uplink = nullptr;
        bool mains = false;
        bool nvr = false;
        bool pc = false;
    };
    QVector<PointShape> m_shapes;
    QVector<const QtnPropertySet *> m_itemSets; // per element
    QVector<quint64> m_itemSeen;                // per element: its set's change count
    QVector<const QtnPropertySet *> m_cableSets;
    QVector<quint64> m_cableSeen;               // per cable
    QVector<int> m_deviceOf;      // per element: its record in result.devices, or -1
    QVector<int> m_recorderOf;    // per point: its record in result.recorders, or -1
    CableLists m_cablesAt; // per element: the cables that end at it
    CableLists m_cablesOf; // per element: the cables whose remarks go with it
    // Supply cables per cable type, and the first of each type.
    QVector<int> m_typeCount;
    QVector<Wire *> m_typeFirst;
    // The remarks, in parts that are worded again separately.
    QVector<Remarks> m_supplyRemarks;   // per element: the device on its cable
    QVector<Remarks> m_pointRemarks;    // per point: against its model
    QVector<Remarks> m_recorderRemarks; // per point
    QVector<Remarks> m_cableRemarks;    // per cable
    Remarks m_cableTypeRemarks;
    bool m_remarksChanged = false;
    // What a partial check has to do again.
    Marks m_groupsDirty;
    Marks m_pointsDirty;
    Marks m_dataDirty;
    Marks m_recordersDirty;
    Marks m_cablesDirty;
    // Storage to write: every point's after a whole check, else the
    // recorders whose figures moved.
    bool m_storageOfAll = false;
    QVector<int> m_storageOf;
};

// ------------------------------------------------------------------ updates

bool PoeCheckTracker::Impl::shapeChanged(const QGraphicsScene *scene) const
{
    // A catalogue read by statement has no number: nobody can tell it stood still.
    return !m_network || scene != m_scene || DiagramItem::stackingRevision() != m_stacking
           || DiagramItem::wiringRevision() != m_wiring || m_tables->generation == 0
           || m_tables->generation != m_catalogue;
}

// False when the edit changed the shape after all: the trees, or a point's
// mains, recorder or PC.
bool PoeCheckTracker::Impl::findEdit(Edit *edit) const
{
    const std::vector<PoeNetwork::Point> &points = m_network->points();
    for (int p = 0; p < int(points.size()); ++p) {
        const DiagramItem *item = points[size_t(p)].item;
        const PointShape &shape = m_shapes.at(p);
        if (firstOf(item->powerFeeder()) != shape.feeder || firstOf(item->dataUplink()) != shape.uplink)
            return false;
    }
    const int items = m_itemSets.size();
    for (int e = 0; e < items; ++e) {
        if (m_itemSets.at(e)->valueChanges() == m_itemSeen.at(e))
            continue;
        const Element &element = m_network->elements()[size_t(e)];
        if (element.kind == Element::PointElement) {
            const DiagramItem *item = points[size_t(element.index)].item;
            const PointShape &shape = m_shapes.at(element.index);
            if (item->hasPower230() != shape.mains || item->hasNvr() != shape.nvr || item->hasPc() != shape.pc)
                return false;
        }
        edit->items << e;
    }
    const int cables = m_cableSets.size();
    for (int c = 0; c < cables; ++c) {
        if (m_cableSets.at(c)->valueChanges() != m_cableSeen.at(c))
            edit->cables << c;
    }
    edit->settings = !(PoeCheck::storageSettings(m_scene) == result.storage);
    return true;
}

void PoeCheckTracker::Impl::update(const QGraphicsScene *scene)
{
    m_tables = &PoeCatalogue::tables();
    if (shapeChanged(scene)) {
        fullCheck(scene);
        lastWork = Work::Full;
        return;
    }
    if (QtnPropertyBase::totalValueChanges() == m_total) {
        lastWork = Work::None;
        return;
    }
    Edit edit;
    if (!findEdit(&edit)) {
        fullCheck(scene);
        lastWork = Work::Full;
        return;
    }
    partialCheck(edit);
    lastWork = Work::Partial;
}

void PoeCheckTracker::Impl::fullCheck(const QGraphicsScene *scene)
{
    ++m_fullChecks;
    m_scene = scene;
    m_stacking = DiagramItem::stackingRevision();
    m_wiring = DiagramItem::wiringRevision();
    m_catalogue = m_tables->generation;
    m_total = QtnPropertyBase::totalValueChanges();

    // The calculation keeps the items sorted, topmost first; the remarks
    // follow the drawing, first drawn first.
    QList<DiagramItem *> items;
    if (scene) {
        const QList<DiagramItem *> sorted = NetworkCalc::diagramItems(scene);
        items.reserve(sorted.size());
        for (auto it = sorted.crbegin(); it != sorted.crend(); ++it) {
            if ((*it)->diagramType() == DiagramItem::PD || (*it)->diagramType() == DiagramItem::Camera)
                items << *it;
        }
    }
    m_network.reset(new PoeNetwork(items, PoeCheck::SourceVoltage, m_tables->awgs));
    const std::vector<PoeNetwork::Point> &points = m_network->points();
    const std::vector<PoeNetwork::Camera> &cameras = m_network->cameras();
    const std::vector<Element> &elements = m_network->elements();
    const std::vector<PoeNetwork::Cable> &cables = m_network->cables();
    const int elementCount = int(elements.size());
    const int pointCount = int(points.size());
    const int cableCount = int(cables.size());

    result = PoeCheckResult();
    result.storage = PoeCheck::storageSettings(scene);
    result.items = items.toVector();
    result.itemErrors.fill(false, elementCount);
    m_itemSets.resize(elementCount);
    m_itemSeen.resize(elementCount);
    m_deviceOf.fill(-1, elementCount);
    m_supplyRemarks = QVector<Remarks>(elementCount);
    m_shapes = QVector<PointShape>(pointCount);
    m_recorderOf.fill(-1, pointCount);
    m_pointRemarks = QVector<Remarks>(pointCount);
    m_recorderRemarks = QVector<Remarks>(pointCount);
    m_cableSets.resize(cableCount);
    m_cableSeen.resize(cableCount);
    m_cableRemarks = QVector<Remarks>(cableCount);
    m_groupsDirty.resize(int(m_network->groups().size()));
    m_pointsDirty.resize(pointCount);
    m_dataDirty.resize(pointCount);
    m_recordersDirty.resize(pointCount);
    m_cablesDirty.resize(cableCount);

    // One record for every camera on a point, every point fed over PoE,
    // every point and every recorder, in the order of the drawing.
    int devices = 0;
    for (int e = 0; e < elementCount; ++e) {
        const Element &element = elements[size_t(e)];
        m_itemSets[e] = items.at(e)->propertySet();
        m_itemSeen[e] = m_itemSets.at(e)->valueChanges();
        const bool device = element.kind == Element::CameraElement ? cameras[size_t(element.index)].point >= 0
                                                                   : points[size_t(element.index)].fed();
        if (device)
            m_deviceOf[e] = devices++;
    }
    result.devices.resize(devices);
    result.points.resize(pointCount);
    for (int p = 0; p < pointCount; ++p) {
        DiagramItem *item = points[size_t(p)].item;
        PointShape &shape = m_shapes[p];
        shape.feeder = firstOf(item->powerFeeder());
        shape.uplink = firstOf(item->dataUplink());
        shape.mains = item->hasPower230();
        shape.nvr = item->hasNvr();
        shape.pc = item->hasPc();
        if (shape.nvr) {
            m_recorderOf[p] = result.recorders.size();
            result.recorders.append(PoeCheckResult::Recorder());
        }
    }
    for (int c = 0; c < cableCount; ++c) {
        m_cableSets[c] = cables[size_t(c)].wire->propertySet();
        m_cableSeen[c] = m_cableSets.at(c)->valueChanges();
    }
    m_cablesOf.build(elementCount, cableCount, [&](int c, auto add) {
        if (cables[size_t(c)].owner >= 0)
            add(cables[size_t(c)].owner);
    });
    // Both ends name it.
    m_cablesAt.build(elementCount, cableCount, [&](int c, auto add) {
        if (cables[size_t(c)].start >= 0)
            add(cables[size_t(c)].start);
        if (cables[size_t(c)].end >= 0)
            add(cables[size_t(c)].end);
    });

    // The sums of bitrate behind a point are asked for once per point.
    CalcPass pass;
    for (int g = 0; g < int(m_network->groups().size()); ++g)
        solveGroup(g);
    for (int c = 0; c < int(cameras.size()); ++c) {
        if (cameras[size_t(c)].point < 0)
            checkCamera(c);
    }
    for (int p = 0; p < pointCount; ++p) {
        checkPoint(p);
        checkRecorder(p);
    }
    for (int c = 0; c < cableCount; ++c)
        checkCable(c);
    countCableTypes();
    checkCableTypes();
    assemble();
    m_storageOfAll = true;
    m_storageOf.clear();
}

// The data of a point passes through every point above it to its recorder.
void PoeCheckTracker::Impl::dataChanged(int point)
{
    const std::vector<PoeNetwork::Point> &points = m_network->points();
    for (int p = point; p >= 0 && m_dataDirty.mark(p); p = points[size_t(p)].uplink) {
        m_pointsDirty.mark(p);
        m_recordersDirty.mark(p);
    }
}

void PoeCheckTracker::Impl::partialCheck(const Edit &edit)
{
    const std::vector<PoeNetwork::Point> &points = m_network->points();
    const std::vector<PoeNetwork::Camera> &cameras = m_network->cameras();
    const std::vector<Element> &elements = m_network->elements();
    const std::vector<PoeNetwork::Cable> &cables = m_network->cables();
    result.storage = PoeCheck::storageSettings(m_scene);
    m_remarksChanged = false;

    const auto changed = [&](int e) {
        const Element &element = elements[size_t(e)];
        if (element.kind == Element::PointElement) {
            m_groupsDirty.mark(points[size_t(element.index)].group);
            m_pointsDirty.mark(element.index);
            m_recordersDirty.mark(element.index);
            return;
        }
        const PoeNetwork::Camera &camera = cameras[size_t(element.index)];
        if (camera.point >= 0) {
            m_groupsDirty.mark(points[size_t(camera.point)].group);
            return;
        }
        // A camera on several cables: the points at their ends count its stream.
        checkCamera(element.index);
        for (const Wire *wire : camera.item->wires()) {
            const int end = m_network->pointOf(otherEnd(wire, camera.item));
            if (end >= 0)
                dataChanged(end);
        }
    };
    bool names = false;
    for (int e : edit.items) {
        m_itemSeen[e] = m_itemSets.at(e)->valueChanges();
        // Its name is in the remarks on its cables.
        for (const int *c = m_cablesAt.begin(e); c != m_cablesAt.end(e); ++c)
            m_cablesDirty.mark(*c);
        changed(e);
        names = true;
    }
    for (int c : edit.cables) {
        m_cableSeen[c] = m_cableSets.at(c)->valueChanges();
        m_cablesDirty.mark(c);
        changed(cables[size_t(c)].owner);
    }
    if (edit.settings) {
        for (int p = 0; p < int(points.size()); ++p)
            m_recordersDirty.mark(p);
    }

    CalcPass pass;
    for (int g : m_groupsDirty.marked()) {
        const bool bitrates = m_network->reread(g);
        solveGroup(g);
        const PoeNetwork::Group &group = m_network->groups()[size_t(g)];
        for (int head = -1; head < group.fed.size(); ++head) {
            const int p = head < 0 ? group.root : group.fed.at(head);
            m_pointsDirty.mark(p);
            if (bitrates)
                dataChanged(p);
        }
    }
    for (int p : m_pointsDirty.marked())
        checkPoint(p);
    for (int p : m_recordersDirty.marked())
        checkRecorder(p);
    for (int c : m_cablesDirty.marked())
        checkCable(c);
    if (!edit.cables.isEmpty())
        countCableTypes();
    if (names || !edit.cables.isEmpty())
        checkCableTypes();
    m_groupsDirty.clear();
    m_pointsDirty.clear();
    m_dataDirty.clear();
    m_recordersDirty.clear();
    m_cablesDirty.clear();
    m_total = QtnPropertyBase::totalValueChanges();
    if (m_remarksChanged)
        assemble();
}

void PoeCheckTracker::Impl::writeStorage()
{
    if (!m_network || (!m_storageOfAll && m_storageOf.isEmpty()))
        return;
    QVector<int> written;
    if (m_storageOfAll) {
        for (int p = 0; p < int(m_network->points().size()); ++p)
            written << p;
    } else {
        written = m_storageOf;
    }
    m_storageOfAll = false;
    m_storageOf.clear();
    struct Write
    {
        QtnPropertySetPD *set;
        double value;
        int element;
    };
    QVector<Write> writes;
    for (int p : qAsConst(written)) {
        const PoeNetwork::Point &point = m_network->points()[size_t(p)];
        QtnPropertySetPD *set = point.item->pdSet();
        const int recorder = m_recorderOf.at(p);
        const double value = recorder >= 0 ? PoeCheck::shownStorage(result.recorders.at(recorder).storageTB) : 0.0;
        if (set && set->Storage.value() != value)
            writes.append({set, value, point.element});
    }
    if (writes.isEmpty())
        return;
    // Nothing else changed since the last update: the writes are all there is.
    const bool current = QtnPropertyBase::totalValueChanges() == m_total;
    const int checks = m_fullChecks;
    {
        // Results, not edits: whoever records the user's edits passes them by.
        CalcPass pass;
        for (const Write &write : qAsConst(writes))
            write.set->Storage.setValue(write.value);
    }
    // A check run by a receiver of the writes has read everything anew.
    if (checks != m_fullChecks)
        return;
    for (const Write &write : qAsConst(writes))
        m_itemSeen[write.element] = write.set->valueChanges();
    if (current)
        m_total = QtnPropertyBase::totalValueChanges();
}

// ------------------------------------------------------------------ figures

void PoeCheckTracker::Impl::fillDevice(PoeCheckResult::Device &d, DiagramItem *item, Wire *wire, double length,
                                       double volts, double watts, int poeClass, bool supplied, int cableType,
                                       const PoeCable &cable)
{
    d = PoeCheckResult::Device();
    d.item = item;
    d.wire = wire;
    d.supplied = supplied;
    d.sourceVoltage = supplied ? volts : 0.0;
    d.length = length;
    if (cableType >= 0) {
        const PoeNetwork::CableType &type = m_network->cableTypes().at(cableType);
        d.awg = type.awg;
        d.awgAssumed = type.assumed;
    }
    d.devicePower = watts;
    d.poeClass = poeClass;
    d.standard = PoeStandard::typeOf(poeClass);
    if (supplied)
        d.cable = cable;
    d.cable.pairs = PoeStandard::pairsFor(poeClass);
}

void PoeCheckTracker::Impl::solveGroup(int group)
{
    m_network->solve(group, PoeCheck::Settled, PoeCheck::MaxIterations);
    const PoeNetwork::Group &g = m_network->groups()[size_t(group)];
    for (int head = -1; head < g.fed.size(); ++head) {
        const int p = head < 0 ? g.root : g.fed.at(head);
        checkSupply(p);
        for (int camera : qAsConst(m_network->points()[size_t(p)].cameras))
            checkCamera(camera);
    }
}

void PoeCheckTracker::Impl::checkCamera(int index)
{
    const PoeNetwork::Camera &camera = m_network->cameras()[size_t(index)];
    Remarks remarks;
    if (camera.point < 0) {
        PoeRemarks::unfedCamera(camera.item, camera.item->wires().size(), remarks);
    } else {
        const PoeNetwork::Point &point = m_network->points()[size_t(camera.point)];
        const bool supplied = point.live();
        PoeCheckResult::Device &d = result.devices[m_deviceOf.at(camera.element)];
        fillDevice(d, camera.item, camera.wire, camera.length, point.voltage, camera.power, camera.poeClass, supplied,
                   camera.cableType, m_network->cameraCable(camera));
        // A camera behind a point without supply has no remark of its own:
        // the point is the cause.
        if (supplied)
            PoeRemarks::device(d, remarks);
    }
    replace(m_supplyRemarks[camera.element], remarks);
}

void PoeCheckTracker::Impl::checkSupply(int index)
{
    const std::vector<PoeNetwork::Point> &points = m_network->points();
    const PoeNetwork::Point &point = points[size_t(index)];
    Remarks remarks;
    if (!point.mains && !point.reached) {
        PoeRemarks::unsuppliedPoint(point.item, remarks);
    } else if (!point.mains) {
        const bool supplied = !point.cutOff;
        PoeCheckResult::Device &d = result.devices[m_deviceOf.at(point.element)];
        fillDevice(d, point.item, point.wire, point.length, points[size_t(point.feeder)].voltage, point.load,
                   point.poeClass(), supplied, point.cableType, point.supply);
        if (supplied)
            PoeRemarks::device(d, remarks);
    }
    replace(m_supplyRemarks[point.element], remarks);
}

void PoeCheckTracker::Impl::checkPoint(int index)
{
    const PoeNetwork::Point &node = m_network->points()[size_t(index)];
    DiagramItem *item = node.item;
    PoeCheckResult::Point &p = result.points[index];
    p = PoeCheckResult::Point();
    p.item = item;
    p.model = item->modelName();
    p.portPower = node.ports;
    p.bitrate = item->totalBitrate();
    p.usedSlots = item->usedSlots();

    Remarks remarks;
    const bool chosen = item->pdSet()->Model.value() != MoxEnums::NotSpecified;
    const QHash<QString, PoeCatalogue::PointModel> &models = m_tables->models;
    const auto model = chosen ? models.constFind(p.model) : models.constEnd();
    p.modelKnown = model != models.constEnd();
    if (p.modelKnown) {
        p.powerBudget = model->powerBudget;
        p.bitrateLimit = model->bitrate;
        p.slotCount = model->slotCount;
    }
    PoeRemarks::point(p, chosen, remarks);
    replace(m_pointRemarks[index], remarks);
}

void PoeCheckTracker::Impl::checkRecorder(int index)
{
    const int slot = m_recorderOf.at(index);
    if (slot < 0)
        return;
    DiagramItem *point = m_network->points()[size_t(index)].item;
    // The recorder keeps the streams of its own cameras and of every point
    // that sends its data through it. The data tree has one uplink per
    // point, so no point comes twice (the bound only guards a stale tree).
    QVarLengthArray<const DiagramItem *, 16> queue;
    queue.append(point);
    QSet<const DiagramItem *> sharedCameras; // on more than one cable: counted once
    PoeCheckResult::Recorder recorder;
    recorder.item = point;
    const int bound = int(m_network->points().size());
    for (int head = 0; head < queue.size() && head < bound; ++head) {
        const DiagramItem *node = queue.at(head);
        for (const Wire *wire : node->wires()) {
            const DiagramItem *other = otherEnd(wire, node);
            if (!isCamera(other))
                continue;
            if (other->wires().size() > 1) {
                if (sharedCameras.contains(other))
                    continue;
                sharedCameras.insert(other);
            }
            ++recorder.cameras;
            recorder.bitrate += other->bitrate();
        }
        for (const DiagramItem *dependant : node->dataDependants())
            queue.append(dependant);
    }
    const PoeStorageSettings &s = result.storage;
    recorder.storageTB = PoeCheck::storageTerabytes(recorder.bitrate, s);
    PoeCheckResult::Recorder &kept = result.recorders[slot];
    const bool same = kept.item == recorder.item && kept.cameras == recorder.cameras
                      && kept.bitrate == recorder.bitrate && kept.storageTB == recorder.storageTB;
    if (!same && !m_storageOfAll)
        m_storageOf << index;
    kept = recorder;
    Remarks remarks;
    PoeRemarks::recorder(recorder, s, remarks);
    replace(m_recorderRemarks[index], remarks);
}

void PoeCheckTracker::Impl::checkCable(int index)
{
    Wire *wire = m_network->cables()[size_t(index)].wire;
    Remarks remarks;
    PoeRemarks::cable(wire, remarks);
    replace(m_cableRemarks[index], remarks);
}

// Supply cables per type: the devices on a cable change only with the
// shape, their types with an edit of a cable.
void PoeCheckTracker::Impl::countCableTypes()
{
    const QVector<PoeNetwork::CableType> &types = m_network->cableTypes();
    m_typeCount.fill(0, types.size());
    m_typeFirst.fill(nullptr, types.size());
    const auto note = [&](Wire *wire, int type) {
        if (type >= 0 && m_typeCount[type]++ == 0)
            m_typeFirst[type] = wire;
    };
    for (const Element &element : m_network->elements()) {
        if (element.kind == Element::CameraElement) {
            const PoeNetwork::Camera &camera = m_network->cameras()[size_t(element.index)];
            if (camera.point >= 0)
                note(camera.wire, camera.cableType);
        } else {
            const PoeNetwork::Point &point = m_network->points()[size_t(element.index)];
            if (point.fed())
                note(point.wire, point.cableType);
        }
    }
}

// One remark per cable type whose gauge had to be assumed, on the first
// supply cable of that type.
void PoeCheckTracker::Impl::checkCableTypes()
{
    const QVector<PoeNetwork::CableType> &types = m_network->cableTypes();
    Remarks remarks;
    for (int i = 0; i < m_typeCount.size(); ++i) {
        const PoeNetwork::CableType &type = types.at(i);
        if (!type.assumed || m_typeCount.at(i) == 0)
            continue;
        PoeRemarks::assumedGauge(type, m_typeCount.at(i), m_typeFirst.at(i), remarks);
    }
    replace(m_cableTypeRemarks, remarks);
}

void PoeCheckTracker::Impl::replace(Remarks &remarks, const Remarks &fresh)
{
    if (remarks == fresh)
        return;
    remarks = fresh;
    m_remarksChanged = true;
}

// The remarks element by element in the order of the drawing, each
// element's cables after it; the ones about the whole drawing first and last.
void PoeCheckTracker::Impl::assemble()
{
    m_remarksChanged = false;
    Remarks findings;
    for (const PoeNetwork::Group &group : m_network->groups()) {
        if (!group.settled) {
            PoeRemarks::unsettled(findings);
            break;
        }
    }
    const std::vector<Element> &elements = m_network->elements();
    for (int e = 0; e < int(elements.size()); ++e) {
        const int start = findings.size();
        findings += m_supplyRemarks.at(e);
        if (elements[size_t(e)].kind == Element::PointElement) {
            findings += m_pointRemarks.at(elements[size_t(e)].index);
            findings += m_recorderRemarks.at(elements[size_t(e)].index);
        }
        bool error = false;
        for (int i = start; i < findings.size() && !error; ++i)
            error = findings.at(i).severity == Severity::Error;
        result.itemErrors[e] = error;
        for (const int *c = m_cablesOf.begin(e); c != m_cablesOf.end(e); ++c)
            findings += m_cableRemarks.at(*c);
    }
    findings += m_cableTypeRemarks;
    result.findings = findings;
    ++revision;
}

// ------------------------------------------------------------------ the tracker

PoeCheckTracker::PoeCheckTracker()
    : d(new Impl)
{
}

PoeCheckTracker::~PoeCheckTracker() = default;

const PoeCheckResult &PoeCheckTracker::update(const QGraphicsScene *scene)
{
    d->update(scene);
    return d->result;
}

const PoeCheckResult &PoeCheckTracker::result() const
{
    return d->result;
}

PoeCheckTracker::Work PoeCheckTracker::lastWork() const
{
    return d->lastWork;
}

quint64 PoeCheckTracker::revision() const
{
    return d->revision;
}

void PoeCheckTracker::writeStorage()
{
    d->writeStorage();
}
