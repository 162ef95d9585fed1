#include "property/core/qtnpropertyqsize.h"

QtnPropertyQSizeBase::QtnPropertyQSizeBase(QObject* parent)
    : QtnSinglePropertyBase<QSize>(parent)
{
}

QtnPropertyQSizeCallback::QtnPropertyQSizeCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyQSizeBase>(parent)
{
}

QtnPropertyQSize::QtnPropertyQSize(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyQSizeBase>(parent)
{
}

#include "property/core/qtnpropertyint.h"

#include <QPointer>
#include <QRegularExpression>

bool QtnPropertyQSizeBase::fromStrImpl(const QString& str)
{
    static const QRegularExpression outerPattern(QStringLiteral("^\\s*QSize\\s*\\(([^\\)]+)\\)\\s*$"));
    static const QRegularExpression numbersPattern(QStringLiteral("^\\s*(-?\\d+)\\s*,\\s*(-?\\d+)\\s*$"));

    const QRegularExpressionMatch outer = outerPattern.match(str);
    if (!outer.hasMatch())
        return false;
    const QRegularExpressionMatch numbers = numbersPattern.match(outer.captured(1));
    if (!numbers.hasMatch())
        return false;

    bool okWidth = false;
    bool okHeight = false;
    const int width = numbers.captured(1).toInt(&okWidth);
    const int height = numbers.captured(2).toInt(&okHeight);
    if (!okWidth || !okHeight)
        return false;

    setValue(QSize(width, height));
    return true;
}

bool QtnPropertyQSizeBase::toStrImpl(QString& str) const
{
    const QSize size = value();
    str = QStringLiteral("QSize(%1, %2)").arg(size.width()).arg(size.height());
    return true;
}

namespace
{
QtnPropertyIntCallback* qtnCreateSizeComponentProperty(QObject* parent, QtnPropertyQSizeBase* propertySize,
                                                       const QString& name, const QString& description, bool width)
{
    QtnPropertyIntCallback* subProperty = new QtnPropertyIntCallback(parent);
    subProperty->setName(name);
    subProperty->setDescription(description.arg(propertySize->name()));

    QPointer<QtnPropertyQSizeBase> master(propertySize);
    subProperty->setCallbackValueGet([master, width]() -> qint32 {
        if (!master)
            return 0;
        const QSize size = master->value();
        return width ? size.width() : size.height();
    });
    subProperty->setCallbackValueSet([master, width](const qint32& newValue) {
        if (!master)
            return;
        QSize size = master->value();
        if (width)
            size.setWidth(newValue);
        else
            size.setHeight(newValue);
        master->setValue(size);
    });

    qtnConnectMasterState(*propertySize, *subProperty);
    return subProperty;
}
} // namespace

QtnPropertyIntCallback* qtnCreateWidthProperty(QObject* parent, QtnPropertyQSizeBase* propertySize)
{
    return qtnCreateSizeComponentProperty(parent, propertySize, QtnPropertyQSizeBase::tr("Width"),
                                          QtnPropertyQSizeBase::tr("Width of the %1."), true);
}

QtnPropertyIntCallback* qtnCreateHeightProperty(QObject* parent, QtnPropertyQSizeBase* propertySize)
{
    return qtnCreateSizeComponentProperty(parent, propertySize, QtnPropertyQSizeBase::tr("Height"),
                                          QtnPropertyQSizeBase::tr("Height of the %1."), false);
}
