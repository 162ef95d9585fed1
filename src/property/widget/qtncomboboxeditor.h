#ifndef QTN_COMBO_BOX_EDITOR_H
#define QTN_COMBO_BOX_EDITOR_H

#include <QComboBox>

// Combo box used as an in-place editor. A choice made in its popup list is
// final and closes the editor; arrow keys only move the choice, so Escape can
// still cancel it.
class QtnComboBoxEditor : public QComboBox
{
public:
    explicit QtnComboBoxEditor(QWidget* parent = nullptr);

    void showPopup() override;

private:
    bool m_bPopupShown = false;
};

#endif // QTN_COMBO_BOX_EDITOR_H
