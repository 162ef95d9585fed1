#ifndef SETSUPPORT_H
#define SETSUPPORT_H

#include "property/core/qtnpropertybase.h"
#include "property/core/qtnpropertydouble.h"
#include "property/core/qtnpropertyset.h"

// Small pieces shared by the hand-written model sets.

// While a model set under construction names its properties and gives them
// their defaults, nothing can listen to it yet but its own relays: its
// announcements (about a dozen per property, each relayed through the sets
// above) are held back. Reading a large project builds thousands of sets.
// A set built inside another set may be heard through that one, so only a
// set without a set above it holds back. States reach the children by
// direct calls and stay exact.
class QuietConstruction
{
public:
    explicit QuietConstruction(QtnPropertySet& set)
    {
        if (!qobject_cast<QtnPropertySet*>(set.parent()))
            hold(&set);
    }
    ~QuietConstruction()
    {
        for (QObject* object : m_held)
            object->blockSignals(false);
    }
    QuietConstruction(const QuietConstruction&) = delete;
    QuietConstruction& operator=(const QuietConstruction&) = delete;

private:
    void hold(QtnPropertyBase* property)
    {
        if (!property->blockSignals(true))
            m_held.append(property);
        if (auto* set = qobject_cast<QtnPropertySet*>(property)) {
            for (QtnPropertyBase* child : set->childProperties())
                hold(child);
        }
    }
    QList<QObject*> m_held;
};

// Name, description and caption, in the order every set sets them.
inline void describeProperty(QtnPropertyBase& property, const QString& name, const QString& description,
                             const QString& displayName)
{
    property.setName(name);
    property.setDescription(description);
    property.setDisplayName(displayName);
}

// One step of copyValues: a source property whose effective state shares a
// flag with the mask is left out.
template <typename Property>
inline void copyPropertyValue(Property& target, const Property& source, QtnPropertyState ignoreMask)
{
    if (source.state() & ignoreMask)
        return;
    target.setValue(source.value());
}

// createCopy of a model set: a new set of the same class with every value,
// whatever the states.
template <typename Set>
inline QtnPropertySet* createCopyOfSet(const Set& set, QObject* parentForCopy)
{
    auto* copy = new Set(parentForCopy);
    *copy = set;
    return copy;
}

// copyValues of a model set: only a source of the same class can give values.
template <typename Set>
inline bool copyValuesOfSameClass(Set& target, QtnPropertySet* source, QtnPropertyState ignoreMask)
{
    auto* same = qobject_cast<Set*>(source);
    if (!same)
        return false;
    target.copyValuesFrom(*same, ignoreMask);
    return true;
}

// The five results of a device's supply cable, common to the "Advanced" sub-set
// of a camera and the "AdvancedPD" sub-set of a distribution point.
inline void describeSupplyWireResults(QtnPropertyDouble& resistance, QtnPropertyDouble& powerAvailable,
                                      QtnPropertyDouble& powerLost, QtnPropertyDouble& voltageLoss,
                                      QtnPropertyDouble& voltageAvailable)
{
    describeProperty(resistance, QStringLiteral("Resistance"), QStringLiteral("Rezystacja przewodu zasilającego."),
                     QStringLiteral("Rezystacja [ohm]"));
    resistance.setValue(0.0);
    describeProperty(powerAvailable, QStringLiteral("PowerAvailable"),
                     QStringLiteral("Moc dostępna dla urządzenia po uwzględnieniu strat na przewodzie."),
                     QStringLiteral("Moc dostępna [W]"));
    powerAvailable.setValue(0.0);
    describeProperty(powerLost, QStringLiteral("PowerLost"),
                     QStringLiteral("Moc tracona wynikająca z rezystancji przewodu i prądu obciążenia urządzenia."),
                     QStringLiteral("Moc tracona [W]"));
    powerLost.setValue(0.0);
    describeProperty(voltageLoss, QStringLiteral("VoltageLoss"),
                     QStringLiteral("Spadek napięcia na przewodzie zasilającym."),
                     QStringLiteral("Spadek napięcia [V]"));
    voltageLoss.setValue(0.0);
    describeProperty(voltageAvailable, QStringLiteral("VoltageAvailable"),
                     QStringLiteral("Dostępne napięcie na odbiorniku."), QStringLiteral("Napięcie na odbiorniku [V]"));
    voltageAvailable.setValue(0.0);
}

#endif // SETSUPPORT_H
