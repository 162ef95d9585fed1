#ifndef CHECK_POECHECKTRACKER_H
#define CHECK_POECHECKTRACKER_H

#include "check/poecheckresult.h"

#include <memory>

class QGraphicsScene;

// The PoE check of a scene kept up to date from one edit to the next, at the
// cost of what the edit touched.
//
// An edit of a value (a camera's power, a cable's length, a point's model)
// is found through the property sets' change log, and only the supply group
// it belongs to is solved and worded again, with the points its data passes
// through and their recorders. A change of the drawing's shape (an element
// or a cable added, taken away or re-attached, another tree, a point that
// gains or loses mains, recorder or PC) reads again the elements it touched
// and their neighbours, and solves again the groups they are in; the rest
// keeps its figures and remarks, and where the kept records keep their
// order (a camera drawn, one taken away, a cable drawn) none is carried
// through a map: a camera taken away amid the drawing leaves a hole, and
// only the remarks of the elements whose parts changed are put together
// again. Past a quarter of the drawing in holes it is read anew.
// Another catalogue or scene, or a change that touches a good part of the
// drawing, makes the whole check run again. When nothing changed, an update
// costs a few comparisons.
class PoeCheckTracker
{
public:
    // Reshaped: records moved to new indexes; ReshapedInPlace: every kept
    // record stayed where it was (a camera drawn, the last one taken away).
    enum class Work { None, Partial, Reshaped, Full, ReshapedInPlace };

    PoeCheckTracker();
    ~PoeCheckTracker();
    PoeCheckTracker(const PoeCheckTracker &) = delete;
    PoeCheckTracker &operator=(const PoeCheckTracker &) = delete;

    // The check of the scene as it stands. The power and data trees of the
    // calculation must be current: update after the calculation loop. The
    // reference holds until the next update.
    const PoeCheckResult &update(const QGraphicsScene *scene);
    const PoeCheckResult &result() const;
    // What the last update had to do.
    Work lastWork() const;
    // Moves on whenever the remarks or the marks of the result change.
    quint64 revision() const;

    // Writes each recorder's storage into its "Storage" property and 0 into
    // every other distribution point's, only where the value changes. The
    // writes are results, as the calculation's are: no edit of the user,
    // and no work for the next update.
    void writeStorage();

    // Sets the marks of error on the items as the last update left them
    // (shown: marks on the items with an error, else on none), touching
    // only the items whose mark changed since the last call, where the
    // last update was followed by one.
    void markItems(bool shown);

private:
    class Impl;
    std::unique_ptr<Impl> d;
};

#endif // CHECK_POECHECKTRACKER_H
