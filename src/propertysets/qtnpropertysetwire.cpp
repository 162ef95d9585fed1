#include "propertysets/qtnpropertysetwire.h"

#include "propertysets/moxenums.h"
#include "propertysets/setsupport.h"

QtnPropertySetWire::QtnPropertySetWire(QObject* parent)
    : QtnPropertySet(parent),
      Model(*new QtnPropertyEnum(this)),
      UintLenght(*new QtnPropertyUInt(this))
{
    const QuietConstruction quiet(*this);
    init();
}

QtnPropertySetWire::~QtnPropertySetWire() = default;

void QtnPropertySetWire::init()
{
    setName(QStringLiteral("Wire"));

    describeProperty(Model, QStringLiteral("Model"), QStringLiteral("Typ przewodu"), QStringLiteral("Typ "));
    Model.setEnumInfo(&MoxEnums::wireType());
    Model.setState(QtnPropertyStateNone);
    Model.setValue(MoxEnums::NotSpecified);

    describeProperty(UintLenght, QStringLiteral("UintLenght"), QStringLiteral("Długość przewodu w metrach [1, 200]."),
                     QStringLiteral("Długość przewodu [m]"));
    UintLenght.setMaxValue(200);
    UintLenght.setMinValue(1);
    UintLenght.setState(QtnPropertyStateNone);
    UintLenght.setValue(50);
}

QtnPropertySetWire& QtnPropertySetWire::operator=(const QtnPropertySetWire& other)
{
    copyValuesFrom(other, QtnPropertyStateNone);
    return *this;
}

void QtnPropertySetWire::copyValuesFrom(const QtnPropertySetWire& source, QtnPropertyState ignoreMask)
{
    copyPropertyValue(Model, source.Model, ignoreMask);
    copyPropertyValue(UintLenght, source.UintLenght, ignoreMask);
}

QtnPropertySet* QtnPropertySetWire::createNewImpl(QObject* parentForNew) const
{
    return new QtnPropertySetWire(parentForNew);
}

QtnPropertySet* QtnPropertySetWire::createCopyImpl(QObject* parentForCopy) const
{
    return createCopyOfSet(*this, parentForCopy);
}

bool QtnPropertySetWire::copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask)
{
    return copyValuesOfSameClass(*this, propertySetCopyFrom, ignoreMask);
}
