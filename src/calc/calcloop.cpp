#include "calc/calcloop.h"

#include "calc/networkcalc.h"
#include "catalogue/catalogue.h"
#include "catalogue/cataloguesnapshot.h"
#include "diagram/diagramitem.h"
#include "log/moxlog.h"
#include "property/core/qtnpropertyenum.h"
#include "property/core/qtnpropertyset.h"

#include <QGraphicsScene>

CalcLoop::CalcLoop(QGraphicsScene *scene, bool *flag)
    : m_scene(scene)
    , m_flag(flag ? flag : &m_ownFlag)
{
}

CalcLoop::~CalcLoop()
{
    QObject::disconnect(m_watch);
}

void CalcLoop::watchDisplayedSet(QtnPropertySet *set)
{
    QObject::disconnect(m_watch);
    if (!set)
        return;
    bool *flag = m_flag;
    m_watch = QObject::connect(
            set, &QtnPropertySet::propertyDidChange,
            [flag](const QtnPropertyBase *, const QtnPropertyBase *fired, QtnPropertyChangeReason reason) {
                if (reason == QtnPropertyChangeReasonNewValue && fired
                    && fired->name() == QLatin1String("Wire"))
                    *flag = true;
            });
}

void CalcLoop::runPass()
{
    // The steps of a pass add and remove no item, so the scene's items are
    // taken (and sorted) once for all three.
    const QList<DiagramItem *> items = NetworkCalc::diagramItems(m_scene);
    NetworkCalc::calcPD(items);
    // A second voltage pass after one that changed no value would read
    // exactly what the first read, and change nothing either.
    if (NetworkCalc::calcVoltageDrop(items) || NetworkCalc::everyStepTaken())
        NetworkCalc::calcVoltageDrop(items);
}

int CalcLoop::run()
{
    // The catalogue stands still while the loop runs: it is checked once.
    Catalogue::Pass catalogue;
    int passes = 0;
    do {
        *m_flag = false;
        runPass();
        ++passes;
    } while (*m_flag && passes < MaxPasses);
    if (*m_flag)
        qCWarning(MoxLog::calc) << "calculation loop stopped after" << passes << "passes";
    return passes;
}

bool CalcLoop::Settled::Inputs::operator==(const Inputs &other) const
{
    return values == other.values && lists == other.lists && items == other.items && stacking == other.stacking
           && wiring == other.wiring && catalogue == other.catalogue;
}

namespace {

// Where everything a loop reads stands now; false when that cannot be told
// (the statements answer, or every step is to be taken).
bool inputsNow(CalcLoop::Settled::Inputs *inputs)
{
    const CatalogueSnapshot *snapshot =
            Catalogue::answerSource() == Catalogue::Snapshot ? CatalogueSnapshot::current() : nullptr;
    if (!snapshot || NetworkCalc::everyStepTaken())
        return false;
    inputs->values = QtnPropertyBase::totalValueChanges();
    inputs->lists = QtnPropertyEnumBase::totalListChanges();
    inputs->items = DiagramItem::lastStateRevision();
    inputs->stacking = DiagramItem::stackingRevision();
    inputs->wiring = DiagramItem::wiringRevision();
    inputs->catalogue = snapshot->generation();
    return true;
}

} // namespace

int CalcLoop::run(Settled &settled)
{
    // One look at the catalogue for the decision and the loop alike.
    Catalogue::Pass catalogue;
    Settled::Inputs before;
    const bool known = inputsNow(&before);
    if (known && settled.m_settled && settled.m_scene == m_scene && settled.m_inputs == before) {
        // As a loop would leave it: no cable relayed a change, so no pass is asked for.
        *m_flag = false;
        return 0;
    }
    const int passes = run();
    Settled::Inputs after;
    settled.m_scene = m_scene;
    settled.m_settled = known && inputsNow(&after) && after == before;
    settled.m_inputs = after;
    return passes;
}
