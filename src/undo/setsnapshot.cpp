#include "undo/setsnapshot.h"

#include "property/core/qtnenuminfo.h"
#include "property/core/qtnproperty.h"
#include "property/core/qtnpropertyenum.h"
#include "property/core/qtnpropertyset.h"

namespace {

QString choiceText(const QtnPropertyEnum &choice)
{
    const QtnEnumInfo *info = choice.enumInfo();
    const QtnEnumValueInfo *entry = info ? info->findByValue(choice.value()) : nullptr;
    return entry ? entry->displayName() : QString();
}

QStringList listTexts(const QtnPropertyEnum &choice)
{
    QStringList texts;
    if (const QtnEnumInfo *info = choice.enumInfo()) {
        for (const QtnEnumValueInfo &entry : info->secondValues())
            texts << entry.displayName();
    }
    return texts;
}

// Keeps every property of a set quiet for as long as it lives.
class Silence
{
public:
    void add(QObject *object) { m_blocked.append({object, object->blockSignals(true)}); }
    ~Silence()
    {
        for (auto it = m_blocked.crbegin(); it != m_blocked.crend(); ++it)
            it->first->blockSignals(it->second);
    }

private:
    QVector<QPair<QObject *, bool>> m_blocked;
};

} // namespace

bool SetSnapshot::Entry::operator==(const Entry &other) const
{
    return property == other.property && value == other.value && stateLocal == other.stateLocal
           && stateInherited == other.stateInherited && choiceText == other.choiceText
           && listTexts == other.listTexts;
}

bool SetSnapshot::operator==(const SetSnapshot &other) const
{
    return m_set == other.m_set && m_entries == other.m_entries;
}

SetSnapshot SetSnapshot::capture(QtnPropertySet *set, const ListKeeper *keeper)
{
    SetSnapshot snapshot;
    snapshot.m_set = set;
    if (set)
        snapshot.collect(set, keeper);
    return snapshot;
}

void SetSnapshot::collect(QtnPropertySet *set, const ListKeeper *keeper)
{
    for (QtnPropertyBase *child : set->childProperties()) {
        if (QtnPropertySet *subSet = child->asPropertySet()) {
            collect(subSet, keeper);
            continue;
        }
        QtnProperty *property = child->asProperty();
        if (!property)
            continue;
        Entry entry;
        entry.property = property;
        property->toVariant(entry.value);
        entry.stateLocal = property->stateLocal();
        entry.stateInherited = property->stateInherited();
        if (auto *choice = qobject_cast<QtnPropertyEnum *>(property)) {
            entry.isChoice = true;
            entry.choiceText = choiceText(*choice);
            entry.keepsList = keeper && keeper->keeps && keeper->keeps(*choice);
            if (entry.keepsList)
                entry.listTexts = listTexts(*choice);
        }
        m_entries.append(entry);
    }
}

void SetSnapshot::apply(const ListKeeper *keeper) const
{
    if (!m_set)
        return;
    Silence silence;
    silence.add(m_set);
    for (const Entry &entry : m_entries) {
        silence.add(entry.property);
        // A sub-set relays its children's announcements to the top set.
        for (QObject *up = entry.property->parent(); up && up != m_set; up = up->parent())
            silence.add(up);
    }
    for (const Entry &entry : m_entries)
        applyEntry(entry, keeper);
}

// Read-only properties refuse values from outside; their states are lifted
// for the moment of the write and then put back as they were kept.
void SetSnapshot::applyEntry(const Entry &entry, const ListKeeper *keeper)
{
    QtnProperty *property = entry.property;
    QVariant current;
    property->toVariant(current);
    auto *choice = entry.isChoice ? qobject_cast<QtnPropertyEnum *>(property) : nullptr;
    const bool valueDiffers = current != entry.value || (choice && choiceText(*choice) != entry.choiceText);
    if (valueDiffers) {
        property->setStateInherited(QtnPropertyStateNone);
        property->setState(QtnPropertyStateNone);
        if (choice) {
            const int kept = entry.value.toInt();
            const QtnEnumInfo *info = choice->enumInfo();
            const QtnEnumValueInfo *same = info ? info->findByValue(kept) : nullptr;
            const QtnEnumValueInfo *byText =
                    info ? info->findByDisplayName(entry.choiceText, Qt::CaseSensitive) : nullptr;
            if (same && same->displayName() == entry.choiceText)
                choice->setValue(kept);
            else if (entry.keepsList && keeper && keeper->restore)
                keeper->restore(*choice, entry.listTexts, entry.choiceText);
            else if (byText)
                choice->setValue(byText->value());
            else
                choice->setValue(kept);
        } else {
            property->fromVariant(entry.value);
        }
    }
    property->setState(entry.stateLocal);
    property->setStateInherited(entry.stateInherited);
}
