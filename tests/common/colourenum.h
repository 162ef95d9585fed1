#ifndef COLOURENUM_H
#define COLOURENUM_H

// An enumeration with both lists filled, for the tests of the enum and flag
// properties: the main list RED 1, GREEN 2, BLUE 4 (usable as flags), the
// second list CUSTOM 8. Header only: the property framework's own tests link
// nothing but the framework.
#include "property/core/qtnenuminfo.h"

namespace tst {

inline const QtnEnumInfo &colourEnum()
{
    static const QtnEnumInfo info = [] {
        QtnEnumInfo built(QStringLiteral("COLOR"), {QtnEnumValueInfo(1, QStringLiteral("RED")),
                                                    QtnEnumValueInfo(2, QStringLiteral("GREEN")),
                                                    QtnEnumValueInfo(4, QStringLiteral("BLUE"))});
        built.setSecondValues({QtnEnumValueInfo(8, QStringLiteral("CUSTOM"))});
        return built;
    }();
    return info;
}

} // namespace tst

#endif // COLOURENUM_H
