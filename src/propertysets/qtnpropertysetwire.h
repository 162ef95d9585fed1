#ifndef QTNPROPERTYSETWIRE_H
#define QTNPROPERTYSETWIRE_H

#include "property/core/qtnpropertyenum.h"
#include "property/core/qtnpropertyset.h"
#include "property/core/qtnpropertyuint.h"

// Parameters of one cable ("Wire"). The length keeps its historical name
// "UintLenght": project files and the calculation know it by that key.
class QtnPropertySetWire : public QtnPropertySet
{
    Q_OBJECT

public:
    explicit QtnPropertySetWire(QObject* parent = nullptr);
    ~QtnPropertySetWire() override;

    // Every value, whatever the states.
    QtnPropertySetWire& operator=(const QtnPropertySetWire& other);
    void copyValuesFrom(const QtnPropertySetWire& source, QtnPropertyState ignoreMask);

    QtnPropertyEnum& Model;        // "WIRETYPE", the cable type; 0 "Nie określono"
    QtnPropertyUInt& UintLenght;   // metres, 1-200

protected:
    QtnPropertySet* createNewImpl(QObject* parentForNew) const override;
    QtnPropertySet* createCopyImpl(QObject* parentForCopy) const override;
    bool copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask) override;

private:
    void init();
};

#endif // QTNPROPERTYSETWIRE_H
