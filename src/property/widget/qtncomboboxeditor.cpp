#include "property/widget/qtncomboboxeditor.h"
#include "property/widget/qtninplaceeditorhandler.h"

QtnComboBoxEditor::QtnComboBoxEditor(QWidget* parent) : QComboBox(parent)
{
    connect(this, QOverload<int>::of(&QComboBox::activated), this, [this] {
        if (m_bPopupShown && qtnGetInplaceEdit() == this)
            qtnStopInplaceEdit(true);
    });
}

void QtnComboBoxEditor::showPopup()
{
    m_bPopupShown = true;
    QComboBox::showPopup();
}
