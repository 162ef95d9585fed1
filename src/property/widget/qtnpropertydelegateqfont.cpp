#include "property/widget/qtnpropertydelegateqfont.h"
#include "property/core/qtnpropertybool.h"
#include "property/core/qtnpropertyenum.h"
#include "property/core/qtnpropertyqstring.h"
#include "property/core/qtnpropertyuint.h"
#include "property/widget/qtninplaceeditorhandler.h"
#include "property/widget/qtnlineeditbttn.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertydialogs.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"

#include <QCoreApplication>
#include <QLineEdit>

const QtnEnumInfo& QtnPropertyDelegateQFont::styleStrategyEnum()
{
    static const QtnEnumInfo info(QStringLiteral("StyleStrategy"),
                                  {QtnEnumValueInfo(QFont::PreferDefault, QStringLiteral("PreferDefault")),
                                   QtnEnumValueInfo(QFont::NoAntialias, QStringLiteral("NoAntialias")),
                                   QtnEnumValueInfo(QFont::PreferAntialias, QStringLiteral("PreferAntialias"))});
    return info;
}

static QString fontText(const char* text, const QString& name)
{
    return QCoreApplication::translate("QtnPropertyView", text).arg(name);
}

QtnPropertyDelegateQFont::QtnPropertyDelegateQFont(QtnPropertyQFontBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyQFontBase>(owner)
{
    QtnPropertyQFontBase* master = &owner;
    const QString name = owner.name();

    auto family = new QtnPropertyQStringCallback(nullptr);
    family->setName(QStringLiteral("Family"));
    family->setDescription(fontText("Font Family for %1.", name));
    family->setCallbackValueGet([master] { return master->value().family(); });
    family->setCallbackValueSet([master](const QString& value) {
        QFont font = master->value();
        font.setFamily(value);
        master->setValue(font);
    });
    qtnConnectMasterState(*master, *family);
    addSubProperty(family);

    auto pointSize = new QtnPropertyUIntCallback(nullptr);
    pointSize->setName(QStringLiteral("PointSize"));
    pointSize->setDescription(fontText("Point size for %1.", name));
    pointSize->setMinValue(1);
    pointSize->setMaxValue(1024);
    pointSize->setCallbackValueGet([master] { return quint32(std::max(0, master->value().pointSize())); });
    pointSize->setCallbackValueSet([master](const quint32& value) {
        QFont font = master->value();
        font.setPointSize(int(value));
        master->setValue(font);
    });
    qtnConnectMasterState(*master, *pointSize);
    addSubProperty(pointSize);

    struct Flag
    {
        const char* name;
        const char* description;
        bool (QFont::*get)() const;
        void (QFont::*set)(bool);
    };
    static const Flag flags[] = {{"Bold", "Bold flag for %1", &QFont::bold, &QFont::setBold},
                                 {"Italic", "Italic flag for %1", &QFont::italic, &QFont::setItalic},
                                 {"Underline", "Underline flag for %1", &QFont::underline, &QFont::setUnderline},
                                 {"Strikeout", "Strikeout flag for %1", &QFont::strikeOut, &QFont::setStrikeOut},
                                 {"Kerning", "Kerning flag for %1", &QFont::kerning, &QFont::setKerning}};
    for (const Flag& flag : flags)
    {
        auto sub = new QtnPropertyBoolCallback(nullptr);
        sub->setName(QString::fromLatin1(flag.name));
        sub->setDescription(fontText(flag.description, name));
        auto get = flag.get;
        auto set = flag.set;
        sub->setCallbackValueGet([master, get] { return (master->value().*get)(); });
        sub->setCallbackValueSet([master, set](const bool& value) {
            QFont font = master->value();
            (font.*set)(value);
            master->setValue(font);
        });
        qtnConnectMasterState(*master, *sub);
        addSubProperty(sub);
    }

    auto antialiasing = new QtnPropertyEnumCallback(nullptr);
    antialiasing->setName(QStringLiteral("Antialiasing"));
    antialiasing->setDescription(fontText("Antialiasing flag for %1.", name));
    antialiasing->setEnumInfo(&styleStrategyEnum());
    antialiasing->setCallbackValueGet([master] {
        QFont::StyleStrategy strategy = master->value().styleStrategy();
        if (strategy & QFont::NoAntialias)
            return QtnEnumValueType(QFont::NoAntialias);
        if (strategy & QFont::PreferAntialias)
            return QtnEnumValueType(QFont::PreferAntialias);
        return QtnEnumValueType(QFont::PreferDefault);
    });
    antialiasing->setCallbackValueSet([master](const QtnEnumValueType& value) {
        QFont font = master->value();
        font.setStyleStrategy(QFont::StyleStrategy(value));
        master->setValue(font);
    });
    qtnConnectMasterState(*master, *antialiasing);
    addSubProperty(antialiasing);
}

void QtnPropertyDelegateQFont::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyQFontBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateQFont, QtnPropertyQFontBase>,
                                    "LineEditBttn");
}

bool QtnPropertyDelegateQFont::propertyValueToStrImpl(QString& strValue) const
{
    QFont font = owner().value();
    int size = font.pointSize() > 0 ? font.pointSize() : font.pixelSize();
    strValue = QStringLiteral("[%1, %2]").arg(font.family()).arg(size);
    return true;
}

bool QtnPropertyDelegateQFont::acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const
{
    return isEditKey(keyEvent);
}

QWidget* QtnPropertyDelegateQFont::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                         QtnInplaceInfo* inplaceInfo)
{
    QString text;
    if (!owner().toStr(text))
        return nullptr;
    auto editor = new QtnLineEditBttn(parent);
    editor->setGeometry(rect);
    QLineEdit* lineEdit = editor->lineEdit();
    lineEdit->setText(text);
    initLineEdit(lineEdit, inplaceInfo);
    auto& property = owner();
    new QtnPropertyEditorHandlerBase(property, *editor, [&property, lineEdit, text] {
        if (lineEdit->text() != text)
            property.fromStr(lineEdit->text());
    });
    QString title = property.displayName();
    QFont initial = property.value();
    QObject::connect(editor, &QtnLineEditBttn::buttonClicked, editor, [editor, lineEdit, title, initial] {
        bool ok = false;
        QFont chosen;
        {
            QtnInplaceEditSuspender suspend;
            chosen = QtnPropertyDialogs::getFont(&ok, initial, editor, title);
        }
        if (!ok)
            return;
        lineEdit->setText(chosen.toString());
        if (qtnGetInplaceEdit() == editor)
            qtnStopInplaceEdit(true);
    });
    return editor;
}
