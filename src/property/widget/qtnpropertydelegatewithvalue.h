#ifndef QTN_PROPERTY_DELEGATE_WITH_VALUE_H
#define QTN_PROPERTY_DELEGATE_WITH_VALUE_H

#include "property/widget/qtnpropertydelegate.h"

#include <QColor>

class QKeyEvent;
class QLineEdit;
class QPainter;
class QWidget;

// What opened an editor: the key press or the click, so that a typed
// character can go straight into the editor.
struct QtnInplaceInfo
{
    QEvent* activationEvent = nullptr;
};

// Standard row: background, selection, branch node, name, value, reset button.
class QtnPropertyDelegateWithValue : public QtnPropertyDelegate
{
public:
    // Text of the value as the row shows it.
    QString valueText() const;

protected:
    explicit QtnPropertyDelegateWithValue(QtnPropertyBase& owner);

    void createSubItemsImpl(QtnDrawContext& context, std::vector<QtnSubItem>& subItems) override;

    virtual bool createSubItemValueImpl(QtnDrawContext& context, QtnSubItem& subItemValue);
    virtual void drawValueImpl(QPainter& painter, const QRect& rect, const QtnDrawContext& context) const;
    virtual bool propertyValueToStrImpl(QString& strValue) const;

    QColor valueTextColor(const QtnDrawContext& context) const;
    void drawValueText(const QString& text, QPainter& painter, const QRect& rect,
                       const QtnDrawContext& context) const;
};

// A value that opens an in-place editor on a click or an editing key.
class QtnPropertyDelegateWithValueEditor : public QtnPropertyDelegateWithValue
{
public:
    // Builds the editor over rect; null when the property has none.
    QWidget* createValueEditor(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo = nullptr);

protected:
    explicit QtnPropertyDelegateWithValueEditor(QtnPropertyBase& owner);

    bool createSubItemValueImpl(QtnDrawContext& context, QtnSubItem& subItemValue) override;

    virtual QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect,
                                           QtnInplaceInfo* inplaceInfo) = 0;
    virtual bool acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const;

    // Editing keys: F2, Return, Enter and Space; text editors also take a printable key.
    static bool isEditKey(const QKeyEvent* keyEvent);
    static bool isTextKey(const QKeyEvent* keyEvent);
    // Puts the typed character into the line edit, or selects its text.
    static void initLineEdit(QLineEdit* lineEdit, QtnInplaceInfo* inplaceInfo);
};

// A compound value (rectangle, size, point...) shown as the list of its parts.
class QtnPropertyDelegateWithValues : public QtnPropertyDelegateWithValue
{
protected:
    explicit QtnPropertyDelegateWithValues(QtnPropertyBase& owner);
    bool propertyValueToStrImpl(QString& strValue) const override;
};

#endif // QTN_PROPERTY_DELEGATE_WITH_VALUE_H
