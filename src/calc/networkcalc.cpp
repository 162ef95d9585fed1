#include "calc/networkcalc.h"

#include "calc/cabledrop.h"
#include "calc/calcpass.h"
#include "calc/modelselection.h"
#include "calc/resultwriter.h"
#include "catalogue/catalogue.h"
#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "log/moxlog.h"

#include <QGraphicsScene>
#include <QHash>
#include <QPointer>
#include <QSet>
#include <QVarLengthArray>
#include <QVector>

#include <algorithm>
#include <cmath>
#include <set>

namespace {

// Passes over the points in order, each point linking its neighbours once it
// is linked itself, until a pass links nothing. Instead of sweeping every
// point in every pass, only points that can still link are visited: a point
// that was visited while linked has already linked every neighbour it ever
// could, so visiting it again would change nothing. The visits happen in the
// same order as the full sweeps would make them, so the same feeder wins
// every contested neighbour.
template <typename IsRoot, typename Link, typename Dependants>
void buildTree(const QList<DiagramItem *> &points, IsRoot isRoot, Link link, Dependants dependants)
{
    QHash<const DiagramItem *, int> index;
    index.reserve(points.size());
    std::set<int> pending;
    for (int i = 0; i < points.size(); ++i) {
        index.insert(points.at(i), i);
        if (isRoot(points.at(i)))
            pending.insert(i);
    }
    while (!pending.empty()) {
        // One pass, in point order.
        int position = 0;
        for (auto it = pending.lower_bound(position); it != pending.end();
             it = pending.lower_bound(position)) {
            const int i = *it;
            pending.erase(it);
            position = i + 1;
            DiagramItem *point = points.at(i);
            const int before = dependants(point).size();
            if (!link(point))
                continue;
            const QList<DiagramItem *> &now = dependants(point);
            for (int d = before; d < now.size(); ++d) {
                const auto found = index.constFind(now.at(d));
                // A point linked later in this pass is visited in this pass,
                // one linked before the current position in the next one.
                if (found != index.constEnd())
                    pending.insert(found.value());
            }
        }
    }
}

bool s_everyStepTaken = false;

// The trees of the last calcPD runs and what they were built from, one
// entry per network (the editor has one sheet, but a print or a comparison
// calculates another beside it). Building the trees reads the order of the
// points, who is wired to whom (in each item's wire order) and which points
// are roots; nothing else writes into the trees. While all of that stands,
// building them again gives the very same lists.
struct KeptTrees {
    QList<DiagramItem *> points;
    QVector<quint8> roots;
    quint64 wiring = 0;
    quint64 stacking = 0;
};
QList<KeptTrees> s_keptTrees;
const int KeptNetworks = 4;

quint8 rootsOf(const DiagramItem *point)
{
    return (point->hasPower230() ? 1 : 0) | (point->hasNvr() || point->hasPc() ? 2 : 0);
}

bool treesStand(const QList<DiagramItem *> &points, const QVector<quint8> &roots)
{
    if (s_everyStepTaken)
        return false;
    for (const KeptTrees &kept : qAsConst(s_keptTrees)) {
        if (kept.points == points)
            return kept.wiring == DiagramItem::wiringRevision() && kept.stacking == DiagramItem::stackingRevision()
                   && kept.roots == roots;
    }
    return false;
}

// Trees built over these points: whatever was kept of a network sharing any
// of them no longer holds, since the build cleared their lists.
void keepTrees(const QList<DiagramItem *> &points, const QVector<quint8> &roots)
{
    const QSet<DiagramItem *> built(points.cbegin(), points.cend());
    for (auto it = s_keptTrees.begin(); it != s_keptTrees.end();) {
        const bool shares = std::any_of(it->points.cbegin(), it->points.cend(),
                                        [&built](DiagramItem *point) { return built.contains(point); });
        it = shares || it->points.isEmpty() ? s_keptTrees.erase(it) : it + 1;
    }
    if (s_keptTrees.size() >= KeptNetworks)
        s_keptTrees.removeFirst();
    s_keptTrees.append({points, roots, DiagramItem::wiringRevision(), DiagramItem::stackingRevision()});
}

DiagramItem *firstOf(const QList<DiagramItem *> &list)
{
    return list.isEmpty() ? nullptr : list.first();
}

// Each point's link up a tree (its feeder or its uplink), read before the
// tree is built again: the trees' revision moves on only where one of them
// changed, and readers of the trees look at every point only then.
class LinksBefore
{
public:
    LinksBefore(const QList<DiagramItem *> &points, QList<DiagramItem *> &(DiagramItem::*links)())
        : m_points(points), m_links(links)
    {
        m_before.reserve(points.size());
        for (DiagramItem *point : points)
            m_before.append(firstOf((point->*m_links)()));
    }
    void noteChanges() const
    {
        for (int i = 0; i < m_points.size(); ++i) {
            if (firstOf((m_points.at(i)->*m_links)()) != m_before.at(i)) {
                DiagramItem::noteTreesChanged();
                return;
            }
        }
    }

private:
    const QList<DiagramItem *> &m_points;
    QList<DiagramItem *> &(DiagramItem::*m_links)();
    QVarLengthArray<DiagramItem *, 256> m_before;
};

void buildPower(const QList<DiagramItem *> &points)
{
    const LinksBefore feeders(points, &DiagramItem::powerFeeder);
    for (DiagramItem *point : points) {
        point->powerFeeder().clear();
        point->powerDependants().clear();
    }
    buildTree(
            points,
            [](const DiagramItem *p) {
                return p->diagramType() == DiagramItem::PD && p->hasPower230();
            },
            [](DiagramItem *p) { return p->linkPowerTree(); },
            [](DiagramItem *p) -> const QList<DiagramItem *> & { return p->powerDependants(); });
    feeders.noteChanges();
}

void buildData(const QList<DiagramItem *> &points)
{
    const LinksBefore uplinks(points, &DiagramItem::dataUplink);
    for (DiagramItem *point : points) {
        point->dataUplink().clear();
        point->dataDependants().clear();
    }
    buildTree(
            points,
            [](const DiagramItem *p) {
                return p->diagramType() == DiagramItem::PD && (p->hasNvr() || p->hasPc());
            },
            [](DiagramItem *p) { return p->linkDataTree(); },
            [](DiagramItem *p) -> const QList<DiagramItem *> & { return p->dataDependants(); });
    uplinks.noteChanges();
}

// What a voltage pass changed, counted where it writes. A value counts only
// when the property took a different value.
struct Changes {
    int values = 0;
    int vouts = 0;
};
Changes *s_changes = nullptr;

void storeVin(DiagramItem *item, double vin)
{
    const double before = item->vin();
    item->setVin(vin);
    if (s_changes && item->vin() != before)
        ++s_changes->values;
}

void storeVout(DiagramItem *item, double vout)
{
    const double before = item->vout();
    item->setVout(vout);
    if (s_changes && item->vout() != before) {
        ++s_changes->values;
        ++s_changes->vouts;
    }
}

void storeResults(DiagramItem *item, const CableDrop &drop)
{
    if (ResultWriter::write(item, drop) && s_changes)
        ++s_changes->values;
}

} // namespace

void NetworkCalc::setEveryStepTaken(bool every)
{
    s_everyStepTaken = every;
}

bool NetworkCalc::everyStepTaken()
{
    return s_everyStepTaken;
}

QList<DiagramItem *> NetworkCalc::diagramItems(const QGraphicsScene *scene)
{
    // Sorting the whole scene by stacking order costs more than a pass over
    // its items; the order is kept until a diagram item enters or leaves
    // the scene or changes its stacking.
    static QPointer<QGraphicsScene> keptScene;
    static quint64 keptRevision = 0;
    static QList<DiagramItem *> kept;
    if (!s_everyStepTaken && scene && keptScene == scene && keptRevision == DiagramItem::stackingRevision())
        return kept;

    QList<DiagramItem *> result;
    if (!scene)
        return result;
    const QList<QGraphicsItem *> all = scene->items(Qt::DescendingOrder);
    for (QGraphicsItem *item : all) {
        if (item->type() == DiagramItem::Type)
            result.append(static_cast<DiagramItem *>(item));
    }
    keptScene = const_cast<QGraphicsScene *>(scene);
    keptRevision = DiagramItem::stackingRevision();
    kept = result;
    return result;
}

void NetworkCalc::buildPowerTree(const QList<DiagramItem *> &points)
{
    // Built from outside a calculation: nothing kept is known to hold.
    s_keptTrees.clear();
    buildPower(points);
}

void NetworkCalc::buildDataTree(const QList<DiagramItem *> &points)
{
    s_keptTrees.clear();
    buildData(points);
}

void NetworkCalc::calcPD(QGraphicsScene *scene)
{
    calcPD(diagramItems(scene));
}

void NetworkCalc::calcPD(const QList<DiagramItem *> &items)
{
    // A scene calculated without the editor window must still choose models.
    installModelSelection();

    QList<DiagramItem *> points;
    QVector<quint8> roots;
    for (DiagramItem *item : items) {
        if (item->diagramType() == DiagramItem::PD) {
            points.append(item);
            roots.append(rootsOf(item));
        }
    }
    if (!treesStand(points, roots)) {
        buildPower(points);
        buildData(points);
        keepTrees(points, roots);
    }

    // From here on the trees, the loads and the catalogue stand still until
    // the pass ends.
    CalcPass pass;
    Catalogue::Pass catalogue;
    for (DiagramItem *point : qAsConst(points)) {
        point->linkPowerTree();
        point->refreshLists();
    }
}

void NetworkCalc::calcVoltageDrop(QGraphicsScene *scene)
{
    calcVoltageDrop(diagramItems(scene));
}

bool NetworkCalc::calcVoltageDrop(const QList<DiagramItem *> &items)
{
    // The voltage pass writes only voltages, results and flags: the trees
    // and the loads it reads stay as they are.
    CalcPass pass;
    Changes changes;
    Changes *outer = s_changes;
    s_changes = &changes;
    for (DiagramItem *item : items)
        calcVin(item);
    // The cameras again, so that each sees the output its point has just
    // got. When no point's output changed, each camera already saw the one
    // it would see now, and the round would change nothing. Nothing moves
    // in the scene during the pass, so the order taken above is the order
    // taking the items again would give.
    if (changes.vouts > 0 || s_everyStepTaken) {
        for (DiagramItem *item : items) {
            if (item->diagramType() == DiagramItem::Camera)
                calcVinCamera(item);
        }
    }
    s_changes = outer;
    if (outer) {
        outer->values += changes.values;
        outer->vouts += changes.vouts;
    }
    return changes.values > 0;
}

void NetworkCalc::calcVin(DiagramItem *item)
{
    if (!item)
        return;
    if (item->diagramType() == DiagramItem::Camera)
        calcVinCamera(item);
    else if (item->diagramType() == DiagramItem::PD)
        calcVinPoint(item);
}

void NetworkCalc::calcVinCamera(DiagramItem *camera)
{
    const QList<Wire *> &wires = camera->wires();
    // A camera on two cables is a drawing the calculation cannot read; it
    // keeps what it had.
    if (wires.size() > 1)
        return;
    if (wires.size() == 1) {
        Wire *wire = wires.first();
        DiagramItem *source = wire->otherEnd(camera);
        if (source && source->diagramType() == DiagramItem::PD) {
            const CableDrop drop = CableDrop::compute(wire->length(), source->vout(), camera->power());
            camera->setLowVoltage(drop.lowVoltage);
            camera->setExtenderRequired(drop.longCable);
            if (drop.vin != camera->vin()) {
                storeVin(camera, drop.vin);
                storeResults(camera, drop);
            }
            return;
        }
    }
    // Not connected to any point: no supply at all.
    camera->setLowVoltage(true);
    if (camera->vin() != 0.0) {
        storeVin(camera, 0.0);
        storeResults(camera, CableDrop());
    }
}

void NetworkCalc::calcVinPoint(DiagramItem *point)
{
    if (point->hasPower230()) {
        if (point->vout() != CableDrop::MainsVout) {
            storeVout(point, CableDrop::MainsVout);
            storeVin(point, 0.0);
            point->setLowVoltage(false);
            storeResults(point, CableDrop());
        }
        return;
    }

    qCDebug(MoxLog::calc) << "calcVin PD" << point->numberText();
    const DiagramItem *feeder = point->powerFeeder().isEmpty() ? nullptr : point->powerFeeder().first();
    bool supplied = false;
    for (Wire *wire : point->wires()) {
        DiagramItem *other = wire->otherEnd(point);
        if (!other || other->diagramType() != DiagramItem::PD)
            continue;
        // A mains point always supplies; a PoE-fed neighbour only if it is
        // the one the power tree made this point's feeder.
        if (!other->hasPower230() && other != feeder)
            continue;
        supplied = true;
        const CableDrop drop = CableDrop::compute(wire->length(), other->vout(),
                                                  CableDrop::OwnConsumption + point->totalPower());
        point->setLowVoltage(drop.lowVoltage);
        point->setExtenderRequired(drop.longCable);
        if (drop.vin != point->vin())
            storeVin(point, drop.vin);
        if (point->vout() != drop.vin) {
            // The point passes on what reaches it, in whole volts. A drop
            // below zero is no output at all: the property refuses it and
            // keeps its value.
            const double whole = std::trunc(drop.vin);
            if (whole >= 0.0)
                storeVout(point, whole);
            storeResults(point, drop);
        }
    }
    if (!supplied) {
        point->setLowVoltage(true);
        if (point->vin() != 0.0)
            storeVin(point, 0.0);
        if (point->vout() != 0.0)
            storeVout(point, 0.0);
    }
}
