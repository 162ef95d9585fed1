#include "check/poeaddresstable.h"

namespace {

int slotOf(const void *address, int mask)
{
    // Objects are allocated apart; the low bits of an address say little.
    const quintptr bits = reinterpret_cast<quintptr>(address);
    return int(((bits >> 4) ^ (bits >> 13)) & quintptr(mask));
}

} // namespace

void PoeAddressTable::reset(int count)
{
    int size = 16;
    while (size < 2 * count)
        size *= 2;
    m_slots.fill({nullptr, -1}, size);
    m_count = 0;
}

// Entries keep coming between two resets (cameras and cables drawn one by
// one for a whole session): a full table would be probed for ever.
void PoeAddressTable::grow()
{
    const QVector<QPair<const void *, int>> entries = m_slots;
    reset(entries.size());
    for (const QPair<const void *, int> &entry : entries) {
        if (entry.first)
            insert(entry.first, entry.second);
    }
}

void PoeAddressTable::insert(const void *address, int value)
{
    if (!address)
        return;
    if (2 * (m_count + 1) > m_slots.size())
        grow();
    const int mask = m_slots.size() - 1;
    int slot = slotOf(address, mask);
    while (m_slots.at(slot).first && m_slots.at(slot).first != address)
        slot = (slot + 1) & mask;
    m_count += m_slots.at(slot).first ? 0 : 1;
    m_slots[slot] = {address, value};
}

// Linear probing keeps every entry reachable from its own slot without a
// gap: the entries after the one taken out move back to close it.
void PoeAddressTable::remove(const void *address)
{
    if (m_slots.isEmpty() || !address)
        return;
    const int mask = m_slots.size() - 1;
    int slot = slotOf(address, mask);
    while (m_slots.at(slot).first != address) {
        if (!m_slots.at(slot).first)
            return;
        slot = (slot + 1) & mask;
    }
    for (int next = (slot + 1) & mask; m_slots.at(next).first; next = (next + 1) & mask) {
        const int home = slotOf(m_slots.at(next).first, mask);
        // It stays where its home lies cyclically after the gap, up to it.
        const bool stays = slot <= next ? (slot < home && home <= next) : (slot < home || home <= next);
        if (stays)
            continue;
        m_slots[slot] = m_slots.at(next);
        slot = next;
    }
    m_slots[slot] = {nullptr, -1};
    --m_count;
}

int PoeAddressTable::value(const void *address) const
{
    if (!address || m_slots.isEmpty())
        return -1;
    const int mask = m_slots.size() - 1;
    for (int slot = slotOf(address, mask);; slot = (slot + 1) & mask) {
        const QPair<const void *, int> &entry = m_slots.at(slot);
        if (entry.first == address)
            return entry.second;
        if (!entry.first)
            return -1;
    }
}
