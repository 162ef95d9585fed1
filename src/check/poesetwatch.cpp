#include "check/poesetwatch.h"

#include "diagram/diagramitem.h"
#include "diagram/wire.h"
#include "property/core/qtnpropertyset.h"
#include "propertysets/qtnpropertysetwire.h"

#include <algorithm>

namespace {

struct Tail
{
    QVector<const QtnPropertySet *> sets;
    QVector<quint64> seen;
};

// The sets from kept on, and the lists sized for count. Those that no new
// index takes again (from: per new index its index before, or -1; empty
// when none is taken) leave the table; the others keep their entries, to be
// given their new index (taking an entry out costs more than rewriting it).
Tail cutTail(QVector<const QtnPropertySet *> &sets, QVector<quint64> &seen, int kept, int count,
             const QVector<int> &from, PoeAddressTable &index)
{
    Tail tail{sets.mid(kept), seen.mid(kept)};
    QVector<bool> taken(tail.sets.size(), false);
    for (int i = kept; i < from.size(); ++i) {
        if (from.at(i) >= kept)
            taken[from.at(i) - kept] = true;
    }
    for (int t = 0; t < tail.sets.size(); ++t) {
        if (!taken.at(t))
            index.remove(tail.sets.at(t));
    }
    sets.resize(count);
    seen.resize(count);
    return tail;
}

} // namespace

void PoeSetWatch::readAll(const PoeNetwork &network)
{
    const std::vector<PoeNetwork::Element> &elements = network.elements();
    const std::vector<PoeNetwork::Cable> &cables = network.cables();
    m_itemSets.resize(int(elements.size()));
    m_itemSeen.resize(int(elements.size()));
    for (int e = 0; e < int(elements.size()); ++e) {
        m_itemSets[e] = elements[size_t(e)].item->propertySet();
        m_itemSeen[e] = m_itemSets.at(e)->revision();
    }
    m_cableSets.resize(int(cables.size()));
    m_cableSeen.resize(int(cables.size()));
    for (int c = 0; c < int(cables.size()); ++c) {
        m_cableSets[c] = cables[size_t(c)].wire->propertySet();
        m_cableSeen[c] = m_cableSets.at(c)->revision();
    }
    indexAll();
    takeLog();
}

void PoeSetWatch::indexAll()
{
    m_index.reset(m_itemSets.size() + m_cableSets.size());
    for (int e = 0; e < m_itemSets.size(); ++e)
        m_index.insert(m_itemSets.at(e), e);
    for (int c = 0; c < m_cableSets.size(); ++c)
        m_index.insert(m_cableSets.at(c), cableCode(c));
}

void PoeSetWatch::takeLog()
{
    m_logEnd = QtnPropertySet::markChangeLog();
}

void PoeSetWatch::edited(QVector<int> *items, QVector<int> *cables) const
{
    const auto cableEdited = [&](int c) { return m_cableSets.at(c)->revision() != m_cableSeen.at(c); };
    const bool logged = QtnPropertySet::changedSince(m_logEnd, [&](const QtnPropertySet *set) {
        const int code = m_index.value(set);
        // The address may hold another set by now: only the one known counts.
        if (code >= 0) {
            if (code < m_itemSets.size() && m_itemSets.at(code) == set && itemEdited(code))
                *items << code;
        } else if (code <= cableCode(0)) {
            const int c = cableCode(0) - code;
            if (c < m_cableSets.size() && m_cableSets.at(c) == set && cableEdited(c))
                *cables << c;
        }
    });
    if (!logged) {
        // (Holes and dead cables have no set.)
        for (int e = 0; e < m_itemSets.size(); ++e) {
            if (m_itemSets.at(e) && itemEdited(e))
                *items << e;
        }
        for (int c = 0; c < m_cableSets.size(); ++c) {
            if (m_cableSets.at(c) && cableEdited(c))
                *cables << c;
        }
        return;
    }
    // A set logged more than once comes once, and they come in order.
    for (QVector<int> *list : {items, cables}) {
        std::sort(list->begin(), list->end());
        list->erase(std::unique(list->begin(), list->end()), list->end());
    }
}

bool PoeSetWatch::logged(QVector<int> *items) const
{
    const bool reaches = QtnPropertySet::changedSince(m_logEnd, [&](const QtnPropertySet *set) {
        const int code = m_index.value(set);
        if (code >= 0 && code < m_itemSets.size() && m_itemSets.at(code) == set)
            *items << code;
    });
    std::sort(items->begin(), items->end());
    items->erase(std::unique(items->begin(), items->end()), items->end());
    return reaches;
}

void PoeSetWatch::carry(const PoeNetwork &network, const PoeNetwork::Reshaped &reshaped, QVector<int> *items,
                        QVector<int> *cables)
{
    carryItems(network, reshaped);
    carryCables(network, reshaped);
    // The ones read again were taken in as they stand: only the kept ones
    // can show edits.
    edited(items, cables);
    for (int e : qAsConst(*items))
        takeItem(e);
    for (int c : qAsConst(*cables))
        takeCable(c);
    takeLog();
}

// The sets before the kept count stand where they stood (those read again
// there belong to the same items); the rest move to their new indexes or
// are read again, and only they are indexed anew. In place, the sets of the
// elements that went are taken out first, and those after them move down.
void PoeSetWatch::carryItems(const PoeNetwork &network, const PoeNetwork::Reshaped &reshaped)
{
    const std::vector<PoeNetwork::Element> &elements = network.elements();
    const int count = int(elements.size());
    const int kept = reshaped.keptElements;
    const auto read = [&](int e) {
        const DiagramItem *item = elements[size_t(e)].item;
        if (!item) {
            // A hole: the set went with its item.
            m_index.remove(m_itemSets.at(e));
            m_itemSets[e] = nullptr;
            m_itemSeen[e] = 0;
            return;
        }
        m_itemSets[e] = item->propertySet();
        m_itemSeen[e] = m_itemSets.at(e)->revision();
    };
    int moved = kept;
    if (reshaped.inPlace && !reshaped.goneElements.isEmpty()) {
        for (int e : reshaped.goneElements)
            m_index.remove(m_itemSets.at(e));
        reshaped.dropGone(m_itemSets);
        reshaped.dropGone(m_itemSeen);
        moved = reshaped.goneElements.first();
    }
    const Tail tail = cutTail(m_itemSets, m_itemSeen, kept, count,
                              reshaped.inPlace ? QVector<int>() : reshaped.elementFrom, m_index);
    if (reshaped.inPlace) {
        for (int e : reshaped.reread)
            read(e);
    } else {
        const QVector<int> &from = reshaped.elementFrom;
        for (int e = 0; e < count; ++e) {
            if (from.at(e) < 0) {
                read(e);
            } else if (e >= kept) {
                m_itemSets[e] = tail.sets.at(from.at(e) - kept);
                m_itemSeen[e] = tail.seen.at(from.at(e) - kept);
            }
        }
    }
    for (int e = std::min(moved, kept); e < count; ++e) {
        if (m_itemSets.at(e))
            m_index.insert(m_itemSets.at(e), e);
    }
}

// The same for the cables.
void PoeSetWatch::carryCables(const PoeNetwork &network, const PoeNetwork::Reshaped &reshaped)
{
    const std::vector<PoeNetwork::Cable> &cables = network.cables();
    const int count = int(cables.size());
    const int kept = reshaped.keptCables;
    const QVector<int> &from = reshaped.cableFrom;
    // Out first: a new set may have the address of one that went.
    for (int c : reshaped.rewrittenCables)
        m_index.remove(m_cableSets.at(c));
    const Tail tail = cutTail(m_cableSets, m_cableSeen, kept, count, from, m_index);
    for (int c : reshaped.rewrittenCables) {
        const Wire *wire = cables[size_t(c)].wire;
        m_cableSets[c] = wire ? wire->propertySet() : nullptr;
        m_cableSeen[c] = wire ? m_cableSets.at(c)->revision() : 0;
        if (wire)
            m_index.insert(m_cableSets.at(c), cableCode(c));
    }
    for (int c = kept; c < count; ++c) {
        if (from.at(c) < 0) {
            m_cableSets[c] = cables[size_t(c)].wire->propertySet();
            m_cableSeen[c] = m_cableSets.at(c)->revision();
        } else {
            m_cableSets[c] = tail.sets.at(from.at(c) - kept);
            m_cableSeen[c] = tail.seen.at(from.at(c) - kept);
        }
        m_index.insert(m_cableSets.at(c), cableCode(c));
    }
}
