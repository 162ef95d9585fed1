#include "property/widget/qtnpropertywidget.h"
#include "property/core/qtnpropertybase.h"
#include "property/widget/qtnpropertyview.h"

#include <QLabel>
#include <QSplitter>
#include <QVBoxLayout>

QtnPropertyWidget::QtnPropertyWidget(QWidget* parent)
    : QWidget(parent), m_layout(new QVBoxLayout(this)), m_propertyView(new QtnPropertyView(this))
{
    m_layout->setContentsMargins(0, 0, 0, 0);
    m_layout->setSpacing(0);
    m_layout->addWidget(m_propertyView);
    connect(m_propertyView, &QtnPropertyView::activePropertyChanged, this,
            &QtnPropertyWidget::onActivePropertyChanged);
}

QtnPropertyWidget::~QtnPropertyWidget() = default;

QtnPropertySet* QtnPropertyWidget::propertySet() const
{
    return m_propertyView->propertySet();
}

void QtnPropertyWidget::setPropertySet(QtnPropertySet* propertySet)
{
    m_propertyView->setPropertySet(propertySet);
}

bool QtnPropertyWidget::isDescriptionPanelVisible() const
{
    return m_descriptionSplitter != nullptr;
}

void QtnPropertyWidget::setDescriptionPanelVisible(bool visible)
{
    if (visible == isDescriptionPanelVisible())
        return;
    if (visible)
    {
        m_layout->removeWidget(m_propertyView);
        m_descriptionSplitter = new QSplitter(Qt::Vertical, this);
        m_descriptionSplitter->setChildrenCollapsible(false);
        m_descriptionSplitter->addWidget(m_propertyView);
        m_descriptionPanel = new QLabel(m_descriptionSplitter);
        m_descriptionPanel->setTextFormat(Qt::RichText);
        m_descriptionPanel->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        m_descriptionPanel->setWordWrap(true);
        m_descriptionPanel->setFrameStyle(QFrame::Box | QFrame::Sunken);
        m_descriptionPanel->setMargin(4);
        m_descriptionPanel->setMinimumHeight(3 * m_descriptionPanel->fontMetrics().height() + 10);
        m_descriptionSplitter->addWidget(m_descriptionPanel);
        m_descriptionSplitter->setStretchFactor(0, 1);
        m_descriptionSplitter->setStretchFactor(1, 0);
        m_layout->addWidget(m_descriptionSplitter);
        onActivePropertyChanged(m_propertyView->activeProperty());
    }
    else
    {
        m_propertyView->setParent(this);
        m_layout->addWidget(m_propertyView);
        delete m_descriptionSplitter;
        m_descriptionSplitter = nullptr;
        m_descriptionPanel = nullptr;
    }
}

void QtnPropertyWidget::onActivePropertyChanged(QtnPropertyBase* activeProperty)
{
    if (!m_descriptionPanel)
        return;
    if (!activeProperty)
    {
        m_descriptionPanel->setText(QString());
        return;
    }
    m_descriptionPanel->setText(QStringLiteral("<b>%1</b><br>%2")
                                    .arg(activeProperty->displayName().toHtmlEscaped(),
                                         activeProperty->description().toHtmlEscaped()));
}
