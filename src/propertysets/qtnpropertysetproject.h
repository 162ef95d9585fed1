#ifndef QTNPROPERTYSETPROJECT_H
#define QTNPROPERTYSETPROJECT_H

#include "property/core/qtnpropertyqcolor.h"
#include "property/core/qtnpropertyqstring.h"
#include "property/core/qtnpropertyset.h"
#include "property/core/qtnpropertyuint.h"

// Data of the project ("Project"): the title block texts, the drawing
// colours of cables, cameras and distribution points, and how long and how
// much the recorders keep.
class QtnPropertySetProject : public QtnPropertySet
{
    Q_OBJECT

public:
    explicit QtnPropertySetProject(QObject* parent = nullptr);
    ~QtnPropertySetProject() override;

    // Every value, whatever the states.
    QtnPropertySetProject& operator=(const QtnPropertySetProject& other);
    void copyValuesFrom(const QtnPropertySetProject& source, QtnPropertyState ignoreMask);

    QtnPropertyQString& Name;
    QtnPropertyQString& Address;
    QtnPropertyQString& Comments;
    QtnPropertyQString& CreateDate;
    QtnPropertyQColor& ColorWires;
    QtnPropertyQColor& ColorCameras;
    QtnPropertyQColor& ColorPD;
    QtnPropertyUInt& ArchiveDays;     // days a recorder keeps
    QtnPropertyUInt& RecordingHours;  // hours recorded per day
    QtnPropertyUInt& StorageReserve;  // % of disk space on top

    // The three archive settings back at their defaults.
    void resetArchiveSettings();
    bool archiveSettingsAreDefault() const;
    static constexpr uint DefaultArchiveDays = 30;
    static constexpr uint DefaultRecordingHours = 24;
    static constexpr uint DefaultStorageReserve = 10;

protected:
    QtnPropertySet* createNewImpl(QObject* parentForNew) const override;
    QtnPropertySet* createCopyImpl(QObject* parentForCopy) const override;
    bool copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask) override;

private:
    void init();
    void connectDelegates();
};

#endif // QTNPROPERTYSETPROJECT_H
