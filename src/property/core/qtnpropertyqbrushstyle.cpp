#include "property/core/qtnpropertyqbrushstyle.h"

QtnPropertyQBrushStyleBase::QtnPropertyQBrushStyleBase(QObject* parent)
    : QtnSinglePropertyBase<Qt::BrushStyle>(parent)
{
}

QtnPropertyQBrushStyleCallback::QtnPropertyQBrushStyleCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyQBrushStyleBase>(parent)
{
}

QtnPropertyQBrushStyle::QtnPropertyQBrushStyle(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyQBrushStyleBase>(parent)
{
}

#include <QMetaEnum>

namespace
{
QtnEnumInfo qtnBuildBrushStyleEnum()
{
    // The toolkit's own enumerator names, but "Solid" for the plain fill:
    // users type it far more often than "SolidPattern".
    const QMetaEnum metaEnum = QMetaEnum::fromType<Qt::BrushStyle>();
    QVector<QtnEnumValueInfo> values;
    for (int style = Qt::NoBrush; style <= Qt::ConicalGradientPattern; ++style)
    {
        const QString name = style == Qt::SolidPattern ? QStringLiteral("Solid")
                                                       : QString::fromLatin1(metaEnum.valueToKey(style));
        values.append(QtnEnumValueInfo(style, name));
    }
    values.append(QtnEnumValueInfo(Qt::TexturePattern, QString::fromLatin1(metaEnum.valueToKey(Qt::TexturePattern))));
    return QtnEnumInfo(QStringLiteral("Qt"), values);
}
} // namespace

const QtnEnumInfo& QtnPropertyQBrushStyleBase::styleEnum()
{
    static const QtnEnumInfo info = qtnBuildBrushStyleEnum();
    return info;
}

bool QtnPropertyQBrushStyleBase::fromStrImpl(const QString& str)
{
    const QtnEnumValueInfo* valueInfo = styleEnum().findByName(str.trimmed().toLower(), Qt::CaseInsensitive);
    if (!valueInfo)
        return false;
    setValue(Qt::BrushStyle(valueInfo->value()));
    return true;
}

bool QtnPropertyQBrushStyleBase::toStrImpl(QString& str) const
{
    const QtnEnumValueInfo* valueInfo = styleEnum().findByValue(value());
    if (!valueInfo)
        return false;
    str = valueInfo->name();
    return true;
}
