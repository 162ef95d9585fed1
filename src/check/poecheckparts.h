#ifndef CHECK_POECHECKPARTS_H
#define CHECK_POECHECKPARTS_H

#include "check/poecatalogue.h"
#include "check/poecheckresult.h"
#include "check/poedevicenumbers.h"
#include "check/poenetwork.h"
#include "check/poeremarks.h"

#include <QVector>

#include <algorithm>
#include <climits>

#include <memory>

// The result of the PoE check kept in parts that are worked out and worded
// again separately: per element the remarks on its supply, per point those
// against its model and its recorder's, per cable its own, and the figures
// behind them. PoeCheckTracker decides what an edit touched; the parts mark
// it (the marks below), work it out again, and put the remarks together in
// the order of the drawing.
class PoeCheckParts
{
public:
    using Remarks = PoeRemarks::Remarks;

    // Flags over a range of indexes that remember which they set, so that
    // clearing them costs what setting them did.
    class Marks
    {
    public:
        void resize(int size)
        {
            // Only the flags set are true: clearing them leaves every one false.
            clear();
            m_flags.resize(size);
        }
        bool at(int i) const { return m_flags.at(i); }
        bool mark(int i)
        {
            if (m_flags.at(i))
                return false;
            m_flags[i] = true;
            m_set << i;
            return true;
        }
        const QVector<int> &marked() const { return m_set; }
        void clear()
        {
            for (int i : qAsConst(m_set))
                m_flags[i] = false;
            m_set.clear();
        }

    private:
        QVector<bool> m_flags;
        QVector<int> m_set;
    };

    PoeCheckResult result;
    std::unique_ptr<PoeNetwork> network;
    const PoeCatalogue::Tables *tables = nullptr;
    // Moves on whenever the remarks or the marks change.
    quint64 revision = 0;

    // Sizes every part for the network and works it all out.
    void checkAll();
    // Carries every part over to the network as reshape() left it: the
    // records of kept elements, points and cables move to their new
    // indexes, the others start empty and are marked to be worked out.
    void reshape(const PoeNetwork::Reshaped &reshaped);

    // What an edit touched, to be worked out again by checkMarked().
    void elementChanged(int element);
    void cableChanged(int cable);
    void settingsChanged();
    // The data of a point passes through every point above it to its recorder.
    void dataChanged(int point);
    void groupChanged(int group) { m_groupsDirty.mark(group); }
    void cableTypesChanged() { m_cableTypes = true; }
    // Works out what is marked, and the remarks again when they changed.
    void checkMarked();

    // The records in result.recorders by point, -1 for a point without one.
    int recorderOf(int point) const { return m_recorderOf.at(point); }
    // Storage to write: every point's, or the recorders whose figures moved.
    bool storageOfAll = false;
    // Items whose mark of error changed, with the mark, since marksWhole
    // was last cleared; marksWhole: any item's may have (records moved).
    QVector<QPair<DiagramItem *, bool>> marksChanged;
    bool marksWhole = true;
    QVector<int> storageOf;

private:
    void touch(int element);
    // Its name may be another: so may the remarks on its cables. False for
    // a hole.
    bool renamed(int element);
    // False where the element stands as named when last renamed.
    bool nameMoved(int element) const;
    bool reread(int element);
    void solveGroup(int group);
    void checkCamera(int camera);
    void checkSupply(int point);
    void checkPoint(int point);
    void checkRecorder(int point);
    void checkCable(int cable);
    // The recorders numbered, and the marks sized for the network.
    void indexParts();
    void sizeParts();
    bool recordersStand(const QVector<int> &pointFrom) const;
    void markRecorders(const QVector<int> &pointFrom, const QVector<int> &recorderWas,
                       const QVector<PoeCheckResult::Recorder> &recorders);
    // The remarks of the cables that go with an element, in their order.
    template <typename Add>
    void cableRemarksOf(int element, Add add) const;
    void countCableTypes();
    void checkCableTypes();
    void fillDevice(PoeCheckResult::Device &d, DiagramItem *item, Wire *wire, double length, double volts,
                    double watts, int poeClass, bool supplied, int cableType, const PoeCable &cable);
    // element: the one whose remarks these are, where they go together.
    void replace(Remarks &remarks, const Remarks &fresh, int element);
    // The remarks of an element changed: they are put together again.
    void markAssembleFrom(int element)
    {
        m_assembleFrom = std::min(m_assembleFrom, element);
        m_remarked.mark(element);
    }
    bool unsettled() const;
    void assemble();
    bool putTogether(int element, Remarks &findings) const;
    void rewrite(const QVector<int> &changed);
    void publishErrors();
    void noteMark(int element, bool error);

    PoeDeviceNumbers m_devices;
    QVector<int> m_recorderOf; // per point: its record in result.recorders, or -1
    // Supply cables per cable type, and the first of each type.
    QVector<int> m_typeCount;
    QVector<Wire *> m_typeFirst;
    QVector<int> m_typeOrder; // the types to remark on, in their order
    // The remarks, in parts that are worded again separately.
    QVector<Remarks> m_supplyRemarks;   // per element: the device on its cable
    QVector<Remarks> m_pointRemarks;    // per point: against its model
    QVector<Remarks> m_recorderRemarks; // per point
    QVector<Remarks> m_cableRemarks;    // per cable
    // An element's name as the remarks write it, worded once (null until
    // then), and the number and location it stood for when everything
    // naming the element was last worded (known: since it was last renamed).
    struct Name
    {
        QString text;
        uint number = 0;
        QString location;
        bool known = false;
    };
    QVector<Name> m_elementNames; // per element
    Remarks m_cableTypeRemarks;
    // The remarks put together are kept: only those of the elements marked
    // remarked are put together again, written over their own; from
    // m_rebuildFrom on (records moved, or new ones), every element's are.
    // m_assembleFrom: the first whose remarks changed, NothingChanged for none.
    static constexpr int NothingChanged = INT_MAX;
    int m_assembleFrom = NothingChanged;
    int m_rebuildFrom = NothingChanged;
    Marks m_remarked; // per element
    bool m_typeRemarksChanged = false;
    bool m_unsettled = false;    // the remark on an unsettled solution leads
    QVector<int> m_offsets;      // per element: where its remarks start; then where the types' start
    QVector<bool> m_elementErrors; // per element: some error belongs to it
    // What checkMarked() has to do.
    Marks m_groupsDirty;
    Marks m_pointsDirty;
    Marks m_dataDirty;
    Marks m_recordersDirty;
    Marks m_cablesDirty;
    bool m_names = false;      // an element's name may have changed: the cable type remarks name cables
    bool m_cableTypes = false; // a cable's type may have changed
};

#endif // CHECK_POECHECKPARTS_H
