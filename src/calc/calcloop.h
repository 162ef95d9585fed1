#ifndef CALCLOOP_H
#define CALCLOOP_H

#include <QMetaObject>
#include <QObject>

class QGraphicsScene;
class QtnPropertySet;

// The calculation loop the editor runs after every change:
//   repeat { clear the request; model pass; voltage pass; voltage pass }
//   while another pass was requested.
// The request flag belongs to whoever drives the loop (the editor window
// keeps it as m_bUpdateProperties); the loop clears it before each pass and
// looks at it after. A change of cable data relayed while the loop runs asks
// for one more pass: watchDisplayedSet() does that for a window-less scene
// the way the window does it for the set in its property panel.
class CalcLoop
{
public:
    // What a loop that changed nothing leaves to the next one: the loop
    // reads only values, choice lists, the items' own state, the drawing's
    // order and wiring and the catalogue, and writes only into those. While
    // none of them has changed since a loop that changed none of them,
    // another loop would run exactly as that one did and change nothing
    // either (a change of a property's state alone, for instance, which the
    // rules of a set make along with an edit).
    class Settled
    {
    public:
        struct Inputs {
            quint64 values = 0;
            quint64 lists = 0;
            quint64 items = 0;
            quint64 stacking = 0;
            quint64 wiring = 0;
            quint64 catalogue = 0;
            bool operator==(const Inputs &other) const;
        };

    private:
        friend class CalcLoop;
        const QGraphicsScene *m_scene = nullptr;
        bool m_settled = false;
        Inputs m_inputs;
    };

    // Safety net only: the loop is never expected to get anywhere near this.
    static constexpr int MaxPasses = 1000;

    // flag: the caller's request flag; null uses one kept by the loop.
    explicit CalcLoop(QGraphicsScene *scene, bool *flag = nullptr);
    ~CalcLoop();
    CalcLoop(const CalcLoop &) = delete;
    CalcLoop &operator=(const CalcLoop &) = delete;

    void requestPass() { *m_flag = true; }
    bool passRequested() const { return *m_flag; }

    // A "Wire" set relaying a new value while this set is shown asks for
    // another pass; null stops watching.
    void watchDisplayedSet(QtnPropertySet *set);

    // One pass: calcPD, then calcVoltageDrop twice.
    void runPass();
    // The whole loop; returns the number of passes made.
    int run();
    // The whole loop unless it would change nothing (see Settled); returns
    // the number of passes made, none when it was left out.
    int run(Settled &settled);

private:
    QGraphicsScene *m_scene;
    bool m_ownFlag = false;
    bool *m_flag;
    QMetaObject::Connection m_watch;
};

#endif // CALCLOOP_H
