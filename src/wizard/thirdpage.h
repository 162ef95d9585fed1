#ifndef THIRDPAGE_H
#define THIRDPAGE_H

#include <QList>
#include <QWizardPage>

class QGridLayout;
class QLabel;
class QSpinBox;

// One spin box per distribution point for its number of cameras. The rows
// are built on entering the page and torn down on leaving it backwards, so
// they always match the number given on the previous page.
class ThirdPage : public QWizardPage
{
    Q_OBJECT
public:
    explicit ThirdPage(QWidget *parent = nullptr);

    void initializePage() override;
    void cleanupPage() override;

    const QList<QLabel *> &labels() const { return m_labels; }
    const QList<QSpinBox *> &spinBoxes() const { return m_spinBoxes; }

private:
    QGridLayout *m_layout;
    QList<QLabel *> m_labels;
    QList<QSpinBox *> m_spinBoxes;
};

#endif // THIRDPAGE_H
