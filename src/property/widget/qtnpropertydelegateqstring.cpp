#include "property/widget/qtnpropertydelegateqstring.h"
#include "property/widget/qtninplaceeditorhandler.h"
#include "property/widget/qtnlineeditbttn.h"
#include "property/widget/qtnpropertydelegatefactory.h"
#include "property/widget/qtnpropertyeditorhandlerbase.h"

#include "property/widget/qtncomboboxeditor.h"
#include <QFileInfo>
#include <QLineEdit>
#include <QPainter>
#include <QPointer>

QtnPropertyDelegateQString::QtnPropertyDelegateQString(QtnPropertyQStringBase& owner)
    : QtnPropertyDelegateTyped<QtnPropertyQStringBase>(owner)
{
}

void QtnPropertyDelegateQString::Register(QtnPropertyDelegateFactory& factory)
{
    factory.registerDelegateDefault(&QtnPropertyQStringBase::staticMetaObject,
                                    &qtnCreateDelegate<QtnPropertyDelegateQString, QtnPropertyQStringBase>,
                                    "LineEdit");
    factory.registerDelegate(&QtnPropertyQStringBase::staticMetaObject,
                             &qtnCreateDelegate<QtnPropertyDelegateQStringFile, QtnPropertyQStringBase>, "File");
    factory.registerDelegate(&QtnPropertyQStringBase::staticMetaObject,
                             &qtnCreateDelegate<QtnPropertyDelegateQStringList, QtnPropertyQStringBase>, "List");
}

bool QtnPropertyDelegateQString::acceptKeyPressedForInplaceEditImpl(QKeyEvent* keyEvent) const
{
    return isTextKey(keyEvent);
}

QWidget* QtnPropertyDelegateQString::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                           QtnInplaceInfo* inplaceInfo)
{
    auto lineEdit = new QLineEdit(parent);
    lineEdit->setGeometry(rect);
    lineEdit->setText(owner().value());
    initLineEdit(lineEdit, inplaceInfo);
    auto& property = owner();
    new QtnPropertyEditorHandlerBase(property, *lineEdit, [&property, lineEdit] {
        property.setValue(lineEdit->text());
    });
    return lineEdit;
}

QtnPropertyDelegateQStringInvalidBase::QtnPropertyDelegateQStringInvalidBase(QtnPropertyQStringBase& owner)
    : QtnPropertyDelegateQString(owner)
{
}

void QtnPropertyDelegateQStringInvalidBase::applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes)
{
    qtnGetAttribute(attributes, "invalidColor", m_invalidColor);
}

void QtnPropertyDelegateQStringInvalidBase::drawValueImpl(QPainter& painter, const QRect& rect,
                                                          const QtnDrawContext& context) const
{
    if (!m_invalidColor.isValid() || isPropertyValid())
    {
        QtnPropertyDelegateQString::drawValueImpl(painter, rect, context);
        return;
    }
    QRect textRect = rect.adjusted(4, 0, -2, 0);
    painter.save();
    painter.setPen(m_invalidColor);
    painter.drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     painter.fontMetrics().elidedText(valueText(), Qt::ElideRight, textRect.width()));
    painter.restore();
}

QtnPropertyDelegateQStringFile::QtnPropertyDelegateQStringFile(QtnPropertyQStringBase& owner)
    : QtnPropertyDelegateQStringInvalidBase(owner)
{
}

void QtnPropertyDelegateQStringFile::applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes)
{
    QtnPropertyDelegateQStringInvalidBase::applyAttributesImpl(attributes);
    int value = 0;
    if (qtnGetAttribute(attributes, "acceptMode", value))
        m_options.acceptMode = QFileDialog::AcceptMode(value);
    if (qtnGetAttribute(attributes, "fileMode", value))
        m_options.fileMode = QFileDialog::FileMode(value);
    if (qtnGetAttribute(attributes, "viewMode", value))
        m_options.viewMode = QFileDialog::ViewMode(value);
    if (qtnGetAttribute(attributes, "options", value))
        m_options.options = QFileDialog::Options(value);
    qtnGetAttribute(attributes, "defaultSuffix", m_options.defaultSuffix);
    qtnGetAttribute(attributes, "nameFilter", m_options.nameFilter);
    qtnGetAttribute(attributes, "nameFilters", m_options.nameFilters);
}

bool QtnPropertyDelegateQStringFile::isPropertyValid() const
{
    QString path = owner().value();
    if (path.isEmpty())
        return true;
    switch (m_options.fileMode)
    {
    case QFileDialog::ExistingFile:
    case QFileDialog::ExistingFiles:
        return QFileInfo(path).isFile();
    case QFileDialog::Directory:
        return QFileInfo(path).isDir();
    default:
        return true;
    }
}

QWidget* QtnPropertyDelegateQStringFile::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                               QtnInplaceInfo* inplaceInfo)
{
    auto editor = new QtnLineEditBttn(parent);
    editor->setGeometry(rect);
    QLineEdit* lineEdit = editor->lineEdit();
    lineEdit->setText(owner().value());
    initLineEdit(lineEdit, inplaceInfo);
    auto& property = owner();
    new QtnPropertyEditorHandlerBase(property, *editor, [&property, lineEdit] {
        property.setValue(lineEdit->text());
    });
    QtnFileDialogOptions options = m_options;
    QString title = property.displayName();
    QObject::connect(editor, &QtnLineEditBttn::buttonClicked, editor, [editor, lineEdit, options, title] {
        QStringList files;
        {
            QtnInplaceEditSuspender suspend;
            files = QtnPropertyDialogs::getFileNames(lineEdit->text(), options, editor, title);
        }
        if (files.isEmpty())
            return;
        lineEdit->setText(files.first());
        if (qtnGetInplaceEdit() == editor)
            qtnStopInplaceEdit(true);
    });
    return editor;
}

QtnPropertyDelegateQStringList::QtnPropertyDelegateQStringList(QtnPropertyQStringBase& owner)
    : QtnPropertyDelegateQString(owner)
{
}

void QtnPropertyDelegateQStringList::applyAttributesImpl(const QtnPropertyDelegateAttributes& attributes)
{
    qtnGetAttribute(attributes, "items", m_items);
}

QWidget* QtnPropertyDelegateQStringList::createValueEditorImpl(QWidget* parent, const QRect& rect,
                                                               QtnInplaceInfo*)
{
    auto comboBox = new QtnComboBoxEditor(parent);
    comboBox->setEditable(true);
    comboBox->addItems(m_items);
    comboBox->setGeometry(rect);
    comboBox->setCurrentText(owner().value());
    auto& property = owner();
    new QtnPropertyEditorHandlerBase(property, *comboBox, [&property, comboBox] {
        property.setValue(comboBox->currentText());
    });
    return comboBox;
}
