#ifndef QTN_PROPERTY_BASE_H
#define QTN_PROPERTY_BASE_H

#include "property/core/qtnpropertystate.h"
#include "property/core/qtnpropertydelegateinfo.h"

#include <QObject>
#include <QScopedPointer>
#include <QString>
#include <QVarLengthArray>
#include <QVariant>

#include <functional>

class QDataStream;
class QtnProperty;
class QtnPropertySet;
class QtnPropertyBase;

typedef std::function<void(QtnPropertyBase&)> QtnPropertyResetCallback;

// Common base of single properties and property sets: name, captions, id,
// state flags and the will/did change signals. The name is the object name.
class QtnPropertyBase : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyBase)

    Q_PROPERTY(QString name READ name WRITE setName)
    Q_PROPERTY(QString displayName READ displayName WRITE setDisplayName)
    Q_PROPERTY(QString description READ description WRITE setDescription)
    Q_PROPERTY(qint32 id READ id WRITE setId)
    Q_PROPERTY(bool isEditable READ isEditable)
    Q_PROPERTY(QtnPropertyState state READ state)
    Q_PROPERTY(QVariant value READ valueAsVariant WRITE setValueAsVariant)

public:
    ~QtnPropertyBase() override;

    QString name() const { return objectName(); }
    void setName(const QString& name);

    const QString& displayName() const { return m_displayName; }
    void setDisplayName(const QString& displayName);

    const QString& description() const { return m_description; }
    void setDescription(const QString& description);

    QtnPropertyID id() const { return m_id; }
    void setId(QtnPropertyID id);

    // Effective state: own flags OR the flags pushed down by the parent set.
    QtnPropertyState state() const { return m_stateLocal | m_stateInherited; }
    QtnPropertyState stateLocal() const { return m_stateLocal; }
    QtnPropertyState stateInherited() const { return m_stateInherited; }

    void setState(QtnPropertyState stateToSet, bool force = false);
    void addState(QtnPropertyState stateToAdd, bool force = false);
    void removeState(QtnPropertyState stateToRemove, bool force = false);
    void switchState(QtnPropertyState stateToSwitch, bool switchOn, bool force = false);
    void switchStateAuto(QtnPropertyState stateToSwitch, bool force = false);
    void setStateInherited(QtnPropertyState stateToSet, bool force = false);

    bool isEditable() const;
    bool isVisible() const;
    bool isEditableByUser() const;

    // Binary envelope: magic 6532, version 1, body length, body.
    bool load(QDataStream& stream);
    bool save(QDataStream& stream) const;
    static bool skipLoad(QDataStream& stream);

    bool fromStr(const QString& str);
    bool toStr(QString& str) const;
    bool fromVariant(const QVariant& var);
    bool toVariant(QVariant& var) const;

    // Value changes of every property of the process so far, counted where
    // they happen, even while signals are blocked: whoever keeps the count
    // tells with one comparison that no value has changed since.
    static quint64 totalValueChanges();

    // Delegate info read by the view; the property owns the getter.
    const QtnPropertyDelegateInfo* delegate() const;
    void setDelegate(const QtnPropertyDelegateInfo& delegate);
    void setDelegateCallback(const QtnPropertyDelegateInfoCallback& callback);

    const QtnPropertyResetCallback& resetCallback() const { return m_resetCallback; }
    void setResetCallback(const QtnPropertyResetCallback& callback) { m_resetCallback = callback; }
    bool reset();

    virtual QtnProperty* asProperty() { return nullptr; }
    virtual const QtnProperty* asProperty() const { return nullptr; }
    virtual QtnPropertySet* asPropertySet() { return nullptr; }
    virtual const QtnPropertySet* asPropertySet() const { return nullptr; }

Q_SIGNALS:
    // Raised only through emitWillChange and emitDidChange: a bare emit would
    // reach this property's receivers but not the sets that list it.
    void propertyWillChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase* firedProperty,
                            QtnPropertyChangeReason reason, QtnPropertyValuePtr newValue);
    void propertyDidChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase* firedProperty,
                           QtnPropertyChangeReason reason);

protected:
    explicit QtnPropertyBase(QObject* parent);

    // Every change of this property goes out through these two: the sets that
    // list it hear of it first, each relaying it up to its own sets, then the
    // receivers connected to this property itself.
    void emitWillChange(QtnPropertyChangeReason reason, QtnPropertyValuePtr newValue)
    {
        announceWillChange(this, this, reason, newValue);
    }
    void emitDidChange(QtnPropertyChangeReason reason) { announceDidChange(this, this, reason); }

    // Something other than the value that the sets above must tell their
    // readers about (the choice list of an enumeration): moves their revision.
    void countOtherChange() { countInListingSets(false); }
    static quint64 nextRevision();

    // False when nobody is connected to propertyValueAccept: the veto round can be skipped.
    bool isValueAcceptListened() { return isListened(ValueAcceptListened); }

    void connectNotify(const QMetaMethod& signal) override;
    void disconnectNotify(const QMetaMethod& signal) override;

    virtual bool loadImpl(QDataStream& stream);
    virtual bool saveImpl(QDataStream& stream) const;
    virtual bool fromStrImpl(const QString& str);
    virtual bool toStrImpl(QString& str) const;
    virtual bool fromVariantImpl(const QVariant& var);
    virtual bool toVariantImpl(QVariant& var) const;
    virtual void updateStateInherited(bool force);

private Q_SLOTS:
    // Targets of connectMasterState: a sub-property follows its compound master.
    void masterPropertyWillChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase* firedProperty,
                                  QtnPropertyChangeReason reason, QtnPropertyValuePtr newValue);
    void masterPropertyDidChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase* firedProperty,
                                 QtnPropertyChangeReason reason);

private:
    QVariant valueAsVariant() const;
    void setValueAsVariant(const QVariant& var);

    void announceWillChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase* firedProperty,
                            QtnPropertyChangeReason reason, QtnPropertyValuePtr newValue);
    void announceDidChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase* firedProperty,
                           QtnPropertyChangeReason reason);
    template <typename Relay>
    bool relayToSets(const Relay& relay);
    void countValueChange();
    void countInListingSets(bool value);
    bool isRelayedDirectlyBy(const QtnPropertySet* set) const;
    void joinSet(QtnPropertySet* set);
    void leaveSet(QtnPropertySet* set);

    // Which of this property's signals have receivers. Kept by connectNotify;
    // a disconnection only marks the flags for a recount at the next change,
    // so a flag may stay set for a while but is never missing.
    enum ListenedSignal : quint8
    {
        WillChangeListened = 1,
        DidChangeListened = 2,
        ValueAcceptListened = 4,
        ListenersToRecount = 8
    };
    bool isListened(ListenedSignal listenedSignal)
    {
        if (m_listenedSignals & ListenersToRecount)
            recountListeners();
        return m_listenedSignals & listenedSignal;
    }
    void recountListeners();

    // A set that lists this property, once per addChildProperty. Sets are
    // told of a change by a direct call; only a set added while this property
    // already had receivers is told through a connection of its own, so that
    // it keeps its place behind them.
    struct ListingSet
    {
        QtnPropertySet* set;
        bool throughConnection;
    };

    // Lets a relay notice that a receiver up the tree destroyed this property.
    struct DestructionGuard;

    QString m_displayName;
    QString m_description;
    QtnPropertyID m_id;
    QtnPropertyState m_stateLocal;
    QtnPropertyState m_stateInherited;
    QScopedPointer<QtnPropertyDelegateInfoGetter> m_delegateInfoGetter;
    QtnPropertyResetCallback m_resetCallback;
    QVarLengthArray<ListingSet, 1> m_listingSets;
    DestructionGuard* m_destructionGuards;
    quint8 m_listenedSignals;

    friend class QtnPropertySet;
    friend void qtnConnectMasterState(const QtnPropertyBase& masterProperty, QtnPropertyBase& slaveProperty);
    friend void qtnDisconnectMasterState(const QtnPropertyBase& masterProperty, QtnPropertyBase& slaveProperty);
};

// The slave takes the master's effective state as inherited state and
// announces the master's value changes as its own.
void qtnConnectMasterState(const QtnPropertyBase& masterProperty, QtnPropertyBase& slaveProperty);
void qtnDisconnectMasterState(const QtnPropertyBase& masterProperty, QtnPropertyBase& slaveProperty);

inline void connectMasterState(const QtnPropertyBase& masterProperty, QtnPropertyBase& slaveProperty)
{
    qtnConnectMasterState(masterProperty, slaveProperty);
}

inline void disconnectMasterState(const QtnPropertyBase& masterProperty, QtnPropertyBase& slaveProperty)
{
    qtnDisconnectMasterState(masterProperty, slaveProperty);
}

#endif // QTN_PROPERTY_BASE_H
