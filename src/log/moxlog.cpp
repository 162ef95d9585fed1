#include "log/moxlog.h"

// QtInfoMsg: info, warning and worse are enabled, debug is not.
#define MOX_CATEGORY(function, name)                                                                         \
    const QLoggingCategory &MoxLog::function()                                                               \
    {                                                                                                        \
        static const QLoggingCategory category(name, QtInfoMsg);                                             \
        return category;                                                                                     \
    }

MOX_CATEGORY(app, "mox.app")
MOX_CATEGORY(calc, "mox.calc")
MOX_CATEGORY(catalogue, "mox.catalogue")
MOX_CATEGORY(diagram, "mox.diagram")
MOX_CATEGORY(project, "mox.project")
