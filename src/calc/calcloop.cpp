#include "calc/calcloop.h"

#include "calc/networkcalc.h"
#include "catalogue/catalogue.h"
#include "log/moxlog.h"
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
