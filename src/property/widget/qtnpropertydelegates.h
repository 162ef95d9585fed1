#ifndef QTN_PROPERTY_DELEGATES_H
#define QTN_PROPERTY_DELEGATES_H

class QtnPropertyDelegateFactory;

// Registers every built-in delegate with its class and names.
void qtnRegisterBuiltInDelegates(QtnPropertyDelegateFactory& factory);

#endif // QTN_PROPERTY_DELEGATES_H
