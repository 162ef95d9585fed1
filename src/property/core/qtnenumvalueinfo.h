#ifndef QTN_ENUM_VALUE_INFO_H
#define QTN_ENUM_VALUE_INFO_H

#include <QFlags>
#include <QString>

typedef qint32 QtnEnumValueType;
typedef qint32 QtnEnumFlagsValueType;

enum QtnEnumValueStateFlag
{
    QtnEnumValueStateNone = 0x0000,
    QtnEnumValueStateHidden = 0x0001,
    QtnEnumValueStateObsolete = 0x0002
};
Q_DECLARE_FLAGS(QtnEnumValueState, QtnEnumValueStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(QtnEnumValueState)

// One entry of an enumeration: its value, the name used in text forms and
// the caption shown to the user.
class QtnEnumValueInfo
{
public:
    QtnEnumValueInfo();
    QtnEnumValueInfo(QtnEnumValueType value, const QString& name, const QString& displayName = QString(),
                     QtnEnumValueState state = QtnEnumValueStateNone);

    QtnEnumValueType value() const { return m_value; }
    const QString& name() const { return m_name; }
    const QString& displayName() const { return m_displayName; }
    QtnEnumValueState state() const { return m_state; }

    bool operator==(const QtnEnumValueInfo& other) const;
    bool operator!=(const QtnEnumValueInfo& other) const { return !(*this == other); }

private:
    QtnEnumValueType m_value;
    QString m_name;
    QString m_displayName;
    QtnEnumValueState m_state;
};

#endif // QTN_ENUM_VALUE_INFO_H
