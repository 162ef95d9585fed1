#ifndef QTN_PROPERTY_DELEGATE_QRECT_H
#define QTN_PROPERTY_DELEGATE_QRECT_H

#include "property/core/qtnpropertyqpoint.h"
#include "property/core/qtnpropertyqrect.h"
#include "property/core/qtnpropertyqsize.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnPropertyDelegateFactory;

// Geometry values: the row lists the parts, the sub-rows edit them.
class QtnPropertyDelegateQRect : public QtnPropertyDelegateTyped<QtnPropertyQRectBase, QtnPropertyDelegateWithValues>
{
public:
    explicit QtnPropertyDelegateQRect(QtnPropertyQRectBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);
};

class QtnPropertyDelegateQSize : public QtnPropertyDelegateTyped<QtnPropertyQSizeBase, QtnPropertyDelegateWithValues>
{
public:
    explicit QtnPropertyDelegateQSize(QtnPropertyQSizeBase& owner);
};

class QtnPropertyDelegateQPoint
    : public QtnPropertyDelegateTyped<QtnPropertyQPointBase, QtnPropertyDelegateWithValues>
{
public:
    explicit QtnPropertyDelegateQPoint(QtnPropertyQPointBase& owner);
};

#endif // QTN_PROPERTY_DELEGATE_QRECT_H
