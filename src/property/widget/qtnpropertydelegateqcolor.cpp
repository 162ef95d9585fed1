#include "property/widget/qtnpropertydelegateqcolor.h"
#include "property/core/qtnpropertyint.h"
#include "property/widget/qtninplaceeditorhandler.h"
#include "property/widget/qtnlineeditbttn.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertydialogs.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"

#include <QLineEdit>
#include <QPainter>

QtnPropertyDelegateQColor::QtnPropertyDelegateQColor(QtnPropertyQColorBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyQColorBase>(owner)
{
}

void QtnPropertyDelegateQColor::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyQColorBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateQColor, QtnPropertyQColorBase>,
                                    "LineEditBttn");
    factory.registerDelegate(&QtnPropertyQColorBase::staticMetaObject,
                             &qtnCreateDelegate<QtnPropertyDelegateQColorSolid, QtnPropertyQColorBase>, "Solid");
}

void QtnPropertyDelegateQColor::applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes)
{
    int shape = 0;
    if (qtnGetAttribute(attributes, "shape", shape) && shape >= QtnColorDelegateShapeNone &&
        shape <= QtnColorDelegateShapeCircle)
        m_shape = QtnColorDelegateShape(shape);

    bool rgbSubItems = false;
    qtnGetAttribute(attributes, "rgbSubItems", rgbSubItems);
    if (!rgbSubItems || subPropertyCount() > 0)
        return;
    struct Component
    {
        QtnPropertyIntCallback* (*create)(QObject*, QtnPropertyQColorBase*);
        QColor fill;
    };
    const Component components[] = {{&qtnCreateRedProperty, QColor(255, 100, 100)},
                                    {&qtnCreateGreenProperty, QColor(100, 255, 100)},
                                    {&qtnCreateBlueProperty, QColor(100, 100, 255)}};
    for (const Component& component : components)
    {
        QtnPropertyIntCallback* sub = component.create(nullptr, &owner());
        QtnPropertyDelegateAttributes subAttributes;
        subAttributes.insert("liveUpdate", true);
        subAttributes.insert("animate", true);
        subAttributes.insert("fillColor", component.fill);
        sub->setDelegate(QtnPropertyDelegateInfo("SliderBox", subAttributes));
        addSubProperty(sub);
    }
}

void QtnPropertyDelegateQColor::drawColorSwatch(QPainter& painter, const QRect& rect, const QColor& color,
                                                QtnColorDelegateShape shape, const QColor& frame)
{
    if (shape == QtnColorDelegateShapeNone)
        return;
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, shape == QtnColorDelegateShapeCircle);
    painter.setPen(frame);
    painter.setBrush(color.isValid() ? QBrush(color) : QBrush(Qt::white, Qt::BDiagPattern));
    if (shape == QtnColorDelegateShapeCircle)
        painter.drawEllipse(QRectF(rect).adjusted(0.5, 0.5, -0.5, -0.5));
    else
        painter.drawRect(rect.adjusted(0, 0, -1, -1));
    painter.restore();
}

void QtnPropertyDelegateQColor::drawValueImpl(QPainter& painter, const QRect& rect,
                                              const QtnDrawContext& context) const
{
    QRect textRect = rect;
    if (m_shape != QtnColorDelegateShapeNone)
    {
        int side = rect.height() - 6;
        QRect swatch(rect.left() + 4, rect.top() + (rect.height() - side) / 2, side, side);
        QColor frame = owner().isEditable() ? QColor(Qt::black)
                                            : context.palette().color(QPalette::Disabled, QPalette::Text);
        drawColorSwatch(painter, swatch, owner().value(), m_shape, frame);
        textRect.setLeft(swatch.right() + 2);
    }
    drawValueText(valueText(), painter, textRect, context);
}

bool QtnPropertyDelegateQColor::acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const
{
    return isTextKey(keyEvent);
}

QWidget* QtnPropertyDelegateQColor::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                          QtnInplaceInfo* inplaceInfo)
{
    auto editor = new QtnLineEditBttn(parent);
    editor->setGeometry(rect);
    QLineEdit* lineEdit = editor->lineEdit();
    QString text;
    owner().toStr(text);
    lineEdit->setText(text);
    initLineEdit(lineEdit, inplaceInfo);
    auto& property = owner();
    new QtnPropertyEditorHandlerBase(property, *editor, [&property, lineEdit, text] {
        // Text parse: a name that is no colour leaves the value as it was.
        if (lineEdit->text() != text)
            property.fromStr(lineEdit->text());
    });
    QString title = property.displayName();
    QColor initial = property.value();
    QObject::connect(editor, &QtnLineEditBttn::buttonClicked, editor, [editor, lineEdit, title, initial] {
        QColor chosen;
        {
            QtnInplaceEditSuspender suspend;
            chosen = QtnPropertyDialogs::getColor(initial, editor, title);
        }
        if (!chosen.isValid())
            return;
        lineEdit->setText(chosen.alpha() < 255 ? chosen.name(QColor::HexArgb) : chosen.name(QColor::HexRgb));
        if (qtnGetInplaceEdit() == editor)
            qtnStopInplaceEdit(true);
    });
    return editor;
}

QtnPropertyDelegateQColorSolid::QtnPropertyDelegateQColorSolid(QtnPropertyQColorBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyQColorBase>(owner)
{
}

void QtnPropertyDelegateQColorSolid::drawValueImpl(QPainter& painter, const QRect& rect,
                                                   const QtnDrawContext&) const
{
    QRect fill = rect.adjusted(2, 2, -2, -2);
    painter.fillRect(fill, owner().value());
    painter.setPen(QColor(Qt::black));
    painter.drawRect(fill.adjusted(0, 0, -1, -1));
}

QWidget* QtnPropertyDelegateQColorSolid::createValueEditorImpl(QWidget* parent, const QRect&, QtnInplaceInfo*)
{
    // No editor widget: the dialog itself is the editor.
    QColor chosen;
    {
        QtnInplaceEditSuspender suspend;
        chosen = QtnPropertyDialogs::getColor(owner().value(), parent, owner().displayName());
    }
    if (chosen.isValid() && owner().isEditableByUser())
        owner().setValue(chosen);
    return nullptr;
}
