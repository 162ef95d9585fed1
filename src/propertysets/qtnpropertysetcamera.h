#ifndef QTNPROPERTYSETCAMERA_H
#define QTNPROPERTYSETCAMERA_H

#include "property/core/qtnpropertydouble.h"
#include "property/core/qtnpropertyenum.h"
#include "property/core/qtnpropertyint.h"
#include "property/core/qtnpropertyqstring.h"
#include "property/core/qtnpropertyset.h"
#include "property/core/qtnpropertyuint.h"
#include "propertysets/qtnpropertysetsubpropertysettype.h"

// Parameters and results of one camera ("Camera"). Each child is a public
// member named exactly as the property, in the order the view lists them.
class QtnPropertySetCamera : public QtnPropertySet
{
    Q_OBJECT

public:
    explicit QtnPropertySetCamera(QObject* parent = nullptr);
    ~QtnPropertySetCamera() override;

    // Every value, whatever the states.
    QtnPropertySetCamera& operator=(const QtnPropertySetCamera& other);
    void copyValuesFrom(const QtnPropertySetCamera& source, QtnPropertyState ignoreMask);

    QtnPropertyQString& Name;
    QtnPropertyUInt& Number;
    QtnPropertyQString& Lokalizacja;
    QtnPropertyEnum& Model;      // "CAMERATYPE"; 0 "Nie określono"
    QtnPropertyUInt& Power;      // W, 1-100
    QtnPropertyInt& Bitrate;     // kbit/s, 1-131072
    QtnPropertyDouble& Vin;      // V at the camera, written by the calculation
    QtnPropertySetSubPropertySetType& Advanced;

protected:
    QtnPropertySet* createNewImpl(QObject* parentForNew) const override;
    QtnPropertySet* createCopyImpl(QObject* parentForCopy) const override;
    bool copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask) override;

private:
    void init();
};

#endif // QTNPROPERTYSETCAMERA_H
