#include "property/core/qtnproperty.h"

QtnProperty::QtnProperty(QObject* parent)
    : QtnPropertyBase(parent)
{
    // Single properties show closed in the view until the user opens them.
    addState(QtnPropertyStateCollapsed, false);
}

QtnProperty::~QtnProperty() = default;
