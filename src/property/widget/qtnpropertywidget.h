#ifndef QTN_PROPERTY_WIDGET_H
#define QTN_PROPERTY_WIDGET_H

#include <QWidget>

class QLabel;
class QSplitter;
class QVBoxLayout;
class QtnPropertyBase;
class QtnPropertySet;
class QtnPropertyView;

// The property view with an optional description panel under it that
// explains the active row.
class QtnPropertyWidget : public QWidget
{
    Q_OBJECT

public:
    explicit QtnPropertyWidget(QWidget* parent = nullptr);
    ~QtnPropertyWidget() override;

    QtnPropertySet* propertySet() const;
    void setPropertySet(QtnPropertySet* propertySet);

    QtnPropertyView* propertyView() const { return m_propertyView; }
    QLabel* descriptionPanel() const { return m_descriptionPanel; }

    bool isDescriptionPanelVisible() const;
    void setDescriptionPanelVisible(bool visible);

private Q_SLOTS:
    void onActivePropertyChanged(QtnPropertyBase* activeProperty);

private:
    QVBoxLayout* m_layout;
    QtnPropertyView* m_propertyView;
    QSplitter* m_descriptionSplitter = nullptr;
    QLabel* m_descriptionPanel = nullptr;
};

#endif // QTN_PROPERTY_WIDGET_H
