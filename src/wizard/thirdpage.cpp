#include "wizard/thirdpage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLayoutItem>
#include <QSpinBox>

ThirdPage::ThirdPage(QWidget *parent) : QWizardPage(parent)
{
    m_layout = new QGridLayout(this);
}

void ThirdPage::initializePage()
{
    const int count = field(QStringLiteral("pzcount")).toString().toInt();
    for (int i = 0; i < count; ++i) {
        const int k = i + 1;
        QSpinBox *spinBox = new QSpinBox;
        spinBox->setMinimum(1);
        spinBox->setMaximum(32);
        spinBox->setSingleStep(1);
        // a staircase of 1, 2, 3 ... cameras as the starting proposal
        spinBox->setValue(k);

        QLabel *label = new QLabel(tr("Ilość kamer dla punktu dystrybucyjnego")
                                   + QStringLiteral("[PD") + QString::number(k) + QStringLiteral("]"));

        m_spinBoxes.append(spinBox);
        m_labels.append(label);
        m_layout->addWidget(label, i, 0);
        m_layout->addWidget(spinBox, i, 1);

        registerField(QStringLiteral("sbVel") + QString::number(i), spinBox);
    }
    setLayout(m_layout);
}

void ThirdPage::cleanupPage()
{
    // Deleting the spin boxes at once (not later) unregisters their fields
    // before the page can be entered again and register the same names.
    while (QLayoutItem *item = m_layout->takeAt(0)) {
        delete item->widget();
        delete item;
    }
    m_labels.clear();
    m_spinBoxes.clear();
}
