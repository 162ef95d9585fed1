#ifndef QTN_LINE_EDIT_BTTN_H
#define QTN_LINE_EDIT_BTTN_H

#include <QWidget>

class QLineEdit;
class QToolButton;

// A line edit with a "..." button that opens a chooser (colour, font, file).
class QtnLineEditBttn : public QWidget
{
    Q_OBJECT

public:
    explicit QtnLineEditBttn(QWidget* parent = nullptr, const QString& buttonText = QStringLiteral("..."));

    QLineEdit* lineEdit() const { return m_lineEdit; }
    QToolButton* toolButton() const { return m_toolButton; }

Q_SIGNALS:
    void buttonClicked();

private:
    QLineEdit* m_lineEdit;
    QToolButton* m_toolButton;
};

#endif // QTN_LINE_EDIT_BTTN_H
