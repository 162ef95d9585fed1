#ifndef PROPERTY_RECORDER_H
#define PROPERTY_RECORDER_H

#include "property/core/qtnpropertycore.h"

#include <QStringList>

// Writes every signal a property or set emits as one line of text, so that
// a test can compare order and arguments in one QCOMPARE. Value pointers of
// value reasons are read as qint32 (the tests record int properties).
class PropertyRecorder : public QObject
{
public:
    QStringList lines;
    bool vetoNext = false;

    void watch(QtnPropertyBase* property)
    {
        connect(property, &QtnPropertyBase::propertyWillChange, this,
                [this](const QtnPropertyBase* changed, const QtnPropertyBase* fired, QtnPropertyChangeReason reason,
                       QtnPropertyValuePtr newValue) {
                    lines.append(QStringLiteral("will %1 %2 %3 %4")
                                     .arg(changed->objectName(), fired->objectName())
                                     .arg(int(reason))
                                     .arg(describe(reason, newValue)));
                });
        connect(property, &QtnPropertyBase::propertyDidChange, this,
                [this](const QtnPropertyBase* changed, const QtnPropertyBase* fired, QtnPropertyChangeReason reason) {
                    lines.append(QStringLiteral("did %1 %2 %3")
                                     .arg(changed->objectName(), fired->objectName())
                                     .arg(int(reason)));
                });
        QtnProperty* single = property->asProperty();
        if (single)
        {
            connect(single, &QtnProperty::propertyValueAccept, this,
                    [this](const QtnProperty* changed, QtnPropertyValuePtr value, bool* accept) {
                        lines.append(QStringLiteral("accept %1 %2 %3")
                                         .arg(changed->objectName())
                                         .arg(*static_cast<const qint32*>(value))
                                         .arg(*accept ? 1 : 0));
                        if (vetoNext)
                            *accept = false;
                    });
        }
    }

private:
    static QString describe(QtnPropertyChangeReason reason, QtnPropertyValuePtr newValue)
    {
        if (!newValue)
            return QStringLiteral("null");
        if (reason & QtnPropertyChangeReasonValue)
            return QString::number(*static_cast<const qint32*>(newValue));
        if (reason & (QtnPropertyChangeReasonName | QtnPropertyChangeReasonDisplayName | QtnPropertyChangeReasonDescription))
            return *static_cast<const QString*>(newValue);
        if (reason & QtnPropertyChangeReasonId)
            return QString::number(*static_cast<const QtnPropertyID*>(newValue));
        if (reason & QtnPropertyChangeReasonState)
            return QString::number(int(*static_cast<const QtnPropertyState*>(newValue)));
        if (reason & QtnPropertyChangeReasonChildren)
            return static_cast<const QtnPropertyBase*>(newValue)->objectName();
        return QStringLiteral("?");
    }
};

#endif // PROPERTY_RECORDER_H
