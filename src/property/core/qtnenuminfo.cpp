#include "property/core/qtnenuminfo.h"

#include <QRegularExpression>

QtnEnumInfo::QtnEnumInfo() = default;

QtnEnumInfo::QtnEnumInfo(const QString& name, const QVector<QtnEnumValueInfo>& values)
    : m_name(name),
      m_values(values)
{
}

void QtnEnumInfo::setSecondValues(const QVector<QtnEnumValueInfo>& values)
{
    if (m_secondValues == values)
        return;
    m_secondValues = values;
}

const QtnEnumValueInfo* QtnEnumInfo::findByValue(QtnEnumValueType value) const
{
    const QtnEnumValueInfo* result = nullptr;
    forEachEnumValue([&result, value](const QtnEnumValueInfo& valueInfo) {
        if (valueInfo.value() != value)
            return true;
        result = &valueInfo;
        return false;
    });
    return result;
}

const QtnEnumValueInfo* QtnEnumInfo::findByName(const QString& name, Qt::CaseSensitivity cs) const
{
    const QtnEnumValueInfo* result = nullptr;
    forEachEnumValue([&result, &name, cs](const QtnEnumValueInfo& valueInfo) {
        if (QString::compare(valueInfo.name(), name, cs) != 0)
            return true;
        result = &valueInfo;
        return false;
    });
    return result;
}

const QtnEnumValueInfo* QtnEnumInfo::findByDisplayName(const QString& displayName, Qt::CaseSensitivity cs) const
{
    const QtnEnumValueInfo* result = nullptr;
    forEachEnumValue([&result, &displayName, cs](const QtnEnumValueInfo& valueInfo) {
        if (QString::compare(valueInfo.displayName(), displayName, cs) != 0)
            return true;
        result = &valueInfo;
        return false;
    });
    return result;
}

bool QtnEnumInfo::toStr(QString& str, const QtnEnumValueInfo* valueInfo) const
{
    if (!valueInfo)
        return false;
    str = QStringLiteral("%1::%2").arg(m_name, valueInfo->name());
    return true;
}

bool QtnEnumInfo::toStr(QString& str, QtnEnumValueType value) const
{
    return toStr(str, findByValue(value));
}

const QtnEnumValueInfo* QtnEnumInfo::fromStr(const QString& str) const
{
    static const QRegularExpression qualifiedPattern(QStringLiteral("^\\s*([^:\\s]+)::([^:\\s]+)\\s*$"),
                                                     QRegularExpression::CaseInsensitiveOption);

    QString valueName;
    const QRegularExpressionMatch match = qualifiedPattern.match(str);
    if (match.hasMatch())
    {
        // A value qualified with another enumeration's name names no value of ours.
        if (QString::compare(match.captured(1), m_name, Qt::CaseInsensitive) != 0)
            return nullptr;
        valueName = match.captured(2);
    }
    else
    {
        valueName = str.trimmed();
    }

    return findByName(valueName, Qt::CaseInsensitive);
}
