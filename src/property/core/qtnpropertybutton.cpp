#include "property/core/qtnpropertybutton.h"

QtnPropertyButton::QtnPropertyButton(QObject* parent)
    : QtnProperty(parent)
{
}

void QtnPropertyButton::invokeClick()
{
    Q_EMIT click(this);
}

void QtnPropertyButton::invokePreDrawButton(QStyleOptionButton* option)
{
    Q_EMIT preDrawButton(this, option);
}

// A button has no value: its text is empty and any text is taken.
bool QtnPropertyButton::fromStrImpl(const QString& str)
{
    Q_UNUSED(str);
    return true;
}

bool QtnPropertyButton::toStrImpl(QString& str) const
{
    str.clear();
    return true;
}
