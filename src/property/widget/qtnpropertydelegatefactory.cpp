#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/core/qtnpropertybase.h"
#include "property/widget/qtnpropertydelegateerror.h"
#include "property/widget/qtnpropertydelegates.h"

#include "property/core/qtnpropertylog.h"

#include <QDebug>
#include <QMetaObject>

QtnPropertyDelegateFactory::QtnPropertyDelegateFactory(const QtnPropertyDelegateFactory* superFactory)
    : m_superFactory(superFactory)
{
}

QtnPropertyDelegate* QtnPropertyDelegateFactory::createDelegate(QtnPropertyBase& owner) const
{
    const QtnPropertyDelegateInfo* info = owner.delegate();
    QByteArray name = info ? info->name : QByteArray();

    QtnPropertyDelegate* delegate = nullptr;
    for (const QtnPropertyDelegateFactory* factory = this; factory && !delegate; factory = factory->m_superFactory)
        delegate = factory->createDelegateHere(owner, name);

    if (!delegate)
    {
        QByteArray className = owner.metaObject()->className();
        if (name.isEmpty())
        {
            qCWarning(qtnPropertyLog).noquote() << "Cannot find default delegate for property" << owner.name();
            qCWarning(qtnPropertyLog).noquote() << "Did you forget to register default delegate for " << className << "type?";
        }
        else
        {
            qCWarning(qtnPropertyLog).noquote() << "Cannot find delegate with name" << name << "for property" << owner.name();
            qCWarning(qtnPropertyLog).noquote() << "Did you forget to register" << name << "delegate for" << className << "type?";
        }
        delegate = new QtnPropertyDelegateError(owner, name);
    }

    if (info)
        delegate->applyAttributes(info->attributes);
    return delegate;
}

QtnPropertyDelegate* QtnPropertyDelegateFactory::createDelegateHere(QtnPropertyBase& owner,
                                                                    const QByteArray& name) const
{
    for (const QMetaObject* metaObject = owner.metaObject(); metaObject; metaObject = metaObject->superClass())
    {
        auto it = m_createItems.find(QByteArray(metaObject->className()));
        if (it == m_createItems.end())
            continue;
        const CreateItem& item = it.value();
        QtnPropertyDelegateCreateFunction create;
        if (name.isEmpty())
            create = item.defaultCreate;
        else
            create = item.createByName.value(name);
        // A class registered without the asked name lets its base classes answer.
        if (create)
        {
            if (QtnPropertyDelegate* delegate = create(owner))
                return delegate;
        }
    }
    return nullptr;
}

bool QtnPropertyDelegateFactory::registerDelegateDefault(const QMetaObject* propertyMetaObject,
                                                         const QtnPropertyDelegateCreateFunction& createFunction,
                                                         const QByteArray& delegateName)
{
    if (!propertyMetaObject || !createFunction)
        return false;
    CreateItem& item = m_createItems[QByteArray(propertyMetaObject->className())];
    item.defaultName = delegateName;
    item.defaultCreate = createFunction;
    if (!delegateName.isEmpty())
        item.createByName.insert(delegateName, createFunction);
    return true;
}

bool QtnPropertyDelegateFactory::registerDelegate(const QMetaObject* propertyMetaObject,
                                                  const QtnPropertyDelegateCreateFunction& createFunction,
                                                  const QByteArray& delegateName)
{
    if (!propertyMetaObject || !createFunction || delegateName.isEmpty())
        return false;
    m_createItems[QByteArray(propertyMetaObject->className())].createByName.insert(delegateName, createFunction);
    return true;
}

QtnPropertyDelegateFactory& QtnPropertyDelegateFactory::staticInstance()
{
    static QtnPropertyDelegateFactory* factory = [] {
        auto f = new QtnPropertyDelegateFactory();
        qtnRegisterBuiltInDelegates(*f);
        return f;
    }();
    return *factory;
}
