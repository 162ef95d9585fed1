#ifndef CHECK_POECHECKREPORT_H
#define CHECK_POECHECKREPORT_H

#include <QString>

class PoeCheckResult;
class QTextDocument;

// The "Kontrola PoE" section of the order: the remarks of the check, errors
// first, and the storage every recorder needs. It is appended after the
// order's own document, which stays as it is.
class PoeCheckReport
{
public:
    static QString html(const PoeCheckResult &result);
    // Adds the section at the end of the document.
    static void appendTo(QTextDocument *document, const PoeCheckResult &result);
};

#endif // CHECK_POECHECKREPORT_H
