#include "property/widget/qtnlineeditbttn.h"

#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

QtnLineEditBttn::QtnLineEditBttn(QWidget* parent, const QString& buttonText)
    : QWidget(parent), m_lineEdit(new QLineEdit(this)), m_toolButton(new QToolButton(this))
{
    auto layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_lineEdit);
    layout->addWidget(m_toolButton);
    m_toolButton->setText(buttonText);
    m_toolButton->setFocusPolicy(Qt::StrongFocus);
    setFocusProxy(m_lineEdit);
    setAutoFillBackground(true);
    connect(m_toolButton, &QToolButton::clicked, this, &QtnLineEditBttn::buttonClicked);
}
