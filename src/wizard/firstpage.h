#ifndef FIRSTPAGE_H
#define FIRSTPAGE_H

#include <QWizardPage>

class QLabel;
class QLineEdit;

// Investment data: name (required), address and comments.
class FirstPage : public QWizardPage
{
    Q_OBJECT
public:
    explicit FirstPage(QWidget *parent = nullptr);

private:
    QLabel *m_nameLabel;
    QLineEdit *m_nameEdit;
    QLabel *m_addressLabel;
    QLineEdit *m_addressEdit;
    QLabel *m_commentsLabel;
    QLineEdit *m_commentsEdit;
};

#endif // FIRSTPAGE_H
