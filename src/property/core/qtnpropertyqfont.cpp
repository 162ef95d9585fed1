#include "property/core/qtnpropertyqfont.h"

#include <QStringList>

#include <cmath>

QtnPropertyQFontBase::QtnPropertyQFontBase(QObject* parent)
    : QtnSinglePropertyBase<QFont>(parent)
{
}

QtnPropertyQFontCallback::QtnPropertyQFontCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyQFontBase>(parent)
{
}

QtnPropertyQFont::QtnPropertyQFont(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyQFontBase>(parent)
{
}

namespace
{
// QFont::fromString casts the style hint and the style to their enumerations
// unchecked and takes "inf" as a point size; those fields are checked here,
// everything else is left to the toolkit's parser. The description is
// family, point size, then either the 9-field form (style hint, weight,
// italic, ...) or the 10/11-field form (pixel size, style hint, weight,
// style, ...).
QString qtnFontDescriptionFault(const QString& description)
{
    const QStringList fields = description.split(QLatin1Char(','));
    if (fields.size() > 1)
    {
        bool ok = false;
        const double pointSize = fields.at(1).toDouble(&ok);
        if (ok && !std::isfinite(pointSize))
            return QStringLiteral("the point size is not a finite number");
    }

    int styleHintField = -1;
    int styleField = -1;
    if (fields.size() == 9)
        styleHintField = 2;
    else if (fields.size() == 10 || fields.size() == 11)
    {
        styleHintField = 3;
        styleField = 5;
    }
    if (styleHintField >= 0)
    {
        const int styleHint = fields.at(styleHintField).toInt();
        if (styleHint < QFont::Helvetica || styleHint > QFont::Fantasy)
            return QStringLiteral("the style hint %1 is not a style hint").arg(styleHint);
    }
    if (styleField >= 0)
    {
        const int style = fields.at(styleField).toInt();
        if (style < QFont::StyleNormal || style > QFont::StyleOblique)
            return QStringLiteral("the style %1 is not a font style").arg(style);
    }
    return QString();
}
} // namespace

bool QtnPropertyQFontBase::fromStrImpl(const QString& str)
{
    const QString description = str.trimmed();
    const QString fault = qtnFontDescriptionFault(description);
    if (!fault.isEmpty())
    {
        QtnCheckedValueReader::logRefused(*this, QStringLiteral("convert"),
                                          QStringLiteral("from string \"%1\"").arg(str), fault);
        return false;
    }

    QFont parsed;
    if (!parsed.fromString(description))
        return false;
    setValue(parsed);
    return true;
}

bool QtnPropertyQFontBase::toStrImpl(QString& str) const
{
    str = value().toString();
    return true;
}
