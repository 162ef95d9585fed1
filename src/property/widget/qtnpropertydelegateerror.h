#ifndef QTN_PROPERTY_DELEGATE_ERROR_H
#define QTN_PROPERTY_DELEGATE_ERROR_H

#include "property/widget/qtnpropertydelegatewithvalue.h"

// Stands in for a delegate that nobody registered, so the row still shows
// its name and says what went wrong in the value column.
class QtnPropertyDelegateError : public QtnPropertyDelegateWithValue
{
public:
    QtnPropertyDelegateError(QtnPropertyBase& owner, const QByteArray& delegateName);

    QByteArray delegateName() const { return m_delegateName; }
    QString errorText() const;

protected:
    void drawValueImpl(QPainter& painter, const QRect& rect, const QtnDrawContext& context) const override;
    bool propertyValueToStrImpl(QString& strValue) const override;

private:
    QByteArray m_delegateName;
};

#endif // QTN_PROPERTY_DELEGATE_ERROR_H
