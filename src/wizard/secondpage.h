#ifndef SECONDPAGE_H
#define SECONDPAGE_H

#include <QWizardPage>

class QLabel;
class QLineEdit;

// The number of distribution points, 0 to 10.
class SecondPage : public QWizardPage
{
    Q_OBJECT
public:
    explicit SecondPage(QWidget *parent = nullptr);

private:
    QLabel *m_countLabel;
    QLineEdit *m_countEdit;
};

#endif // SECONDPAGE_H
