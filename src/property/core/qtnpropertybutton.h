#ifndef QTN_PROPERTY_BUTTON_H
#define QTN_PROPERTY_BUTTON_H

#include "property/core/qtnproperty.h"

class QStyleOptionButton;

// A row with a button instead of a value; the view calls invokeClick.
class QtnPropertyButton : public QtnProperty
{
    Q_OBJECT
    Q_DISABLE_COPY(QtnPropertyButton)

public:
    explicit QtnPropertyButton(QObject* parent = nullptr);

    void invokeClick();
    // Lets listeners adjust the button (caption, enabled) before it is drawn.
    void invokePreDrawButton(QStyleOptionButton* option);

Q_SIGNALS:
    void click(const QtnPropertyButton* property);
    void preDrawButton(const QtnPropertyButton* property, QStyleOptionButton* option);

protected:
    bool fromStrImpl(const QString& str) override;
    bool toStrImpl(QString& str) const override;
};

#endif // QTN_PROPERTY_BUTTON_H
