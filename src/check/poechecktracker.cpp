#include "check/poechecktracker.h"

#include "calc/calcpass.h"
#include "calc/networkcalc.h"
#include "check/poecatalogue.h"
#include "check/poecheck.h"
#include "check/poecheckparts.h"
#include "check/poenetwork.h"
#include "check/poesetwatch.h"
#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "property/core/qtnpropertyenum.h"
#include "property/core/qtnpropertyset.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetwire.h"

#include <QGraphicsScene>

#include <algorithm>
#include <numeric>

namespace {

using Element = PoeNetwork::Element;

DiagramItem *firstOf(const QList<DiagramItem *> &list)
{
    return list.isEmpty() ? nullptr : list.first();
}

// Moves on with every value changed and every choice list rebuilt (under a
// value that stays, a point's model shows another name).
quint64 changesSoFar()
{
    return QtnPropertyBase::totalValueChanges() + QtnPropertyEnumBase::totalListChanges();
}

bool operator==(const PoeStorageSettings &a, const PoeStorageSettings &b)
{
    return a.archiveDays == b.archiveDays && a.hoursPerDay == b.hoursPerDay && a.reservePercent == b.reservePercent;
}

// Every camera and distribution point of the scene, first drawn first (the
// calculation keeps them sorted topmost first): turned round in one pass.
QVector<DiagramItem *> drawingItems(const QGraphicsScene *scene)
{
    if (!scene)
        return QVector<DiagramItem *>();
    const QList<DiagramItem *> topmostFirst = NetworkCalc::diagramItems(scene);
    QVector<DiagramItem *> items(topmostFirst.size());
    std::reverse_copy(topmostFirst.cbegin(), topmostFirst.cend(), items.begin());
    return items;
}

} // namespace

class PoeCheckTracker::Impl
{
public:
    PoeCheckParts m_parts;
    Work m_lastWork = Work::None;
    bool m_marksShown = false; // as the marks were last set

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
    // Per point: what decides the trees and the point's part in them.
    struct PointShape
    {
        DiagramItem *feeder = nullptr;
        DiagramItem *uplink = nullptr;
        bool mains = false;
        bool nvr = false;
        bool pc = false;
    };

    bool catalogueChanged(const QGraphicsScene *scene) const;
    bool findEdit(Edit *edit) const;
    bool shapeOf(int point, bool values) const;
    void fullCheck(const QGraphicsScene *scene);
    bool reshapeCheck(const QGraphicsScene *scene, bool *inPlace);
    bool leaveHoles(const PoeNetwork::Matched &matched, QVector<DiagramItem *> *items, QVector<int> *from,
                    int *unchanged, bool *holesMade);
    void partialCheck(const Edit &edit);
    void readShape(int point);
    void readShapes();
    void readShapes(const PoeNetwork::Reshaped &reshaped);
    void seen();

    // The shape the structure was read in.
    const QGraphicsScene *m_scene = nullptr;
    quint64 m_stacking = 0;
    quint64 m_wiring = 0;
    quint64 m_trees = 0;
    quint64 m_catalogue = 0;
    const PoeCatalogue::Tables *m_tables = nullptr;
    // Value changes and choice lists rebuilt, of every property, when the
    // result was last brought up to date.
    quint64 m_total = 0;
    // Moves on whenever the elements are indexed anew.
    int m_readings = 0;

    QVector<PointShape> m_shapes;
    PoeSetWatch m_sets;
    PoeNetwork::Reshaped m_reshaped;
    PoeNetwork::Matched m_matched;
    QVector<DiagramItem *> m_atElements;
};

// ------------------------------------------------------------------ updates

bool PoeCheckTracker::Impl::catalogueChanged(const QGraphicsScene *scene) const
{
    // A catalogue read by statement has no number: nobody can tell it stood still.
    return !m_parts.network || scene != m_scene || m_tables->generation == 0 || m_tables->generation != m_catalogue;
}

// Whether a point stands in the trees as it stood, and (values: its set
// changed) still has the mains, recorder and PC it had.
bool PoeCheckTracker::Impl::shapeOf(int p, bool values) const
{
    const DiagramItem *item = m_parts.network->points()[size_t(p)].item;
    const PointShape &shape = m_shapes.at(p);
    if (firstOf(item->powerFeeder()) != shape.feeder || firstOf(item->dataUplink()) != shape.uplink)
        return false;
    return !values
           || (item->hasPower230() == shape.mains && item->hasNvr() == shape.nvr && item->hasPc() == shape.pc);
}

// False when the edit changed the shape after all: the trees, or a point's
// mains, recorder or PC.
bool PoeCheckTracker::Impl::findEdit(Edit *edit) const
{
    const std::vector<Element> &elements = m_parts.network->elements();
    // (While the trees' revision stands, no point has another feeder or
    // uplink: the points are not looked at one by one.)
    for (int p = 0; p < m_shapes.size() && DiagramItem::treesRevision() != m_trees; ++p) {
        if (!shapeOf(p, false))
            return false;
    }
    m_sets.edited(&edit->items, &edit->cables);
    for (int e : qAsConst(edit->items)) {
        const Element &element = elements[size_t(e)];
        if (element.kind == Element::PointElement && !shapeOf(element.index, true))
            return false;
    }
    edit->settings = !(PoeCheck::storageSettings(m_scene) == m_parts.result.storage);
    return true;
}

void PoeCheckTracker::Impl::update(const QGraphicsScene *scene)
{
    // Changes of marks nobody took are taken by a pass over every item.
    if (!m_parts.marksChanged.isEmpty()) {
        m_parts.marksWhole = true;
        m_parts.marksChanged.clear();
    }
    m_tables = &PoeCatalogue::tables();
    m_parts.tables = m_tables;
    if (catalogueChanged(scene)) {
        fullCheck(scene);
        m_lastWork = Work::Full;
        return;
    }
    const bool shape = DiagramItem::stackingRevision() != m_stacking || DiagramItem::wiringRevision() != m_wiring;
    if (!shape && changesSoFar() == m_total) {
        m_lastWork = Work::None;
        return;
    }
    Edit edit;
    if (!shape && findEdit(&edit)) {
        partialCheck(edit);
        m_lastWork = Work::Partial;
        return;
    }
    bool inPlace = false;
    if (reshapeCheck(scene, &inPlace)) {
        m_lastWork = inPlace ? Work::ReshapedInPlace : Work::Reshaped;
        return;
    }
    fullCheck(scene);
    m_lastWork = Work::Full;
}

// The revisions and counts the check now stands at.
void PoeCheckTracker::Impl::seen()
{
    m_stacking = DiagramItem::stackingRevision();
    m_wiring = DiagramItem::wiringRevision();
    m_trees = DiagramItem::treesRevision();
    m_total = changesSoFar();
}

void PoeCheckTracker::Impl::readShape(int p)
{
    DiagramItem *item = m_parts.network->points()[size_t(p)].item;
    PointShape &shape = m_shapes[p];
    shape.feeder = firstOf(item->powerFeeder());
    shape.uplink = firstOf(item->dataUplink());
    shape.mains = item->hasPower230();
    shape.nvr = item->hasNvr();
    shape.pc = item->hasPc();
}

void PoeCheckTracker::Impl::readShapes()
{
    m_shapes.resize(int(m_parts.network->points().size()));
    for (int p = 0; p < m_shapes.size(); ++p)
        readShape(p);
}

// After a change in place every point that was not read again stands as
// its shape says (it was looked at before the change was taken), moved
// down past the points that went.
void PoeCheckTracker::Impl::readShapes(const PoeNetwork::Reshaped &reshaped)
{
    if (!reshaped.inPlace) {
        readShapes();
        return;
    }
    const std::vector<Element> &elements = m_parts.network->elements();
    // The points after one that went move down past it.
    for (int p = 0; p < reshaped.pointTo.size(); ++p) {
        const int now = reshaped.pointTo.at(p);
        if (now >= 0 && now != p)
            m_shapes[now] = m_shapes.at(p);
    }
    m_shapes.resize(int(m_parts.network->points().size()));
    for (int e : reshaped.reread) {
        if (elements[size_t(e)].kind == Element::PointElement)
            readShape(elements[size_t(e)].index);
    }
}

void PoeCheckTracker::Impl::fullCheck(const QGraphicsScene *scene)
{
    ++m_readings;
    m_scene = scene;
    m_catalogue = m_tables->generation;
    seen();

    const QVector<DiagramItem *> items = drawingItems(scene);
    m_parts.network.reset(new PoeNetwork(items, PoeCheck::SourceVoltage, m_tables->awgs));
    PoeCheckResult &result = m_parts.result;
    result = PoeCheckResult();
    result.storage = PoeCheck::storageSettings(scene);
    result.items = items;
    m_sets.readAll(*m_parts.network);
    readShapes();
    m_parts.checkAll();
}

// A change of the drawing's shape mostly touches a few elements: a camera
// drawn with its cable, one taken away, a cable moved to another point.
// Only the elements whose wire lists, places in the trees or mains changed
// are read again, with their neighbours; only the supply groups they are in
// are solved again. False (nothing done) when the change is too wide for
// that to pay: the elements that stayed came in another order, or a good
// part of the drawing changed.
bool PoeCheckTracker::Impl::reshapeCheck(const QGraphicsScene *scene, bool *inPlace)
{
    PoeNetwork &network = *m_parts.network;
    const QVector<DiagramItem *> drawing = drawingItems(scene);
    QVector<DiagramItem *> items = drawing;
    QVector<int> from;
    // Mostly the elements before the first that changed map to themselves:
    // only the rest is looked at one by one.
    int stay = items.size();
    bool holesMade = false;
    if (DiagramItem::stackingRevision() == m_stacking && network.holes() == 0) {
        from.resize(items.size());
        std::iota(from.begin(), from.end(), 0);
    } else if (!network.match(drawing, &from, &stay, &m_matched)) {
        return false;
    } else if (!leaveHoles(m_matched, &items, &from, &stay, &holesMade)) {
        return false;
    }
    const int count = items.size();
    QVector<bool> touched(items.size(), false);
    int touches = 0;
    const auto touch = [&](int i) {
        touches += touched.at(i) ? 0 : 1;
        touched[i] = true;
    };
    const std::vector<Element> &elements = network.elements();
    QVector<int> toTail(std::max(0, int(elements.size()) - stay), -1);
    for (int i = stay; i < count; ++i) {
        if (from.at(i) < 0)
            touch(i);
        else
            toTail[from.at(i) - stay] = i;
    }
    const auto to = [&](int e) { return e < stay ? e : toTail.at(e - stay); };
    int unchanged = stay;
    // The items whose wiring moved on, from the log where it reaches back
    // far enough, else from every item's stamp.
    const auto rewired = [&](int i) {
        if (!items.at(i))
            return; // a hole: what was joined to it is found as it is made
        touch(i);
        // Made since: another item where a known one was.
        if (from.at(i) >= 0 && items.at(i)->serial() != elements[size_t(from.at(i))].serial) {
            from[i] = -1;
            unchanged = std::min(unchanged, i);
        }
    };
    const bool logged = DiagramItem::wiringSince(m_wiring, [&](const DiagramItem *item, quint64) {
        const int e = network.elementOf(item);
        if (e >= 0 && to(e) >= 0)
            rewired(to(e));
    });
    for (int i = 0; i < items.size() && !logged; ++i) {
        if (from.at(i) >= 0 && items.at(i) && items.at(i)->wiringStamp() > m_wiring)
            rewired(i);
    }
    // Points that stand elsewhere in the trees, or gained or lost mains,
    // recorder or PC.
    // (The points come in the order of their elements; the sets that may
    // have been edited come from the log, in order: the sets of items taken
    // away are gone, so none is looked at here.)
    // (While the trees' revision stands, only points whose sets were edited
    // are looked at.)
    QVector<int> loggedItems;
    const bool reaches = m_sets.logged(&loggedItems);
    const bool treesStand = DiagramItem::treesRevision() == m_trees;
    const int *nextLogged = loggedItems.cbegin();
    for (const PoeNetwork::Point &point : network.points()) {
        while (nextLogged != loggedItems.cend() && *nextLogged < point.element)
            ++nextLogged;
        const bool values = !reaches || (nextLogged != loggedItems.cend() && *nextLogged == point.element);
        if (treesStand && !values)
            continue;
        const int i = to(point.element);
        if (i >= 0 && !touched.at(i) && from.at(i) >= 0 && !shapeOf(elements[size_t(point.element)].index, values))
            touch(i);
    }
    // Reading a quarter of the drawing again costs what reading it all does.
    if (4 * touches > items.size() + 8)
        return false;

    // Kept from one change to the next: its lists keep their memory.
    PoeNetwork::Reshaped &reshaped = m_reshaped;
    if (!network.reshape(items, from, unchanged, touched, &reshaped, holesMade ? m_matched.gone : QVector<int>()))
        return false;
    ++m_readings;
    *inPlace = reshaped.inPlace;
    QVector<int> edited;
    QVector<int> editedCables;
    m_sets.carry(network, reshaped, &edited, &editedCables);
    readShapes(reshaped);
    seen();

    PoeCheckResult &result = m_parts.result;
    result.items = drawing;
    m_parts.reshape(reshaped);
    // Edits of values on the elements that stayed.
    for (int e : qAsConst(edited))
        m_parts.elementChanged(e);
    for (int c : qAsConst(editedCables))
        m_parts.cableChanged(c);
    const PoeStorageSettings settings = PoeCheck::storageSettings(m_scene);
    if (!(settings == result.storage))
        m_parts.settingsChanged();
    result.storage = settings;
    m_parts.checkMarked();
    return true;
}

// Cameras taken away amid the drawing leave holes among the elements, so
// that nothing after them moves: the items are put at the indexes of the
// elements they are, with a hole (null) where one went or was, the new ones
// after them. Where no hole is to be made or kept (nothing went amid the
// drawing, or a point went), or the records move anyway, the items stay as
// they are. False when holes and dead cables have grown to where the
// network is better read anew. With the items at their elements' indexes,
// every known element maps to its own (the holes made now are matched.gone),
// and holesMade is set.
bool PoeCheckTracker::Impl::leaveHoles(const PoeNetwork::Matched &matched, QVector<DiagramItem *> *items,
                                       QVector<int> *from, int *unchanged, bool *holesMade)
{
    const PoeNetwork &network = *m_parts.network;
    if (!matched.newLast || matched.pointGone)
        return true;
    // Holes cost little to keep, but each is passed over on a change of
    // shape: past a quarter of the drawing, it is read anew.
    const int known = int(network.elements().size());
    const int live = known - network.holes();
    if (network.holes() + network.deadCables() + matched.gone.size() > live / 4 + 32)
        return false;
    if (!matched.goneAmid && network.holes() == 0)
        return true;
    // The items at their elements' indexes: the elements' own, but where
    // one went; the new ones after them.
    const Element *elements = network.elements().data();
    const int count = items->size();
    // (Kept from one change to the next: mostly only its size changes.)
    QVector<DiagramItem *> &atElements = m_atElements;
    atElements.resize(known + count - matched.kept);
    DiagramItem **at = atElements.data();
    for (int e = 0; e < known; ++e)
        at[e] = elements[e].item;
    for (int e : matched.gone)
        at[e] = nullptr;
    std::copy(items->cbegin() + matched.kept, items->cend(), at + known);
    from->resize(atElements.size());
    int *to = from->data();
    std::iota(to, to + known, 0);
    std::fill(to + known, to + atElements.size(), -1);
    *items = atElements;
    *unchanged = known;
    *holesMade = true;
    return true;
}

void PoeCheckTracker::Impl::partialCheck(const Edit &edit)
{
    m_parts.result.storage = PoeCheck::storageSettings(m_scene);
    for (int e : edit.items) {
        m_sets.takeItem(e);
        m_parts.elementChanged(e);
    }
    for (int c : edit.cables) {
        m_sets.takeCable(c);
        m_parts.cableChanged(c);
    }
    if (edit.settings)
        m_parts.settingsChanged();
    m_parts.checkMarked();
    m_sets.takeLog();
    m_total = changesSoFar();
}

void PoeCheckTracker::Impl::writeStorage()
{
    if (!m_parts.network || (!m_parts.storageOfAll && m_parts.storageOf.isEmpty()))
        return;
    QVector<int> written;
    if (m_parts.storageOfAll) {
        for (int p = 0; p < int(m_parts.network->points().size()); ++p)
            written << p;
    } else {
        written = m_parts.storageOf;
    }
    m_parts.storageOfAll = false;
    m_parts.storageOf.clear();
    struct Write
    {
        QtnPropertySetPD *set;
        double value;
        int element;
    };
    QVector<Write> writes;
    for (int p : qAsConst(written)) {
        const PoeNetwork::Point &point = m_parts.network->points()[size_t(p)];
        QtnPropertySetPD *set = point.item->pdSet();
        const int recorder = m_parts.recorderOf(p);
        const double value = recorder >= 0 ? PoeCheck::shownStorage(m_parts.result.recorders.at(recorder).storageTB) : 0.0;
        if (set && set->Storage.value() != value)
            writes.append({set, value, point.element});
    }
    if (writes.isEmpty())
        return;
    // Nothing else changed since the last update: the writes are all there is.
    const bool current = changesSoFar() == m_total;
    const int checks = m_readings;
    {
        // Results, not edits: whoever records the user's edits passes them by.
        CalcPass pass;
        for (const Write &write : qAsConst(writes))
            write.set->Storage.setValue(write.value);
    }
    // A check run by a receiver of the writes has indexed everything anew.
    if (checks != m_readings)
        return;
    for (const Write &write : qAsConst(writes))
        m_sets.takeItem(write.element);
    if (current)
        m_total = changesSoFar();
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
    return d->m_parts.result;
}

const PoeCheckResult &PoeCheckTracker::result() const
{
    return d->m_parts.result;
}

PoeCheckTracker::Work PoeCheckTracker::lastWork() const
{
    return d->m_lastWork;
}

quint64 PoeCheckTracker::revision() const
{
    return d->m_parts.revision;
}

void PoeCheckTracker::writeStorage()
{
    d->writeStorage();
}

void PoeCheckTracker::markItems(bool shown)
{
    PoeCheckParts &parts = d->m_parts;
    if (parts.marksWhole || shown != d->m_marksShown) {
        PoeCheck::markItems(parts.result, shown);
    } else {
        for (const QPair<DiagramItem *, bool> &change : qAsConst(parts.marksChanged)) {
            const bool mark = shown && change.second;
            if (change.first->poeCheckMark() != mark) {
                change.first->setPoeCheckMark(mark);
                change.first->update();
            }
        }
    }
    d->m_marksShown = shown;
    parts.marksWhole = false;
    parts.marksChanged.clear();
}
