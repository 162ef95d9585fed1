#ifndef VIEW_TEST_HELPERS_H
#define VIEW_TEST_HELPERS_H

#include "property/core/qtnpropertycore.h"
#include "property/widget/qtnpropertyview.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

// Shows the view as the active window so that editors get the keyboard focus.
inline bool showActive(QWidget& widget, const QSize& size = QSize(400, 300))
{
    widget.resize(size);
    widget.show();
    QApplication::setActiveWindow(&widget);
    return QTest::qWaitForWindowActive(&widget);
}

// Clicks the middle of a property's value column.
inline void clickValue(QtnPropertyView& view, const QtnPropertyBase* property)
{
    QRect rect = view.propertyValueRect(property);
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier, rect.center());
}

// Counts value changes (will, did) announced by a set.
struct ValueChangeCounter
{
    QObject guard;   // disconnects the counters when the counter goes first
    int will = 0;
    int did = 0;

    explicit ValueChangeCounter(QtnPropertySet& set)
    {
        QObject::connect(&set, &QtnPropertyBase::propertyWillChange, &guard,
                         [this](const QtnPropertyBase*, const QtnPropertyBase*, QtnPropertyChangeReason reason,
                                QtnPropertyValuePtr) {
                             if (reason & QtnPropertyChangeReasonValue)
                                 ++will;
                         });
        QObject::connect(&set, &QtnPropertyBase::propertyDidChange, &guard,
                         [this](const QtnPropertyBase*, const QtnPropertyBase*, QtnPropertyChangeReason reason) {
                             if (reason & QtnPropertyChangeReasonValue)
                                 ++did;
                         });
    }
};

#endif // VIEW_TEST_HELPERS_H
