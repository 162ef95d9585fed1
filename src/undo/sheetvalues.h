#ifndef UNDO_SHEETVALUES_H
#define UNDO_SHEETVALUES_H

#include "undo/setsnapshot.h"

#include <QHash>
#include <QList>
#include <QPair>
#include <QSet>
#include <QString>
#include <QStringList>
#include <QVector>

#include <memory>

class DiagramScene;
class QGraphicsItem;
class Wire;

// What an edit and the calculation after it may change in the values of a
// sheet: every property of every item and wire and of the project, the
// item's calculation flags, tool tip and remembered model text, and the
// order of each item's wire list (which decides, between cables pointing
// the same way, which point feeds which). Positions, the elements on the
// sheet, the cable ends and the images belong to the commands themselves.
//
// The calculation writes into any point of the network after an edit (a
// model that no longer fits, a catalogue bitrate, the voltages downstream)
// and keeps a model that still fits, so going back means putting all of
// that back, not just the value the user typed.
//
// Captures are cheap to keep and to take: the state of an element that has
// not changed since the previous capture is shared with it, not copied, and
// its set is not walked again while the set's revision stands where it stood.
class SheetValues
{
public:
    struct ElementState;
    // The last state captured of each element, so the next capture can share it.
    struct Cache {
        struct Kept {
            const QGraphicsItem *element = nullptr;
            std::shared_ptr<const ElementState> state;
            // The revisions of the element's set and of the item itself
            // when the state was taken.
            quint64 revision = 0;
            quint64 itemRevision = 0;
        };
        // In the order of the last capture, which the next one mostly
        // meets again; where tells the place of an element met elsewhere.
        QVector<Kept> order;
        QHash<const QGraphicsItem *, int> where;
        std::shared_ptr<const SetSnapshot> project;
        quint64 projectRevision = 0;
        // The list of cable types every cable shares, as the last capture saw it.
        QStringList wireTypes;
        const Kept *find(const QGraphicsItem *element) const;
        void forget(const QGraphicsItem *element);
        void clear();
    };

    SheetValues() = default;
    static SheetValues capture(DiagramScene *scene, Cache &cache);

    bool isNull() const { return !m_project; }
    // Puts the values back into every captured element that is on the scene;
    // the cache of the captures tells which of them hold these values still.
    void apply(DiagramScene *scene, const Cache &cache) const;

    void collectElements(QSet<const QGraphicsItem *> &out) const;

private:
    QVector<QPair<QGraphicsItem *, std::shared_ptr<const ElementState>>> m_elements;
    std::shared_ptr<const SetSnapshot> m_project;
};

#endif // UNDO_SHEETVALUES_H
