#include "propertysets/qtnpropertysetproject.h"

#include "propertysets/setsupport.h"

QtnPropertySetProject::QtnPropertySetProject(QObject* parent)
    : QtnPropertySet(parent),
      Name(*new QtnPropertyQString(this)),
      Address(*new QtnPropertyQString(this)),
      Comments(*new QtnPropertyQString(this)),
      CreateDate(*new QtnPropertyQString(this)),
      ColorWires(*new QtnPropertyQColor(this)),
      ColorCameras(*new QtnPropertyQColor(this)),
      ColorPD(*new QtnPropertyQColor(this)),
      ArchiveDays(*new QtnPropertyUInt(this)),
      RecordingHours(*new QtnPropertyUInt(this)),
      StorageReserve(*new QtnPropertyUInt(this))
{
    init();
    connectDelegates();
}

QtnPropertySetProject::~QtnPropertySetProject() = default;

void QtnPropertySetProject::init()
{
    setName(QStringLiteral("Project"));

    describeProperty(Name, QStringLiteral("Name"), QStringLiteral("Nazwa inwestycji."),
                     QStringLiteral("Nazwa inwestycji"));
    Name.setState(QtnPropertyStateNone);
    Name.setValue(QStringLiteral("inwestycja 1"));

    describeProperty(Address, QStringLiteral("Address"), QStringLiteral("Adres inwestycji"), QStringLiteral("Adres"));
    Address.setState(QtnPropertyStateNone);
    Address.setValue(QStringLiteral("adres 1"));

    describeProperty(Comments, QStringLiteral("Comments"), QStringLiteral("Uwagi związane z inwestycją."),
                     QStringLiteral("Uwagi"));
    Comments.setState(QtnPropertyStateNone);
    Comments.setValue(QStringLiteral("uwagi"));

    describeProperty(CreateDate, QStringLiteral("CreateDate"), QStringLiteral("Data utworzenia projektu."),
                     QStringLiteral("Utworzono"));
    CreateDate.setState(QtnPropertyStateImmutable);
    CreateDate.setValue(QStringLiteral("2017-01-01"));

    describeProperty(ColorWires, QStringLiteral("ColorWires"), QStringLiteral("Color dla połączeń"),
                     QStringLiteral("Kolor połączeń"));
    ColorWires.setState(QtnPropertyStateNone);
    ColorWires.setValue(QColor(0, 0, 0, 255));

    describeProperty(ColorCameras, QStringLiteral("ColorCameras"),
                     QStringLiteral("Kolor dla wszystkich kamer na schemacie"), QStringLiteral("Kolor kamer"));
    ColorCameras.setState(QtnPropertyStateNone);
    ColorCameras.setValue(QColor(0, 0, 0, 255));

    describeProperty(ColorPD, QStringLiteral("ColorPD"),
                     QStringLiteral("Kolor dla wszystkich punktów dystrybucyjnych na schemacie"),
                     QStringLiteral("Kolor PD"));
    ColorPD.setState(QtnPropertyStateNone);
    ColorPD.setValue(QColor(0, 0, 0, 255));

    describeProperty(ArchiveDays, QStringLiteral("ArchiveDays"),
                     QStringLiteral("Liczba dni, przez które rejestrator przechowuje nagrania."),
                     QStringLiteral("Dni archiwizacji"));
    ArchiveDays.setMaxValue(3650);
    ArchiveDays.setMinValue(1);
    ArchiveDays.setState(QtnPropertyStateNone);
    ArchiveDays.setValue(DefaultArchiveDays);

    describeProperty(RecordingHours, QStringLiteral("RecordingHours"),
                     QStringLiteral("Liczba godzin nagrywania w ciągu doby."),
                     QStringLiteral("Godzin nagrywania na dobę"));
    RecordingHours.setMaxValue(24);
    RecordingHours.setMinValue(1);
    RecordingHours.setState(QtnPropertyStateNone);
    RecordingHours.setValue(DefaultRecordingHours);

    describeProperty(StorageReserve, QStringLiteral("StorageReserve"),
                     QStringLiteral("Zapas pojemności dysków rejestratora ponad wyliczone archiwum."),
                     QStringLiteral("Zapas [%]"));
    StorageReserve.setMaxValue(100);
    StorageReserve.setMinValue(0);
    StorageReserve.setState(QtnPropertyStateNone);
    StorageReserve.setValue(DefaultStorageReserve);
}

void QtnPropertySetProject::resetArchiveSettings()
{
    // Writing an unchanged value would still announce a change.
    if (ArchiveDays.value() != DefaultArchiveDays)
        ArchiveDays.setValue(DefaultArchiveDays);
    if (RecordingHours.value() != DefaultRecordingHours)
        RecordingHours.setValue(DefaultRecordingHours);
    if (StorageReserve.value() != DefaultStorageReserve)
        StorageReserve.setValue(DefaultStorageReserve);
}

bool QtnPropertySetProject::archiveSettingsAreDefault() const
{
    return ArchiveDays.value() == DefaultArchiveDays && RecordingHours.value() == DefaultRecordingHours
           && StorageReserve.value() == DefaultStorageReserve;
}

// The default colour delegate, asked to draw its swatch in shape 2.
void QtnPropertySetProject::connectDelegates()
{
    const auto colourDelegate = []() {
        auto* info = new QtnPropertyDelegateInfo();
        info->attributes.insert(QByteArrayLiteral("shape"), QVariant(int(2)));
        return info;
    };
    ColorWires.setDelegateCallback(colourDelegate);
    ColorCameras.setDelegateCallback(colourDelegate);
    ColorPD.setDelegateCallback(colourDelegate);
}

QtnPropertySetProject& QtnPropertySetProject::operator=(const QtnPropertySetProject& other)
{
    copyValuesFrom(other, QtnPropertyStateNone);
    return *this;
}

void QtnPropertySetProject::copyValuesFrom(const QtnPropertySetProject& source, QtnPropertyState ignoreMask)
{
    copyPropertyValue(Name, source.Name, ignoreMask);
    copyPropertyValue(Address, source.Address, ignoreMask);
    copyPropertyValue(Comments, source.Comments, ignoreMask);
    copyPropertyValue(CreateDate, source.CreateDate, ignoreMask);
    copyPropertyValue(ColorWires, source.ColorWires, ignoreMask);
    copyPropertyValue(ColorCameras, source.ColorCameras, ignoreMask);
    copyPropertyValue(ColorPD, source.ColorPD, ignoreMask);
    copyPropertyValue(ArchiveDays, source.ArchiveDays, ignoreMask);
    copyPropertyValue(RecordingHours, source.RecordingHours, ignoreMask);
    copyPropertyValue(StorageReserve, source.StorageReserve, ignoreMask);
}

QtnPropertySet* QtnPropertySetProject::createNewImpl(QObject* parentForNew) const
{
    return new QtnPropertySetProject(parentForNew);
}

QtnPropertySet* QtnPropertySetProject::createCopyImpl(QObject* parentForCopy) const
{
    return createCopyOfSet(*this, parentForCopy);
}

bool QtnPropertySetProject::copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask)
{
    return copyValuesOfSameClass(*this, propertySetCopyFrom, ignoreMask);
}
