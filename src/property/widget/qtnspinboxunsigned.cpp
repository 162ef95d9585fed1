#include "property/widget/qtnspinboxunsigned.h"

#include <QLineEdit>

#include <algorithm>

QtnSpinBoxUnsigned::QtnSpinBoxUnsigned(QWidget* parent) : QAbstractSpinBox(parent)
{
    lineEdit()->setText(QStringLiteral("0"));
    connect(lineEdit(), &QLineEdit::textEdited, this, [this](const QString& text) {
        quint32 parsed = 0;
        if (parse(text, parsed) && parsed != m_value)
        {
            m_value = parsed;
            emit valueChanged(m_value);
        }
    });
}

bool QtnSpinBoxUnsigned::parse(const QString& text, quint32& value) const
{
    bool ok = false;
    qulonglong parsed = text.trimmed().toULongLong(&ok);
    if (!ok || parsed < m_minimum || parsed > m_maximum)
        return false;
    value = quint32(parsed);
    return true;
}

quint32 QtnSpinBoxUnsigned::value() const
{
    quint32 parsed = 0;
    return parse(lineEdit()->text(), parsed) ? parsed : m_value;
}

void QtnSpinBoxUnsigned::setValue(quint32 value)
{
    value = std::max(m_minimum, std::min(m_maximum, value));
    lineEdit()->setText(QString::number(value));
    if (value != m_value)
    {
        m_value = value;
        emit valueChanged(m_value);
    }
}

void QtnSpinBoxUnsigned::setRange(quint32 minimum, quint32 maximum)
{
    m_minimum = minimum;
    m_maximum = std::max(minimum, maximum);
    setValue(m_value);
}

void QtnSpinBoxUnsigned::stepBy(int steps)
{
    // 64-bit arithmetic: stepping below 0 or above the maximum must clamp, not wrap.
    qint64 next = qint64(value()) + qint64(steps) * qint64(m_singleStep);
    next = std::max<qint64>(m_minimum, std::min<qint64>(m_maximum, next));
    setValue(quint32(next));
    selectAll();
}

QValidator::State QtnSpinBoxUnsigned::validate(QString& input, int&) const
{
    QString text = input.trimmed();
    if (text.isEmpty())
        return QValidator::Intermediate;
    for (QChar c : text)
    {
        if (!c.isDigit())
            return QValidator::Invalid;
    }
    bool ok = false;
    qulonglong parsed = text.toULongLong(&ok);
    if (!ok || parsed > m_maximum)
        return QValidator::Invalid;
    return parsed < m_minimum ? QValidator::Intermediate : QValidator::Acceptable;
}

void QtnSpinBoxUnsigned::fixup(QString& input) const
{
    input = QString::number(m_value);
}

QAbstractSpinBox::StepEnabled QtnSpinBoxUnsigned::stepEnabled() const
{
    StepEnabled enabled = StepNone;
    quint32 current = value();
    if (current > m_minimum)
        enabled |= StepDownEnabled;
    if (current < m_maximum)
        enabled |= StepUpEnabled;
    return enabled;
}
