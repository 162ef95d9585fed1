#ifndef PDSPLITTER_H
#define PDSPLITTER_H

#include <QList>
#include <QString>
#include <functional>

class DiagramItem;
class QMenu;
class QMessageBox;

// The remedy for a distribution point whose cables need more slots than any
// catalogue model has: its cables are spread over a chain of points, five
// cables on each, every new point joined to the previous one by a new cable.
class PdSplitter
{
public:
    // Cables left on each point of the chain.
    static constexpr int WiresPerPoint = 5;
    // Horizontal distance between the points of the chain, scene units.
    static constexpr int Spacing = 100;

    // The question put to the user before the drawing is changed.
    static QString questionText();
    // Fills a parentless box with the question, the buttons "Tak" (Yes,
    // default) and "Nie" (No).
    static void prepareQuestion(QMessageBox &box);

    // Runs a prepared box and returns the button that closed it
    // (QMessageBox::StandardButton), e.g. through the editor's dialog seam.
    using Asker = std::function<int(QMessageBox &box)>;

    // Asks about a distribution point; true when the user answered "Tak".
    static bool confirm(DiagramItem *item, const Asker &ask);
    // Asks; on "Tak" splits and returns true, on anything else changes
    // nothing and returns false.
    static bool askAndSplit(DiagramItem *item, QMenu *itemMenu, const Asker &ask);

    // Splits without asking. Returns the chain: the item first, then the new
    // points in order. New points and cables are added to the item's scene
    // (when it has one) and coloured with the project's colours.
    static QList<DiagramItem *> split(DiagramItem *item, QMenu *itemMenu);
};

#endif // PDSPLITTER_H
