#ifndef QTNPROPERTYSETTEST_H
#define QTNPROPERTYSETTEST_H

#include "property/core/qtnpropertydouble.h"
#include "property/core/qtnpropertyset.h"
#include "property/core/qtnpropertyuint.h"

// "AdvancedPD" of a distribution point: the load and throughput summed over
// what the point feeds, and what the calculation finds for the point's own
// supply cable. Read-only and collapsed; the children inherit read-only.
class QtnPropertySettest : public QtnPropertySet
{
    Q_OBJECT

public:
    explicit QtnPropertySettest(QObject* parent = nullptr);
    ~QtnPropertySettest() override;

    // Every value, whatever the states.
    QtnPropertySettest& operator=(const QtnPropertySettest& other);
    void copyValuesFrom(const QtnPropertySettest& source, QtnPropertyState ignoreMask);

    QtnPropertyUInt& OutBitrate;
    QtnPropertyUInt& OutPower;
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

#endif // QTNPROPERTYSETTEST_H
