#include "property/widget/qtnpropertydelegateqbrushstyle.h"
#include "property/widget/qtninplaceeditorhandler.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"

#include "property/widget/qtncomboboxeditor.h"
#include <QPainter>
#include <QPixmap>

QtnPropertyDelegateQBrushStyle::QtnPropertyDelegateQBrushStyle(QtnPropertyQBrushStyleBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyQBrushStyleBase>(owner)
{
}

void QtnPropertyDelegateQBrushStyle::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyQBrushStyleBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateQBrushStyle, QtnPropertyQBrushStyleBase>,
                                    "ComboBox");
}

void QtnPropertyDelegateQBrushStyle::applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes)
{
    qtnGetAttribute(attributes, "showAll", m_bShowAll);
}

void QtnPropertyDelegateQBrushStyle::drawBrushStyle(QPainter& painter, const QRect& rect, Qt::BrushStyle style,
                                                    const QColor& color)
{
    painter.save();
    // Gradient and texture styles need data a bare style lacks: show them solid.
    Qt::BrushStyle drawn = style;
    if (style >= Qt::LinearGradientPattern)
        drawn = Qt::SolidPattern;
    painter.setPen(color);
    painter.setBrush(QBrush(color, drawn));
    painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

void QtnPropertyDelegateQBrushStyle::drawValueImpl(QPainter& painter, const QRect& rect,
                                                   const QtnDrawContext& context) const
{
    int side = rect.height() - 6;
    QRect swatch(rect.left() + 4, rect.top() + (rect.height() - side) / 2, side * 2, side);
    drawBrushStyle(painter, swatch, owner().value(), valueTextColor(context));
    QRect textRect = rect;
    textRect.setLeft(swatch.right() + 2);
    drawValueText(valueText(), painter, textRect, context);
}

QWidget* QtnPropertyDelegateQBrushStyle::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                               QtnInplaceInfo*)
{
    auto comboBox = new QtnComboBoxEditor(parent);
    comboBox->setGeometry(rect);
    QSize iconSize(24, 12);
    comboBox->setIconSize(iconSize);
    Qt::BrushStyle current = owner().value();
    QtnPropertyQBrushStyleBase::styleEnum().forEachEnumValue([&](const QtnEnumValueInfo& valueInfo) {
        Qt::BrushStyle style = Qt::BrushStyle(valueInfo.value());
        // Without "showAll" only the plain patterns are offered.
        if (!m_bShowAll && style >= Qt::LinearGradientPattern && style != current)
            return true;
        QPixmap pixmap(iconSize);
        pixmap.fill(Qt::white);
        QPainter painter(&pixmap);
        drawBrushStyle(painter, QRect(QPoint(0, 0), iconSize), style, Qt::black);
        painter.end();
        comboBox->addItem(QIcon(pixmap), valueInfo.displayName(), int(style));
        return true;
    });
    comboBox->setCurrentIndex(comboBox->findData(int(current)));
    auto& property = owner();
    new QtnPropertyEditorHandlerBase(property, *comboBox, [&property, comboBox] {
        QVariant data = comboBox->currentData();
        if (data.isValid())
            property.setValue(Qt::BrushStyle(data.toInt()));
    });
    return comboBox;
}
