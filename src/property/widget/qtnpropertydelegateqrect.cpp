#include "property/widget/qtnpropertydelegateqrect.h"
#include "property/core/qtnpropertyint.h"
#include "property/widget/qtnpropertydelegatefactory.h"

QtnPropertyDelegateQRect::QtnPropertyDelegateQRect(QtnPropertyQRectBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyQRectBase, QtnPropertyDelegateWithValues>(owner)
{
    addSubProperty(qtnCreateLeftProperty(nullptr, &owner));
    addSubProperty(qtnCreateTopProperty(nullptr, &owner));
    addSubProperty(qtnCreateWidthProperty(nullptr, &owner));
    addSubProperty(qtnCreateHeightProperty(nullptr, &owner));
}

void QtnPropertyDelegateQRect::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyQRectBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateQRect, QtnPropertyQRectBase>, "LTWH");
    factory.registerDelegateDefault(&QtnPropertyQSizeBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateQSize, QtnPropertyQSizeBase>, "WH");
    factory.registerDelegateDefault(&QtnPropertyQPointBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateQPoint, QtnPropertyQPointBase>, "XY");
}

QtnPropertyDelegateQSize::QtnPropertyDelegateQSize(QtnPropertyQSizeBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyQSizeBase, QtnPropertyDelegateWithValues>(owner)
{
    addSubProperty(qtnCreateWidthProperty(nullptr, &owner));
    addSubProperty(qtnCreateHeightProperty(nullptr, &owner));
}

QtnPropertyDelegateQPoint::QtnPropertyDelegateQPoint(QtnPropertyQPointBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyQPointBase, QtnPropertyDelegateWithValues>(owner)
{
    addSubProperty(qtnCreateXProperty(nullptr, &owner));
    addSubProperty(qtnCreateYProperty(nullptr, &owner));
}
