#include "propertysets/qtnpropertysettest.h"

#include "propertysets/setsupport.h"

QtnPropertySettest::QtnPropertySettest(QObject* parent)
    : QtnPropertySet(parent),
      OutBitrate(*new QtnPropertyUInt(this)),
      OutPower(*new QtnPropertyUInt(this)),
      Resistance(*new QtnPropertyDouble(this)),
      PowerAvailable(*new QtnPropertyDouble(this)),
      PowerLost(*new QtnPropertyDouble(this)),
      VoltageLoss(*new QtnPropertyDouble(this)),
      VoltageAvailable(*new QtnPropertyDouble(this))
{
    const QuietConstruction quiet(*this);
    init();
}

QtnPropertySettest::~QtnPropertySettest() = default;

void QtnPropertySettest::init()
{
    describeProperty(*this, QStringLiteral("AdvancedPD"), QStringLiteral("Zaawansowane parametry urządzenia"),
                     QStringLiteral("Zaawansowane"));
    setState(QtnPropertyStateImmutable | QtnPropertyStateCollapsed);
    describeProperty(OutBitrate, QStringLiteral("OutBitrate"),
                     QStringLiteral("Przepustowość urządzenia wyliczona po podstawie sumy podłączonych urządzeń"),
                     QStringLiteral("Bitrate [Kbps]"));
    OutBitrate.setValue(0);
    describeProperty(OutPower, QStringLiteral("OutPower"),
                     QStringLiteral("Moc na wyjściu urządzenia wyliczona na podstawie sumy podłączonych urządzeń"),
                     QStringLiteral("Moc obciążeń [W]"));
    OutPower.setValue(0);
    describeSupplyWireResults(Resistance, PowerAvailable, PowerLost, VoltageLoss, VoltageAvailable);
}

QtnPropertySettest& QtnPropertySettest::operator=(const QtnPropertySettest& other)
{
    copyValuesFrom(other, QtnPropertyStateNone);
    return *this;
}

void QtnPropertySettest::copyValuesFrom(const QtnPropertySettest& source, QtnPropertyState ignoreMask)
{
    copyPropertyValue(OutBitrate, source.OutBitrate, ignoreMask);
    copyPropertyValue(OutPower, source.OutPower, ignoreMask);
    copyPropertyValue(Resistance, source.Resistance, ignoreMask);
    copyPropertyValue(PowerAvailable, source.PowerAvailable, ignoreMask);
    copyPropertyValue(PowerLost, source.PowerLost, ignoreMask);
    copyPropertyValue(VoltageLoss, source.VoltageLoss, ignoreMask);
    copyPropertyValue(VoltageAvailable, source.VoltageAvailable, ignoreMask);
}

QtnPropertySet* QtnPropertySettest::createNewImpl(QObject* parentForNew) const
{
    return new QtnPropertySettest(parentForNew);
}

QtnPropertySet* QtnPropertySettest::createCopyImpl(QObject* parentForCopy) const
{
    return createCopyOfSet(*this, parentForCopy);
}

bool QtnPropertySettest::copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask)
{
    return copyValuesOfSameClass(*this, propertySetCopyFrom, ignoreMask);
}
