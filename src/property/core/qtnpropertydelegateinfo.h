#ifndef QTN_PROPERTY_DELEGATE_INFO_H
#define QTN_PROPERTY_DELEGATE_INFO_H

#include <QByteArray>
#include <QMap>
#include <QScopedPointer>
#include <QVariant>

#include <functional>

typedef QMap<QByteArray, QVariant> QtnPropertyDelegateAttributes;

// What a property asks of the view: a delegate name (empty = the default
// delegate of its class) and attributes the delegate reads.
struct QtnPropertyDelegateInfo
{
    QByteArray name;
    QtnPropertyDelegateAttributes attributes;

    QtnPropertyDelegateInfo() = default;
    explicit QtnPropertyDelegateInfo(const QByteArray& delegateName,
                                     const QtnPropertyDelegateAttributes& delegateAttributes = QtnPropertyDelegateAttributes())
        : name(delegateName), attributes(delegateAttributes)
    {
    }
};

class QtnPropertyDelegateInfoGetter
{
public:
    virtual ~QtnPropertyDelegateInfoGetter() = default;
    virtual const QtnPropertyDelegateInfo* delegate() const = 0;
};

class QtnPropertyDelegateInfoGetterValue : public QtnPropertyDelegateInfoGetter
{
public:
    explicit QtnPropertyDelegateInfoGetterValue(const QtnPropertyDelegateInfo& delegate);
    const QtnPropertyDelegateInfo* delegate() const override;

private:
    QtnPropertyDelegateInfo m_delegate;
};

// The callback returns a newly allocated info (or null) which the getter then owns.
typedef std::function<QtnPropertyDelegateInfo*()> QtnPropertyDelegateInfoCallback;

class QtnPropertyDelegateInfoGetterCallback : public QtnPropertyDelegateInfoGetter
{
public:
    explicit QtnPropertyDelegateInfoGetterCallback(const QtnPropertyDelegateInfoCallback& callback);
    const QtnPropertyDelegateInfo* delegate() const override;

private:
    QtnPropertyDelegateInfoCallback m_callback;
    // The view asks for the info on every rebuild; the callback runs only once.
    mutable QScopedPointer<QtnPropertyDelegateInfo> m_delegate;
    mutable bool m_bCalled;
};

#endif // QTN_PROPERTY_DELEGATE_INFO_H
