#ifndef QTN_PROPERTY_LOG_H
#define QTN_PROPERTY_LOG_H

#include <QLoggingCategory>

// The category "mox.property" of the property framework's diagnostics: the
// English failure texts ("Cannot find property ...") of the conversions and
// streams go to its debug level, which stays on (they are written only when
// something fails), and the view's delegate look-up failures are warnings.
// QT_LOGGING_RULES="mox.property.debug=false" silences the failures.
const QLoggingCategory& qtnPropertyLog();

#endif // QTN_PROPERTY_LOG_H
