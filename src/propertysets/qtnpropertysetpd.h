#ifndef QTNPROPERTYSETPD_H
#define QTNPROPERTYSETPD_H

#include "property/core/qtnpropertydouble.h"
#include "property/core/qtnpropertyenum.h"
#include "property/core/qtnpropertyint.h"
#include "property/core/qtnpropertyqstring.h"
#include "property/core/qtnpropertyset.h"
#include "property/core/qtnpropertyuint.h"
#include "propertysets/qtnpropertysettest.h"

// Parameters and results of one distribution point ("PD"). Each child is a
// public member named exactly as the property, in the order the view lists
// them. Yes/no properties use "POWER": 1 "nie", 2 "tak".
//
// The battery properties follow three rules, connected after init() so the
// defaults fire none of them:
//   "Power230" "nie"  -> no backup possible: "Backup", "Calculate",
//                        "BatterySet", "BatteryCount" read-only at nie/nie/0/0;
//   "Backup" "tak"    -> "Calculate" chooses which of "BatterySet" (capacity
//                        in Ah, entered) and "BatteryCount" (hours, entered,
//                        capacity computed) the user types in.
class QtnPropertySetPD : public QtnPropertySet
{
    Q_OBJECT

public:
    explicit QtnPropertySetPD(QObject* parent = nullptr);
    ~QtnPropertySetPD() override;

    // Every value, whatever the states; the rules then restore the states.
    QtnPropertySetPD& operator=(const QtnPropertySetPD& other);
    void copyValuesFrom(const QtnPropertySetPD& source, QtnPropertyState ignoreMask);

    QtnPropertyQString& Lokalizacja;
    QtnPropertyUInt& Number;
    QtnPropertyEnum& Model;          // "PDTYPE"; 0 "Nie określono"
    QtnPropertyEnum& PC;             // "POWER"
    QtnPropertyEnum& NVR;            // "POWER"
    QtnPropertyEnum& SFP;            // "POWER"
    QtnPropertyInt& Bitrate;         // kbit/s, 1-131072
    QtnPropertyEnum& Power230;       // "POWER", mains supply
    QtnPropertyEnum& Backup;         // "POWER", battery backup
    QtnPropertyEnum& Calculate;      // "POWER", capacity computed from the backup time
    QtnPropertyUInt& BatterySet;     // battery capacity, Ah
    QtnPropertyUInt& BatteryCount;   // required backup time, whole hours
    QtnPropertyEnum& BoxType;        // "BOXTYPE"; 0 "Nie określono"
    QtnPropertyUInt& Vout;           // V on the PoE slots
    QtnPropertyDouble& Vin;          // V at the point, written by the calculation
    QtnPropertySettest& AdvancedPD;
    QtnPropertyDouble& Storage;      // TB a recorder here needs, written by the PoE check

protected:
    QtnPropertySet* createNewImpl(QObject* parentForNew) const override;
    QtnPropertySet* createCopyImpl(QObject* parentForCopy) const override;
    bool copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask) override;

private:
    void init();
    void connectRules();
    void power230Changed();
    void backupChanged();
    void calculateChanged();
};

#endif // QTNPROPERTYSETPD_H
