#include "property/core/qtnpropertyqcolor.h"

QtnPropertyQColorBase::QtnPropertyQColorBase(QObject* parent)
    : QtnSinglePropertyBase<QColor>(parent)
{
}

QtnPropertyQColorCallback::QtnPropertyQColorCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyQColorBase>(parent)
{
}

QtnPropertyQColor::QtnPropertyQColor(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyQColorBase>(parent)
{
}

#include "property/core/qtnpropertyint.h"

#include <QPointer>

bool QtnPropertyQColorBase::fromStrImpl(const QString& str)
{
    QColor parsed;
    parsed.setNamedColor(str.trimmed());
    if (!parsed.isValid())
        return false;
    setValue(parsed);
    return true;
}

bool QtnPropertyQColorBase::toStrImpl(QString& str) const
{
    // The alpha channel is written only when it carries information. Both
    // the test and the digits come from the 8-bit RGB form: a colour kept in
    // another spec (extended RGB may lie outside 0 to 1) converts once, so
    // the text does not depend on which accessor rounds or clamps.
    const QColor color = value().toRgb();
    str = color.name(color.alpha() < 255 ? QColor::HexArgb : QColor::HexRgb);
    return true;
}

namespace
{
typedef int (QColor::*QtnColorComponentGet)() const;
typedef void (QColor::*QtnColorComponentSet)(int);

QtnPropertyIntCallback* qtnCreateColorComponentProperty(QObject* parent, QtnPropertyQColorBase* propertyColor,
                                                        const QString& name, const QString& description,
                                                        QtnColorComponentGet getComponent,
                                                        QtnColorComponentSet setComponent)
{
    QtnPropertyIntCallback* subProperty = new QtnPropertyIntCallback(parent);
    subProperty->setName(name);
    subProperty->setDescription(description.arg(propertyColor->name()));

    QPointer<QtnPropertyQColorBase> master(propertyColor);
    subProperty->setCallbackValueGet([master, getComponent]() -> qint32 {
        if (!master)
            return 0;
        const QColor color = master->value();
        return (color.*getComponent)();
    });
    subProperty->setCallbackValueSet([master, setComponent](const qint32& newValue) {
        if (!master)
            return;
        QColor color = master->value();
        (color.*setComponent)(newValue);
        master->setValue(color);
    });
    subProperty->setMinValue(0);
    subProperty->setMaxValue(255);

    qtnConnectMasterState(*propertyColor, *subProperty);
    return subProperty;
}
} // namespace

QtnPropertyIntCallback* qtnCreateRedProperty(QObject* parent, QtnPropertyQColorBase* propertyColor)
{
    return qtnCreateColorComponentProperty(parent, propertyColor, QtnPropertyQColorBase::tr("Red"),
                                           QtnPropertyQColorBase::tr("Red component of the %1."), &QColor::red,
                                           &QColor::setRed);
}

QtnPropertyIntCallback* qtnCreateGreenProperty(QObject* parent, QtnPropertyQColorBase* propertyColor)
{
    return qtnCreateColorComponentProperty(parent, propertyColor, QtnPropertyQColorBase::tr("Green"),
                                           QtnPropertyQColorBase::tr("Green component of the %1."), &QColor::green,
                                           &QColor::setGreen);
}

QtnPropertyIntCallback* qtnCreateBlueProperty(QObject* parent, QtnPropertyQColorBase* propertyColor)
{
    return qtnCreateColorComponentProperty(parent, propertyColor, QtnPropertyQColorBase::tr("Blue"),
                                           QtnPropertyQColorBase::tr("Blue component of the %1."), &QColor::blue,
                                           &QColor::setBlue);
}
