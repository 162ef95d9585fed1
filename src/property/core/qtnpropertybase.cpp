#include "property/core/qtnpropertybase.h"
#include "property/core/qtnpropertyset.h"

#include <QByteArray>
#include <QDataStream>

#include <limits>

namespace
{
const quint16 qtnEnvelopeMagic = 6532;
const quint8 qtnEnvelopeVersion = 1;
const quint16 qtnBaseBodyVersion = 1;

// The body goes to a second stream first so that its length can precede it;
// that stream must encode exactly as the caller's does.
void qtnCopyStreamSettings(const QDataStream& from, QDataStream& to)
{
    to.setByteOrder(from.byteOrder());
    to.setVersion(from.version());
    to.setFloatingPointPrecision(from.floatingPointPrecision());
}

bool qtnReadEnvelopeHeader(QDataStream& stream, quint32& length)
{
    if (stream.status() != QDataStream::Ok)
        return false;

    quint16 magic = 0;
    stream >> magic;
    if (stream.status() != QDataStream::Ok || magic != qtnEnvelopeMagic)
        return false;

    quint8 version = 0;
    stream >> version;
    if (stream.status() != QDataStream::Ok || version != qtnEnvelopeVersion)
        return false;

    stream >> length;
    return stream.status() == QDataStream::Ok;
}
} // namespace

QtnPropertyBase::QtnPropertyBase(QObject* parent)
    : QObject(parent),
      m_id(QtnPropertyIDInvalid),
      m_stateLocal(QtnPropertyStateNone),
      m_stateInherited(QtnPropertyStateNone)
{
    QtnPropertySet* parentSet = qobject_cast<QtnPropertySet*>(parent);
    if (parentSet)
        parentSet->addChildProperty(this, false);
}

QtnPropertyBase::~QtnPropertyBase()
{
    // While a set is being destroyed its children die in ~QObject, where the
    // cast no longer finds a set: nothing is relayed from a dead parent.
    QtnPropertySet* parentSet = qobject_cast<QtnPropertySet*>(parent());
    if (parentSet)
        parentSet->removeChildProperty(this);
}

void QtnPropertyBase::setName(const QString& name)
{
    // A blank or a point would break the "path = value" text and dotted lookups.
    if (name.contains(QLatin1Char(' ')) || name.contains(QLatin1Char('.')))
        return;

    QString newName = name;
    const QtnPropertyChangeReason reason = QtnPropertyChangeReasonName | QtnPropertyChangeReasonDisplayName;
    Q_EMIT propertyWillChange(this, this, reason, QtnPropertyValuePtr(&newName));
    setObjectName(newName);
    m_displayName = newName;
    Q_EMIT propertyDidChange(this, this, reason);
}

void QtnPropertyBase::setDisplayName(const QString& displayName)
{
    QString newDisplayName = displayName;
    Q_EMIT propertyWillChange(this, this, QtnPropertyChangeReasonDisplayName, QtnPropertyValuePtr(&newDisplayName));
    m_displayName = newDisplayName;
    Q_EMIT propertyDidChange(this, this, QtnPropertyChangeReasonDisplayName);
}

void QtnPropertyBase::setDescription(const QString& description)
{
    QString newDescription = description;
    Q_EMIT propertyWillChange(this, this, QtnPropertyChangeReasonDescription, QtnPropertyValuePtr(&newDescription));
    m_description = newDescription;
    Q_EMIT propertyDidChange(this, this, QtnPropertyChangeReasonDescription);
}

void QtnPropertyBase::setId(QtnPropertyID id)
{
    QtnPropertyID newId = id;
    Q_EMIT propertyWillChange(this, this, QtnPropertyChangeReasonId, QtnPropertyValuePtr(&newId));
    m_id = newId;
    Q_EMIT propertyDidChange(this, this, QtnPropertyChangeReasonId);
}

void QtnPropertyBase::setState(QtnPropertyState stateToSet, bool force)
{
    if (!force && stateToSet == m_stateLocal)
        return;

    QtnPropertyState newState = stateToSet;
    Q_EMIT propertyWillChange(this, this, QtnPropertyChangeReasonStateLocal, QtnPropertyValuePtr(&newState));
    m_stateLocal = newState;
    Q_EMIT propertyDidChange(this, this, QtnPropertyChangeReasonStateLocal);
    updateStateInherited(force);
}

void QtnPropertyBase::addState(QtnPropertyState stateToAdd, bool force)
{
    setState(m_stateLocal | stateToAdd, force);
}

void QtnPropertyBase::removeState(QtnPropertyState stateToRemove, bool force)
{
    setState(m_stateLocal & ~stateToRemove, force);
}

void QtnPropertyBase::switchState(QtnPropertyState stateToSwitch, bool switchOn, bool force)
{
    if (switchOn)
        addState(stateToSwitch, force);
    else
        removeState(stateToSwitch, force);
}

void QtnPropertyBase::switchStateAuto(QtnPropertyState stateToSwitch, bool force)
{
    if (m_stateLocal & stateToSwitch)
        removeState(stateToSwitch, force);
    else
        addState(stateToSwitch, force);
}

void QtnPropertyBase::setStateInherited(QtnPropertyState stateToSet, bool force)
{
    if (!force && stateToSet == m_stateInherited)
        return;

    QtnPropertyState newState = stateToSet;
    Q_EMIT propertyWillChange(this, this, QtnPropertyChangeReasonStateInherited, QtnPropertyValuePtr(&newState));
    m_stateInherited = newState;
    Q_EMIT propertyDidChange(this, this, QtnPropertyChangeReasonStateInherited);
    updateStateInherited(force);
}

bool QtnPropertyBase::isEditable() const
{
    return !(state() & QtnPropertyStateImmutable);
}

bool QtnPropertyBase::isVisible() const
{
    return !(state() & QtnPropertyStateInvisible);
}

bool QtnPropertyBase::isEditableByUser() const
{
    return !(state() & (QtnPropertyStateImmutable | QtnPropertyStateInvisible));
}

bool QtnPropertyBase::load(QDataStream& stream)
{
    quint32 length = 0;
    if (!qtnReadEnvelopeHeader(stream, length))
        return false;

    if (!loadImpl(stream))
        return false;

    return stream.status() == QDataStream::Ok;
}

bool QtnPropertyBase::save(QDataStream& stream) const
{
    if (stream.status() != QDataStream::Ok)
        return false;

    QByteArray body;
    {
        QDataStream bodyStream(&body, QIODevice::WriteOnly);
        qtnCopyStreamSettings(stream, bodyStream);
        if (!saveImpl(bodyStream) || bodyStream.status() != QDataStream::Ok)
            return false;
    }

    stream << qtnEnvelopeMagic;
    stream << qtnEnvelopeVersion;
    stream << quint32(body.size());
    const int written = stream.writeRawData(body.constData(), body.size());
    return written == body.size() && stream.status() == QDataStream::Ok;
}

bool QtnPropertyBase::skipLoad(QDataStream& stream)
{
    quint32 length = 0;
    if (!qtnReadEnvelopeHeader(stream, length))
        return false;

    // skipRawData takes an int; a length beyond it cannot be a real body.
    if (length > quint32(std::numeric_limits<int>::max()))
        return false;

    const int skipped = stream.skipRawData(int(length));
    return skipped == int(length);
}

bool QtnPropertyBase::loadImpl(QDataStream& stream)
{
    quint16 version = 0;
    stream >> version;
    if (stream.status() != QDataStream::Ok || version != qtnBaseBodyVersion)
        return false;

    quint32 stateLocal = 0;
    quint32 stateInherited = 0;
    stream >> stateLocal >> stateInherited;
    if (stream.status() != QDataStream::Ok)
        return false;

    m_stateLocal = QtnPropertyState(int(stateLocal));
    m_stateInherited = QtnPropertyState(int(stateInherited));
    return true;
}

bool QtnPropertyBase::saveImpl(QDataStream& stream) const
{
    stream << qtnBaseBodyVersion;
    stream << quint32(int(m_stateLocal));
    stream << quint32(int(m_stateInherited));
    return stream.status() == QDataStream::Ok;
}

bool QtnPropertyBase::fromStr(const QString& str)
{
    // Read-only properties swallow text silently: loaders must not fail on them.
    if (state() & QtnPropertyStateImmutable)
        return true;

    return fromStrImpl(str.trimmed());
}

bool QtnPropertyBase::toStr(QString& str) const
{
    return toStrImpl(str);
}

bool QtnPropertyBase::fromVariant(const QVariant& var)
{
    if (state() & QtnPropertyStateImmutable)
        return false;

    return fromVariantImpl(var);
}

bool QtnPropertyBase::toVariant(QVariant& var) const
{
    return toVariantImpl(var);
}

bool QtnPropertyBase::fromStrImpl(const QString& str)
{
    Q_UNUSED(str);
    return false;
}

bool QtnPropertyBase::toStrImpl(QString& str) const
{
    Q_UNUSED(str);
    return false;
}

bool QtnPropertyBase::fromVariantImpl(const QVariant& var)
{
    if (!var.canConvert<QString>())
        return false;

    return fromStr(var.toString());
}

bool QtnPropertyBase::toVariantImpl(QVariant& var) const
{
    QString str;
    if (!toStr(str))
        return false;

    var = str;
    return true;
}

void QtnPropertyBase::updateStateInherited(bool force)
{
    Q_UNUSED(force);
}

const QtnPropertyDelegateInfo* QtnPropertyBase::delegate() const
{
    if (!m_delegateInfoGetter)
        return nullptr;

    return m_delegateInfoGetter->delegate();
}

void QtnPropertyBase::setDelegate(const QtnPropertyDelegateInfo& delegate)
{
    m_delegateInfoGetter.reset(new QtnPropertyDelegateInfoGetterValue(delegate));
}

void QtnPropertyBase::setDelegateCallback(const QtnPropertyDelegateInfoCallback& callback)
{
    m_delegateInfoGetter.reset(new QtnPropertyDelegateInfoGetterCallback(callback));
}

bool QtnPropertyBase::reset()
{
    if (!m_resetCallback)
        return false;

    m_resetCallback(*this);
    return true;
}

QVariant QtnPropertyBase::valueAsVariant() const
{
    QVariant result;
    toVariant(result);
    return result;
}

void QtnPropertyBase::setValueAsVariant(const QVariant& var)
{
    fromVariant(var);
}

void QtnPropertyBase::masterPropertyWillChange(const QtnPropertyBase* changedProperty,
                                               const QtnPropertyBase* firedProperty,
                                               QtnPropertyChangeReason reason, QtnPropertyValuePtr newValue)
{
    Q_UNUSED(changedProperty);
    Q_UNUSED(newValue);
    // The master's new value has the master's type, not ours: pass no pointer.
    if (reason & QtnPropertyChangeReasonValue)
        Q_EMIT propertyWillChange(this, firedProperty, reason, nullptr);
}

void QtnPropertyBase::masterPropertyDidChange(const QtnPropertyBase* changedProperty,
                                              const QtnPropertyBase* firedProperty,
                                              QtnPropertyChangeReason reason)
{
    if ((reason & QtnPropertyChangeReasonState) && changedProperty == firedProperty)
        setStateInherited(changedProperty->state(), false);

    if (reason & QtnPropertyChangeReasonValue)
        Q_EMIT propertyDidChange(this, firedProperty, reason);
}

void qtnConnectMasterState(const QtnPropertyBase& masterProperty, QtnPropertyBase& slaveProperty)
{
    slaveProperty.setStateInherited(masterProperty.state(), false);
    QObject::connect(&masterProperty, &QtnPropertyBase::propertyWillChange,
                     &slaveProperty, &QtnPropertyBase::masterPropertyWillChange);
    QObject::connect(&masterProperty, &QtnPropertyBase::propertyDidChange,
                     &slaveProperty, &QtnPropertyBase::masterPropertyDidChange);
}

void qtnDisconnectMasterState(const QtnPropertyBase& masterProperty, QtnPropertyBase& slaveProperty)
{
    QObject::disconnect(&masterProperty, &QtnPropertyBase::propertyWillChange,
                        &slaveProperty, &QtnPropertyBase::masterPropertyWillChange);
    QObject::disconnect(&masterProperty, &QtnPropertyBase::propertyDidChange,
                        &slaveProperty, &QtnPropertyBase::masterPropertyDidChange);
}
