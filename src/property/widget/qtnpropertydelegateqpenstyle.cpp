#include "property/widget/qtnpropertydelegateqpenstyle.h"
#include "property/widget/qtninplaceeditorhandler.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"

#include "property/widget/qtncomboboxeditor.h"
#include <QPainter>
#include <QPixmap>

QtnPropertyDelegateQPenStyle::QtnPropertyDelegateQPenStyle(QtnPropertyQPenStyleBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyQPenStyleBase>(owner)
{
}

void QtnPropertyDelegateQPenStyle::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyQPenStyleBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateQPenStyle, QtnPropertyQPenStyleBase>,
                                    "ComboBox");
}

void QtnPropertyDelegateQPenStyle::applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes)
{
    qtnGetAttribute(attributes, "showNoPen", m_bShowNoPen);
}

void QtnPropertyDelegateQPenStyle::drawPenStyle(QPainter& painter, const QRect& rect, Qt::PenStyle style,
                                                const QColor& color)
{
    painter.save();
    QPen pen(color);
    pen.setStyle(style);
    pen.setWidth(2);
    painter.setPen(pen);
    int y = rect.center().y();
    painter.drawLine(rect.left(), y, rect.right(), y);
    painter.restore();
}

void QtnPropertyDelegateQPenStyle::drawValueImpl(QPainter& painter, const QRect& rect,
                                                 const QtnDrawContext& context) const
{
    QRect sample = rect.adjusted(4, 0, 0, 0);
    sample.setWidth(std::min(40, rect.width() / 3));
    drawPenStyle(painter, sample, owner().value(), valueTextColor(context));
    QRect textRect = rect;
    textRect.setLeft(sample.right() + 2);
    drawValueText(valueText(), painter, textRect, context);
}

QWidget* QtnPropertyDelegateQPenStyle::createValueEditorImpl(QWidget* parent, const QRect& rect, QtnInplaceInfo*)
{
    auto comboBox = new QtnComboBoxEditor(parent);
    comboBox->setGeometry(rect);
    QSize iconSize(40, 12);
    comboBox->setIconSize(iconSize);
    Qt::PenStyle current = owner().value();
    QtnPropertyQPenStyleBase::styleEnum().forEachEnumValue([&](const QtnEnumValueInfo& valueInfo) {
        Qt::PenStyle style = Qt::PenStyle(valueInfo.value());
        // CustomDashLine has no pattern of its own to offer.
        if (style == Qt::CustomDashLine && current != style)
            return true;
        if (style == Qt::NoPen && !m_bShowNoPen && current != style)
            return true;
        QPixmap pixmap(iconSize);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawPenStyle(painter, QRect(QPoint(0, 0), iconSize), style, Qt::black);
        painter.end();
        comboBox->addItem(QIcon(pixmap), valueInfo.displayName(), int(style));
        return true;
    });
    comboBox->setCurrentIndex(comboBox->findData(int(current)));
    auto& property = owner();
    new QtnPropertyEditorHandlerBase(property, *comboBox, [&property, comboBox] {
        QVariant data = comboBox->currentData();
        if (data.isValid())
            property.setValue(Qt::PenStyle(data.toInt()));
    });
    return comboBox;
}
