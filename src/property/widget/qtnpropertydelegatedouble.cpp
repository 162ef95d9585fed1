#include "property/widget/qtnpropertydelegatedouble.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertydelegateslidebox.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"

#include <QDoubleSpinBox>
#include <QLineEdit>

#include <cmath>

static int decimalsForStep(double step)
{
    if (!(step > 0.0) || step >= 1.0)
        return 2;
    int decimals = int(std::ceil(-std::log10(step) - 1e-9));
    return std::max(2, std::min(10, decimals));
}

template <typename PropertyClass>
static QWidget* createDoubleEditor(PropertyClass& property, QWidget* parent, const QRect& rect,
                                   QtnInplaceInfo* inplaceInfo, void (*initLineEdit)(QLineEdit*, QtnInplaceInfo*))
{
    auto spinBox = new QDoubleSpinBox(parent);
    spinBox->setGeometry(rect);
    spinBox->setDecimals(decimalsForStep(double(property.stepValue())));
    spinBox->setRange(double(property.minValue()), double(property.maxValue()));
    spinBox->setSingleStep(double(property.stepValue()));
    spinBox->setValue(double(property.value()));
    spinBox->setKeyboardTracking(false);
    initLineEdit(spinBox->findChild<QLineEdit*>(), inplaceInfo);
    // Compared with the editor's own rounding of the value: closing without a
    // change must not write a rounded value back.
    double initial = spinBox->value();
    new QtnPropertyEditorHandlerBase(property, *spinBox, [&property, spinBox, initial] {
        spinBox->interpretText();
        if (spinBox->value() != initial)
            property.setValue(typename PropertyClass::ValueType(spinBox->value()));
    });
    return spinBox;
}

QtnPropertyDelegateDouble::QtnPropertyDelegateDouble(QtnPropertyDoubleBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyDoubleBase>(owner)
{
}

void QtnPropertyDelegateDouble::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyDoubleBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateDouble, QtnPropertyDoubleBase>,
                                    "SpinBox");
    factory.registerDelegate(&QtnPropertyDoubleBase::staticMetaObject,
                             &qtnCreateDelegate<QtnPropertyDelegateSlideBoxTyped<QtnPropertyDoubleBase>,
                                                QtnPropertyDoubleBase>,
                             "SliderBox");
}

bool QtnPropertyDelegateDouble::acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const
{
    return isTextKey(keyEvent);
}

QWidget* QtnPropertyDelegateDouble::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                          QtnInplaceInfo* inplaceInfo)
{
    return createDoubleEditor(owner(), parent, rect, inplaceInfo, &initLineEdit);
}

QtnPropertyDelegateFloat::QtnPropertyDelegateFloat(QtnPropertyFloatBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyFloatBase>(owner)
{
}

void QtnPropertyDelegateFloat::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyFloatBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateFloat, QtnPropertyFloatBase>, "SpinBox");
    factory.registerDelegate(&QtnPropertyFloatBase::staticMetaObject,
                             &qtnCreateDelegate<QtnPropertyDelegateSlideBoxTyped<QtnPropertyFloatBase>,
                                                QtnPropertyFloatBase>,
                             "SliderBox");
}

bool QtnPropertyDelegateFloat::acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const
{
    return isTextKey(keyEvent);
}

QWidget* QtnPropertyDelegateFloat::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                         QtnInplaceInfo* inplaceInfo)
{
    return createDoubleEditor(owner(), parent, rect, inplaceInfo, &initLineEdit);
}
