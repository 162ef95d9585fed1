#ifndef LOG_MOXLOG_H
#define LOG_MOXLOG_H

#include <QLoggingCategory>

// The editor's diagnostics, one logging category per subsystem. Their debug
// lines narrate what the editor does (every statement of the model
// selection, every point of a voltage pass) and are off unless asked for:
// a user's terminal stays quiet and the calculation does not pay for
// formatting lines nobody reads. Warnings and worse are always on.
//
//   QT_LOGGING_RULES="mox.*.debug=true" mox project.mox   (everything)
//   QT_LOGGING_RULES="mox.calc.debug=true" ...            (one subsystem)
//
// Use as qCDebug(MoxLog::calc) << ...;
class MoxLog
{
public:
    static const QLoggingCategory &app();       // "mox.app": window, selection binding, commands
    static const QLoggingCategory &calc();      // "mox.calc": trees, voltages, model selection
    static const QLoggingCategory &catalogue(); // "mox.catalogue": lists, look-ups, CSV import
    static const QLoggingCategory &diagram();   // "mox.diagram": items and wires
    static const QLoggingCategory &project();   // "mox.project": reading and writing project files
};

#endif // LOG_MOXLOG_H
