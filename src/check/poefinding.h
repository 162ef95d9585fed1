#ifndef CHECK_POEFINDING_H
#define CHECK_POEFINDING_H

#include <QString>

class QGraphicsItem;

// One remark of the PoE engineering check: how serious it is, what it says
// (Polish, naming the element first: "K 7: napięcie 39,19 V poniżej minimum
// 42,5 V dla 802.3at") and the camera, distribution point or cable it is
// about. The element pointer is only as good as the scene it came from: a
// holder that keeps findings across edits must check that the element is
// still there before using it.
struct PoeFinding
{
    enum class Severity { Error, Warning, Info };

    Severity severity = Severity::Info;
    QString text;
    // The element's label as the sheet shows it ("K 7", "PD 2", a cable as
    // "PD 1 – K 7"); empty for a remark about the whole project.
    QString elementName;
    // A DiagramItem or a Wire of the checked scene, or null.
    QGraphicsItem *element = nullptr;

    // The text without the element's name in front: for a table or a
    // report that shows the name in a column of its own.
    QString remark() const;

    // "błąd", "ostrzeżenie", "informacja".
    static QString severityName(Severity severity);

    bool operator==(const PoeFinding &other) const
    {
        return severity == other.severity && text == other.text && elementName == other.elementName
               && element == other.element;
    }
    bool operator!=(const PoeFinding &other) const { return !(*this == other); }
};

// Its strings are relocatable: a list of findings moves its memory, not
// finding by finding, when remarks are put in or taken out amid it.
Q_DECLARE_TYPEINFO(PoeFinding, Q_MOVABLE_TYPE);

#endif // CHECK_POEFINDING_H
