#include "check/poereshaper.h"

#include "check/poeinplacereshaper.h"
#include "diagram/diagramitem.h"
#include "diagram/wire.h"

#include <algorithm>
#include <cstring>
#include <numeric>

using Element = PoeNetwork::Element;
using Point = PoeNetwork::Point;
using Camera = PoeNetwork::Camera;
using Cable = PoeNetwork::Cable;
using Group = PoeNetwork::Group;
using Reshaped = PoeNetwork::Reshaped;

bool PoeReshaper::match(const PoeNetwork &n, const QVector<DiagramItem *> &items, QVector<int> *from,
                        int *unchanged, PoeNetwork::Matched *matched)
{
    PoeNetwork::Matched seen;
    PoeNetwork::Matched &m = matched ? *matched : seen;
    m = PoeNetwork::Matched();
    m.kept = items.size();
    // The elements before e that no item is went (holes aside).
    const auto wentBefore = [&](int next, int e, bool amid) {
        for (int g = next; g < e; ++g) {
            if (!n.m_elements[size_t(g)].item)
                continue;
            m.gone << g;
            m.pointGone = m.pointGone || n.m_elements[size_t(g)].kind == Element::PointElement;
            m.goneAmid = m.goneAmid || amid;
        }
    };
    from->resize(items.size());
    int *to = from->data();
    const int count = items.size();
    const int known = int(n.m_elements.size());
    // Mostly the drawing starts with every element it had, in their order.
    const int common = std::min(count, known);
    const Element *element = n.m_elements.data();
    DiagramItem *const *item = items.constData();
    int i = 0;
    while (i < common && element[i].item == item[i]) {
        to[i] = i;
        ++i;
    }
    *unchanged = i;
    int next = i; // mostly the element that comes next is the one expected
    for (; i < count; ++i) {
        // Mostly a long run of items are the elements expected next.
        const int run = i;
        while (i < count && next < known && element[next].item == item[i])
            to[i++] = next++;
        if (i > run && m.kept != count)
            m.newLast = false;
        if (i == count)
            break;
        const DiagramItem *item = items.at(i);
        // The table may name items that are gone: an address proves nothing
        // (where it is the one expected next, the wiring stamp of an item
        // made since tells the tracker to look closer).
        while (next < known && !n.m_elements[size_t(next)].item)
            ++next; // a hole
        int e = next < known && n.m_elements[size_t(next)].item == item ? next : n.elementOf(item);
        if (e >= 0 && e != next && n.m_elements[size_t(e)].serial != item->serial())
            e = -1;
        if (e >= 0) {
            if (e < next)
                return false;
            if (e > next)
                wentBefore(next, e, true);
            next = e + 1;
            m.newLast = m.newLast && m.kept == count;
        } else if (m.kept == count) {
            m.kept = i;
        }
        to[i] = e;
    }
    wentBefore(next, known, false);
    return true;
}

bool PoeReshaper::reshape(const QVector<DiagramItem *> &items, const QVector<int> &from, int unchanged,
                          QVector<bool> touched, Reshaped *out, const QVector<int> &holesMade)
{
    // The lists keep their memory from one change to the next.
    out->points.clear();
    out->groups.clear();
    out->cameras.clear();
    out->reread.clear();
    out->goneElements.clear();
    out->inPlace = false;
    out->sameTrees = false;
    out->keptElements = out->keptCables = 0;
    out->firstChanged = 0;
    out->rewrittenCables.clear();
    if (PoeInPlaceReshaper(n).reshape(items, from, unchanged, touched, out, holesMade))
        return true;
    // Below, every record is carried through maps, and holes are left
    // behind; a hole to be made needs the records to stay.
    if (items.contains(nullptr))
        return false;
    const int count = items.size();
    const int knownElements = int(n.m_elements.size());
    const int knownCameras = int(n.m_cameras.size());
    // The elements drawn before the first one that moved or went keep
    // their element and camera records where they are (a camera is mostly
    // drawn last, or the last one drawn goes): only the rest is copied.
    int stay = 0;
    while (stay < count && stay < knownElements && from.at(stay) == stay)
        ++stay;
    int stayCameras = 0;
    for (int e = stay - 1; e >= 0; --e) {
        if (n.m_elements[size_t(e)].kind == Element::CameraElement) {
            stayCameras = n.m_elements[size_t(e)].index + 1;
            break;
        }
    }
    // The records before are kept for the next time: their memory is
    // reused rather than asked for (and paged in) anew on every edit.
    std::vector<Element> &oldElementTail = n.m_spare.elements; // from stay on
    std::vector<Point> &oldPoints = n.m_spare.points;
    std::vector<Camera> &oldCameraTail = n.m_spare.cameras;    // from stayCameras on
    std::vector<Cable> &oldCables = n.m_spare.cables;
    std::vector<Group> &oldGroups = n.m_spare.groups;
    oldElementTail.assign(n.m_elements.begin() + stay, n.m_elements.end());
    n.m_elements.resize(size_t(stay));
    oldCameraTail.assign(n.m_cameras.begin() + stayCameras, n.m_cameras.end());
    n.m_cameras.resize(size_t(stayCameras));
    // A record of the prefix is read where it stands: whoever changes it
    // has read what it needs first.
    const auto oldElement = [&](int o) -> const Element & {
        return o < stay ? n.m_elements[size_t(o)] : oldElementTail[size_t(o - stay)];
    };
    const auto oldCamera = [&](int c) -> const Camera & {
        return c < stayCameras ? n.m_cameras[size_t(c)] : oldCameraTail[size_t(c - stayCameras)];
    };
    oldPoints.swap(n.m_points);
    oldCables.swap(n.m_cables);
    oldGroups.swap(n.m_groups);
    n.m_points.clear();
    n.m_cables.clear();
    n.m_groups.clear();
    n.m_points.reserve(oldPoints.size() + 4);
    n.m_cameras.reserve(size_t(knownCameras) + 4);

    // The element table: where every element kept its index, the items
    // that went are taken out and the new ones put in; else it is filled anew.
    QVector<int> elementTo(knownElements, -1);
    for (int i = 0; i < count; ++i) {
        if (from.at(i) >= 0)
            elementTo[from.at(i)] = i;
    }
    if (!n.m_elementOf.fits(count)) {
        n.indexElements(items);
    } else {
        // Out first: a new item may have the address of one that went.
        // (Before stay every element is where it was.)
        for (int e = stay; e < knownElements; ++e) {
            if (elementTo.at(e) < 0)
                n.m_elementOf.remove(oldElement(e).item);
        }
        for (int i = stay; i < count; ++i)
            n.m_elementOf.insert(items.at(i), i);
    }

    // The neighbours of what came and went are read again: whatever was
    // joined to them sees another drawing.
    for (const Cable &cable : oldCables) {
        const int start = elementTo.at(cable.start);
        const int end = cable.end >= 0 ? elementTo.at(cable.end) : -1;
        if (start < 0 && end >= 0)
            touched[end] = true;
        if (end < 0 && cable.end >= 0 && start >= 0)
            touched[start] = true;
    }
    for (int i = 0; i < count; ++i) {
        if (from.at(i) >= 0)
            continue;
        touched[i] = true;
        for (const Wire *wire : items.at(i)->wires()) {
            const int other = n.elementOf(wire->otherEnd(items.at(i)));
            if (other >= 0)
                touched[other] = true;
        }
    }

    // The elements in their new order; untouched ones keep their records.
    out->elementFrom.resize(count);
    out->pointFrom.clear();
    out->cameraFrom.clear();
    out->pointFrom.reserve(int(oldPoints.size()) + count - knownElements + 1);
    out->cameraFrom.reserve(count);
    out->pointTo.fill(-1, int(oldPoints.size()));
    QVector<int> cameraTo(knownCameras, -1);
    QVector<int> pointWas; // per point: its index before, read again or not
    QVector<int> cameraWas;
    pointWas.reserve(out->pointFrom.capacity());
    cameraWas.reserve(count);
    QVector<int> oldGroupOf(int(oldPoints.size()));
    for (int p = 0; p < int(oldPoints.size()); ++p)
        oldGroupOf[p] = oldPoints[size_t(p)].group;
    n.m_elements.reserve(size_t(count));
    for (int i = 0; i < count; ++i) {
        const int o = from.at(i);
        Element element;
        if (o >= 0) {
            element = oldElement(o);
        } else {
            element.item = items.at(i);
            element.serial = element.item->serial();
            element.kind = element.item->diagramType() == DiagramItem::PD ? Element::PointElement
                                                                          : Element::CameraElement;
        }
        const int was = o >= 0 ? element.index : -1;
        const bool kept = o >= 0 && !touched.at(i);
        out->elementFrom[i] = kept ? o : -1;
        if (element.kind == Element::PointElement) {
            element.index = int(n.m_points.size());
            if (kept) {
                n.m_points.push_back(std::move(oldPoints[size_t(was)]));
            } else {
                n.m_points.emplace_back();
                n.m_points.back().item = element.item;
            }
            n.m_points.back().element = i;
            out->pointFrom << (kept ? was : -1);
            pointWas << was;
            if (was >= 0)
                out->pointTo[was] = element.index;
        } else if (i < stay) {
            // In place; one read again is cleared when it is.
            out->cameraFrom << (kept ? was : -1);
            cameraWas << was;
            cameraTo[was] = was;
        } else {
            element.index = int(n.m_cameras.size());
            if (kept) {
                n.m_cameras.push_back(oldCamera(was));
            } else {
                n.m_cameras.emplace_back();
                n.m_cameras.back().item = element.item;
            }
            n.m_cameras.back().element = i;
            out->cameraFrom << (kept ? was : -1);
            cameraWas << was;
            if (was >= 0)
                cameraTo[was] = element.index;
        }
        if (i < stay)
            n.m_elements[size_t(i)] = element;
        else
            n.m_elements.push_back(element);
    }

    // References of the kept records to their new indexes; a record whose
    // partner is gone is read again after all.
    const auto remap = [](int index, const QVector<int> &to) { return index >= 0 ? to.at(index) : -1; };
    QVector<bool> dirty(int(n.m_points.size()), false);
    for (int p = 0; p < int(n.m_points.size()); ++p) {
        Point &point = n.m_points[size_t(p)];
        point.group = -1;
        point.reached = false;
        if (out->pointFrom.at(p) >= 0) {
            const int feeder = remap(point.feeder, out->pointTo);
            const int uplink = remap(point.uplink, out->pointTo);
            if ((feeder >= 0) == (point.feeder >= 0) && (uplink >= 0) == (point.uplink >= 0)) {
                point.feeder = feeder;
                point.uplink = uplink;
                continue;
            }
            DiagramItem *item = point.item;
            const int element = point.element;
            point = Point();
            point.item = item;
            point.element = element;
            out->pointFrom[p] = -1;
        }
        dirty[p] = true;
    }
    for (int p = 0; p < int(n.m_points.size()); ++p) {
        if (out->pointFrom.at(p) >= 0)
            continue;
        Point &point = n.m_points[size_t(p)];
        n.readPoint(point);
        out->elementFrom[point.element] = -1;
        // Its feeders, old and new, have other dependants.
        if (point.feeder >= 0)
            dirty[point.feeder] = true;
        const int was = pointWas.at(p);
        if (was >= 0) {
            const int feeder = remap(oldPoints[size_t(was)].feeder, out->pointTo);
            if (feeder >= 0)
                dirty[feeder] = true;
            const int uplink = remap(oldPoints[size_t(was)].uplink, out->pointTo);
            if (uplink >= 0)
                out->points << uplink;
        }
    }
    for (int p = 0; p < int(oldPoints.size()); ++p) {
        if (out->pointTo.at(p) >= 0)
            continue;
        const int feeder = remap(oldPoints[size_t(p)].feeder, out->pointTo);
        if (feeder >= 0)
            dirty[feeder] = true;
        const int uplink = remap(oldPoints[size_t(p)].uplink, out->pointTo);
        if (uplink >= 0)
            out->points << uplink;
    }
    out->cameras.clear();
    for (int c = 0; c < int(n.m_cameras.size()); ++c) {
        Camera &camera = n.m_cameras[size_t(c)];
        if (out->cameraFrom.at(c) >= 0) {
            const int point = remap(camera.point, out->pointTo);
            if ((point >= 0) == (camera.point >= 0)) {
                camera.point = point;
                continue;
            }
            out->cameraFrom[c] = -1;
        }
        // Its point before, read before a record in place is cleared.
        const int was = cameraWas.at(c);
        const int pointBefore = was >= 0 ? oldCamera(was).point : -1;
        DiagramItem *item = camera.item;
        const int element = camera.element;
        camera = Camera();
        camera.item = item;
        camera.element = element;
        n.readCameraWire(c);
        n.readCamera(camera);
        out->elementFrom[camera.element] = -1;
        out->cameras << c;
        if (camera.point >= 0)
            dirty[camera.point] = true;
        const int point = remap(pointBefore, out->pointTo);
        if (point >= 0)
            dirty[point] = true;
    }
    // The cameras that went were all past the prefix.
    for (int c = stayCameras; c < knownCameras; ++c) {
        if (cameraTo.at(c) < 0) {
            const int point = remap(oldCamera(c).point, out->pointTo);
            if (point >= 0)
                dirty[point] = true;
        }
    }
    n.linkLists();

    // The cables, from the item each was drawn from.
    out->cableFrom.clear();
    out->cableFrom.reserve(int(oldCables.size()) + 8);
    n.m_cables.reserve(oldCables.size() + 4);
    for (Element &element : n.m_elements)
        element.ownCable = -1;
    // The remarks of the elements before stay stand, but for those read
    // again and the cables that change hands.
    int firstChanged = stay;
    for (int i = 0; i < count; ++i) {
        Element &element = n.m_elements[size_t(i)];
        const int o = out->elementFrom.at(i);
        bool copied = o >= 0;
        if (copied) {
            // A copy: the element may be its own record before, rewritten below.
            const Element before = oldElement(o);
            for (int c = before.firstCable; c < before.firstCable + before.drawnCables && copied; ++c)
                copied = oldCables[size_t(c)].end < 0 || elementTo.at(oldCables[size_t(c)].end) >= 0;
            if (copied) {
                element.firstCable = int(n.m_cables.size());
                for (int c = before.firstCable; c < before.firstCable + before.drawnCables; ++c) {
                    Cable cable = oldCables[size_t(c)];
                    if (!cable.wire)
                        continue; // dead: left behind
                    const bool owned = cable.owner == cable.start;
                    cable.start = i;
                    cable.end = cable.end >= 0 ? elementTo.at(cable.end) : -1;
                    cable.owner = owned ? cable.start : cable.end;
                    if (cable.end >= 0 && out->elementFrom.at(cable.end) < 0) {
                        // A cable that changes hands changes the remarks of both.
                        const int ownerBefore = cable.owner;
                        cable.owner = n.cableOwner(cable);
                        if (cable.owner != ownerBefore)
                            firstChanged = std::min(firstChanged, std::min(ownerBefore, cable.owner));
                    }
                    if (cable.owner == cable.end && cable.end != i)
                        n.m_elements[size_t(cable.end)].ownCable = int(n.m_cables.size());
                    n.m_cables.push_back(cable);
                    out->cableFrom << c;
                }
                element.drawnCables = int(n.m_cables.size()) - element.firstCable;
            }
        }
        if (!copied) {
            // Its cables are listed and worded anew: the remarks of whoever
            // had one of them before, or has one now, change (an edit of a
            // cable's length in the same change shows only there).
            if (o >= 0) {
                const Element before = oldElement(o);
                for (int c = before.firstCable; c < before.firstCable + before.drawnCables; ++c) {
                    const int owner = oldCables[size_t(c)].owner;
                    if (owner >= 0 && elementTo.at(owner) >= 0)
                        firstChanged = std::min(firstChanged, elementTo.at(owner));
                }
            }
            n.drawCables(i);
            for (int c = 0; c < element.drawnCables; ++c) {
                out->cableFrom << -1;
                const int owner = n.m_cables[size_t(element.firstCable + c)].owner;
                if (owner >= 0)
                    firstChanged = std::min(firstChanged, owner);
            }
        }
    }

    regroup(pointWas, oldGroupOf, dirty, out);
    for (int i = 0; i < count; ++i) {
        if (out->elementFrom.at(i) < 0)
            out->reread << i;
    }
    out->keptElements = stay;
    int keptCables = 0;
    while (keptCables < out->cableFrom.size() && out->cableFrom.at(keptCables) == keptCables)
        ++keptCables;
    out->keptCables = keptCables;
    out->firstChanged = out->reread.isEmpty() ? firstChanged : std::min(firstChanged, out->reread.first());
    n.m_deadElements = 0; // every element is an item's
    n.m_deadCables =
        int(std::count_if(n.m_cables.cbegin(), n.m_cables.cend(), [](const Cable &cable) { return !cable.wire; }));
    return true;
}

// The groups anew; one whose points are the same and none of them changed
// keeps its solution. The points marked dirty go into out->points.
void PoeReshaper::regroup(const QVector<int> &pointWas, const QVector<int> &oldGroupOf, const QVector<bool> &dirty,
                          Reshaped *out)
{
    for (Point &point : n.m_points) {
        point.group = -1;
        point.reached = false;
    }
    const std::vector<Group> &oldGroups = n.m_spare.groups;
    n.formGroups();
    out->groups.clear();
    for (int g = 0; g < int(n.m_groups.size()); ++g) {
        Group &group = n.m_groups[size_t(g)];
        bool same = !dirty.at(group.root);
        const int wasRoot = pointWas.at(group.root);
        const Group *before = nullptr;
        if (same && wasRoot >= 0 && oldGroupOf.at(wasRoot) >= 0) {
            before = &oldGroups[size_t(oldGroupOf.at(wasRoot))];
            same = before->root == wasRoot && before->fed.size() == group.fed.size();
        } else {
            same = false;
        }
        for (int k = 0; k < group.fed.size() && same; ++k)
            same = !dirty.at(group.fed.at(k)) && out->pointTo.at(before->fed.at(k)) == group.fed.at(k);
        if (same) {
            group.settled = before->settled;
        } else {
            out->groups << g;
        }
    }
    for (int p = 0; p < dirty.size(); ++p) {
        if (dirty.at(p))
            out->points << p;
    }
}
