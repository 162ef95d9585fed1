#include "wizard/firstpage.h"

#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPixmap>

FirstPage::FirstPage(QWidget *parent) : QWizardPage(parent)
{
    setTitle(tr("Dane Inwestycji"));
    // no picture of this name is compiled in; the page then shows none
    setPixmap(QWizard::WatermarkPixmap, QPixmap(QStringLiteral(":/images/watermark1.png")));

    m_nameLabel = new QLabel(tr("&Nazwa:"));
    m_nameEdit = new QLineEdit;
    m_nameLabel->setBuddy(m_nameEdit);

    m_addressLabel = new QLabel(tr("&Adres:"));
    m_addressEdit = new QLineEdit;
    m_addressLabel->setBuddy(m_addressEdit);

    m_commentsLabel = new QLabel(tr("&Uwagi:"));
    m_commentsEdit = new QLineEdit;
    m_commentsLabel->setBuddy(m_commentsEdit);

    // the trailing star keeps "Dalej" disabled while the name is empty
    registerField(QStringLiteral("projectName*"), m_nameEdit);
    registerField(QStringLiteral("address"), m_addressEdit);
    registerField(QStringLiteral("comments"), m_commentsEdit);

    QGridLayout *layout = new QGridLayout;
    layout->addWidget(m_nameLabel, 0, 0);
    layout->addWidget(m_nameEdit, 0, 1);
    layout->addWidget(m_addressLabel, 1, 0);
    layout->addWidget(m_addressEdit, 1, 1);
    layout->addWidget(m_commentsLabel, 2, 0);
    layout->addWidget(m_commentsEdit, 2, 1);
    setLayout(layout);
}
