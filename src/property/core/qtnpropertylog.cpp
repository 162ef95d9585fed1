#include "property/core/qtnpropertylog.h"

const QLoggingCategory& qtnPropertyLog()
{
    static const QLoggingCategory category("mox.property");
    return category;
}
