#ifndef QTN_PROPERTY_STATE_H
#define QTN_PROPERTY_STATE_H

#include <QtGlobal>
#include <QFlags>
#include <QMetaType>

// Numeric key of a property in the binary form; -1 keeps a property out of it.
typedef qint32 QtnPropertyID;
const QtnPropertyID QtnPropertyIDInvalid = -1;

// The bit values are written to binary streams: never renumber them.
enum QtnPropertyStateFlag
{
    QtnPropertyStateNone = 0x0000,
    QtnPropertyStateNonSimple = 0x0001,
    QtnPropertyStateInvisible = 0x0002,
    QtnPropertyStateImmutable = 0x0004,
    QtnPropertyStateCollapsed = 0x0008,
    QtnPropertyStateNonSerialized = 0x0010
};
Q_DECLARE_FLAGS(QtnPropertyState, QtnPropertyStateFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(QtnPropertyState)

enum QtnPropertyChangeReasonFlag
{
    QtnPropertyChangeReasonNewValue = 0x0001,
    QtnPropertyChangeReasonLoadedValue = 0x0002,
    QtnPropertyChangeReasonValue = QtnPropertyChangeReasonNewValue | QtnPropertyChangeReasonLoadedValue,
    QtnPropertyChangeReasonName = 0x0004,
    QtnPropertyChangeReasonDisplayName = 0x0008,
    QtnPropertyChangeReasonDescription = 0x0010,
    QtnPropertyChangeReasonId = 0x0020,
    QtnPropertyChangeReasonStateLocal = 0x0040,
    QtnPropertyChangeReasonStateInherited = 0x0080,
    QtnPropertyChangeReasonState = QtnPropertyChangeReasonStateLocal | QtnPropertyChangeReasonStateInherited,
    QtnPropertyChangeReasonChildPropertyAdd = 0x0100,
    QtnPropertyChangeReasonChildPropertyRemove = 0x0200,
    QtnPropertyChangeReasonChildren = QtnPropertyChangeReasonChildPropertyAdd | QtnPropertyChangeReasonChildPropertyRemove
};
Q_DECLARE_FLAGS(QtnPropertyChangeReason, QtnPropertyChangeReasonFlag)
Q_DECLARE_OPERATORS_FOR_FLAGS(QtnPropertyChangeReason)

// Untyped pointer travelling with propertyWillChange and propertyValueAccept:
// the new value, name, id or state, or the child being added or removed.
typedef void* QtnPropertyValuePtr;

Q_DECLARE_METATYPE(QtnPropertyState)
Q_DECLARE_METATYPE(QtnPropertyChangeReason)

#endif // QTN_PROPERTY_STATE_H
