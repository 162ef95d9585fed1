#include "check/poedevicenumbers.h"

#include <algorithm>
#include <cstring>
#include <numeric>
#include <type_traits>

using Element = PoeNetwork::Element;

namespace {

// (Through a pointer, out of line: written through the list after a resize,
// the compiler takes it for the shared empty one and warns of a write past it.)
Q_NEVER_INLINE void emptyRecords(PoeCheckResult::Device *records, const QVector<int> &numbers)
{
    for (int number : numbers)
        records[number] = PoeCheckResult::Device();
}

} // namespace

void PoeDeviceNumbers::index(const PoeNetwork &network, int first, int devicesBefore)
{
    const std::vector<PoeNetwork::Point> &points = network.points();
    const std::vector<PoeNetwork::Camera> &cameras = network.cameras();
    const std::vector<Element> &elements = network.elements();
    const int elementCount = int(elements.size());
    m_of.resize(elementCount);
    int devices = devicesBefore;
    for (int e = first; e < elementCount; ++e) {
        const Element &element = elements[size_t(e)];
        const bool device = element.kind == Element::CameraElement ? cameras[size_t(element.index)].point >= 0
                                                                   : points[size_t(element.index)].fed();
        m_of[e] = device ? devices++ : -1;
    }
    m_count = devices;
}

int PoeDeviceNumbers::firstFrom(int first) const
{
    for (int e = first; e < m_of.size(); ++e) {
        if (m_of.at(e) >= 0)
            return m_of.at(e);
    }
    return m_count;
}

void PoeDeviceNumbers::reshape(const PoeNetwork &network, const PoeNetwork::Reshaped &reshaped, int first,
                               int devicesBefore, QVector<PoeCheckResult::Device> &devices)
{
    // (Below first every element stands where it stood.)
    if (reshaped.inPlace)
        reshaped.dropGone(m_of);
    if (reshaped.inPlace && reshaped.sameTrees) {
        const QVector<int> was = renumber(network, reshaped, first, devicesBefore);
        // (Mostly every kept record stands at its number: only the new
        // numbers at the end are added.)
        if (m_recordsMove)
            move(devices, was, devicesBefore, true);
        else
            devices.resize(m_count);
        if (!m_died.isEmpty())
            emptyRecords(devices.data(), m_died);
    } else {
        move(devices, recordsWere(network, reshaped, first, devicesBefore), devicesBefore, reshaped.inPlace);
    }
}

// The device records from first on at their new numbers: per number, its
// record before or -1. In place, an element before the kept count that was
// not read again has its record where it was, the records of those that
// went taken out.
QVector<int> PoeDeviceNumbers::recordsWere(const PoeNetwork &network, const PoeNetwork::Reshaped &reshaped, int first,
                                           int devicesBefore)
{
    const int elementCount = int(network.elements().size());
    const QVector<int> deviceWas = m_of.mid(first);
    index(network, first, devicesBefore);
    QVector<int> recordWas(m_count - devicesBefore, -1);
    const int *reread = reshaped.reread.cbegin();
    for (int e = first; e < elementCount; ++e) {
        const int device = m_of.at(e);
        if (device < 0)
            continue;
        int was;
        if (!reshaped.inPlace) {
            was = reshaped.elementFrom.at(e);
        } else {
            while (reread != reshaped.reread.cend() && *reread < e)
                ++reread;
            was = e < reshaped.keptElements && (reread == reshaped.reread.cend() || *reread != e) ? e : -1;
        }
        recordWas[device - devicesBefore] = was >= 0 ? deviceWas.at(was - first) : -1;
    }
    return recordWas;
}

// The same where the trees stand and records keep their order: an element
// kept is a device as it was, and only those read again or new are looked
// at; the others' numbers move on. A camera taken away amid the drawing
// leaves its record where it stood, dead (emptied after the move), as it
// leaves its element: no record after it moves. (Numbered anew, a hole is
// no device, and the dead records go.)
QVector<int> PoeDeviceNumbers::renumber(const PoeNetwork &network, const PoeNetwork::Reshaped &reshaped, int first,
                                        int devicesBefore)
{
    const std::vector<Element> &elements = network.elements();
    const std::vector<PoeNetwork::Camera> &cameras = network.cameras();
    const std::vector<PoeNetwork::Point> &points = network.points();
    const int count = int(elements.size());
    const int kept = reshaped.keptElements;
    m_of.resize(count);
    // At most every element from first on is a device.
    QVector<int> recordWas(count - first);
    int *was = recordWas.data();
    int devices = 0;
    int *deviceOf = m_of.data();
    const int *reread = std::lower_bound(reshaped.reread.cbegin(), reshaped.reread.cend(), first);
    const int *rereadEnd = reshaped.reread.cend();
    // Where nothing went, the kept devices between two elements read again
    // were numbered one after the other: where the first keeps its number,
    // so do all of them, and the stretch is passed over in one step.
    const bool noneWent = reshaped.goneElements.isEmpty();
    m_recordsMove = false;
    m_died.clear();
    for (int e = first; e < count; ++e) {
        if (e < kept && (reread == rereadEnd || *reread != e)) {
            const int end = reread != rereadEnd ? std::min(*reread, kept) : kept;
            int firstDevice = e;
            while (firstDevice < end && deviceOf[firstDevice] < 0)
                ++firstDevice;
            if (firstDevice == end) {
                e = end - 1; // no device among them
                continue;
            }
            if (noneWent && deviceOf[firstDevice] == devicesBefore + devices) {
                int lastDevice = end - 1;
                while (deviceOf[lastDevice] < 0)
                    --lastDevice;
                const int n = deviceOf[lastDevice] - deviceOf[firstDevice] + 1;
                std::iota(was + devices, was + devices + n, deviceOf[firstDevice]);
                devices += n;
                e = end - 1;
                continue;
            }
            if (deviceOf[e] >= 0) {
                was[devices] = deviceOf[e];
                m_recordsMove = m_recordsMove || deviceOf[e] != devicesBefore + devices;
                deviceOf[e] = devicesBefore + devices++;
            }
            continue;
        }
        if (reread != rereadEnd && *reread == e)
            ++reread;
        const Element &element = elements[size_t(e)];
        if (!element.item && e < kept) {
            if (deviceOf[e] >= 0) {
                was[devices] = deviceOf[e];
                m_recordsMove = m_recordsMove || deviceOf[e] != devicesBefore + devices;
                deviceOf[e] = devicesBefore + devices++;
                m_died << deviceOf[e];
            }
            continue;
        }
        const bool device = element.kind == Element::CameraElement ? cameras[size_t(element.index)].point >= 0
                                                                   : points[size_t(element.index)].fed();
        deviceOf[e] = device ? devicesBefore + devices : -1;
        if (device)
            was[devices++] = -1;
    }
    recordWas.resize(devices);
    m_count = devicesBefore + devices;
    return recordWas;
}

// The device records from number first on to their new numbers (was: per
// new number, its number before, or -1 for a record worked out anew).
// Where the records kept keep their order, they move where they are: those
// that move down first, in order, then those that move up, from the last.
void PoeDeviceNumbers::move(QVector<PoeCheckResult::Device> &devices, const QVector<int> &was, int first,
                            bool inOrder)
{
    using Device = PoeCheckResult::Device;
    const int count = first + was.size();
    if (!inOrder) {
        QVector<Device> tail(was.size());
        for (int k = 0; k < was.size(); ++k) {
            if (was.at(k) >= 0)
                tail[k] = std::move(devices[was.at(k)]);
        }
        devices.resize(first);
        devices += tail;
        return;
    }
    if (devices.size() < count)
        devices.resize(count);
    if (was.isEmpty()) {
        devices.resize(count);
        return;
    }
    // In runs of records that keep their distance: a record is plain data.
    static_assert(std::is_trivially_copyable<Device>::value, "device records are moved as memory");
    Device *d = devices.data();
    const int n = was.size();
    for (int k = 0; k < n;) {
        const int from = was.at(k);
        if (from <= first + k) {
            ++k;
            continue;
        }
        int end = k + 1;
        while (end < n && was.at(end) == from + (end - k))
            ++end;
        std::memmove(static_cast<void *>(d + first + k), d + from, size_t(end - k) * sizeof(Device));
        k = end;
    }
    for (int k = n - 1; k >= 0;) {
        const int from = was.at(k);
        if (from < 0 || from >= first + k) {
            --k;
            continue;
        }
        int begin = k;
        // (A number without a record before, -1, ends a run.)
        while (begin > 0 && was.at(begin - 1) >= 0 && was.at(begin - 1) == from - (k - begin + 1))
            --begin;
        std::memmove(static_cast<void *>(d + first + begin), d + was.at(begin), size_t(k - begin + 1) * sizeof(Device));
        k = begin - 1;
    }
    // (A number without a record before is a device read again or new:
    // its group is solved again, and its record written whole.)
    devices.resize(count);
}
