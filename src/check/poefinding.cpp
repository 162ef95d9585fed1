#include "check/poefinding.h"

QString PoeFinding::severityName(Severity severity)
{
    switch (severity) {
    case Severity::Error:
        return QStringLiteral("błąd");
    case Severity::Warning:
        return QStringLiteral("ostrzeżenie");
    case Severity::Info:
        break;
    }
    return QStringLiteral("informacja");
}

QString PoeFinding::remark() const
{
    const QString prefix = elementName + QStringLiteral(": ");
    if (!elementName.isEmpty() && text.startsWith(prefix))
        return text.mid(prefix.size());
    return text;
}
