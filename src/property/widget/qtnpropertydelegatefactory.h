#ifndef QTN_PROPERTY_DELEGATE_FACTORY_H
#define QTN_PROPERTY_DELEGATE_FACTORY_H

#include <QByteArray>
#include <QMap>
#include <QObject>

#include <functional>

class QtnPropertyBase;
class QtnPropertyDelegate;
struct QMetaObject;

typedef std::function<QtnPropertyDelegate*(QtnPropertyBase&)> QtnPropertyDelegateCreateFunction;

// Delegate creators registered per property class, each under a name; one of
// them is the class's default. Lookups walk the property's class and its base
// classes, then ask the parent factory.
class QtnPropertyDelegateFactory
{
    Q_DISABLE_COPY(QtnPropertyDelegateFactory)

public:
    explicit QtnPropertyDelegateFactory(const QtnPropertyDelegateFactory* superFactory = nullptr);

    const QtnPropertyDelegateFactory* superFactory() const { return m_superFactory; }
    void setSuperFactory(const QtnPropertyDelegateFactory* superFactory) { m_superFactory = superFactory; }

    // Never null: an unknown delegate yields the error delegate (and two log lines).
    QtnPropertyDelegate* createDelegate(QtnPropertyBase& owner) const;

    bool registerDelegateDefault(const QMetaObject* propertyMetaObject,
                                 const QtnPropertyDelegateCreateFunction& createFunction,
                                 const QByteArray& delegateName = QByteArray());
    bool registerDelegate(const QMetaObject* propertyMetaObject,
                          const QtnPropertyDelegateCreateFunction& createFunction,
                          const QByteArray& delegateName);

    // Holds every built-in delegate.
    static QtnPropertyDelegateFactory& staticInstance();

private:
    QtnPropertyDelegate* createDelegateHere(QtnPropertyBase& owner, const QByteArray& name) const;

    struct CreateItem
    {
        QByteArray defaultName;
        QtnPropertyDelegateCreateFunction defaultCreate;
        QMap<QByteArray, QtnPropertyDelegateCreateFunction> createByName;
    };

    const QtnPropertyDelegateFactory* m_superFactory;
    QMap<QByteArray, CreateItem> m_createItems;
};

// Creator for a delegate bound to one property class.
template <typename DelegateClass, typename PropertyClass>
QtnPropertyDelegate* qtnCreateDelegate(QtnPropertyBase& owner)
{
    auto typedOwner = qobject_cast<PropertyClass*>(&owner);
    if (!typedOwner)
        return nullptr;
    return new DelegateClass(*typedOwner);
}

#endif // QTN_PROPERTY_DELEGATE_FACTORY_H
