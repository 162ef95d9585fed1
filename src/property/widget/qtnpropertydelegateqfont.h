#ifndef QTN_PROPERTY_DELEGATE_QFONT_H
#define QTN_PROPERTY_DELEGATE_QFONT_H

#include "property/core/qtnpropertyqfont.h"
#include "property/widget/qtnpropertydelegatetyped.h"

class QtnEnumInfo;
class QtnPropertyDelegateFactory;

// A font shown as "[Family, size]" with sub-properties for family, size,
// style flags and antialiasing; the editor's button opens the font dialog.
class QtnPropertyDelegateQFont : public QtnPropertyDelegateTyped<QtnPropertyQFontBase>
{
public:
    explicit QtnPropertyDelegateQFont(QtnPropertyQFontBase& owner);
    static void Register(QtnPropertyDelegateFactory& factory);

    // "PreferDefault", "NoAntialias", "PreferAntialias".
    static const QtnEnumInfo& styleStrategyEnum();

protected:
    bool propertyValueToStrImpl(QString& strValue) const override;
    QWidget* createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo* inplaceInfo) override;
    bool acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const override;
};

#endif // QTN_PROPERTY_DELEGATE_QFONT_H
