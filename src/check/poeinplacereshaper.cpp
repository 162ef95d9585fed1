#include "check/poeinplacereshaper.h"

#include "check/poereshaper.h"
#include "diagram/diagramitem.h"
#include "diagram/wire.h"

#include <algorithm>
#include <cstring>
#include <numeric>

using Element = PoeNetwork::Element;
using Point = PoeNetwork::Point;
using Camera = PoeNetwork::Camera;
using Cable = PoeNetwork::Cable;
using Reshaped = PoeNetwork::Reshaped;

namespace {

void insertSorted(QVector<int> &list, int value)
{
    const auto at = std::lower_bound(list.begin(), list.end(), value);
    if (at == list.end() || *at != value)
        list.insert(at, value);
}

// Old index -> new for records of which some went (marked -1 in to): the
// others get their index less the number that went before them. Returns
// how many are kept; first: the first that went (the count when none did).
int shiftPast(QVector<int> &to, int *first)
{
    int gone = 0;
    *first = to.size();
    for (int i = 0; i < to.size(); ++i) {
        if (to.at(i) < 0) {
            *first = std::min(*first, i);
            ++gone;
        } else {
            to[i] = i - gone;
        }
    }
    return to.size() - gone;
}

// A list of indexes in order, renumbered through to from the first that went on.
void renumber(QVector<int> &list, const QVector<int> &to, int firstGone)
{
    int out = int(std::lower_bound(list.cbegin(), list.cend(), firstGone) - list.cbegin());
    if (out == list.size())
        return;
    for (int in = out; in < list.size(); ++in) {
        const int now = to.at(list.at(in));
        if (now >= 0)
            list[out++] = now;
    }
    list.resize(out);
}

} // namespace

// No record is carried through a map. A camera that went where the items
// hold a hole (null) leaves its element and record dead where they stand;
// other records that went are taken out, those after them moving down in
// one pass, with only the indexes that pointed past them renumbered. Beyond
// that only the records read again, the lists of the points they join or
// leave, the ranges of cables of touched elements and the cables from the
// first element that moved (or whose cables no longer fit) on are written.
bool PoeInPlaceReshaper::reshape(const QVector<DiagramItem *> &items, const QVector<int> &from, int unchanged,
                                 QVector<bool> &touched, Reshaped *out, const QVector<int> &holesMade)
{
    const int count = items.size();
    const int known = int(n.m_elements.size());
    int stay = std::min({unchanged, count, known});
    while (stay < count && stay < known && from.at(stay) == stay)
        ++stay;
    // The elements kept, in their order (match() saw to that), then the new ones.
    int keptElements = stay;
    while (keptElements < count && from.at(keptElements) >= 0)
        ++keptElements;
    for (int i = keptElements; i < count; ++i) {
        if (from.at(i) >= 0)
            return false;
    }
    if (!n.m_elementOf.fits(count))
        return false;

    // What went, and where the records after it go: the elements from stay
    // on, the points and cameras from the first of theirs that went on.
    QVector<int> elementTo(known - stay, -1);
    for (int i = stay; i < keptElements; ++i)
        elementTo[from.at(i) - stay] = i;
    const auto elementNow = [&](int e) { return e < stay ? e : elementTo.at(e - stay); };
    // Some element kept comes after one that went: records move down.
    const bool moved = keptElements > stay;
    QVector<int> &pointTo = out->pointTo;
    pointTo.fill(0, int(n.m_points.size()));
    // (Mostly no camera went: then their map is left empty.)
    QVector<int> cameraTo;
    std::vector<Element> &gone = n.m_spare.elements;
    gone.clear();
    out->goneElements.clear();
    int holesGone = 0;
    int camerasGone = 0;
    int firstGoneCamera = int(n.m_cameras.size());
    for (int e = stay; e < known; ++e) {
        if (elementTo.at(e - stay) >= 0)
            continue;
        const Element &element = n.m_elements[size_t(e)];
        gone.push_back(element);
        out->goneElements << e;
        holesGone += element.item ? 0 : 1;
        if (element.kind == Element::PointElement) {
            pointTo[element.index] = -1;
            continue;
        }
        firstGoneCamera = std::min(firstGoneCamera, element.index);
        ++camerasGone;
        // Where nothing moves, the cameras that went are the last ones.
        if (moved && cameraTo.isEmpty())
            cameraTo.fill(0, int(n.m_cameras.size()));
        if (moved)
            cameraTo[element.index] = -1;
    }
    const int keptCameras = int(n.m_cameras.size()) - camerasGone;
    if (moved && camerasGone > 0)
        shiftPast(cameraTo, &firstGoneCamera);
    const auto cameraNow = [&](int c) {
        return cameraTo.isEmpty() ? (c < keptCameras ? c : -1) : cameraTo.at(c);
    };
    int firstGonePoint = 0;
    const int keptPoints = shiftPast(pointTo, &firstGonePoint);
    const bool pointsWent = keptPoints < pointTo.size();
    const bool camerasWent = keptCameras < int(n.m_cameras.size());
    QVector<int> oldGroupOf(pointTo.size());
    for (int p = 0; p < oldGroupOf.size(); ++p)
        oldGroupOf[p] = n.m_points[size_t(p)].group;
    std::vector<Point> &gonePoints = n.m_spare.points;
    std::vector<Camera> &goneCameras = n.m_spare.cameras;
    gonePoints.clear();
    goneCameras.clear();
    for (const Element &element : gone) {
        if (element.kind == Element::PointElement)
            gonePoints.push_back(std::move(n.m_points[size_t(element.index)]));
        else
            goneCameras.push_back(n.m_cameras[size_t(element.index)]);
    }
    // Out first: a new item may have the address of one that went.
    for (const Element &element : gone)
        n.m_elementOf.remove(element.item);
    for (int i = stay; i < count; ++i)
        n.m_elementOf.insert(items.at(i), i);
    // Cameras taken away amid the drawing leave holes: their records stay,
    // dead, read again as holes; nothing after them moves.
    QVector<int> diedNow; // (mostly one)
    // A camera on a point has one cable: drawn from it, or its own drawn
    // to it. One on none or several is looked for among all cables.
    bool diedUnfed = false;
    const auto die = [&](int e) {
        Element &element = n.m_elements[size_t(e)];
        if (items.at(e) || !element.item)
            return;
        diedNow << e;
        Camera &camera = n.m_cameras[size_t(element.index)];
        diedUnfed = diedUnfed || camera.point < 0;
        if (camera.point >= 0) {
            n.m_points[size_t(camera.point)].cameras.removeOne(element.index);
            touched[n.m_points[size_t(camera.point)].element] = true;
        }
        // (A new item may have its address by now, and is in the table.)
        if (n.m_elementOf.value(element.item) == e)
            n.m_elementOf.remove(element.item);
        camera = Camera();
        camera.element = e;
        element.item = nullptr;
        element.serial = 0;
        touched[e] = true;
        ++n.m_deadElements;
    };
    // (Listed by the caller, or looked for after the unchanged items.)
    for (int e : holesMade) {
        if (e < keptElements)
            die(e);
    }
    for (int e = std::min(unchanged, keptElements); e < keptElements && holesMade.isEmpty(); ++e)
        die(e);
    n.m_deadElements -= holesGone;
    const bool died = !diedNow.isEmpty();

    // Whatever was joined to what went, or is joined to what came, sees
    // another drawing.
    const auto touchPoint = [&](int p) {
        if (p >= 0 && pointTo.at(p) >= 0)
            touched[elementNow(n.m_points[size_t(p)].element)] = true;
    };
    for (const Camera &camera : goneCameras)
        touchPoint(camera.point);
    for (const Point &point : gonePoints) {
        touchPoint(point.feeder);
        for (int dependant : point.dependants)
            touchPoint(dependant);
        for (int camera : point.cameras) {
            if (cameraNow(camera) >= 0)
                touched[elementNow(n.m_cameras[size_t(camera)].element)] = true;
        }
    }
    if (pointsWent) {
        const auto went = [&](int p) { return p >= 0 && pointTo.at(p) < 0; };
        for (int p = 0; p < pointTo.size(); ++p) {
            const Point &point = n.m_points[size_t(p)];
            if (pointTo.at(p) >= 0 && (went(point.feeder) || went(point.uplink)))
                touched[elementNow(point.element)] = true;
        }
    }
    // (Only something that went can be at the far end of a cable. The
    // cables are passed over in a tight loop, every one of them on every
    // change where something went.)
    if (gone.empty() && !died) {
        // Nothing went.
    } else if (!moved && !died && n.m_deadElements == 0) {
        // The last ones went: a cable between them and the rest.
        bool *flags = touched.data();
        for (const Cable &cable : n.m_cables) {
            if (cable.wire && cable.end >= 0 && (cable.start >= stay) != (cable.end >= stay))
                flags[cable.start >= stay ? cable.end : cable.start] = true;
        }
    } else if (gone.empty() && !diedUnfed) {
        // Holes made now of cameras on points: the far end of each one's cable.
        for (int e : qAsConst(diedNow)) {
            const Element &element = n.m_elements[size_t(e)];
            for (int c = element.firstCable; c < element.firstCable + element.drawnCables; ++c) {
                const Cable &cable = n.m_cables[size_t(c)];
                if (cable.wire && cable.end >= 0 && n.m_elements[size_t(cable.end)].item)
                    touched[cable.end] = true;
            }
            if (element.ownCable >= 0 && n.m_elements[size_t(n.m_cables[size_t(element.ownCable)].start)].item)
                touched[n.m_cables[size_t(element.ownCable)].start] = true;
        }
    } else if (gone.empty()) {
        // Holes made now: a cable drawn from one of them, or to one. (The
        // cables of the holes before are dead.)
        QVector<char> isNew(known, 0);
        for (int e : qAsConst(diedNow))
            isNew[e] = 1;
        const char *hole = isNew.constData();
        bool *flags = touched.data();
        for (const Cable &cable : n.m_cables) {
            if (cable.wire && cable.end >= 0 && hole[cable.start] != hole[cable.end])
                flags[hole[cable.start] ? cable.end : cable.start] = true;
        }
    } else {
        const Element *element = n.m_elements.data();
        const int *to = elementTo.constData() - stay;
        bool *flags = touched.data();
        // Its index now, or -1 where it went. (Before stay only a hole can
        // have gone; mostly there is none.)
        const bool holes = n.m_deadElements > 0;
        const auto now = [&](int e) { return e < stay ? (!holes || element[e].item ? e : -1) : to[e]; };
        for (const Cable &cable : n.m_cables) {
            if (!cable.wire || cable.end < 0)
                continue;
            const int start = now(cable.start);
            const int end = now(cable.end);
            if ((start < 0) != (end < 0))
                flags[start < 0 ? end : start] = true;
        }
    }
    for (int i = keptElements; i < count; ++i) {
        touched[i] = true;
        for (const Wire *wire : items.at(i)->wires()) {
            const int other = n.elementOf(wire->otherEnd(items.at(i)));
            if (other >= 0)
                touched[other] = true;
        }
    }
    out->reread.clear();
    // Few are touched: the flags are searched a machine word at a time.
    const bool *flags = touched.constData();
    for (const void *at = std::memchr(flags, true, size_t(count)); at;
         at = std::memchr(static_cast<const bool *>(at) + 1, true, size_t(flags + count - static_cast<const bool *>(at) - 1)))
        out->reread << int(static_cast<const bool *>(at) - flags);
    const int firstRead = out->reread.isEmpty() ? count : out->reread.first();
    // The cables: a touched element whose drawn cables fit in the range it
    // had is written there, the rest of the range left dead (a camera taken
    // away from a point drawn early costs that point's range, not every
    // cable drawn after it); so is one whose range ends the list, the cables
    // it gained after it (cameras drawn one after another on the last point
    // drawn from). From the first that does not fit, the first element that
    // moved or the first new one on, the ranges are listed anew.
    const auto drawnFrom = [](const DiagramItem *item) {
        int drawn = 0;
        for (const Wire *wire : item->wires())
            drawn += wire->startItem() == item ? 1 : 0;
        return drawn;
    };
    int firstListed = stay;
    int grows = -1; // the element whose range ends the list and grows there
    for (int e : qAsConst(out->reread)) {
        if (e >= firstListed)
            break;
        const Element &element = n.m_elements[size_t(e)];
        if (!element.item || drawnFrom(element.item) <= element.drawnCables)
            continue;
        if (grows < 0 && element.firstCable + element.drawnCables == int(n.m_cables.size())) {
            grows = e;
            continue;
        }
        // (Another one that does not fit: from the first of them on.)
        firstListed = grows >= 0 ? grows : e;
        grows = -1;
        break;
    }
    // (Elements after the one that grows have no cables: their ranges would
    // come after its. Should some be listed anew from before the end, it is
    // listed anew with them.)
    if (grows >= 0 && firstListed < known
        && n.m_elements[size_t(firstListed)].firstCable != int(n.m_cables.size()))
        firstListed = grows;
    const int keptCables =
        firstListed < known ? n.m_elements[size_t(firstListed)].firstCable : int(n.m_cables.size());

    // The records: the kept ones move down past those that went (an element
    // keeps the cable range it had, listed anew below), the new ones come
    // after them.
    for (int i = stay; i < keptElements; ++i) {
        Element element = n.m_elements[size_t(from.at(i))];
        element.index = element.kind == Element::PointElement ? pointTo.at(element.index) : cameraNow(element.index);
        n.m_elements[size_t(i)] = element;
    }
    n.m_elements.resize(size_t(keptElements));
    for (int p = firstGonePoint; p < pointTo.size(); ++p) {
        if (pointTo.at(p) >= 0)
            n.m_points[size_t(pointTo.at(p))] = std::move(n.m_points[size_t(p)]);
    }
    n.m_points.resize(size_t(keptPoints));
    for (int c = firstGoneCamera; c < cameraTo.size(); ++c) {
        if (cameraTo.at(c) >= 0)
            n.m_cameras[size_t(cameraTo.at(c))] = n.m_cameras[size_t(c)];
    }
    n.m_cameras.resize(size_t(keptCameras));
    // Their references renumbered; one to a record that went becomes -1
    // (its holder was touched and is read again). Where nothing moved and
    // no point or camera went, every reference stands.
    for (size_t p = 0; (moved || pointsWent || camerasWent) && p < n.m_points.size(); ++p) {
        Point &point = n.m_points[p];
        if (point.element >= stay)
            point.element = elementNow(point.element);
        if (pointsWent) {
            point.feeder = point.feeder >= 0 ? pointTo.at(point.feeder) : -1;
            point.uplink = point.uplink >= 0 ? pointTo.at(point.uplink) : -1;
            renumber(point.dependants, pointTo, firstGonePoint);
        }
        if (camerasWent && cameraTo.isEmpty()) {
            // The last ones went: off the end of the list.
            point.cameras.resize(
                int(std::lower_bound(point.cameras.cbegin(), point.cameras.cend(), firstGoneCamera)
                    - point.cameras.cbegin()));
        } else if (camerasWent) {
            renumber(point.cameras, cameraTo, firstGoneCamera);
        }
    }
    for (size_t c = 0; moved && c < n.m_cameras.size(); ++c) {
        Camera &camera = n.m_cameras[c];
        if (camera.element >= stay)
            camera.element = elementNow(camera.element);
        if (pointsWent && camera.point >= 0)
            camera.point = pointTo.at(camera.point);
    }
    for (int i = keptElements; i < count; ++i) {
        Element element;
        element.item = items.at(i);
        element.serial = element.item->serial();
        if (element.item->diagramType() == DiagramItem::PD) {
            element.kind = Element::PointElement;
            element.index = int(n.m_points.size());
            n.m_points.emplace_back();
            n.m_points.back().item = element.item;
            n.m_points.back().element = i;
        } else {
            element.kind = Element::CameraElement;
            element.index = int(n.m_cameras.size());
            n.m_cameras.emplace_back();
            n.m_cameras.back().item = element.item;
            n.m_cameras.back().element = i;
        }
        n.m_elements.push_back(element);
    }
    // Per point: its index before, or -1 for a new one.
    QVector<int> pointWas(int(n.m_points.size()), -1);
    for (int p = 0; p < pointTo.size(); ++p) {
        if (pointTo.at(p) >= 0)
            pointWas[pointTo.at(p)] = p;
    }
    out->pointFrom = pointWas;
    QVector<bool> dirty(int(n.m_points.size()), false);
    const auto now = [&](int p) { return p >= 0 ? pointTo.at(p) : -1; };
    // The points that lost a dependant or a camera.
    for (const Point &point : gonePoints) {
        const int feeder = now(point.feeder);
        if (feeder >= 0)
            dirty[feeder] = true;
        const int uplink = now(point.uplink);
        if (uplink >= 0)
            out->points << uplink;
    }
    for (const Camera &camera : goneCameras) {
        const int point = now(camera.point);
        if (point >= 0)
            dirty[point] = true;
    }
    const auto kept = [&](int p) { return p >= 0 && p < keptPoints ? p : -1; };

    // The points read again, then the cameras: a camera finds its point by
    // the point's index.
    bool sameTrees = gonePoints.empty() && int(n.m_points.size()) == keptPoints;
    for (int e : qAsConst(out->reread)) {
        const Element &element = n.m_elements[size_t(e)];
        if (element.kind != Element::PointElement)
            continue;
        const int p = element.index;
        Point &point = n.m_points[size_t(p)];
        const int feederBefore = kept(point.feeder);
        const int uplinkBefore = kept(point.uplink);
        const int feederWas = point.feeder;
        const bool mainsWas = point.mains;
        Point fresh;
        fresh.item = point.item;
        fresh.element = e;
        fresh.group = point.group;
        fresh.reached = point.reached;
        fresh.cameras.swap(point.cameras);
        fresh.dependants.swap(point.dependants);
        point = std::move(fresh);
        n.readPoint(point);
        sameTrees = sameTrees && point.feeder == feederWas && point.mains == mainsWas;
        out->pointFrom[p] = -1;
        dirty[p] = true;
        if (feederBefore >= 0 && feederBefore != point.feeder) {
            n.m_points[size_t(feederBefore)].dependants.removeOne(p);
            dirty[feederBefore] = true;
        }
        if (point.feeder >= 0) {
            insertSorted(n.m_points[size_t(point.feeder)].dependants, p);
            dirty[point.feeder] = true;
        }
        if (uplinkBefore >= 0)
            out->points << uplinkBefore;
    }
    out->cameras.clear();
    for (int e : qAsConst(out->reread)) {
        const Element &element = n.m_elements[size_t(e)];
        if (element.kind != Element::CameraElement)
            continue;
        const int c = element.index;
        Camera &camera = n.m_cameras[size_t(c)];
        if (!camera.item)
            continue; // a hole
        const int pointBefore = kept(camera.point);
        DiagramItem *item = camera.item;
        camera = Camera();
        camera.item = item;
        camera.element = e;
        n.readCameraWire(c);
        n.readCamera(camera);
        out->cameras << c;
        if (pointBefore >= 0 && pointBefore != camera.point)
            n.m_points[size_t(pointBefore)].cameras.removeOne(c);
        if (pointBefore >= 0)
            dirty[pointBefore] = true;
        if (camera.point >= 0) {
            insertSorted(n.m_points[size_t(camera.point)].cameras, c);
            dirty[camera.point] = true;
        }
    }

    // The cables: those drawn before the first element listed anew stay,
    // written again where an element was read again.
    std::vector<Cable> &oldCables = n.m_spare.cables;
    oldCables.assign(n.m_cables.begin() + keptCables, n.m_cables.end());
    n.m_cables.resize(size_t(keptCables));
    // The cables listed anew leave the dead ones behind.
    n.m_deadCables -= int(
        std::count_if(oldCables.cbegin(), oldCables.cend(), [](const Cable &cable) { return !cable.wire; }));
    // A kept cable may end at an element that moved down. (None ends at one
    // that went: its start was touched, and its cables are listed anew.)
    for (size_t c = 0; moved && c < n.m_cables.size(); ++c) {
        Cable &cable = n.m_cables[c];
        if (cable.end >= stay) {
            const bool owned = cable.owner == cable.end;
            cable.end = elementNow(cable.end);
            if (owned)
                cable.owner = cable.end;
        }
    }
    for (int e : qAsConst(out->reread))
        n.m_elements[size_t(e)].ownCable = -1;
    // A cable that changes hands changes the remarks of both.
    int firstChanged = std::min(firstRead, stay);
    out->remarked.clear();
    const auto owned = [&](Cable &cable) {
        const int before = cable.owner;
        cable.owner = n.cableOwner(cable);
        if (cable.owner != before) {
            firstChanged = std::min(firstChanged, std::min(before, cable.owner));
            out->remarked << before << cable.owner;
        }
    };
    // The ranges written again where they stand. Every cable in them that
    // is not the very one it was counts as new, and the remarks of whoever
    // had one there before change.
    out->rewrittenCables.clear();
    for (int e : qAsConst(out->reread)) {
        if (e >= firstListed)
            break;
        const Element &element = n.m_elements[size_t(e)];
        int c = element.firstCable;
        const auto write = [&](const Cable &cable) {
            if (c == int(n.m_cables.size())) {
                // Past the range that ended the list: a new cable.
                n.m_cables.push_back(cable);
                ++c;
                return;
            }
            Cable &slot = n.m_cables[size_t(c)];
            // The very wire where it stood, between the same elements and
            // with the same owner (its serial tells it from one made at its
            // address): it stays as it is, remarks and all.
            if (cable.wire && slot.wire == cable.wire && slot.serial == cable.serial && slot.start == cable.start
                && slot.end == cable.end && slot.owner == cable.owner) {
                ++c;
                return;
            }
            // (An owner past the kept ones went with its remarks.)
            if (slot.owner >= 0) {
                firstChanged = std::min(firstChanged, slot.owner);
                if (slot.owner < keptElements)
                    out->remarked << slot.owner;
            }
            n.m_deadCables += (cable.wire ? 0 : 1) - (slot.wire ? 0 : 1);
            out->rewrittenCables << c;
            slot = cable;
            ++c;
        };
        if (element.item) {
            for (Wire *wire : element.item->wires()) {
                if (wire->startItem() != element.item)
                    continue;
                const Cable cable = n.cableFrom(wire, e);
                if (cable.owner == cable.end && cable.end != e)
                    n.m_elements[size_t(cable.end)].ownCable = c;
                write(cable);
            }
        }
        Cable dead;
        dead.start = e;
        while (c < element.firstCable + element.drawnCables)
            write(dead);
        if (e == grows) {
            n.m_elements[size_t(e)].drawnCables = c - element.firstCable;
            // The empty ranges after it start where it ends now.
            for (int after = e + 1; after < keptElements; ++after)
                n.m_elements[size_t(after)].firstCable = c;
        }
    }
    // The kept cables whose end was read again: found from that end's wires.
    // (A kept cable was drawn from an element before the first read again,
    // whose wires did not change, or written again above: its end was
    // there before.)
    for (int e : qAsConst(out->reread)) {
        if (e >= keptElements)
            break;
        DiagramItem *item = n.m_elements[size_t(e)].item;
        if (!item)
            continue; // a hole
        for (const Wire *wire : item->wires()) {
            const int start = wire->endItem() == item ? n.elementOf(wire->startItem()) : -1;
            if (start < 0 || start >= firstListed || touched.at(start))
                continue;
            const Element &from = n.m_elements[size_t(start)];
            for (int c = from.firstCable; c < from.firstCable + from.drawnCables; ++c) {
                Cable &cable = n.m_cables[size_t(c)];
                if (cable.wire != wire)
                    continue;
                owned(cable);
                if (cable.owner == cable.end)
                    n.m_elements[size_t(cable.end)].ownCable = c;
            }
        }
    }
    out->cableFrom.resize(keptCables); // below keptCables: not written, see Reshaped
    for (int c = keptCables; c < int(n.m_cables.size()); ++c)
        out->cableFrom << -1; // gained at the end of the last range
    for (int e = firstListed; e < count; ++e) {
        Element &element = n.m_elements[size_t(e)];
        if (touched.at(e) || !element.item) {
            // The remarks of the cables it had go with them. (Where records
            // moved, every remark from the first that moved is put together anew.)
            if (e < keptElements && !moved) {
                const int first = element.firstCable - keptCables;
                for (int c = first; c < first + element.drawnCables; ++c) {
                    const int owner = oldCables[size_t(c)].owner;
                    if (owner >= 0 && owner < keptElements)
                        out->remarked << owner;
                }
            }
            n.drawCables(e);
            for (int c = 0; c < element.drawnCables; ++c)
                out->cableFrom << -1;
            continue;
        }
        // Dead cables are left behind.
        const int first = element.firstCable - keptCables;
        const int drawn = element.drawnCables;
        element.firstCable = int(n.m_cables.size());
        for (int c = first; c < first + drawn; ++c) {
            Cable cable = oldCables[size_t(c)];
            if (!cable.wire)
                continue;
            const bool ownedByStart = cable.owner == cable.start;
            cable.start = e;
            if (moved && cable.end >= stay)
                cable.end = elementNow(cable.end);
            cable.owner = ownedByStart ? cable.start : cable.end;
            if (cable.end >= 0 && touched.at(cable.end))
                owned(cable);
            if (cable.owner == cable.end && cable.end >= 0)
                n.m_elements[size_t(cable.end)].ownCable = int(n.m_cables.size());
            n.m_cables.push_back(cable);
            out->cableFrom << keptCables + c;
        }
        element.drawnCables = int(n.m_cables.size()) - element.firstCable;
    }

    if (sameTrees) {
        // Every point is fed as it was: the groups stand, and those with a
        // point that changed are solved again.
        out->groups.clear();
        for (int p = 0; p < dirty.size(); ++p) {
            if (dirty.at(p)) {
                out->points << p;
                out->groups << n.m_points[size_t(p)].group;
            }
        }
        std::sort(out->groups.begin(), out->groups.end());
        out->groups.erase(std::unique(out->groups.begin(), out->groups.end()), out->groups.end());
    } else {
        n.m_spare.groups.swap(n.m_groups);
        n.m_groups.clear();
        PoeReshaper(n).regroup(pointWas, oldGroupOf, dirty, out);
    }
    out->inPlace = true;
    out->sameTrees = sameTrees;
    out->keptElements = keptElements;
    out->keptCables = keptCables;
    out->firstChanged = firstChanged;
    // (Counted as they came and went: a count over the whole drawing would
    // cost what the change did.)
    Q_ASSERT(holesCounted());
    Q_ASSERT(rangesInOrder());
    return true;
}

// Every element's cables follow the ones before it, inside the list.
bool PoeInPlaceReshaper::rangesInOrder() const
{
    int end = 0;
    for (const Element &element : n.m_elements) {
        if (element.firstCable < end || element.firstCable + element.drawnCables > int(n.m_cables.size()))
            return false;
        end = element.firstCable + element.drawnCables;
    }
    return true;
}

int PoeInPlaceReshaper::deadElements() const
{
    return int(std::count_if(n.m_elements.cbegin(), n.m_elements.cend(),
                             [](const Element &element) { return !element.item; }));
}

int PoeInPlaceReshaper::deadCables() const
{
    return int(std::count_if(n.m_cables.cbegin(), n.m_cables.cend(), [](const Cable &cable) { return !cable.wire; }));
}

bool PoeInPlaceReshaper::holesCounted() const
{
    return n.m_deadElements == deadElements() && n.m_deadCables == deadCables();
}
