#ifndef MOXENUMS_H
#define MOXENUMS_H

#include "property/core/qtnenuminfo.h"

// The process-wide enumerations of the model sets, built on first use and
// never freed: every enumeration property of every set may point at them for
// as long as the program runs.
//
// "POWER" is the yes/no list; the four catalogue lists hold only
// 0 "Nie określono" here. Items later get lists of their own built from the
// catalogue, except the wires, which all share wireType() and whose second
// list the catalogue replaces.
class MoxEnums
{
public:
    // Values of "POWER". Code asks "tak" by comparing with Yes.
    enum YesNo { No = 1, Yes = 2 };
    // Value of the fixed first entry of every catalogue list.
    enum { NotSpecified = 0 };

    static const QtnEnumInfo& power();
    static const QtnEnumInfo& boxType();
    static const QtnEnumInfo& pdType();
    static const QtnEnumInfo& cameraType();
    static QtnEnumInfo& wireType();

    // 0 "custom" / "Nie określono", the first list of every catalogue list.
    static QVector<QtnEnumValueInfo> notSpecifiedList();
};

#endif // MOXENUMS_H
