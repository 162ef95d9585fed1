#include "property/core/qtnpropertydelegateinfo.h"

QtnPropertyDelegateInfoGetterValue::QtnPropertyDelegateInfoGetterValue(const QtnPropertyDelegateInfo& delegate)
    : m_delegate(delegate)
{
}

const QtnPropertyDelegateInfo* QtnPropertyDelegateInfoGetterValue::delegate() const
{
    return &m_delegate;
}

QtnPropertyDelegateInfoGetterCallback::QtnPropertyDelegateInfoGetterCallback(const QtnPropertyDelegateInfoCallback& callback)
    : m_callback(callback), m_bCalled(false)
{
}

const QtnPropertyDelegateInfo* QtnPropertyDelegateInfoGetterCallback::delegate() const
{
    if (!m_bCalled)
    {
        m_bCalled = true;
        if (m_callback)
            m_delegate.reset(m_callback());
    }
    return m_delegate.data();
}
