#include "property/core/qtnpropertyqpoint.h"

QtnPropertyQPointBase::QtnPropertyQPointBase(QObject* parent)
    : QtnSinglePropertyBase<QPoint>(parent)
{
}

QtnPropertyQPointCallback::QtnPropertyQPointCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyQPointBase>(parent)
{
}

QtnPropertyQPoint::QtnPropertyQPoint(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyQPointBase>(parent)
{
}

#include "property/core/qtnpropertyint.h"

#include <QPointer>
#include <QRegularExpression>

bool QtnPropertyQPointBase::fromStrImpl(const QString& str)
{
    static const QRegularExpression outerPattern(QStringLiteral("^\\s*QPoint\\s*\\(([^\\)]+)\\)\\s*$"));
    static const QRegularExpression numbersPattern(QStringLiteral("^\\s*(-?\\d+)\\s*,\\s*(-?\\d+)\\s*$"));

    const QRegularExpressionMatch outer = outerPattern.match(str);
    if (!outer.hasMatch())
        return false;
    const QRegularExpressionMatch numbers = numbersPattern.match(outer.captured(1));
    if (!numbers.hasMatch())
        return false;

    bool okX = false;
    bool okY = false;
    const int x = numbers.captured(1).toInt(&okX);
    const int y = numbers.captured(2).toInt(&okY);
    if (!okX || !okY)
        return false;

    setValue(QPoint(x, y));
    return true;
}

bool QtnPropertyQPointBase::toStrImpl(QString& str) const
{
    const QPoint point = value();
    str = QStringLiteral("QPoint(%1, %2)").arg(point.x()).arg(point.y());
    return true;
}

namespace
{
QtnPropertyIntCallback* qtnCreatePointComponentProperty(QObject* parent, QtnPropertyQPointBase* propertyPoint,
                                                        const QString& name, const QString& description, bool x)
{
    QtnPropertyIntCallback* subProperty = new QtnPropertyIntCallback(parent);
    subProperty->setName(name);
    subProperty->setDescription(description.arg(propertyPoint->name()));

    QPointer<QtnPropertyQPointBase> master(propertyPoint);
    subProperty->setCallbackValueGet([master, x]() -> qint32 {
        if (!master)
            return 0;
        const QPoint point = master->value();
        return x ? point.x() : point.y();
    });
    subProperty->setCallbackValueSet([master, x](const qint32& newValue) {
        if (!master)
            return;
        QPoint point = master->value();
        if (x)
            point.setX(newValue);
        else
            point.setY(newValue);
        master->setValue(point);
    });

    qtnConnectMasterState(*propertyPoint, *subProperty);
    return subProperty;
}
} // namespace

QtnPropertyIntCallback* qtnCreateXProperty(QObject* parent, QtnPropertyQPointBase* propertyPoint)
{
    return qtnCreatePointComponentProperty(parent, propertyPoint, QtnPropertyQPointBase::tr("X"),
                                           QtnPropertyQPointBase::tr("X coordinate of the %1."), true);
}

QtnPropertyIntCallback* qtnCreateYProperty(QObject* parent, QtnPropertyQPointBase* propertyPoint)
{
    return qtnCreatePointComponentProperty(parent, propertyPoint, QtnPropertyQPointBase::tr("Y"),
                                           QtnPropertyQPointBase::tr("Y coordinate of the %1."), false);
}
