#include "property/core/qtnpropertybase.h"
#include "property/core/qtnproperty.h"
#include "property/core/qtnpropertyset.h"

#include <QByteArray>
#include <QDataStream>
#include <QMetaMethod>

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

struct QtnPropertyBase::DestructionGuard
{
    explicit DestructionGuard(QtnPropertyBase* guarded)
        : property(guarded),
          outer(guarded->m_destructionGuards)
    {
        guarded->m_destructionGuards = this;
    }

    ~DestructionGuard()
    {
        if (!destroyed)
            property->m_destructionGuards = outer;
    }

    QtnPropertyBase* property;
    DestructionGuard* outer;
    bool destroyed = false;
};

QtnPropertyBase::QtnPropertyBase(QObject* parent)
    : QObject(parent),
      m_id(QtnPropertyIDInvalid),
      m_stateLocal(QtnPropertyStateNone),
      m_stateInherited(QtnPropertyStateNone),
      m_destructionGuards(nullptr),
      m_listenedSignals(0)
{
    QtnPropertySet* parentSet = qobject_cast<QtnPropertySet*>(parent);
    if (parentSet)
        parentSet->addChildProperty(this, false);
}

QtnPropertyBase::~QtnPropertyBase()
{
    for (DestructionGuard* guard = m_destructionGuards; guard; guard = guard->outer)
        guard->destroyed = true;

    // While a set is being destroyed its children die in ~QObject, where the
    // cast no longer finds a set: nothing is relayed from a dead parent.
    QtnPropertySet* parentSet = qobject_cast<QtnPropertySet*>(parent());
    if (parentSet)
        parentSet->removeChildProperty(this);

    // Sets that list this property without owning it forget it silently.
    while (!m_listingSets.isEmpty())
    {
        QtnPropertySet* set = m_listingSets.first().set;
        leaveSet(set);
        set->m_childProperties.removeAll(this);
    }
}

void QtnPropertyBase::setName(const QString& name)
{
    // A blank or a point would break the "path = value" text and dotted lookups.
    if (name.contains(QLatin1Char(' ')) || name.contains(QLatin1Char('.')))
        return;

    QString newName = name;
    const QtnPropertyChangeReason reason = QtnPropertyChangeReasonName | QtnPropertyChangeReasonDisplayName;
    emitWillChange(reason, QtnPropertyValuePtr(&newName));
    setObjectName(newName);
    m_displayName = newName;
    emitDidChange(reason);
}

void QtnPropertyBase::setDisplayName(const QString& displayName)
{
    QString newDisplayName = displayName;
    emitWillChange(QtnPropertyChangeReasonDisplayName, QtnPropertyValuePtr(&newDisplayName));
    m_displayName = newDisplayName;
    emitDidChange(QtnPropertyChangeReasonDisplayName);
}

void QtnPropertyBase::setDescription(const QString& description)
{
    QString newDescription = description;
    emitWillChange(QtnPropertyChangeReasonDescription, QtnPropertyValuePtr(&newDescription));
    m_description = newDescription;
    emitDidChange(QtnPropertyChangeReasonDescription);
}

void QtnPropertyBase::setId(QtnPropertyID id)
{
    QtnPropertyID newId = id;
    emitWillChange(QtnPropertyChangeReasonId, QtnPropertyValuePtr(&newId));
    m_id = newId;
    emitDidChange(QtnPropertyChangeReasonId);
}

void QtnPropertyBase::setState(QtnPropertyState stateToSet, bool force)
{
    if (!force && stateToSet == m_stateLocal)
        return;

    QtnPropertyState newState = stateToSet;
    emitWillChange(QtnPropertyChangeReasonStateLocal, QtnPropertyValuePtr(&newState));
    m_stateLocal = newState;
    countInListingSets(false);
    emitDidChange(QtnPropertyChangeReasonStateLocal);
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
    emitWillChange(QtnPropertyChangeReasonStateInherited, QtnPropertyValuePtr(&newState));
    m_stateInherited = newState;
    countInListingSets(false);
    emitDidChange(QtnPropertyChangeReasonStateInherited);
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
        announceWillChange(this, firedProperty, reason, nullptr);
}

void QtnPropertyBase::masterPropertyDidChange(const QtnPropertyBase* changedProperty,
                                              const QtnPropertyBase* firedProperty,
                                              QtnPropertyChangeReason reason)
{
    if ((reason & QtnPropertyChangeReasonState) && changedProperty == firedProperty)
        setStateInherited(changedProperty->state(), false);

    if (reason & QtnPropertyChangeReasonValue)
        announceDidChange(this, firedProperty, reason);
}

void QtnPropertyBase::announceWillChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase* firedProperty,
                                         QtnPropertyChangeReason reason, QtnPropertyValuePtr newValue)
{
    // Blocked signals silence the relay too, as they would silence a connection.
    if (signalsBlocked())
        return;

    if (!m_listingSets.isEmpty())
    {
        const bool alive = relayToSets([&](QtnPropertySet* set) {
            if (!set->m_ignoreChildPropertyChanges)
                set->announceWillChange(changedProperty, set, reason, newValue);
        });
        if (!alive)
            return;
    }

    if (isListened(WillChangeListened))
        Q_EMIT propertyWillChange(changedProperty, firedProperty, reason, newValue);
}

void QtnPropertyBase::announceDidChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase* firedProperty,
                                        QtnPropertyChangeReason reason)
{
    // Counted before anything can stop the announcement: a value changed
    // while signals are blocked has changed all the same.
    if (changedProperty == this && (reason & QtnPropertyChangeReasonValue))
        countValueChange();

    if (signalsBlocked())
        return;

    if (!m_listingSets.isEmpty())
    {
        const bool alive = relayToSets([&](QtnPropertySet* set) {
            if (!set->m_ignoreChildPropertyChanges)
                set->announceDidChange(changedProperty, set, reason);
        });
        if (!alive)
            return;
    }

    if (isListened(DidChangeListened))
        Q_EMIT propertyDidChange(changedProperty, firedProperty, reason);
}

namespace
{
quint64 s_totalValueChanges = 0;
quint64 s_lastRevision = 0;
} // namespace

quint64 QtnPropertyBase::nextRevision()
{
    return ++s_lastRevision;
}

quint64 QtnPropertyBase::totalValueChanges()
{
    return s_totalValueChanges;
}

void QtnPropertyBase::countValueChange()
{
    ++s_totalValueChanges;
    countInListingSets(true);
}

// Up through every set that lists the property, directly or through sets
// below it: a few steps, no signal.
void QtnPropertyBase::countInListingSets(bool value)
{
    for (const ListingSet& listing : qAsConst(m_listingSets))
    {
        QtnPropertySet* set = listing.set;
        if (value)
            ++set->m_valueChanges;
        // Every change is logged, a value's or another (a choice list
        // rebuilt under a value that stays shows another text). A change in
        // a row to the set logged last is in the log for every reader that
        // marked it before that entry.
        if (set->m_listingSets.isEmpty()
            && (QtnPropertySet::s_changeLogEnd == QtnPropertySet::s_changeLogMark
                || QtnPropertySet::s_changeLog[(QtnPropertySet::s_changeLogEnd - 1) % QtnPropertySet::ChangeLogSize]
                       != set))
        {
            QtnPropertySet::s_changeLog[QtnPropertySet::s_changeLogEnd % QtnPropertySet::ChangeLogSize] = set;
            ++QtnPropertySet::s_changeLogEnd;
        }
        listing.set->m_revision = nextRevision();
        listing.set->countInListingSets(value);
    }
}

// Tells the sets listing this property, in the order they added it, and
// returns false when one of their receivers destroyed this property. As with
// connections made or broken during an emission, a set added meanwhile is not
// told and a set removed (or destroyed) meanwhile is told no more.
template <typename Relay>
bool QtnPropertyBase::relayToSets(const Relay& relay)
{
    DestructionGuard guard(this);
    if (m_listingSets.size() == 1)
    {
        const ListingSet only = m_listingSets.first();
        if (!only.throughConnection)
            relay(only.set);
        return !guard.destroyed;
    }

    QVarLengthArray<QtnPropertySet*, 4> sets;
    for (const ListingSet& listing : qAsConst(m_listingSets))
    {
        if (!listing.throughConnection)
            sets.append(listing.set);
    }
    for (int i = 0; i < sets.size(); ++i)
    {
        if (i > 0 && !isRelayedDirectlyBy(sets.at(i)))
            continue;
        relay(sets.at(i));
        if (guard.destroyed)
            return false;
    }
    return true;
}

bool QtnPropertyBase::isRelayedDirectlyBy(const QtnPropertySet* set) const
{
    for (const ListingSet& listing : m_listingSets)
    {
        if (listing.set == set && !listing.throughConnection)
            return true;
    }
    return false;
}

void QtnPropertyBase::joinSet(QtnPropertySet* set)
{
    // A receiver connected before the set must go on hearing of changes
    // before the set does: such a set is told through a connection, behind it.
    bool behindReceivers = false;
    if (m_listenedSignals & (WillChangeListened | DidChangeListened | ListenersToRecount))
    {
        recountListeners();
        behindReceivers = m_listenedSignals & (WillChangeListened | DidChangeListened);
    }

    m_listingSets.append(ListingSet{set, behindReceivers});
    if (behindReceivers)
    {
        QObject::connect(this, &QtnPropertyBase::propertyWillChange, set, &QtnPropertySet::childPropertyWillChange,
                         Qt::DirectConnection);
        QObject::connect(this, &QtnPropertyBase::propertyDidChange, set, &QtnPropertySet::childPropertyDidChange,
                         Qt::DirectConnection);
    }
}

void QtnPropertyBase::leaveSet(QtnPropertySet* set)
{
    bool connected = false;
    for (int i = m_listingSets.size() - 1; i >= 0; --i)
    {
        if (m_listingSets.at(i).set != set)
            continue;
        connected = connected || m_listingSets.at(i).throughConnection;
        m_listingSets.remove(i);
    }
    if (connected)
    {
        QObject::disconnect(this, &QtnPropertyBase::propertyWillChange, set, &QtnPropertySet::childPropertyWillChange);
        QObject::disconnect(this, &QtnPropertyBase::propertyDidChange, set, &QtnPropertySet::childPropertyDidChange);
    }
}

namespace
{
const QMetaMethod& qtnWillChangeSignal()
{
    static const QMetaMethod method = QMetaMethod::fromSignal(&QtnPropertyBase::propertyWillChange);
    return method;
}

const QMetaMethod& qtnDidChangeSignal()
{
    static const QMetaMethod method = QMetaMethod::fromSignal(&QtnPropertyBase::propertyDidChange);
    return method;
}

const QMetaMethod& qtnValueAcceptSignal()
{
    static const QMetaMethod method = QMetaMethod::fromSignal(&QtnProperty::propertyValueAccept);
    return method;
}
} // namespace

void QtnPropertyBase::connectNotify(const QMetaMethod& signal)
{
    // Qt may call this with a lock of its own held: only flags are set here.
    if (signal == qtnWillChangeSignal())
        m_listenedSignals |= WillChangeListened;
    else if (signal == qtnDidChangeSignal())
        m_listenedSignals |= DidChangeListened;
    else if (signal == qtnValueAcceptSignal())
        m_listenedSignals |= ValueAcceptListened;
    else if (!signal.isValid())
        m_listenedSignals |= WillChangeListened | DidChangeListened | ValueAcceptListened;
    QObject::connectNotify(signal);
}

void QtnPropertyBase::disconnectNotify(const QMetaMethod& signal)
{
    // Called before the connection is gone (a receiver being destroyed):
    // count again only when the next change is announced.
    m_listenedSignals |= ListenersToRecount;
    QObject::disconnectNotify(signal);
}

void QtnPropertyBase::recountListeners()
{
    quint8 listened = 0;
    if (isSignalConnected(qtnWillChangeSignal()))
        listened |= WillChangeListened;
    if (isSignalConnected(qtnDidChangeSignal()))
        listened |= DidChangeListened;
    if (asProperty() && isSignalConnected(qtnValueAcceptSignal()))
        listened |= ValueAcceptListened;
    m_listenedSignals = listened;
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
