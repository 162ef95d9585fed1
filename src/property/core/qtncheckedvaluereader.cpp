#include "property/core/qtncheckedvaluereader.h"

#include "property/core/qtnpropertylog.h"

#include <QColor>
#include <QDebug>
#include <QFont>
#include <QObject>
#include <QPen>
#include <QRect>

#include <cmath>
#include <limits>

namespace
{
// Qt packs a pen's style, cap and join into one word of the stream.
const quint16 qtnPenStyleMask = 0x000f;
const quint16 qtnPenCapMask = 0x0030;
const quint16 qtnPenJoinMask = 0x01c0;

// Every strategy flag the toolkit defines, deprecated ones included: an old
// stream may carry them.
const quint16 qtnFontStrategyFlags = 0x0001 | 0x0002 | 0x0004 | 0x0008 | 0x0010 | 0x0020 | 0x0040 | 0x0080 | 0x0100
                                     | 0x0200 | 0x0400 | 0x0800 | 0x1000 | 0x8000;
const int qtnFontMaxWeight = 99;
const int qtnFontMaxStretch = 4000;
// A hue is stored in hundredths of a degree; the toolkit keeps 0xffff for
// "no hue" (greys) and turns 36000 into 0.
const quint16 qtnMaxHue = 36000;
const quint16 qtnNoHue = 0xffff;

bool qtnIsFiniteHalf(quint16 bits)
{
    return (bits & 0x7c00) != 0x7c00;
}

void qtnCopyStreamSettings(const QDataStream& from, QDataStream& to)
{
    to.setByteOrder(from.byteOrder());
    to.setVersion(from.version());
    to.setFloatingPointPrecision(from.floatingPointPrecision());
}
} // namespace

QtnCheckedValueReader::QtnCheckedValueReader(QDataStream& stream)
    : m_in(stream),
      m_out(&m_checked, QIODevice::WriteOnly)
{
    qtnCopyStreamSettings(m_in, m_out);
}

bool QtnCheckedValueReader::isPenStyle(int style)
{
    return style >= Qt::NoPen && style <= Qt::CustomDashLine;
}

bool QtnCheckedValueReader::isBrushStyle(int style)
{
    return (style >= Qt::NoBrush && style <= Qt::ConicalGradientPattern) || style == Qt::TexturePattern;
}

void QtnCheckedValueReader::logRefused(const QObject& property, const QString& verb, const QString& form,
                                       const QString& reason)
{
    qCDebug(qtnPropertyLog).noquote() << QStringLiteral("Cannot %1 property %2<%3> %4: %5")
                                             .arg(verb, QString::fromLatin1(property.metaObject()->className()),
                                                  property.objectName(), form, reason);
}

template <typename T>
bool QtnCheckedValueReader::copy(T& field)
{
    m_in >> field;
    if (m_in.status() != QDataStream::Ok)
        return fail(QStringLiteral("the stream ends inside the value"));
    m_out << field;
    return true;
}

bool QtnCheckedValueReader::copyFinite(double& field, const char* what)
{
    if (!copy(field))
        return false;
    if (!std::isfinite(field))
        return fail(QStringLiteral("the %1 is not a finite number").arg(QLatin1String(what)));
    return true;
}

bool QtnCheckedValueReader::fail(const QString& reason)
{
    m_reason = reason;
    return false;
}

template <typename T>
bool QtnCheckedValueReader::replay(T& value)
{
    QDataStream checked(m_checked);
    qtnCopyStreamSettings(m_in, checked);
    T parsed;
    checked >> parsed;
    // The walk above and the toolkit's reader must agree on every byte;
    // anything else means this reader does not know the layout.
    if (checked.status() != QDataStream::Ok || !checked.atEnd())
        return fail(QStringLiteral("the value's layout is not the one of stream version %1").arg(m_in.version()));
    value = parsed;
    return true;
}

bool QtnCheckedValueReader::read(float& value)
{
    float field = 0;
    if (!copy(field))
        return false;
    if (!std::isfinite(field))
        return fail(QStringLiteral("the number is not finite"));
    value = field;
    return true;
}

bool QtnCheckedValueReader::read(double& value)
{
    double field = 0;
    if (!copyFinite(field, "number"))
        return false;
    value = field;
    return true;
}

bool QtnCheckedValueReader::read(QRect& value)
{
    qint32 left = 0, top = 0, right = 0, bottom = 0;
    if (!copy(left) || !copy(top) || !copy(right) || !copy(bottom))
        return false;
    // Width and height are right - left + 1 in int: both must fit.
    const qint64 width = qint64(right) - left + 1;
    const qint64 height = qint64(bottom) - top + 1;
    const qint64 lowest = std::numeric_limits<int>::min();
    const qint64 highest = std::numeric_limits<int>::max();
    if (width < lowest || width > highest || height < lowest || height > highest)
        return fail(QStringLiteral("the width or height of the rectangle lies beyond the integer range"));
    return replay(value);
}

bool QtnCheckedValueReader::copyColor()
{
    if (m_in.version() < QDataStream::Qt_4_0)
    {
        quint32 rgb = 0;
        return copy(rgb);
    }

    qint8 spec = 0;
    quint16 alpha = 0, first = 0, second = 0, third = 0, pad = 0;
    if (!copy(spec) || !copy(alpha) || !copy(first) || !copy(second) || !copy(third) || !copy(pad))
        return false;

    switch (spec)
    {
    case QColor::Invalid:
    case QColor::Rgb:
    case QColor::Cmyk:
        return true;
    case QColor::Hsv:
    case QColor::Hsl:
        if (first > qtnMaxHue && first != qtnNoHue)
            return fail(QStringLiteral("the hue %1 lies beyond a full turn").arg(first));
        return true;
    case QColor::ExtendedRgb:
        if (!qtnIsFiniteHalf(alpha) || !qtnIsFiniteHalf(first) || !qtnIsFiniteHalf(second) || !qtnIsFiniteHalf(third))
            return fail(QStringLiteral("an extended colour component is not a finite number"));
        return true;
    default:
        return fail(QStringLiteral("the colour spec %1 is not a colour spec").arg(spec));
    }
}

bool QtnCheckedValueReader::read(QColor& value)
{
    return copyColor() && replay(value);
}

bool QtnCheckedValueReader::copyTransform()
{
    double element = 0;
    for (int i = 0; i < 9; ++i)
    {
        if (!copyFinite(element, "transformation matrix element"))
            return false;
    }
    return true;
}

bool QtnCheckedValueReader::copyGradient(int brushStyle)
{
    qint32 type = 0;
    if (!copy(type))
        return false;
    if (type != brushStyle - Qt::LinearGradientPattern)
        return fail(QStringLiteral("the gradient type %1 does not match the brush style %2").arg(type).arg(brushStyle));

    if (m_in.version() >= QDataStream::Qt_4_3)
    {
        qint32 spread = 0;
        qint32 coordinateMode = 0;
        if (!copy(spread) || !copy(coordinateMode))
            return false;
        if (spread < QGradient::PadSpread || spread > QGradient::RepeatSpread)
            return fail(QStringLiteral("the gradient spread %1 is not a spread").arg(spread));
        if (coordinateMode < QGradient::LogicalMode || coordinateMode > QGradient::ObjectMode)
            return fail(QStringLiteral("the gradient coordinate mode %1 is not a mode").arg(coordinateMode));
    }
    if (m_in.version() >= QDataStream::Qt_4_5)
    {
        qint32 interpolation = 0;
        if (!copy(interpolation))
            return false;
        if (interpolation < QGradient::ColorInterpolation || interpolation > QGradient::ComponentInterpolation)
            return fail(QStringLiteral("the gradient interpolation %1 is not an interpolation").arg(interpolation));
    }

    // Each stop is read before the next: a count the stream does not back
    // runs into its end instead of into an allocation.
    quint32 stops = 0;
    if (!copy(stops))
        return false;
    for (quint32 i = 0; i < stops; ++i)
    {
        double position = 0;
        if (!copyFinite(position, "gradient stop"))
            return false;
        if (position < 0.0 || position > 1.0)
            return fail(QStringLiteral("the gradient stop %1 lies outside 0 to 1").arg(position));
        if (!copyColor())
            return false;
    }

    // Linear: two points; radial: centre, focal point, radius; conical:
    // centre and angle.
    const int numbers = brushStyle == Qt::LinearGradientPattern ? 4 : brushStyle == Qt::RadialGradientPattern ? 5 : 3;
    double number = 0;
    for (int i = 0; i < numbers; ++i)
    {
        if (!copyFinite(number, "gradient coordinate"))
            return false;
    }
    return true;
}

bool QtnCheckedValueReader::copyBrush()
{
    quint8 style = 0;
    if (!copy(style) || !copyColor())
        return false;

    if (style == Qt::TexturePattern)
        // The texture is an image in any format the image readers know,
        // with no length in front of it; a pen of a property never has one.
        return fail(QStringLiteral("a pen brush with a texture image is not read from streams"));
    if (style >= Qt::LinearGradientPattern && style <= Qt::ConicalGradientPattern)
    {
        if (!copyGradient(style))
            return false;
    }
    else if (style > Qt::DiagCrossPattern)
    {
        return fail(QStringLiteral("the brush style %1 is not a brush style").arg(style));
    }

    if (m_in.version() >= QDataStream::Qt_4_3)
        return copyTransform();
    return true;
}

bool QtnCheckedValueReader::read(QPen& value)
{
    if (m_in.version() < QDataStream::Qt_4_0)
        return fail(QStringLiteral("pens of stream version %1 are not read").arg(m_in.version()));

    quint16 style = 0;
    if (m_in.version() < QDataStream::Qt_4_3)
    {
        quint8 shortStyle = 0;
        if (!copy(shortStyle))
            return false;
        style = shortStyle;
    }
    else
    {
        bool cosmetic = false;
        if (!copy(style) || !copy(cosmetic))
            return false;
    }
    const int join = style & qtnPenJoinMask;
    if ((style & ~(qtnPenStyleMask | qtnPenCapMask | qtnPenJoinMask)) != 0 || !isPenStyle(style & qtnPenStyleMask)
        || (style & qtnPenCapMask) == qtnPenCapMask
        || (join != Qt::MiterJoin && join != Qt::BevelJoin && join != Qt::RoundJoin && join != Qt::SvgMiterJoin))
        return fail(QStringLiteral("the pen style word 0x%1 holds no valid style, cap and join").arg(style, 0, 16));

    double width = 0;
    if (!copyFinite(width, "pen width"))
        return false;
    // QPen::width() rounds to int, and the text form writes that.
    if (width < 0 || width > std::numeric_limits<int>::max())
        return fail(QStringLiteral("the pen width %1 lies outside 0 to %2").arg(width).arg(std::numeric_limits<int>::max()));
    if (!copyBrush())
        return false;

    double miterLimit = 0;
    if (!copyFinite(miterLimit, "miter limit"))
        return false;

    quint32 dashes = 0;
    if (!copy(dashes))
        return false;
    for (quint32 i = 0; i < dashes; ++i)
    {
        double dash = 0;
        if (!copyFinite(dash, "dash length"))
            return false;
        if (dash < 0)
            return fail(QStringLiteral("the dash length %1 is negative").arg(dash));
    }

    if (m_in.version() >= QDataStream::Qt_4_3)
    {
        double dashOffset = 0;
        if (!copyFinite(dashOffset, "dash offset"))
            return false;
    }
    if (m_in.version() >= QDataStream::Qt_5_0)
    {
        bool defaultWidth = false;
        if (!copy(defaultWidth))
            return false;
    }
    return replay(value);
}

bool QtnCheckedValueReader::copyStringList()
{
    quint32 count = 0;
    if (!copy(count))
        return false;
    QString entry;
    for (quint32 i = 0; i < count; ++i)
    {
        if (!copy(entry))
            return false;
    }
    return true;
}

bool QtnCheckedValueReader::read(QFont& value)
{
    if (m_in.version() < QDataStream::Qt_4_0)
        return fail(QStringLiteral("fonts of stream version %1 are not read").arg(m_in.version()));

    QString family;
    if (!copy(family))
        return false;
    if (m_in.version() >= QDataStream::Qt_5_4)
    {
        QString styleName;
        if (!copy(styleName))
            return false;
    }

    // A font is sized in points or in pixels, the other size being -1:
    // setting one clears the other.
    double pointSize = 0;
    qint32 pixelSize = 0;
    if (!copyFinite(pointSize, "point size") || !copy(pixelSize))
        return false;
    const bool inPoints = pointSize > 0 && pixelSize == -1;
    const bool inPixels = pixelSize > 0 && pointSize == -1;
    if (!inPoints && !inPixels)
        return fail(QStringLiteral("the point size %1 and the pixel size %2 give no one size")
                        .arg(pointSize)
                        .arg(pixelSize));

    quint8 styleHint = 0;
    if (!copy(styleHint))
        return false;
    if (styleHint > QFont::Fantasy)
        return fail(QStringLiteral("the style hint %1 is not a style hint").arg(styleHint));

    if (m_in.version() >= QDataStream::Qt_5_4)
    {
        quint16 strategy = 0;
        if (!copy(strategy))
            return false;
        if ((strategy & ~qtnFontStrategyFlags) != 0)
            return fail(QStringLiteral("the style strategy 0x%1 holds unknown flags").arg(strategy, 0, 16));
    }
    else
    {
        // Older streams keep only the low byte of the strategy.
        quint8 strategy = 0;
        if (!copy(strategy))
            return false;
    }

    quint8 charSet = 0, weight = 0, bits = 0;
    if (!copy(charSet) || !copy(weight) || !copy(bits))
        return false;
    if (weight > qtnFontMaxWeight)
        return fail(QStringLiteral("the weight %1 lies beyond %2").arg(weight).arg(qtnFontMaxWeight));
    if (m_in.version() >= QDataStream::Qt_4_3)
    {
        quint16 stretch = 0;
        if (!copy(stretch))
            return false;
        if (stretch > qtnFontMaxStretch)
            return fail(QStringLiteral("the stretch %1 lies beyond %2").arg(stretch).arg(qtnFontMaxStretch));
    }

    if (m_in.version() >= QDataStream::Qt_4_4)
    {
        quint8 extendedBits = 0;
        if (!copy(extendedBits))
            return false;
    }
    if (m_in.version() >= QDataStream::Qt_4_5)
    {
        qint32 letterSpacing = 0, wordSpacing = 0;
        if (!copy(letterSpacing) || !copy(wordSpacing))
            return false;
    }
    if (m_in.version() >= QDataStream::Qt_5_4)
    {
        quint8 hinting = 0;
        if (!copy(hinting))
            return false;
        if (hinting > QFont::PreferFullHinting)
            return fail(QStringLiteral("the hinting preference %1 is not a preference").arg(hinting));
    }
    if (m_in.version() >= QDataStream::Qt_5_6)
    {
        quint8 capitalization = 0;
        if (!copy(capitalization))
            return false;
        if (capitalization > QFont::Capitalize)
            return fail(QStringLiteral("the capitalization %1 is not a capitalization").arg(capitalization));
    }
    if (m_in.version() >= QDataStream::Qt_5_13 && !copyStringList())
        return false;

    return replay(value);
}
