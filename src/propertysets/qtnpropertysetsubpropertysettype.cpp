#include "propertysets/qtnpropertysetsubpropertysettype.h"

#include "propertysets/setsupport.h"

QtnPropertySetSubPropertySetType::QtnPropertySetSubPropertySetType(QObject* parent)
    : QtnPropertySet(parent),
      Resistance(*new QtnPropertyDouble(this)),
      PowerAvailable(*new QtnPropertyDouble(this)),
      PowerLost(*new QtnPropertyDouble(this)),
      VoltageLoss(*new QtnPropertyDouble(this)),
      VoltageAvailable(*new QtnPropertyDouble(this))
{
    const QuietConstruction quiet(*this);
    init();
}

QtnPropertySetSubPropertySetType::~QtnPropertySetSubPropertySetType() = default;

void QtnPropertySetSubPropertySetType::init()
{
    describeProperty(*this, QStringLiteral("Advanced"), QStringLiteral("Zaawansowane parametry urządzenia"),
                     QStringLiteral("Zaawansowane"));
    setState(QtnPropertyStateImmutable | QtnPropertyStateCollapsed);
    describeSupplyWireResults(Resistance, PowerAvailable, PowerLost, VoltageLoss, VoltageAvailable);
}

QtnPropertySetSubPropertySetType& QtnPropertySetSubPropertySetType::operator=(
    const QtnPropertySetSubPropertySetType& other)
{
    copyValuesFrom(other, QtnPropertyStateNone);
    return *this;
}

void QtnPropertySetSubPropertySetType::copyValuesFrom(const QtnPropertySetSubPropertySetType& source,
                                                QtnPropertyState ignoreMask)
{
    copyPropertyValue(Resistance, source.Resistance, ignoreMask);
    copyPropertyValue(PowerAvailable, source.PowerAvailable, ignoreMask);
    copyPropertyValue(PowerLost, source.PowerLost, ignoreMask);
    copyPropertyValue(VoltageLoss, source.VoltageLoss, ignoreMask);
    copyPropertyValue(VoltageAvailable, source.VoltageAvailable, ignoreMask);
}

QtnPropertySet* QtnPropertySetSubPropertySetType::createNewImpl(QObject* parentForNew) const
{
    return new QtnPropertySetSubPropertySetType(parentForNew);
}

QtnPropertySet* QtnPropertySetSubPropertySetType::createCopyImpl(QObject* parentForCopy) const
{
    return createCopyOfSet(*this, parentForCopy);
}

bool QtnPropertySetSubPropertySetType::copyValuesImpl(QtnPropertySet* propertySetCopyFrom,
                                                      QtnPropertyState ignoreMask)
{
    return copyValuesOfSameClass(*this, propertySetCopyFrom, ignoreMask);
}
