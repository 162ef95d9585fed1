#ifndef QTN_PROPERTY_H
#define QTN_PROPERTY_H

#include "property/core/qtnpropertybase.h"

// A single property with a value; the typed kinds derive from it.
class QtnProperty : public QtnPropertyBase
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnProperty)

public:
    ~QtnProperty() override;

    QtnProperty* asProperty() override { return this; }
    const QtnProperty* asProperty() const override { return this; }

Q_SIGNALS:
    // accept starts true; a listener clears it to veto the new value.
    void propertyValueAccept(const QtnProperty* property, QtnPropertyValuePtr valueToAccept, bool* accept);

protected:
    explicit QtnProperty(QObject* parent);
};

#endif // QTN_PROPERTY_H
