#ifndef UNDO_SETSNAPSHOT_H
#define UNDO_SETSNAPSHOT_H

#include "property/core/qtnpropertystate.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <functional>

class QtnProperty;
class QtnPropertyEnum;
class QtnPropertySet;

// Every value and state of a property set, its sub-sets included, taken at
// one moment and put back later as a whole. Nothing here knows particular
// sets: the walk goes over whatever children a set has, so a property added
// to a set later travels along without a change here.
//
// Putting back is silent. No property announces anything, so neither the
// rules of a set run on the way (restoring "Calculate" would make the rule
// zero a capacity that is being restored too) nor the editor's reactions to
// an edit (a camera model would fetch power and bitrate from the catalogue
// again); read-only results are put back as well. The caller recalculates.
class SetSnapshot
{
public:
    // Choice lists that belong to one property and are rebuilt from outside
    // (the fitting models of a distribution point, renewed by every
    // calculation pass): their texts are kept, and restore() rebuilds the
    // list with the kept choice when the list of the moment lacks it.
    struct ListKeeper {
        std::function<bool(const QtnPropertyEnum &)> keeps;
        std::function<void(QtnPropertyEnum &, const QStringList &texts, const QString &chosen)> restore;
    };

    SetSnapshot() = default;
    static SetSnapshot capture(QtnPropertySet *set, const ListKeeper *keeper = nullptr);

    QtnPropertySet *set() const { return m_set; }
    // Puts every value and state back into the set it was taken from.
    void apply(const ListKeeper *keeper = nullptr) const;

    bool operator==(const SetSnapshot &other) const;
    bool operator!=(const SetSnapshot &other) const { return !(*this == other); }

private:
    struct Entry {
        QtnProperty *property = nullptr;
        QVariant value;
        QtnPropertyState stateLocal;
        QtnPropertyState stateInherited;
        bool isChoice = false;
        QString choiceText;
        bool keepsList = false;
        QStringList listTexts;
        bool operator==(const Entry &other) const;
    };

    void collect(QtnPropertySet *set, const ListKeeper *keeper);
    static void applyEntry(const Entry &entry, const ListKeeper *keeper);

    QtnPropertySet *m_set = nullptr;
    QVector<Entry> m_entries;
};

#endif // UNDO_SETSNAPSHOT_H
