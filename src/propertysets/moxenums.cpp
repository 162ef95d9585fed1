#include "propertysets/moxenums.h"

QVector<QtnEnumValueInfo> MoxEnums::notSpecifiedList()
{
    return {QtnEnumValueInfo(NotSpecified, QStringLiteral("custom"), QStringLiteral("Nie określono"))};
}

const QtnEnumInfo& MoxEnums::power()
{
    static const QtnEnumInfo* const info = new QtnEnumInfo(
        QStringLiteral("POWER"), {QtnEnumValueInfo(No, QStringLiteral("no"), QStringLiteral("nie")),
                                  QtnEnumValueInfo(Yes, QStringLiteral("yes"), QStringLiteral("tak"))});
    return *info;
}

const QtnEnumInfo& MoxEnums::boxType()
{
    static const QtnEnumInfo* const info = new QtnEnumInfo(QStringLiteral("BOXTYPE"), notSpecifiedList());
    return *info;
}

const QtnEnumInfo& MoxEnums::pdType()
{
    static const QtnEnumInfo* const info = new QtnEnumInfo(QStringLiteral("PDTYPE"), notSpecifiedList());
    return *info;
}

const QtnEnumInfo& MoxEnums::cameraType()
{
    static const QtnEnumInfo* const info = new QtnEnumInfo(QStringLiteral("CAMERATYPE"), notSpecifiedList());
    return *info;
}

QtnEnumInfo& MoxEnums::wireType()
{
    static QtnEnumInfo* const info = new QtnEnumInfo(QStringLiteral("WIRETYPE"), notSpecifiedList());
    return *info;
}
