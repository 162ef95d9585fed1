#include "propertysets/qtnpropertysetcamera.h"

#include "propertysets/moxenums.h"
#include "propertysets/setsupport.h"

QtnPropertySetCamera::QtnPropertySetCamera(QObject* parent)
    : QtnPropertySet(parent),
      Name(*new QtnPropertyQString(this)),
      Number(*new QtnPropertyUInt(this)),
      Lokalizacja(*new QtnPropertyQString(this)),
      Model(*new QtnPropertyEnum(this)),
      Power(*new QtnPropertyUInt(this)),
      Bitrate(*new QtnPropertyInt(this)),
      Vin(*new QtnPropertyDouble(this)),
      Advanced(*new QtnPropertySetSubPropertySetType(this))
{
    const QuietConstruction quiet(*this);
    init();
}

QtnPropertySetCamera::~QtnPropertySetCamera() = default;

void QtnPropertySetCamera::init()
{
    setName(QStringLiteral("Camera"));

    describeProperty(Name, QStringLiteral("Name"), QStringLiteral("Przyjazna nazwa"), QStringLiteral("Nazwa"));
    Name.setState(QtnPropertyStateNone);
    Name.setValue(QStringLiteral("Nazwa kamery"));

    describeProperty(Number, QStringLiteral("Number"),
                     QStringLiteral("Numer urządzenia wyświetlany obok K..., jeśli jest wpisane 0 to nie jest nic "
                                    "wyświetlane"),
                     QStringLiteral("Numer"));
    Number.setMaxValue(100);
    Number.setMinValue(0);
    Number.setState(QtnPropertyStateNone);
    Number.setValue(0);

    describeProperty(Lokalizacja, QStringLiteral("Lokalizacja"),
                     QStringLiteral("Fizyczna lokalizacja urządzenia na obiekcie. Przyjazna nazwa."),
                     QStringLiteral("Lokalizacja"));
    Lokalizacja.setState(QtnPropertyStateNone);
    Lokalizacja.setValue(QStringLiteral("Lokalizacja"));

    describeProperty(Model, QStringLiteral("Model"), QStringLiteral("Model Kamery"), QStringLiteral("Model kamery"));
    Model.setEnumInfo(&MoxEnums::cameraType());
    Model.setState(QtnPropertyStateNone);
    Model.setValue(MoxEnums::NotSpecified);

    describeProperty(Power, QStringLiteral("Power"), QStringLiteral("Moc pobierana przez urządzenie"),
                     QStringLiteral("Moc [W]"));
    Power.setMaxValue(100);
    Power.setMinValue(1);
    Power.setState(QtnPropertyStateNone);
    Power.setValue(8);

    describeProperty(Bitrate, QStringLiteral("Bitrate"), QStringLiteral("Strumień danych generowany przez urządzenie"),
                     QStringLiteral("Bitrate [Kbps]"));
    Bitrate.setMaxValue(131072);
    Bitrate.setMinValue(1);
    Bitrate.setState(QtnPropertyStateNone);
    Bitrate.setValue(4096);

    describeProperty(Vin, QStringLiteral("Vin"),
                     QStringLiteral("Napięcie zasilania urządzenia, po uwzględnieniu spadku napięcia na przewodzie."),
                     QStringLiteral("VIN [V]"));
    Vin.setMaxValue(100);
    Vin.setMinValue(0);
    Vin.setStepValue(0.01);
    Vin.setState(QtnPropertyStateImmutable);
    Vin.setValue(0.0);
}

QtnPropertySetCamera& QtnPropertySetCamera::operator=(const QtnPropertySetCamera& other)
{
    copyValuesFrom(other, QtnPropertyStateNone);
    return *this;
}

void QtnPropertySetCamera::copyValuesFrom(const QtnPropertySetCamera& source, QtnPropertyState ignoreMask)
{
    copyPropertyValue(Name, source.Name, ignoreMask);
    copyPropertyValue(Number, source.Number, ignoreMask);
    copyPropertyValue(Lokalizacja, source.Lokalizacja, ignoreMask);
    copyPropertyValue(Model, source.Model, ignoreMask);
    copyPropertyValue(Power, source.Power, ignoreMask);
    copyPropertyValue(Bitrate, source.Bitrate, ignoreMask);
    copyPropertyValue(Vin, source.Vin, ignoreMask);
    Advanced.copyValuesFrom(source.Advanced, ignoreMask);
}

QtnPropertySet* QtnPropertySetCamera::createNewImpl(QObject* parentForNew) const
{
    return new QtnPropertySetCamera(parentForNew);
}

QtnPropertySet* QtnPropertySetCamera::createCopyImpl(QObject* parentForCopy) const
{
    return createCopyOfSet(*this, parentForCopy);
}

bool QtnPropertySetCamera::copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask)
{
    return copyValuesOfSameClass(*this, propertySetCopyFrom, ignoreMask);
}
