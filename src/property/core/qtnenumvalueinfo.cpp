#include "property/core/qtnenumvalueinfo.h"

QtnEnumValueInfo::QtnEnumValueInfo()
    : m_value(0),
      m_state(QtnEnumValueStateNone)
{
}

QtnEnumValueInfo::QtnEnumValueInfo(QtnEnumValueType value, const QString& name, const QString& displayName,
                                   QtnEnumValueState state)
    : m_value(value),
      m_name(name),
      m_displayName(displayName.isEmpty() ? name : displayName),
      m_state(state)
{
}

bool QtnEnumValueInfo::operator==(const QtnEnumValueInfo& other) const
{
    return m_value == other.m_value && m_name == other.m_name && m_displayName == other.m_displayName
           && m_state == other.m_state;
}
