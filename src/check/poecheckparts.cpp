#include "check/poecheckparts.h"

#include "calc/calcpass.h"
#include "check/poecheck.h"
#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetpd.h"

#include <QSet>
#include <QVarLengthArray>

#include <algorithm>
#include <numeric>

namespace {

using Severity = PoeFinding::Severity;
using Element = PoeNetwork::Element;

bool isCamera(const DiagramItem *item)
{
    return item && item->diagramType() == DiagramItem::Camera;
}

} // namespace

// ------------------------------------------------------------------ parts

void PoeCheckParts::indexParts()
{
    const std::vector<PoeNetwork::Point> &points = network->points();
    const int pointCount = int(points.size());
    m_recorderOf.resize(pointCount);
    int recorders = 0;
    for (int p = 0; p < pointCount; ++p)
        m_recorderOf[p] = points[size_t(p)].item->hasNvr() ? recorders++ : -1;
    result.recorders.resize(recorders);
    sizeParts();
}

void PoeCheckParts::sizeParts()
{
    const int pointCount = int(network->points().size());
    m_elementErrors.resize(int(network->elements().size()));
    m_remarked.resize(int(network->elements().size()));
    m_groupsDirty.resize(int(network->groups().size()));
    m_pointsDirty.resize(pointCount);
    m_dataDirty.resize(pointCount);
    m_recordersDirty.resize(pointCount);
    m_cablesDirty.resize(int(network->cables().size()));
}

// A cable's remarks go with the device it feeds (its supply cable, drawn
// from wherever) or else with the element it was drawn from, in the order
// of the cables.
template <typename Add>
void PoeCheckParts::cableRemarksOf(int e, Add add) const
{
    const Element &element = network->elements()[size_t(e)];
    const std::vector<PoeNetwork::Cable> &cables = network->cables();
    const int own = element.ownCable;
    if (own >= 0 && own < element.firstCable)
        add(m_cableRemarks.at(own));
    for (int c = element.firstCable; c < element.firstCable + element.drawnCables; ++c) {
        if (cables[size_t(c)].owner == e)
            add(m_cableRemarks.at(c));
    }
    if (own >= element.firstCable + element.drawnCables)
        add(m_cableRemarks.at(own));
}

void PoeCheckParts::checkAll()
{
    const int elementCount = int(network->elements().size());
    const int pointCount = int(network->points().size());
    const int cableCount = int(network->cables().size());
    result.devices.clear();
    result.points.clear();
    result.recorders.clear();
    m_elementErrors.fill(false, elementCount);
    m_devices.index(*network, 0, 0);
    indexParts();
    result.devices.resize(m_devices.count());
    result.points.resize(pointCount);
    m_supplyRemarks = QVector<Remarks>(elementCount);
    m_elementNames = QVector<Name>(elementCount);
    m_pointRemarks = QVector<Remarks>(pointCount);
    m_recorderRemarks = QVector<Remarks>(pointCount);
    m_cableRemarks = QVector<Remarks>(cableCount);

    // The sums of bitrate behind a point are asked for once per point.
    CalcPass pass;
    for (int g = 0; g < int(network->groups().size()); ++g)
        solveGroup(g);
    const std::vector<PoeNetwork::Camera> &cameras = network->cameras();
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
    m_assembleFrom = 0;
    m_rebuildFrom = 0;
    marksWhole = true;
    marksChanged.clear();
    assemble();
    storageOfAll = true;
    storageOf.clear();
}

namespace {

// The parts of the records kept, at their new indexes; the others empty.
// A change of shape mostly leaves a long prefix where it was (a camera is
// drawn last, the last one drawn goes): that prefix stays in place and only
// the rest is moved, through a list of its own length. Below start every
// index is known to map to itself.
template <typename Part>
void carry(QVector<Part> &parts, const QVector<int> &from, int start = 0)
{
    const int count = from.size();
    const int known = parts.size();
    int stay = start;
    while (stay < count && stay < known && (from.at(stay) == stay || from.at(stay) < 0))
        ++stay;
    // The rest first: a part it takes may sit where the prefix starts empty.
    QVector<Part> rest(count - stay);
    for (int i = stay; i < count; ++i) {
        if (from.at(i) >= 0)
            rest[i - stay] = std::move(parts[from.at(i)]);
    }
    for (int i = start; i < stay; ++i) {
        if (from.at(i) < 0)
            parts[i] = Part();
    }
    parts.resize(count);
    for (int i = stay; i < count; ++i)
        parts[i] = std::move(rest[i - stay]);
}

// The same where the records kept stand at their indexes below kept and
// every one from there on is new: only those read again are emptied.
template <typename Part>
void carryInPlace(QVector<Part> &parts, int kept, int count, const QVector<int> &reread)
{
    parts.resize(kept);
    parts.resize(count);
    for (int i : reread) {
        if (i >= kept)
            break;
        parts[i] = Part();
    }
}

} // namespace

void PoeCheckParts::reshape(const PoeNetwork::Reshaped &reshaped)
{
    const QVector<int> &pointFrom = reshaped.pointFrom;
    const int elementCount = int(network->elements().size());
    const int keptCables = reshaped.keptCables;
    if (reshaped.inPlace) {
        reshaped.dropGone(m_supplyRemarks);
        carryInPlace(m_supplyRemarks, reshaped.keptElements, elementCount, reshaped.reread);
        // An element read again in place is the item it was: its name
        // stands where its number and location do (a hole has none).
        reshaped.dropGone(m_elementNames);
        m_elementNames.resize(reshaped.keptElements);
        m_elementNames.resize(elementCount);
    } else {
        carry(m_supplyRemarks, reshaped.elementFrom);
        carry(m_elementNames, reshaped.elementFrom);
    }
    carry(m_pointRemarks, pointFrom);
    carry(m_recorderRemarks, pointFrom);
    carry(m_cableRemarks, reshaped.cableFrom, keptCables);

    // The devices before the first element that moved, was read again or
    // may be fed otherwise now (a point of a group formed anew) keep their
    // numbers and records; the rest are numbered anew.
    int first = reshaped.keptElements;
    if (!reshaped.goneElements.isEmpty())
        first = std::min(first, reshaped.goneElements.first());
    for (int e : reshaped.reread) {
        // A point read again in trees that stand is fed as it was.
        if (!reshaped.sameTrees || network->elements()[size_t(e)].kind == Element::CameraElement) {
            first = std::min(first, e);
            break;
        }
    }
    // (In place with every point fed as it was, the groups stand: a point
    // is fed over PoE as before, and a device as before but for a camera
    // read again.)
    for (int g = 0; g < reshaped.groups.size() && !reshaped.sameTrees; ++g) {
        const PoeNetwork::Group &group = network->groups()[size_t(reshaped.groups.at(g))];
        for (int head = -1; head < group.fed.size(); ++head)
            first = std::min(first, network->points()[size_t(head < 0 ? group.root : group.fed.at(head))].element);
    }
    m_devices.reshape(*network, reshaped, first, m_devices.firstFrom(first), result.devices);
    carry(result.points, pointFrom);

    if (!storageOf.isEmpty()) {
        storageOf.clear();
        storageOfAll = true;
    }
    if (recordersStand(pointFrom)) {
        sizeParts();
        markRecorders(pointFrom, m_recorderOf, result.recorders);
    } else {
        const QVector<int> recorderWas = m_recorderOf;
        const QVector<PoeCheckResult::Recorder> recorders = result.recorders;
        indexParts();
        markRecorders(pointFrom, recorderWas, recorders);
    }

    // What was read again is worked out again, and whatever names it.
    for (int e : reshaped.reread) {
        const bool hole = !network->elements()[size_t(e)].item;
        if (hole || nameMoved(e))
            renamed(e);
        if (!hole)
            touch(e);
    }
    // A cable listed anew or written again is taken in as it stands: an
    // edit of its type or length in the same change shows only in the
    // device it feeds, read again here.
    const std::vector<PoeNetwork::Cable> &cables = network->cables();
    const auto listedAnew = [&](int c) {
        m_cablesDirty.mark(c);
        const int owner = cables[size_t(c)].owner;
        if (owner >= 0 && reread(owner))
            touch(owner);
    };
    for (int c = keptCables; c < reshaped.cableFrom.size(); ++c) {
        if (reshaped.cableFrom.at(c) < 0)
            listedAnew(c);
    }
    for (int c : reshaped.rewrittenCables) {
        m_cableRemarks[c] = Remarks();
        if (cables[size_t(c)].wire)
            listedAnew(c);
    }
    for (int g : reshaped.groups)
        m_groupsDirty.mark(g);
    for (int p : reshaped.points)
        dataChanged(p);
    m_cableTypes = true;
    // In place with no record moved, the remarks of the elements that kept
    // their parts are copied over; else all from the first that changed are
    // put together anew.
    const bool moved = !reshaped.inPlace
                       || (!reshaped.goneElements.isEmpty() && reshaped.goneElements.first() < reshaped.keptElements);
    m_assembleFrom = std::min(m_assembleFrom, reshaped.firstChanged);
    if (moved) {
        m_rebuildFrom = std::min(m_rebuildFrom, reshaped.firstChanged);
        marksWhole = true;
        marksChanged.clear();
    } else {
        for (int e : reshaped.reread)
            m_remarked.mark(e);
        for (int e : reshaped.remarked)
            m_remarked.mark(e);
        m_rebuildFrom = std::min(m_rebuildFrom, reshaped.keptElements);
    }
}




// In place with no point gone or new, the points stand at their indexes,
// and the recorders with them unless a point read again gained or lost one:
// then the recorders' records stay as they are.
bool PoeCheckParts::recordersStand(const QVector<int> &pointFrom) const
{
    if (pointFrom.size() != m_recorderOf.size())
        return false;
    const std::vector<PoeNetwork::Point> &points = network->points();
    for (int p = 0; p < pointFrom.size(); ++p) {
        const int was = pointFrom.at(p);
        if (was >= 0 ? was != p : points[size_t(p)].item->hasNvr() != (m_recorderOf.at(p) >= 0))
            return false;
    }
    return true;
}

// The figures of a recorder whose point was kept are carried to its new
// number; those of the others are worked out again.
void PoeCheckParts::markRecorders(const QVector<int> &pointFrom, const QVector<int> &recorderWas,
                                  const QVector<PoeCheckResult::Recorder> &recorders)
{
    for (int p = 0; p < pointFrom.size(); ++p) {
        const int was = pointFrom.at(p);
        // A point read again may have lost its recorder: its storage goes to 0.
        if (was < 0 && !storageOfAll)
            storageOf << p;
        const int recorder = m_recorderOf.at(p);
        if (recorder < 0)
            continue;
        if (was < 0 || recorderWas.at(was) < 0)
            m_recordersDirty.mark(p);
        else if (&recorders != &result.recorders)
            result.recorders[recorder] = recorders.at(recorderWas.at(was));
    }
}

void PoeCheckParts::elementChanged(int e)
{
    if (!network->elements()[size_t(e)].item)
        return; // a hole
    // Most edits of a set are the calculation's figures written into it:
    // the element's name and whatever names it stand, and so do its figures.
    const bool named = nameMoved(e);
    if (named)
        renamed(e);
    if (reread(e) || named) {
        touch(e);
        return;
    }
    // A point's model is in its set: only its own remarks may differ.
    const Element &element = network->elements()[size_t(e)];
    if (element.kind == Element::PointElement)
        m_pointsDirty.mark(element.index);
}

bool PoeCheckParts::nameMoved(int e) const
{
    const Name &name = m_elementNames.at(e);
    const DiagramItem *item = network->elements()[size_t(e)].item;
    return !name.known || item->number() != name.number || (name.number == 0 && item->location() != name.location);
}

// False for a hole.
bool PoeCheckParts::renamed(int e)
{
    // Its name is in the remarks on its cables, drawn from it or to it.
    const Element &element = network->elements()[size_t(e)];
    Name &name = m_elementNames[e];
    name = Name(); // its number or location may be another now
    if (!element.item)
        return false; // a hole: its point was read again
    name.number = element.item->number();
    if (name.number == 0)
        name.location = element.item->location();
    name.known = true;
    for (int c = element.firstCable; c < element.firstCable + element.drawnCables; ++c)
        m_cablesDirty.mark(c);
    for (const Wire *wire : element.item->wires()) {
        if (wire->startItem() == element.item)
            continue;
        const int c = network->cableOf(wire);
        if (c >= 0)
            m_cablesDirty.mark(c);
    }
    m_names = true;
    return true;
}

void PoeCheckParts::cableChanged(int cable)
{
    m_cablesDirty.mark(cable);
    m_cableTypes = true;
    // Its device's supply is figured with its type and length.
    const int owner = network->cables()[size_t(cable)].owner;
    if (owner >= 0 && reread(owner))
        touch(owner);
}

// An element's figures read again where an edit of it or of its supply cable
// came (only then: a group solved again is not read again). True when they
// changed.
bool PoeCheckParts::reread(int e)
{
    const int changed = network->reread(e);
    if (changed & PoeNetwork::BitrateRead) {
        // Its stream counts at its point and every point above it.
        const PoeNetwork::Camera &camera = network->cameras()[size_t(network->elements()[size_t(e)].index)];
        if (camera.point >= 0)
            dataChanged(camera.point);
    }
    return changed != PoeNetwork::NothingRead;
}

void PoeCheckParts::touch(int e)
{
    const Element &element = network->elements()[size_t(e)];
    const std::vector<PoeNetwork::Point> &points = network->points();
    if (element.kind == Element::PointElement) {
        m_groupsDirty.mark(points[size_t(element.index)].group);
        m_pointsDirty.mark(element.index);
        m_recordersDirty.mark(element.index);
        return;
    }
    const PoeNetwork::Camera &camera = network->cameras()[size_t(element.index)];
    if (camera.point >= 0) {
        m_groupsDirty.mark(points[size_t(camera.point)].group);
        return;
    }
    // A camera on several cables: the points at their ends count its stream.
    checkCamera(element.index);
    for (const Wire *wire : camera.item->wires()) {
        const int end = network->pointOf(wire->otherEnd(camera.item));
        if (end >= 0)
            dataChanged(end);
    }
}

void PoeCheckParts::settingsChanged()
{
    for (int p = 0; p < int(network->points().size()); ++p)
        m_recordersDirty.mark(p);
}

void PoeCheckParts::dataChanged(int point)
{
    const std::vector<PoeNetwork::Point> &points = network->points();
    for (int p = point; p >= 0 && m_dataDirty.mark(p); p = points[size_t(p)].uplink) {
        m_pointsDirty.mark(p);
        m_recordersDirty.mark(p);
    }
}

void PoeCheckParts::checkMarked()
{
    CalcPass pass;
    for (int g : m_groupsDirty.marked()) {
        solveGroup(g);
        const PoeNetwork::Group &group = network->groups()[size_t(g)];
        for (int head = -1; head < group.fed.size(); ++head)
            m_pointsDirty.mark(head < 0 ? group.root : group.fed.at(head));
    }
    for (int p : m_pointsDirty.marked())
        checkPoint(p);
    for (int p : m_recordersDirty.marked())
        checkRecorder(p);
    for (int c : m_cablesDirty.marked())
        checkCable(c);
    if (m_cableTypes)
        countCableTypes();
    if (m_names || m_cableTypes)
        checkCableTypes();
    m_groupsDirty.clear();
    m_pointsDirty.clear();
    m_dataDirty.clear();
    m_recordersDirty.clear();
    m_cablesDirty.clear();
    m_names = m_cableTypes = false;
    if (m_assembleFrom != NothingChanged || m_typeRemarksChanged || unsettled() != m_unsettled)
        assemble();
}

// ------------------------------------------------------------------ figures

void PoeCheckParts::fillDevice(PoeCheckResult::Device &d, DiagramItem *item, Wire *wire, double length,
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
        const PoeNetwork::CableType &type = network->cableTypes().at(cableType);
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

void PoeCheckParts::solveGroup(int group)
{
    network->solve(group, PoeCheck::Settled, PoeCheck::MaxIterations);
    const PoeNetwork::Group &g = network->groups()[size_t(group)];
    for (int head = -1; head < g.fed.size(); ++head) {
        const int p = head < 0 ? g.root : g.fed.at(head);
        checkSupply(p);
        for (int camera : qAsConst(network->points()[size_t(p)].cameras))
            checkCamera(camera);
    }
}

void PoeCheckParts::checkCamera(int index)
{
    const PoeNetwork::Camera &camera = network->cameras()[size_t(index)];
    Remarks remarks;
    if (camera.point < 0) {
        PoeRemarks::unfedCamera(camera.item, camera.item->wires().size(), remarks);
    } else {
        const PoeNetwork::Point &point = network->points()[size_t(camera.point)];
        const bool supplied = point.live();
        PoeCheckResult::Device &d = result.devices[m_devices.of(camera.element)];
        fillDevice(d, camera.item, camera.wire, camera.length, point.voltage, camera.power, camera.poeClass, supplied,
                   camera.cableType, network->cameraCable(camera));
        // A camera behind a point without supply has no remark of its own:
        // the point is the cause.
        if (supplied)
            PoeRemarks::device(d, remarks, &m_elementNames[camera.element].text);
    }
    replace(m_supplyRemarks[camera.element], remarks, camera.element);
}

void PoeCheckParts::checkSupply(int index)
{
    const std::vector<PoeNetwork::Point> &points = network->points();
    const PoeNetwork::Point &point = points[size_t(index)];
    Remarks remarks;
    if (!point.mains && !point.reached) {
        PoeRemarks::unsuppliedPoint(point.item, remarks);
    } else if (!point.mains) {
        const bool supplied = !point.cutOff;
        PoeCheckResult::Device &d = result.devices[m_devices.of(point.element)];
        fillDevice(d, point.item, point.wire, point.length, points[size_t(point.feeder)].voltage, point.load,
                   point.poeClass(), supplied, point.cableType, point.supply);
        if (supplied)
            PoeRemarks::device(d, remarks, &m_elementNames[point.element].text);
    }
    replace(m_supplyRemarks[point.element], remarks, point.element);
}

void PoeCheckParts::checkPoint(int index)
{
    const PoeNetwork::Point &node = network->points()[size_t(index)];
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
    const QHash<QString, PoeCatalogue::PointModel> &models = tables->models;
    const auto model = chosen ? models.constFind(p.model) : models.constEnd();
    p.modelKnown = model != models.constEnd();
    if (p.modelKnown) {
        p.powerBudget = model->powerBudget;
        p.bitrateLimit = model->bitrate;
        p.slotCount = model->slotCount;
    }
    PoeRemarks::point(p, chosen, remarks, &m_elementNames[node.element].text);
    replace(m_pointRemarks[index], remarks, node.element);
}

void PoeCheckParts::checkRecorder(int index)
{
    const int slot = m_recorderOf.at(index);
    if (slot < 0)
        return;
    DiagramItem *point = network->points()[size_t(index)].item;
    // The recorder keeps the streams of its own cameras and of every point
    // that sends its data through it. The data tree has one uplink per
    // point, so no point comes twice (the bound only guards a stale tree).
    QVarLengthArray<const DiagramItem *, 16> queue;
    queue.append(point);
    QSet<const DiagramItem *> sharedCameras; // on more than one cable: counted once
    PoeCheckResult::Recorder recorder;
    recorder.item = point;
    const int bound = int(network->points().size());
    for (int head = 0; head < queue.size() && head < bound; ++head) {
        const DiagramItem *node = queue.at(head);
        for (const Wire *wire : node->wires()) {
            const DiagramItem *other = wire->otherEnd(node);
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
    if (!same && !storageOfAll)
        storageOf << index;
    kept = recorder;
    Remarks remarks;
    const int element = network->points()[size_t(index)].element;
    PoeRemarks::recorder(recorder, s, remarks, &m_elementNames[element].text);
    replace(m_recorderRemarks[index], remarks, element);
}

void PoeCheckParts::checkCable(int index)
{
    Wire *wire = network->cables()[size_t(index)].wire;
    if (!wire) {
        m_cableRemarks[index] = Remarks(); // dead: its owner was read again
        return;
    }
    Remarks remarks;
    PoeRemarks::cable(wire, remarks);
    replace(m_cableRemarks[index], remarks, network->cables()[size_t(index)].owner);
}

// Supply cables per type: the devices on a cable change only with the
// shape, their types with an edit of a cable.
void PoeCheckParts::countCableTypes()
{
    const QVector<PoeNetwork::CableType> &types = network->cableTypes();
    m_typeOrder.clear();
    // Remarks go only to types whose gauge had to be assumed; mostly the
    // catalogue knows every type drawn, and nothing needs counting.
    if (std::none_of(types.cbegin(), types.cend(), [](const PoeNetwork::CableType &type) { return type.assumed; }))
        return;
    m_typeCount.fill(0, types.size());
    m_typeFirst.fill(nullptr, types.size());
    const auto note = [&](Wire *wire, int type) {
        if (type >= 0 && m_typeCount[type]++ == 0)
            m_typeFirst[type] = wire;
    };
    for (const Element &element : network->elements()) {
        if (element.kind == Element::CameraElement) {
            const PoeNetwork::Camera &camera = network->cameras()[size_t(element.index)];
            if (camera.point >= 0)
                note(camera.wire, camera.cableType);
        } else {
            const PoeNetwork::Point &point = network->points()[size_t(element.index)];
            if (point.fed())
                note(point.wire, point.cableType);
        }
    }
    // The remarks come in the order a fresh reading of the drawing meets the
    // types in (the points' cables first, then the cameras'), however long
    // the network has been kept and edits have added types.
    QVector<bool> met(types.size(), false);
    const auto meet = [&](int type) {
        if (type >= 0 && !met.at(type)) {
            met[type] = true;
            if (m_typeCount.at(type) > 0 && types.at(type).assumed)
                m_typeOrder << type;
        }
    };
    for (const PoeNetwork::Point &point : network->points()) {
        if (point.wire)
            meet(point.cableType);
    }
    for (const PoeNetwork::Camera &camera : network->cameras()) {
        if (camera.wire)
            meet(camera.cableType);
    }
}

// One remark per cable type whose gauge had to be assumed, on the first
// supply cable of that type.
void PoeCheckParts::checkCableTypes()
{
    const QVector<PoeNetwork::CableType> &types = network->cableTypes();
    Remarks remarks;
    for (int type : qAsConst(m_typeOrder))
        PoeRemarks::assumedGauge(types.at(type), m_typeCount.at(type), m_typeFirst.at(type), remarks);
    if (m_cableTypeRemarks != remarks) {
        m_cableTypeRemarks = remarks;
        m_typeRemarksChanged = true;
    }
}

void PoeCheckParts::replace(Remarks &remarks, const Remarks &fresh, int element)
{
    if (remarks == fresh)
        return;
    remarks = fresh;
    markAssembleFrom(element);
}

bool PoeCheckParts::unsettled() const
{
    const std::vector<PoeNetwork::Group> &groups = network->groups();
    return std::any_of(groups.cbegin(), groups.cend(), [](const PoeNetwork::Group &group) { return !group.settled; });
}

// The remarks element by element in the order of the drawing, each
// element's cables after it; the ones about the whole drawing first and
// last. Those of the elements before the first whose remarks changed are
// kept where they stand.
void PoeCheckParts::assemble()
{
    const std::vector<Element> &elements = network->elements();
    const int count = int(elements.size());
    const bool leading = unsettled();
    const int known = m_offsets.size() - 1; // elements when last put together
    // Below stable every element stands where it stood when its remarks
    // were last put together (below rebuildFrom records did not move);
    // the remark on an unsettled solution that comes or goes leads them all.
    const int rebuildFrom = std::min({m_rebuildFrom, known, count});
    const int stable = std::max(0, leading != m_unsettled ? 0 : rebuildFrom);
    m_assembleFrom = m_rebuildFrom = NothingChanged;
    m_typeRemarksChanged = false;
    m_unsettled = leading;
    Remarks &findings = result.findings;
    // The elements whose parts changed, in order.
    QVector<int> changed = m_remarked.marked();
    m_remarked.clear();
    std::sort(changed.begin(), changed.end());
    changed.erase(std::lower_bound(changed.begin(), changed.end(), stable), changed.end());
    // Those below stable are written over their own (the rest of them moves
    // only as far as they grew or shrank); from stable on every element's
    // remarks are put together anew, then those on cable types.
    if (stable == 0) {
        findings.clear();
        if (leading)
            PoeRemarks::unsettled(findings);
    } else {
        findings.resize(m_offsets.at(stable));
    }
    m_offsets.resize(stable + 1);
    m_offsets[stable] = findings.size();
    rewrite(changed);
    m_offsets.resize(count + 1);
    bool *errors = m_elementErrors.data();
    for (int e = stable; e < count; ++e) {
        m_offsets[e] = findings.size();
        const bool error = putTogether(e, findings);
        // (From rebuildFrom on the elements are new, or records moved and
        // every mark is set again.)
        if (e >= rebuildFrom || error != errors[e])
            noteMark(e, error);
        errors[e] = error;
    }
    m_offsets[count] = findings.size();
    findings += m_cableTypeRemarks;
    publishErrors();
}

// Adds the remarks of an element to findings: on its supply, against its
// model, its recorder's, then those of the cables that go with it. True
// when one of the first three is an error.
bool PoeCheckParts::putTogether(int e, Remarks &findings) const
{
    const Element &element = network->elements()[size_t(e)];
    // Most parts have no remarks: only those that have any are added.
    const auto add = [&](const Remarks &remarks) {
        if (!remarks.isEmpty())
            findings += remarks;
    };
    const int start = findings.size();
    add(m_supplyRemarks.at(e));
    if (element.kind == Element::PointElement) {
        add(m_pointRemarks.at(element.index));
        add(m_recorderRemarks.at(element.index));
    }
    bool error = false;
    for (int i = start; i < findings.size() && !error; ++i)
        error = findings.at(i).severity == Severity::Error;
    cableRemarksOf(e, add);
    return error;
}

// The remarks of the elements changed written over their own. Where one or
// two of them have more or fewer than before, the list moves its memory once
// for each; where more have, the stretches between them move once each, in
// an order that never writes over one not yet moved: those that move down
// first, then those that move up, from the last.
void PoeCheckParts::rewrite(const QVector<int> &changed)
{
    const int n = changed.size();
    QVector<Remarks> fresh(n);
    QVarLengthArray<bool, 64> error(n);
    QVarLengthArray<int, 64> before(n);
    // shift[i]: how far the stretch after the changed element i-1 moves.
    QVarLengthArray<int, 65> shift(n + 1);
    shift[0] = 0;
    int resized = 0;
    for (int i = 0; i < n; ++i) {
        const int e = changed.at(i);
        error[i] = putTogether(e, fresh[i]);
        before[i] = m_offsets.at(e + 1) - m_offsets.at(e);
        shift[i + 1] = shift[i] + fresh.at(i).size() - before[i];
        resized += fresh.at(i).size() != before[i] ? 1 : 0;
    }
    Remarks &findings = result.findings;
    if (resized <= 2) {
        // Back to front: the offsets before stand while one is written.
        for (int i = n - 1; i >= 0; --i) {
            const int at = m_offsets.at(changed.at(i));
            const int now = fresh.at(i).size();
            if (now < before[i])
                findings.erase(findings.begin() + at + now, findings.begin() + at + before[i]);
            else if (now > before[i])
                findings.insert(findings.begin() + at + before[i], now - before[i], PoeFinding());
            if (now > 0)
                std::copy(fresh.at(i).cbegin(), fresh.at(i).cend(), findings.begin() + at);
        }
    } else {
        const int oldSize = findings.size();
        if (shift[n] > 0)
            findings.resize(oldSize + shift[n]);
        PoeFinding *f = findings.data();
        // The stretch after the changed element k-1, up to the next one
        // (the last: to the end, the remarks on cable types with it).
        const auto stretch = [&](int k, int *begin, int *end) {
            *begin = m_offsets.at(changed.at(k - 1) + 1);
            *end = k < n ? m_offsets.at(changed.at(k)) : oldSize;
        };
        int begin = 0;
        int end = 0;
        for (int k = 1; k <= n; ++k) {
            stretch(k, &begin, &end);
            if (shift[k] < 0)
                std::move(f + begin, f + end, f + begin + shift[k]);
        }
        for (int k = n; k >= 1; --k) {
            stretch(k, &begin, &end);
            if (shift[k] > 0)
                std::move_backward(f + begin, f + end, f + end + shift[k]);
        }
        for (int i = 0; i < n; ++i)
            std::copy(fresh.at(i).cbegin(), fresh.at(i).cend(), f + m_offsets.at(changed.at(i)) + shift[i]);
        if (shift[n] < 0)
            findings.resize(oldSize + shift[n]);
    }
    for (int i = 0; i < n; ++i) {
        if (error[i] != m_elementErrors.at(changed.at(i)))
            noteMark(changed.at(i), error[i]);
        m_elementErrors[changed.at(i)] = error[i];
    }
    if (resized > 0) {
        int *offsets = m_offsets.data();
        for (int i = 0; i < n; ++i) {
            const int next = i + 1 < n ? changed.at(i + 1) : m_offsets.size() - 1;
            for (int k = changed.at(i) + 1; k <= next && shift[i + 1] != 0; ++k)
                offsets[k] += shift[i + 1];
        }
    }
}

void PoeCheckParts::noteMark(int element, bool error)
{
    DiagramItem *item = network->elements()[size_t(element)].item;
    if (marksWhole || !item)
        return;
    marksChanged.append(qMakePair(item, error));
    // Past a good part of the drawing, a pass over every item costs less.
    if (marksChanged.size() > int(network->elements().size()) / 8 + 16) {
        marksWhole = true;
        marksChanged.clear();
    }
}

// The marks of error to the result, which knows the items of the drawing,
// not the holes among the elements.
void PoeCheckParts::publishErrors()
{
    const std::vector<Element> &elements = network->elements();
    const int count = int(elements.size());
    if (network->holes() == 0) {
        result.itemErrors = m_elementErrors;
    } else {
        // (One more at the end: a hole's flag is written and then passed.)
        result.itemErrors.resize(count - network->holes() + 1);
        bool *itemErrors = result.itemErrors.data();
        const Element *element = elements.data();
        const bool *errors = m_elementErrors.constData();
        for (int e = 0; e < count; ++e) {
            *itemErrors = errors[e];
            itemErrors += element[e].item ? 1 : 0;
        }
        result.itemErrors.resize(count - network->holes());
    }
    ++revision;
}
