#ifndef QTN_ENUM_INFO_H
#define QTN_ENUM_INFO_H

#include "property/core/qtnenumvalueinfo.h"

#include <QVector>

// An enumeration: a name ("Qt", "POWER") and its values. Lookups search the
// main list first, then the second list; catalogue-fed enumerations keep
// their fixed entry in the main list and the catalogue rows in the second.
class QtnEnumInfo
{
public:
    QtnEnumInfo();
    QtnEnumInfo(const QString& name, const QVector<QtnEnumValueInfo>& values);

    const QString& name() const { return m_name; }

    const QVector<QtnEnumValueInfo>& getVector() const { return m_values; }
    const QVector<QtnEnumValueInfo>& secondValues() const { return m_secondValues; }
    // Replaces the second list as a whole; an identical list changes nothing.
    void setSecondValues(const QVector<QtnEnumValueInfo>& values);

    // Every value of both lists in order; stops when pred returns false.
    template <typename Pred>
    bool forEachEnumValue(Pred pred) const
    {
        for (const QtnEnumValueInfo& valueInfo : m_values)
        {
            if (!pred(valueInfo))
                return false;
        }
        for (const QtnEnumValueInfo& valueInfo : m_secondValues)
        {
            if (!pred(valueInfo))
                return false;
        }
        return true;
    }

    const QtnEnumValueInfo* findByValue(QtnEnumValueType value) const;
    const QtnEnumValueInfo* findByName(const QString& name, Qt::CaseSensitivity cs = Qt::CaseSensitive) const;
    const QtnEnumValueInfo* findByDisplayName(const QString& displayName,
                                              Qt::CaseSensitivity cs = Qt::CaseSensitive) const;

    // "%1::%2": enumeration name, value name ("Qt::SolidLine").
    bool toStr(QString& str, const QtnEnumValueInfo* valueInfo) const;
    bool toStr(QString& str, QtnEnumValueType value) const;
    // "Name::Value" or a bare value name, without regard to case.
    const QtnEnumValueInfo* fromStr(const QString& str) const;

private:
    QString m_name;
    QVector<QtnEnumValueInfo> m_values;
    QVector<QtnEnumValueInfo> m_secondValues;
};

#endif // QTN_ENUM_INFO_H
