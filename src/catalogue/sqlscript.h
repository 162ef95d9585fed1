#ifndef SQLSCRIPT_H
#define SQLSCRIPT_H

#include <QString>
#include <QStringList>

// The readable catalogue is an SQL script; the SQLite driver runs one
// statement per call, so the script is cut into statements first.
class SqlScript
{
public:
    // Splits at semicolons outside quotes; "--" comments run to the end of
    // the line and are dropped. Empty statements are skipped.
    static QStringList statements(const QString &text);
};

#endif // SQLSCRIPT_H
