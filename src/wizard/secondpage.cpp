#include "wizard/secondpage.h"

#include <QGridLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>

SecondPage::SecondPage(QWidget *parent) : QWizardPage(parent)
{
    setTitle(tr("Iość punktów dystrybucyjnych"));

    m_countLabel = new QLabel(tr("&Podaj ilość punktów dystrybucyjnych dla kamer:"));
    m_countEdit = new QLineEdit;
    // more than ten points would not fit the sheet in one row
    m_countEdit->setValidator(new QIntValidator(0, 10, this));
    m_countLabel->setBuddy(m_countEdit);

    registerField(QStringLiteral("pzcount*"), m_countEdit);

    QGridLayout *layout = new QGridLayout;
    layout->addWidget(m_countLabel, 0, 0);
    layout->addWidget(m_countEdit, 0, 1);
    setLayout(layout);
}
