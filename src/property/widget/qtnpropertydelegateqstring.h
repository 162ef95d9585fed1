#ifndef QTN_PROPERTY_DELEGATE_QSTRING_H
#define QTN_PROPERTY_DELEGATE_QSTRING_H

#include "property/core/qtnpropertyqstring.h"
#include "property/widget/qtnpropertydialogs.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnPropertyDelegateFactory;

// A text edited in a line edit.
class QtnPropertyDelegateQString : public QtnPropertyDelegateTyped<QtnPropertyQStringBase>
{
public:
    explicit QtnPropertyDelegateQString(QtnPropertyQStringBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

protected:
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
    bool acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const override;
};

// A text drawn in "invalidColor" when the delegate finds it not valid.
class QtnPropertyDelegateQStringInvalidBase : public QtnPropertyDelegateQString
{
protected:
    explicit QtnPropertyDelegateQStringInvalidBase(QtnPropertyQStringBase& owner);

    void applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes) override;
    void drawValueImpl(QPainter& painter, const QRect& rect, const QtnDrawContext& context) const override;
    virtual bool isPropertyValid() const { return true; }

private:
    QColor m_invalidColor;
};

// A file name with a button that opens the file dialog.
class QtnPropertyDelegateQStringFile : public QtnPropertyDelegateQStringInvalidBase
{
public:
    explicit QtnPropertyDelegateQStringFile(QtnPropertyQStringBase& owner);

    const QtnFileDialogOptions& dialogOptions() const { return m_options; }

protected:
    void applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes) override;
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
    // A name that must exist but does not is not valid.
    bool isPropertyValid() const override;

private:
    QtnFileDialogOptions m_options;
};

// A text chosen from the "items" list (other texts may be typed).
class QtnPropertyDelegateQStringList : public QtnPropertyDelegateQString
{
public:
    explicit QtnPropertyDelegateQStringList(QtnPropertyQStringBase& owner);

protected:
    void applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes) override;
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;

private:
    QStringList m_items;
};

#endif // QTN_PROPERTY_DELEGATE_QSTRING_H
