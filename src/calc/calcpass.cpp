#include "calc/calcpass.h"

namespace {
// The calculation runs on the GUI thread only.
CalcPass *s_current = nullptr;
}

CalcPass::CalcPass()
    : m_previous(s_current)
{
    s_current = this;
}

CalcPass::~CalcPass()
{
    s_current = m_previous;
}

CalcPass *CalcPass::current()
{
    return s_current;
}

// Linear probing over a power-of-two table, at most half full. Item
// addresses are aligned, so their low bits say nothing and are dropped
// before the multiplicative spread.
int CalcPass::Sums::slotOf(const DiagramItem *item) const
{
    const quint64 key = quint64(quintptr(item)) >> 4;
    const int mask = m_items.size() - 1;
    int slot = int((key * Q_UINT64_C(0x9E3779B97F4A7C15)) >> 40) & mask;
    while (m_items.at(slot) && m_items.at(slot) != item)
        slot = (slot + 1) & mask;
    return slot;
}

const int *CalcPass::Sums::find(const DiagramItem *item) const
{
    if (m_items.isEmpty())
        return nullptr;
    const int slot = slotOf(item);
    return m_items.at(slot) ? &m_sums.at(slot) : nullptr;
}

void CalcPass::Sums::insert(const DiagramItem *item, int sum)
{
    if (2 * (m_count + 1) > m_items.size()) {
        const QVector<const DiagramItem *> items = m_items;
        const QVector<int> sums = m_sums;
        const int size = qMax(64, 2 * m_items.size());
        m_items = QVector<const DiagramItem *>(size, nullptr);
        m_sums = QVector<int>(size, 0);
        m_count = 0;
        for (int i = 0; i < items.size(); ++i) {
            if (items.at(i))
                insert(items.at(i), sums.at(i));
        }
    }
    const int slot = slotOf(item);
    if (!m_items.at(slot)) {
        m_items[slot] = item;
        ++m_count;
    }
    m_sums[slot] = sum;
}
