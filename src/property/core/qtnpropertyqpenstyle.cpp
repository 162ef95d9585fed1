#include "property/core/qtnpropertyqpenstyle.h"

QtnPropertyQPenStyleBase::QtnPropertyQPenStyleBase(QObject* parent)
    : QtnSinglePropertyBase<Qt::PenStyle>(parent)
{
}

QtnPropertyQPenStyleCallback::QtnPropertyQPenStyleCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyQPenStyleBase>(parent)
{
}

QtnPropertyQPenStyle::QtnPropertyQPenStyle(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyQPenStyleBase>(parent)
{
}

#include <QMetaEnum>

const QtnEnumInfo& QtnPropertyQPenStyleBase::styleEnum()
{
    static const QtnEnumInfo info(QStringLiteral("Qt"),
                                  {QtnEnumValueInfo(Qt::NoPen, QStringLiteral("NoPen")),
                                   QtnEnumValueInfo(Qt::SolidLine, QStringLiteral("SolidLine")),
                                   QtnEnumValueInfo(Qt::DashLine, QStringLiteral("DashLine")),
                                   QtnEnumValueInfo(Qt::DotLine, QStringLiteral("DotLine")),
                                   QtnEnumValueInfo(Qt::DashDotLine, QStringLiteral("DashDotLine")),
                                   QtnEnumValueInfo(Qt::DashDotDotLine, QStringLiteral("DashDotDotLine")),
                                   QtnEnumValueInfo(Qt::CustomDashLine, QStringLiteral("CustomDashLine"))});
    return info;
}

bool QtnPropertyQPenStyleBase::fromStrImpl(const QString& str)
{
    const QtnEnumValueInfo* valueInfo = styleEnum().findByName(str.trimmed().toLower(), Qt::CaseInsensitive);
    if (!valueInfo)
        return false;
    setValue(Qt::PenStyle(valueInfo->value()));
    return true;
}

bool QtnPropertyQPenStyleBase::toStrImpl(QString& str) const
{
    const QtnEnumValueInfo* valueInfo = styleEnum().findByValue(value());
    if (!valueInfo)
        return false;
    str = valueInfo->name();
    return true;
}
