#include "property/widget/qtnpropertydelegateerror.h"

#include <QCoreApplication>
#include <QPainter>

QtnPropertyDelegateError::QtnPropertyDelegateError(QtnPropertyBase& owner, const QByteArray& delegateName)
    : QtnPropertyDelegateWithValue(owner), m_delegateName(delegateName)
{
}

QString QtnPropertyDelegateError::errorText() const
{
    return QCoreApplication::translate("QtnPropertyView", "Delegate <%1> unknown")
        .arg(QString::fromUtf8(m_delegateName));
}

bool QtnPropertyDelegateError::propertyValueToStrImpl(QString& strValue) const
{
    strValue = errorText();
    return true;
}

void QtnPropertyDelegateError::drawValueImpl(QPainter& painter, const QRect& rect, const QtnDrawContext&) const
{
    painter.save();
    painter.setPen(QColor(200, 0, 0));
    QRect textRect = rect.adjusted(4, 0, -2, 0);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(errorText(), Qt::ElideRight, textRect.width()));
    painter.restore();
}
