#include "property/core/qtnpropertyqrect.h"

QtnPropertyQRectBase::QtnPropertyQRectBase(QObject* parent)
    : QtnSinglePropertyBase<QRect>(parent)
{
}

QtnPropertyQRectCallback::QtnPropertyQRectCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyQRectBase>(parent)
{
}

QtnPropertyQRect::QtnPropertyQRect(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyQRectBase>(parent)
{
}

#include "property/core/qtnpropertyint.h"

#include <QPointer>
#include <QRegularExpression>

#include <limits>

namespace
{
bool qtnFitsInt(qint64 value)
{
    return value >= std::numeric_limits<int>::min() && value <= std::numeric_limits<int>::max();
}
} // namespace

bool QtnPropertyQRectBase::fromStrImpl(const QString& str)
{
    static const QRegularExpression outerPattern(QStringLiteral("^\\s*QRect\\s*\\(([^\\)]+)\\)\\s*$"));
    static const QRegularExpression numbersPattern(
        QStringLiteral("^\\s*(-?\\d+)\\s*,\\s*(-?\\d+)\\s*,\\s*(\\d+)\\s*,\\s*(\\d+)\\s*$"));

    const QRegularExpressionMatch outer = outerPattern.match(str);
    if (!outer.hasMatch())
        return false;
    const QRegularExpressionMatch numbers = numbersPattern.match(outer.captured(1));
    if (!numbers.hasMatch())
        return false;

    bool ok[4] = {false, false, false, false};
    const int left = numbers.captured(1).toInt(&ok[0]);
    const int top = numbers.captured(2).toInt(&ok[1]);
    const int width = numbers.captured(3).toInt(&ok[2]);
    const int height = numbers.captured(4).toInt(&ok[3]);
    if (!(ok[0] && ok[1] && ok[2] && ok[3]))
        return false;

    // The right and bottom edges are left + width - 1 and top + height - 1:
    // both must be ints too, or the rectangle would wrap round. They are
    // computed here, wide: QRect's own constructor adds left and width in
    // int first and overflows even where the edge itself would fit.
    const qint64 right = qint64(left) + width - 1;
    const qint64 bottom = qint64(top) + height - 1;
    if (!qtnFitsInt(right) || !qtnFitsInt(bottom))
    {
        QtnCheckedValueReader::logRefused(*this, QStringLiteral("convert"),
                                          QStringLiteral("from string \"%1\"").arg(str),
                                          QStringLiteral("the rectangle reaches beyond the integer range"));
        return false;
    }

    setValue(QRect(QPoint(left, top), QPoint(int(right), int(bottom))));
    return true;
}

bool QtnPropertyQRectBase::toStrImpl(QString& str) const
{
    const QRect rect = value();
    // QRect::width() would overflow for a rectangle spanning more than the
    // int range; such a width has no text the parser takes back either.
    const qint64 width = qint64(rect.right()) - rect.left() + 1;
    const qint64 height = qint64(rect.bottom()) - rect.top() + 1;
    if (!qtnFitsInt(width) || !qtnFitsInt(height))
    {
        QtnCheckedValueReader::logRefused(*this, QStringLiteral("convert"), QStringLiteral("to string"),
                                          QStringLiteral("the width or height lies beyond the integer range"));
        return false;
    }
    str = QStringLiteral("QRect(%1, %2, %3, %4)").arg(rect.left()).arg(rect.top()).arg(width).arg(height);
    return true;
}

namespace
{
typedef std::function<qint32(const QRect&)> QtnRectGet;
typedef std::function<void(QRect&, qint32)> QtnRectSet;

QtnPropertyIntCallback* qtnCreateRectComponentProperty(QObject* parent, QtnPropertyQRectBase* propertyRect,
                                                       const QString& name, const QString& description,
                                                       const QtnRectGet& getComponent, const QtnRectSet& setComponent)
{
    QtnPropertyIntCallback* subProperty = new QtnPropertyIntCallback(parent);
    subProperty->setName(name);
    subProperty->setDescription(description.arg(propertyRect->name()));

    QPointer<QtnPropertyQRectBase> master(propertyRect);
    subProperty->setCallbackValueGet([master, getComponent]() -> qint32 {
        return master ? getComponent(master->value()) : 0;
    });
    subProperty->setCallbackValueSet([master, setComponent](const qint32& newValue) {
        if (!master)
            return;
        QRect rect = master->value();
        setComponent(rect, newValue);
        master->setValue(rect);
    });

    qtnConnectMasterState(*propertyRect, *subProperty);
    return subProperty;
}
} // namespace

QtnPropertyIntCallback* qtnCreateLeftProperty(QObject* parent, QtnPropertyQRectBase* propertyRect)
{
    return qtnCreateRectComponentProperty(
        parent, propertyRect, QtnPropertyQRectBase::tr("Left"), QtnPropertyQRectBase::tr("Left side of the %1."),
        [](const QRect& rect) { return rect.left(); }, [](QRect& rect, qint32 v) { rect.setLeft(v); });
}

QtnPropertyIntCallback* qtnCreateRightProperty(QObject* parent, QtnPropertyQRectBase* propertyRect)
{
    return qtnCreateRectComponentProperty(
        parent, propertyRect, QtnPropertyQRectBase::tr("Right"), QtnPropertyQRectBase::tr("Right side of the %1."),
        [](const QRect& rect) { return rect.right(); }, [](QRect& rect, qint32 v) { rect.setRight(v); });
}

QtnPropertyIntCallback* qtnCreateTopProperty(QObject* parent, QtnPropertyQRectBase* propertyRect)
{
    return qtnCreateRectComponentProperty(
        parent, propertyRect, QtnPropertyQRectBase::tr("Top"), QtnPropertyQRectBase::tr("Top of the %1."),
        [](const QRect& rect) { return rect.top(); }, [](QRect& rect, qint32 v) { rect.setTop(v); });
}

QtnPropertyIntCallback* qtnCreateBottomProperty(QObject* parent, QtnPropertyQRectBase* propertyRect)
{
    return qtnCreateRectComponentProperty(
        parent, propertyRect, QtnPropertyQRectBase::tr("Bottom"), QtnPropertyQRectBase::tr("Bottom of the %1."),
        [](const QRect& rect) { return rect.bottom(); }, [](QRect& rect, qint32 v) { rect.setBottom(v); });
}

QtnPropertyIntCallback* qtnCreateWidthProperty(QObject* parent, QtnPropertyQRectBase* propertyRect)
{
    return qtnCreateRectComponentProperty(
        parent, propertyRect, QtnPropertyQRectBase::tr("Width"), QtnPropertyQRectBase::tr("Width of the %1."),
        [](const QRect& rect) { return rect.width(); }, [](QRect& rect, qint32 v) { rect.setWidth(v); });
}

QtnPropertyIntCallback* qtnCreateHeightProperty(QObject* parent, QtnPropertyQRectBase* propertyRect)
{
    return qtnCreateRectComponentProperty(
        parent, propertyRect, QtnPropertyQRectBase::tr("Height"), QtnPropertyQRectBase::tr("Height of the %1."),
        [](const QRect& rect) { return rect.height(); }, [](QRect& rect, qint32 v) { rect.setHeight(v); });
}
