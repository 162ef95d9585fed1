#ifndef QTN_SPIN_BOX_UNSIGNED_H
#define QTN_SPIN_BOX_UNSIGNED_H

#include <QAbstractSpinBox>

// A spin box over the whole unsigned 32-bit range, which QSpinBox (int)
// cannot hold.
class QtnSpinBoxUnsigned : public QAbstractSpinBox
{
    Q_OBJECT

public:
    explicit QtnSpinBoxUnsigned(QWidget* parent = nullptr);

    // The typed text when it is a number within the range, else the last good value.
    quint32 value() const;
    void setValue(quint32 value);

    quint32 minimum() const { return m_minimum; }
    quint32 maximum() const { return m_maximum; }
    void setRange(quint32 minimum, quint32 maximum);
    quint32 singleStep() const { return m_singleStep; }
    void setSingleStep(quint32 step) { m_singleStep = step; }

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

Q_SIGNALS:
    void valueChanged(quint32 value);

protected:
    StepEnabled stepEnabled() const override;

private:
    bool parse(const QString& text, quint32& value) const;

    quint32 m_value = 0;
    quint32 m_minimum = 0;
    quint32 m_maximum = 4294967295u;
    quint32 m_singleStep = 1;
};

#endif // QTN_SPIN_BOX_UNSIGNED_H
