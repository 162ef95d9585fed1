#ifndef QTN_PROPERTY_SET_H
#define QTN_PROPERTY_SET_H

#include "property/core/qtnpropertybase.h"

#include <QList>

class QJsonObject;

// An ordered list of child properties (which may be sets). Relays their
// signals with itself as firedProperty and pushes its state down to them.
class QtnPropertySet : public QtnPropertyBase
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertySet)

public:
    explicit QtnPropertySet(QObject* parent = nullptr);
    ~QtnPropertySet() override;

    QtnPropertySet* asPropertySet() override { return this; }
    const QtnPropertySet* asPropertySet() const override { return this; }

    Q_INVOKABLE bool hasChildProperties() const { return !m_childProperties.isEmpty(); }
    Q_INVOKABLE const QList<QtnPropertyBase*>& childProperties() const { return m_childProperties; }
    // Name or dotted path ("Advanced.Resistance"); recursive by default.
    Q_INVOKABLE QList<QtnPropertyBase*> findChildProperties(QString name,
                                                            Qt::FindChildOptions options = Qt::FindChildrenRecursively);
    Q_INVOKABLE QtnPropertyBase* findChildProperty(QtnPropertyID id);
    Q_INVOKABLE void clearChildProperties();
    Q_INVOKABLE bool addChildProperty(QtnPropertyBase* childProperty, bool moveOwnership = true);
    Q_INVOKABLE bool removeChildProperty(QtnPropertyBase* childProperty);

    Q_INVOKABLE QtnPropertySet* createNew(QObject* parentForNew) const;
    Q_INVOKABLE QtnPropertySet* createCopy(QObject* parentForCopy) const;
    Q_INVOKABLE bool copyValues(QtnPropertySet* propertySetCopyFrom,
                                QtnPropertyState ignoreMask = QtnPropertyStateNone);

    // Value changes of the properties below it, at any depth, so far; they
    // count even where signals were blocked (a reader that remembers the
    // count knows whether anything in the set changed since it looked).
    quint64 valueChanges() const { return m_valueChanges; }
    // A stamp that moves on whenever a value, a state or the choice list of
    // a property below it changes, blocked signals or not. Stamps are drawn
    // from one count for the whole process, so no two sets ever show the
    // same one: a reader that keeps (set, stamp) knows the set is unchanged
    // while the set shows that stamp, even if another set later takes the
    // first one's place in memory.
    quint64 revision() const { return m_revision; }

    // Every change below a set that no other set lists (an item's whole
    // set) that moves its revision is logged with that set, the last
    // ChangeLogSize kept (one entry for changes in a row to one set since
    // the last mark): a reader that marks the log's end finds the sets that
    // changed since without looking at every set it knows. The address may
    // since hold another set: compare what it shows before using it.
    enum { ChangeLogSize = 1024 };
    static quint64 changeLogEnd() { return s_changeLogEnd; }
    // The log's end, for a later changedSince(): the next change is logged
    // whatever set was logged last.
    static quint64 markChangeLog()
    {
        s_changeLogMark = s_changeLogEnd;
        return s_changeLogEnd;
    }
    // Calls visit(set) for every set logged after end, oldest first (a set
    // may come more than once); false, and nothing visited, when the log no
    // longer reaches back that far.
    template <typename Visit>
    static bool changedSince(quint64 end, Visit visit)
    {
        if (end > s_changeLogEnd || s_changeLogEnd - end > quint64(ChangeLogSize))
            return false;
        for (quint64 entry = end; entry < s_changeLogEnd; ++entry)
            visit(s_changeLog[entry % ChangeLogSize]);
        return true;
    }

    Q_INVOKABLE bool fromJson(const QJsonObject& jsonObject);
    Q_INVOKABLE bool toJson(QJsonObject& jsonObject) const;

protected:
    virtual QtnPropertySet* createNewImpl(QObject* parentForNew) const;
    virtual QtnPropertySet* createCopyImpl(QObject* parentForCopy) const;
    virtual bool copyValuesImpl(QtnPropertySet* propertySetCopyFrom, QtnPropertyState ignoreMask);

    bool loadImpl(QDataStream& stream) override;
    bool saveImpl(QDataStream& stream) const override;
    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
    void updateStateInherited(bool force) override;

private Q_SLOTS:
    // Relays of a child that had receivers of its own before it joined this
    // set; every other child calls the set directly (QtnPropertyBase).
    void childPropertyWillChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase* firedProperty,
                                 QtnPropertyChangeReason reason, QtnPropertyValuePtr newValue);
    void childPropertyDidChange(const QtnPropertyBase* changedProperty, const QtnPropertyBase* firedProperty,
                                QtnPropertyChangeReason reason);

private:
    bool toStrWithPrefix(QString& str, const QString& prefix) const;
    void findChildPropertiesRecursive(const QString& name, QList<QtnPropertyBase*>& result);

    QList<QtnPropertyBase*> m_childProperties;
    bool m_ignoreChildPropertyChanges;
    quint64 m_valueChanges = 0;
    quint64 m_revision;
    static const QtnPropertySet* s_changeLog[ChangeLogSize];
    static quint64 s_changeLogEnd;
    static quint64 s_changeLogMark;

    friend class QtnPropertyBase;
};

#endif // QTN_PROPERTY_SET_H
