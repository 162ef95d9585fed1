#ifndef QTNPROPERTYSETSUBPROPERTYSETTYPE_H
#define QTNPROPERTYSETSUBPROPERTYSETTYPE_H

#include "property/core/qtnpropertydouble.h"
#include "property/core/qtnpropertyset.h"

// "Advanced" of a camera: what the calculation finds for the camera's supply
// cable. Read-only and collapsed; the children inherit read-only.
class QtnPropertySetSubPropertySetType : public QtnPropertySet
{
    Q_OBJECT

public:
    explicit QtnPropertySetSubPropertySetType(QObject* parent = nullptr);
    ~QtnPropertySetSubPropertySetType() override;

    // Every value, whatever the states.
    QtnPropertySetSubPropertySetType& operator=(const QtnPropertySetSubPropertySetType& other);
    void copyValuesFrom(const QtnPropertySetSubPropertySetType& source, QtnPropertyState ignoreMask);

    QtnPropertyDouble& Resistance;
    QtnPropertyDouble& PowerAvailable;
    QtnPropertyDouble& PowerLost;
    QtnPropertyDouble& VoltageLoss;
    QtnPropertyDouble& VoltageAvailable;

protected:
    QtnPropertySet* createNewImpl(QObject* parentForNew) const override;
    QtnPropertySet* createCopyImpl(QObject* parentForCopy) const override;
    bool copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask) override;

private:
    void init();
};

#endif // QTNPROPERTYSETSUBPROPERTYSETTYPE_H
