#include "property/core/qtnpropertyenumflags.h"

QtnPropertyEnumFlagsBase::QtnPropertyEnumFlagsBase(QObject* parent)
    : QtnSinglePropertyBase<QtnEnumFlagsValueType>(parent),
      m_enumInfo(nullptr)
{
}

QtnPropertyEnumFlagsCallback::QtnPropertyEnumFlagsCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyEnumFlagsBase>(parent)
{
}

QtnPropertyEnumFlags::QtnPropertyEnumFlags(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyEnumFlagsBase>(parent)
{
}

#include <QRegularExpression>

bool QtnPropertyEnumFlagsBase::fromStrImpl(const QString& str)
{
    if (!m_enumInfo)
        return false;

    const QString text = str.trimmed();
    if (text == QLatin1String("0"))
    {
        setValue(0);
        return true;
    }

    static const QRegularExpression headPattern(QStringLiteral("^\\s*([^|\\s]+)\\s*\\|(.+)$"),
                                                QRegularExpression::CaseInsensitiveOption);

    // Parse everything before storing: one unknown name leaves the value alone.
    QtnEnumFlagsValueType flags = 0;
    QString rest = text;
    for (;;)
    {
        const QRegularExpressionMatch match = headPattern.match(rest);
        if (!match.hasMatch())
            break;

        const QtnEnumValueInfo* valueInfo = m_enumInfo->fromStr(match.captured(1));
        if (!valueInfo)
            return false;
        flags |= valueInfo->value();
        rest = match.captured(2);
    }

    const QtnEnumValueInfo* lastInfo = m_enumInfo->fromStr(rest);
    if (!lastInfo)
        return false;
    flags |= lastInfo->value();

    setValue(flags);
    return true;
}

bool QtnPropertyEnumFlagsBase::toStrImpl(QString& str) const
{
    const QtnEnumFlagsValueType flags = value();
    if (flags == 0)
    {
        str = QStringLiteral("0");
        return true;
    }

    if (!m_enumInfo)
        return false;

    QStringList parts;
    m_enumInfo->forEachEnumValue([this, flags, &parts](const QtnEnumValueInfo& valueInfo) {
        if (valueInfo.value() & flags)
        {
            QString part;
            m_enumInfo->toStr(part, &valueInfo);
            parts.append(part);
        }
        return true;
    });
    str = parts.join(QLatin1Char('|'));
    return true;
}
