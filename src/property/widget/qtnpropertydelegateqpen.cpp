#include "property/widget/qtnpropertydelegateqpen.h"
#include "property/core/qtnpropertyenum.h"
#include "property/core/qtnpropertyint.h"
#include "property/core/qtnpropertyqcolor.h"
#include "property/core/qtnpropertyqpenstyle.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"

#include <QCoreApplication>
#include <QLineEdit>
#include <QPainter>

static QString penText(const char* text, const QString& name)
{
    return QCoreApplication::translate("QtnPropertyView", text).arg(name);
}

QtnPropertyDelegateQPen::QtnPropertyDelegateQPen(QtnPropertyQPenBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyQPenBase>(owner)
{
}

void QtnPropertyDelegateQPen::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyQPenBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateQPen, QtnPropertyQPenBase>,
                                    "LineEditBttn");
}

template <typename SubClass>
static SubClass* createPenSubProperty(QtnPropertyQPenBase*, const QString& name, const QString& description)
{
    auto sub = new SubClass(nullptr);
    sub->setName(name);
    sub->setDescription(description);
    return sub;
}

void QtnPropertyDelegateQPen::applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes)
{
    if (subPropertyCount() > 0)
        return;
    QtnPropertyQPenBase* master = &owner();
    const QString name = master->name();
    bool edit = false;

    if (qtnGetAttribute(attributes, "editColor", edit) && edit)
    {
        auto sub = createPenSubProperty<QtnPropertyQColorCallback>(master, QStringLiteral("Color"),
                                                                   penText("Pen color for %1.", name));
        sub->setCallbackValueGet([master] { return master->value().color(); });
        sub->setCallbackValueSet([master](const QColor& color) {
            QPen pen = master->value();
            pen.setColor(color);
            master->setValue(pen);
        });
        qtnConnectMasterState(*master, *sub);
        addSubProperty(sub);
    }
    if (qtnGetAttribute(attributes, "editStyle", edit) && edit)
    {
        auto sub = createPenSubProperty<QtnPropertyQPenStyleCallback>(master, QStringLiteral("PenStyle"),
                                                                      penText("Pen style for %1.", name));
        sub->setCallbackValueGet([master] { return master->value().style(); });
        sub->setCallbackValueSet([master](const Qt::PenStyle& style) {
            QPen pen = master->value();
            pen.setStyle(style);
            master->setValue(pen);
        });
        qtnConnectMasterState(*master, *sub);
        addSubProperty(sub);
    }
    if (qtnGetAttribute(attributes, "editWidth", edit) && edit)
    {
        auto sub = createPenSubProperty<QtnPropertyIntCallback>(master, QStringLiteral("Width"),
                                                                penText("Pen width for %1", name));
        sub->setMinValue(0);
        sub->setCallbackValueGet([master] { return master->value().width(); });
        sub->setCallbackValueSet([master](const qint32& width) {
            QPen pen = master->value();
            pen.setWidth(width);
            master->setValue(pen);
        });
        qtnConnectMasterState(*master, *sub);
        addSubProperty(sub);
    }
    if (qtnGetAttribute(attributes, "editCapStyle", edit) && edit)
    {
        auto sub = createPenSubProperty<QtnPropertyEnumCallback>(master, QStringLiteral("CapStyle"),
                                                                 penText("Pen Cap Style for %1.", name));
        sub->setEnumInfo(&QtnPropertyQPenBase::capStyleEnum());
        sub->setCallbackValueGet([master] { return QtnEnumValueType(master->value().capStyle()); });
        sub->setCallbackValueSet([master](const QtnEnumValueType& style) {
            QPen pen = master->value();
            pen.setCapStyle(Qt::PenCapStyle(style));
            master->setValue(pen);
        });
        qtnConnectMasterState(*master, *sub);
        addSubProperty(sub);
    }
    if (qtnGetAttribute(attributes, "editJoinStyle", edit) && edit)
    {
        auto sub = createPenSubProperty<QtnPropertyEnumCallback>(master, QStringLiteral("JoinStyle"),
                                                                 penText("Pen Join Style for %1.", name));
        sub->setEnumInfo(&QtnPropertyQPenBase::joinStyleEnum());
        sub->setCallbackValueGet([master] { return QtnEnumValueType(master->value().joinStyle()); });
        sub->setCallbackValueSet([master](const QtnEnumValueType& style) {
            QPen pen = master->value();
            pen.setJoinStyle(Qt::PenJoinStyle(style));
            master->setValue(pen);
        });
        qtnConnectMasterState(*master, *sub);
        addSubProperty(sub);
    }
}

void QtnPropertyDelegateQPen::drawValueImpl(QPainter& painter, const QRect& rect,
                                            const QtnDrawContext& context) const
{
    QRect sample = rect.adjusted(4, 0, 0, 0);
    sample.setWidth(std::min(40, rect.width() / 3));
    painter.save();
    QPen pen = owner().value();
    pen.setWidth(std::min(pen.width(), sample.height() / 2));
    if (!owner().isEditable())
        pen.setColor(context.palette().color(QPalette::Disabled, QPalette::Text));
    painter.setPen(pen);
    painter.drawLine(sample.left(), sample.center().y(), sample.right(), sample.center().y());
    painter.restore();
    QRect textRect = rect;
    textRect.setLeft(sample.right() + 2);
    drawValueText(valueText(), painter, textRect, context);
}

bool QtnPropertyDelegateQPen::acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const
{
    return isEditKey(keyEvent);
}

QWidget* QtnPropertyDelegateQPen::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                        QtnInplaceInfo* inplaceInfo)
{
    QString text;
    if (!owner().toStr(text))
        return nullptr;
    auto lineEdit = new QLineEdit(parent);
    lineEdit->setGeometry(rect);
    lineEdit->setText(text);
    initLineEdit(lineEdit, inplaceInfo);
    auto& property = owner();
    new QtnPropertyEditorHandlerBase(property, *lineEdit, [&property, lineEdit, text] {
        if (lineEdit->text() != text)
            property.fromStr(lineEdit->text());
    });
    return lineEdit;
}
