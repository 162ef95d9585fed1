#include "propertysets/qtnpropertysetpd.h"

#include "propertysets/moxenums.h"
#include "propertysets/setsupport.h"

QtnPropertySetPD::QtnPropertySetPD(QObject* parent)
    : QtnPropertySet(parent),
      Lokalizacja(*new QtnPropertyQString(this)),
      Number(*new QtnPropertyUInt(this)),
      Model(*new QtnPropertyEnum(this)),
      PC(*new QtnPropertyEnum(this)),
      NVR(*new QtnPropertyEnum(this)),
      SFP(*new QtnPropertyEnum(this)),
      Bitrate(*new QtnPropertyInt(this)),
      Power230(*new QtnPropertyEnum(this)),
      Backup(*new QtnPropertyEnum(this)),
      Calculate(*new QtnPropertyEnum(this)),
      BatterySet(*new QtnPropertyUInt(this)),
      BatteryCount(*new QtnPropertyUInt(this)),
      BoxType(*new QtnPropertyEnum(this)),
      Vout(*new QtnPropertyUInt(this)),
      Vin(*new QtnPropertyDouble(this)),
      AdvancedPD(*new QtnPropertySettest(this)),
      Storage(*new QtnPropertyDouble(this))
{
    {
        const QuietConstruction quiet(*this);
        init();
    }
    connectRules();
}

QtnPropertySetPD::~QtnPropertySetPD() = default;

namespace {
void initYesNo(QtnPropertyEnum& property, MoxEnums::YesNo value, QtnPropertyState state)
{
    property.setEnumInfo(&MoxEnums::power());
    property.setState(state);
    property.setValue(value);
}
} // namespace

void QtnPropertySetPD::init()
{
    setName(QStringLiteral("PD"));

    describeProperty(Lokalizacja, QStringLiteral("Lokalizacja"),
                     QStringLiteral("Fizyczna lokalizacja urządzenia na obiekcie. Przyjazna nazwa."),
                     QStringLiteral("Lokalizacja"));
    Lokalizacja.setState(QtnPropertyStateNone);
    Lokalizacja.setValue(QStringLiteral("Lokalizacja"));

    describeProperty(Number, QStringLiteral("Number"),
                     QStringLiteral("Numer urządzenia wyświetlany obok PD..., jeśli jest wpisane 0 to nie jest nic "
                                    "wyświetlane"),
                     QStringLiteral("Numer"));
    Number.setMaxValue(100);
    Number.setMinValue(0);
    Number.setState(QtnPropertyStateNone);
    Number.setValue(0);

    describeProperty(Model, QStringLiteral("Model"), QStringLiteral("Model punktu dystrybucyjnego"),
                     QStringLiteral("Model PD"));
    Model.setEnumInfo(&MoxEnums::pdType());
    Model.setState(QtnPropertyStateNone);
    Model.setValue(MoxEnums::NotSpecified);

    describeProperty(PC, QStringLiteral("PC"), QStringLiteral("PC - Komputer osobisty"), QStringLiteral("PC"));
    initYesNo(PC, MoxEnums::No, QtnPropertyStateNone);

    describeProperty(NVR, QStringLiteral("NVR"), QStringLiteral("Rejestrator NVR - network video recorder"),
                     QStringLiteral("Rejestrator"));
    initYesNo(NVR, MoxEnums::No, QtnPropertyStateNone);

    describeProperty(SFP, QStringLiteral("SFP"), QStringLiteral("Wkładka SFP"), QStringLiteral("SFP"));
    initYesNo(SFP, MoxEnums::No, QtnPropertyStateNone);

    describeProperty(Bitrate, QStringLiteral("Bitrate"), QStringLiteral("Strumień danych generowany przez urządzenie"),
                     QStringLiteral("Bitrate [Kbps]"));
    Bitrate.setMaxValue(131072);
    Bitrate.setMinValue(1);
    Bitrate.setState(QtnPropertyStateNone);
    Bitrate.setValue(4096);

    describeProperty(Power230, QStringLiteral("Power230"), QStringLiteral("Zasilanie 230V: TAK NIE"),
                     QStringLiteral("Zasilanie 230"));
    initYesNo(Power230, MoxEnums::Yes, QtnPropertyStateNone);

    describeProperty(Backup, QStringLiteral("Backup"), QStringLiteral("Awaryjne podtrzymanie zasilania : TAK NIE "),
                     QStringLiteral("Awaryjne zasilanie"));
    initYesNo(Backup, MoxEnums::No, QtnPropertyStateNone);

    describeProperty(Calculate, QStringLiteral("Calculate"),
                     QStringLiteral("Oblicz pojemność akumulatora na podstawie podanej wartości czasu pracy i sumy "
                                    "podłączonych obciążeń : TAK NIE "),
                     QStringLiteral("Oblicz pojemność"));
    initYesNo(Calculate, MoxEnums::No, QtnPropertyStateImmutable);

    describeProperty(BatterySet, QStringLiteral("BatterySet"), QStringLiteral("Podaj pojemność akumulatora [Ah]"),
                     QStringLiteral("Pojemność akumulatora [Ah]"));
    BatterySet.setMaxValue(1000);
    BatterySet.setMinValue(0);
    BatterySet.setState(QtnPropertyStateImmutable);
    BatterySet.setValue(0);

    describeProperty(BatteryCount, QStringLiteral("BatteryCount"),
                     QStringLiteral("Wylicz pojemność akumulatora podając wymagany czas podtrzymania w godzinach."),
                     QStringLiteral("Czas podtrzymania [h]"));
    BatteryCount.setMaxValue(1000);
    BatteryCount.setMinValue(0);
    BatteryCount.setState(QtnPropertyStateImmutable);
    BatteryCount.setValue(0);

    describeProperty(BoxType, QStringLiteral("BoxType"), QStringLiteral("Określenie rodzaju obudowy"),
                     QStringLiteral("Rodzaj obudowy"));
    BoxType.setEnumInfo(&MoxEnums::boxType());
    BoxType.setState(QtnPropertyStateNone);
    BoxType.setValue(MoxEnums::NotSpecified);

    describeProperty(Vout, QStringLiteral("Vout"), QStringLiteral("Napięcie zasilania wyjściowe na slocie POE."),
                     QStringLiteral("VOUT [V]"));
    Vout.setMaxValue(100);
    Vout.setMinValue(0);
    Vout.setState(QtnPropertyStateImmutable);
    Vout.setValue(48);

    describeProperty(Vin, QStringLiteral("Vin"),
                     QStringLiteral("Napięcie zasilania urządzenia, po uwzględnieniu spadku napięcia na przewodzie."),
                     QStringLiteral("VIN [V]"));
    Vin.setMaxValue(100);
    Vin.setMinValue(0);
    Vin.setStepValue(0.01);
    Vin.setState(QtnPropertyStateImmutable);
    Vin.setValue(0.0);

    describeProperty(Storage, QStringLiteral("Storage"),
                     QStringLiteral("Pojemność dysków potrzebna rejestratorowi na nagrania jego kamer przy "
                                    "ustawieniach archiwizacji projektu."),
                     QStringLiteral("Archiwum rejestratora [TB]"));
    Storage.setMinValue(0);
    Storage.setStepValue(0.01);
    Storage.setState(QtnPropertyStateImmutable);
    Storage.setValue(0.0);
}

// Each rule runs on every change its property announces, state changes
// included, and reads the current value. A state or value set by one rule
// fires the rule of that property in turn, so the end state always matches
// the final values: switching "Power230" to "nie" runs rule 2 through
// "Backup", which runs rule 3 through "Calculate".
void QtnPropertySetPD::connectRules()
{
    connect(&Power230, &QtnPropertyBase::propertyDidChange, this, [this]() { power230Changed(); });
    connect(&Backup, &QtnPropertyBase::propertyDidChange, this, [this]() { backupChanged(); });
    connect(&Calculate, &QtnPropertyBase::propertyDidChange, this, [this]() { calculateChanged(); });
}

// Without mains there is nothing to charge a battery from.
void QtnPropertySetPD::power230Changed()
{
    if (Power230.value() == MoxEnums::Yes) {
        Backup.setState(QtnPropertyStateNone);
        return;
    }
    Backup.setState(QtnPropertyStateImmutable);
    Backup.setValue(MoxEnums::No);
    BatterySet.setState(QtnPropertyStateImmutable);
    BatterySet.setValue(0);
    BatteryCount.setState(QtnPropertyStateImmutable);
    BatteryCount.setValue(0);
}

void QtnPropertySetPD::backupChanged()
{
    if (Backup.value() == MoxEnums::Yes) {
        BatterySet.setState(QtnPropertyStateNone);
        BatteryCount.setState(QtnPropertyStateNone);
        Calculate.setState(QtnPropertyStateNone);
        return;
    }
    Calculate.setState(QtnPropertyStateImmutable);
    Calculate.setValue(MoxEnums::No);
    BatterySet.setState(QtnPropertyStateImmutable);
    BatterySet.setValue(0);
    BatteryCount.setState(QtnPropertyStateImmutable);
    BatteryCount.setValue(0);
}

// "tak": the capacity is computed from the backup time the user enters;
// "nie": the user enters the capacity.
void QtnPropertySetPD::calculateChanged()
{
    BatterySet.setState(QtnPropertyStateNone);
    BatteryCount.setState(QtnPropertyStateNone);
    if (Calculate.value() == MoxEnums::Yes) {
        BatterySet.setState(QtnPropertyStateImmutable);
        BatterySet.setValue(0);
    } else {
        BatteryCount.setState(QtnPropertyStateImmutable);
        BatteryCount.setValue(0);
    }
}

QtnPropertySetPD& QtnPropertySetPD::operator=(const QtnPropertySetPD& other)
{
    copyValuesFrom(other, QtnPropertyStateNone);
    return *this;
}

void QtnPropertySetPD::copyValuesFrom(const QtnPropertySetPD& source, QtnPropertyState ignoreMask)
{
    copyPropertyValue(Lokalizacja, source.Lokalizacja, ignoreMask);
    copyPropertyValue(Number, source.Number, ignoreMask);
    copyPropertyValue(Model, source.Model, ignoreMask);
    copyPropertyValue(PC, source.PC, ignoreMask);
    copyPropertyValue(NVR, source.NVR, ignoreMask);
    copyPropertyValue(SFP, source.SFP, ignoreMask);
    copyPropertyValue(Bitrate, source.Bitrate, ignoreMask);
    copyPropertyValue(Power230, source.Power230, ignoreMask);
    copyPropertyValue(Backup, source.Backup, ignoreMask);
    copyPropertyValue(Calculate, source.Calculate, ignoreMask);
    copyPropertyValue(BatterySet, source.BatterySet, ignoreMask);
    copyPropertyValue(BatteryCount, source.BatteryCount, ignoreMask);
    copyPropertyValue(BoxType, source.BoxType, ignoreMask);
    copyPropertyValue(Vout, source.Vout, ignoreMask);
    copyPropertyValue(Vin, source.Vin, ignoreMask);
    AdvancedPD.copyValuesFrom(source.AdvancedPD, ignoreMask);
    copyPropertyValue(Storage, source.Storage, ignoreMask);
}

QtnPropertySet* QtnPropertySetPD::createNewImpl(QObject* parentForNew) const
{
    return new QtnPropertySetPD(parentForNew);
}

QtnPropertySet* QtnPropertySetPD::createCopyImpl(QObject* parentForCopy) const
{
    return createCopyOfSet(*this, parentForCopy);
}

bool QtnPropertySetPD::copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask)
{
    return copyValuesOfSameClass(*this, propertySetCopyFrom, ignoreMask);
}
