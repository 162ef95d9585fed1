#include "property/widget/qtnpropertydelegates.h"
#include "property/widget/qtnpropertydelegatebool.h"
#include "property/widget/qtnpropertydelegatebutton.h"
#include "property/widget/qtnpropertydelegatedouble.h"
#include "property/widget/qtnpropertydelegateenum.h"
#include "property/widget/qtnpropertydelegateenumflags.h"
#include "property/widget/qtnpropertydelegateint.h"
#include "property/widget/qtnpropertydelegatepropertyset.h"
#include "property/widget/qtnpropertydelegateqbrushstyle.h"
#include "property/widget/qtnpropertydelegateqcolor.h"
#include "property/widget/qtnpropertydelegateqfont.h"
#include "property/widget/qtnpropertydelegateqpen.h"
#include "property/widget/qtnpropertydelegateqpenstyle.h"
#include "property/widget/qtnpropertydelegateqrect.h"
#include "property/widget/qtnpropertydelegateqstring.h"
#include "property/widget/qtnpropertydelegateuint.h"

void qtnRegisterBuiltInDelegates(QtnPropertyDelegateFactory& factory)
{
    QtnPropertyDelegatePropertySet::Register(factory);
    QtnPropertyDelegateBoolCheck::Register(factory);
    QtnPropertyDelegateInt::Register(factory);
    QtnPropertyDelegateUInt::Register(factory);
    QtnPropertyDelegateFloat::Register(factory);
    QtnPropertyDelegateDouble::Register(factory);
    QtnPropertyDelegateQString::Register(factory);
    QtnPropertyDelegateEnum::Register(factory);
    QtnPropertyDelegateEnumFlags::Register(factory);
    QtnPropertyDelegateQColor::Register(factory);
    QtnPropertyDelegateQPenStyle::Register(factory);
    QtnPropertyDelegateQBrushStyle::Register(factory);
    QtnPropertyDelegateQPen::Register(factory);
    QtnPropertyDelegateQFont::Register(factory);
    QtnPropertyDelegateQRect::Register(factory);
    QtnPropertyDelegateButton::Register(factory);
}
