#include "property/core/qtnpropertyqpen.h"

QtnPropertyQPenBase::QtnPropertyQPenBase(QObject* parent)
    : QtnSinglePropertyBase<QPen>(parent)
{
}

QtnPropertyQPenCallback::QtnPropertyQPenCallback(QObject* parent)
    : QtnSinglePropertyCallback<QtnPropertyQPenBase>(parent)
{
}

QtnPropertyQPen::QtnPropertyQPen(QObject* parent)
    : QtnSinglePropertyValue<QtnPropertyQPenBase>(parent)
{
}

const QtnEnumInfo& QtnPropertyQPenBase::penStyleEnum()
{
    static const QtnEnumInfo info(QStringLiteral("Qt"),
                                  {QtnEnumValueInfo(Qt::NoPen, QStringLiteral("NoPen")),
                                   QtnEnumValueInfo(Qt::SolidLine, QStringLiteral("SolidLine")),
                                   QtnEnumValueInfo(Qt::DashLine, QStringLiteral("DashLine")),
                                   QtnEnumValueInfo(Qt::DotLine, QStringLiteral("DotLine")),
                                   QtnEnumValueInfo(Qt::DashDotLine, QStringLiteral("DashDotLine")),
                                   QtnEnumValueInfo(Qt::DashDotDotLine, QStringLiteral("DashDotDotLine"))});
    return info;
}

const QtnEnumInfo& QtnPropertyQPenBase::capStyleEnum()
{
    static const QtnEnumInfo info(QStringLiteral("Qt"),
                                  {QtnEnumValueInfo(Qt::FlatCap, QStringLiteral("FlatCap")),
                                   QtnEnumValueInfo(Qt::SquareCap, QStringLiteral("SquareCap")),
                                   QtnEnumValueInfo(Qt::RoundCap, QStringLiteral("RoundCap"))});
    return info;
}

const QtnEnumInfo& QtnPropertyQPenBase::joinStyleEnum()
{
    static const QtnEnumInfo info(QStringLiteral("Qt"),
                                  {QtnEnumValueInfo(Qt::MiterJoin, QStringLiteral("MiterJoin")),
                                   QtnEnumValueInfo(Qt::BevelJoin, QStringLiteral("BevelJoin")),
                                   QtnEnumValueInfo(Qt::RoundJoin, QStringLiteral("RoundJoin")),
                                   QtnEnumValueInfo(Qt::SvgMiterJoin, QStringLiteral("SvgMiterJoin"))});
    return info;
}

bool QtnPropertyQPenBase::fromStrImpl(const QString& str)
{
    const QStringList parts = str.split(QLatin1Char(','));
    if (parts.size() != 5)
        return false;

    QColor color;
    color.setNamedColor(parts[0].trimmed());
    if (!color.isValid())
        return false;

    const QtnEnumValueInfo* style = penStyleEnum().fromStr(parts[1]);
    if (!style)
        return false;

    bool widthOk = false;
    const int width = parts[2].trimmed().toInt(&widthOk);
    if (!widthOk)
        return false;
    if (width < 0)
    {
        // QPen ignores a negative width with a warning: the text would be
        // taken and its width silently lost.
        QtnCheckedValueReader::logRefused(*this, QStringLiteral("convert"),
                                          QStringLiteral("from string \"%1\"").arg(str),
                                          QStringLiteral("the pen width %1 is negative").arg(width));
        return false;
    }

    const QtnEnumValueInfo* capStyle = capStyleEnum().fromStr(parts[3]);
    if (!capStyle)
        return false;

    const QtnEnumValueInfo* joinStyle = joinStyleEnum().fromStr(parts[4]);
    if (!joinStyle)
        return false;

    QPen pen;
    pen.setColor(color);
    pen.setStyle(Qt::PenStyle(style->value()));
    pen.setWidth(width);
    pen.setCapStyle(Qt::PenCapStyle(capStyle->value()));
    pen.setJoinStyle(Qt::PenJoinStyle(joinStyle->value()));
    setValue(pen);
    return true;
}

bool QtnPropertyQPenBase::toStrImpl(QString& str) const
{
    const QPen pen = value();
    const QColor color = pen.color().toRgb(); // as the colour property writes it
    const QString colorText = color.name(color.alpha() < 255 ? QColor::HexArgb : QColor::HexRgb);

    QString styleText;
    QString capText;
    QString joinText;
    if (!penStyleEnum().toStr(styleText, pen.style()))
        return false;
    if (!capStyleEnum().toStr(capText, pen.capStyle()))
        return false;
    if (!joinStyleEnum().toStr(joinText, pen.joinStyle()))
        return false;

    str = QStringLiteral("%1, %2, %3, %4, %5").arg(colorText, styleText, QString::number(pen.width()), capText, joinText);
    return true;
}
