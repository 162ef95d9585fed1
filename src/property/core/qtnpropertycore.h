#ifndef QTN_PROPERTY_CORE_H
#define QTN_PROPERTY_CORE_H

// Everything of the property core in one include.
#include "property/core/qtnpropertystate.h"
#include "property/core/qtnpropertydelegateinfo.h"
#include "property/core/qtnpropertybase.h"
#include "property/core/qtnproperty.h"
#include "property/core/qtnpropertyset.h"
#include "property/core/qtnenumvalueinfo.h"
#include "property/core/qtnenuminfo.h"
#include "property/core/qtnpropertybool.h"
#include "property/core/qtnpropertyint.h"
#include "property/core/qtnpropertyuint.h"
#include "property/core/qtnpropertyfloat.h"
#include "property/core/qtnpropertydouble.h"
#include "property/core/qtnpropertyqstring.h"
#include "property/core/qtnpropertyenum.h"
#include "property/core/qtnpropertyenumflags.h"
#include "property/core/qtnpropertyqcolor.h"
#include "property/core/qtnpropertyqpen.h"
#include "property/core/qtnpropertyqpenstyle.h"
#include "property/core/qtnpropertyqbrushstyle.h"
#include "property/core/qtnpropertyqfont.h"
#include "property/core/qtnpropertyqrect.h"
#include "property/core/qtnpropertyqsize.h"
#include "property/core/qtnpropertyqpoint.h"
#include "property/core/qtnpropertybutton.h"

#endif // QTN_PROPERTY_CORE_H
