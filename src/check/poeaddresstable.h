#ifndef CHECK_POEADDRESSTABLE_H
#define CHECK_POEADDRESSTABLE_H

#include <QPair>
#include <QVector>

// Numbers by address (an element's index by its item, a record by its
// property set): open addressing over a power-of-two table kept at most
// half full (it doubles before an entry would fill it further). A hash of
// nodes would cost more than the rest of a reading.
class PoeAddressTable
{
public:
    // Empty, with room for count entries.
    void reset(int count);
    // Whether count entries still leave it half empty.
    bool fits(int count) const { return m_slots.size() >= 2 * count; }
    void insert(const void *address, int value);
    void remove(const void *address);
    // -1 for an address not in the table.
    int value(const void *address) const;
    int count() const { return m_count; }

private:
    void grow();

    QVector<QPair<const void *, int>> m_slots;
    int m_count = 0;
};

#endif // CHECK_POEADDRESSTABLE_H
