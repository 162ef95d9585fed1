#ifndef CHECK_POESETWATCH_H
#define CHECK_POESETWATCH_H

#include "check/poeaddresstable.h"
#include "check/poenetwork.h"
#include "property/core/qtnpropertyset.h"

#include <QVector>

// The property sets of the checked drawing's elements and cables, and the
// revision each showed when the check last took it in: which were edited
// since (a value, or a choice list rebuilt under a value that stays: a
// point's model shows another name). The sets' change log names the few that changed,
// so finding them does not look at every set (only when the log no longer
// reaches back far enough).
class PoeSetWatch
{
public:
    // Every set of the network's elements and cables, taken in as it stands.
    void readAll(const PoeNetwork &network);
    // The sets at their new indexes after a change of shape: the kept ones
    // keep what was taken in, the ones read again are taken in as they
    // stand. The kept ones edited since go into items and cables.
    void carry(const PoeNetwork &network, const PoeNetwork::Reshaped &reshaped, QVector<int> *items,
               QVector<int> *cables);
    // The elements and cables edited since, in order, without taking them
    // in. Every set known must still be there.
    void edited(QVector<int> *items, QVector<int> *cables) const;
    // The elements whose sets the log names since, in order, without
    // looking at a set (some may have gone with their items since); false
    // when the log no longer reaches back, and any may have been edited.
    bool logged(QVector<int> *items) const;
    bool itemEdited(int element) const { return m_itemSets.at(element)->revision() != m_itemSeen.at(element); }
    void takeItem(int element) { m_itemSeen[element] = m_itemSets.at(element)->revision(); }
    void takeCable(int cable) { m_cableSeen[cable] = m_cableSets.at(cable)->revision(); }
    // Whatever was logged so far has been looked at.
    void takeLog();

private:
    static int cableCode(int cable) { return -2 - cable; }
    void carryItems(const PoeNetwork &network, const PoeNetwork::Reshaped &reshaped);
    void carryCables(const PoeNetwork &network, const PoeNetwork::Reshaped &reshaped);
    void indexAll();

    QVector<const QtnPropertySet *> m_itemSets; // per element
    QVector<quint64> m_itemSeen;                // per element: its set's revision
    QVector<const QtnPropertySet *> m_cableSets;
    QVector<quint64> m_cableSeen;               // per cable
    PoeAddressTable m_index; // by set: its element, or cableCode() of its cable
    quint64 m_logEnd = 0;
};

#endif // CHECK_POESETWATCH_H
