#include "property/core/qtnpropertycore.h"

#include <QElapsedTimer>
#include <QtTest>

#include <algorithm>
#include <atomic>
#include <cstdlib>
#include <new>
#include <vector>

// Counts heap allocations so that the relay can be shown to allocate nothing.
static std::atomic<long> g_allocations(0);

void* operator new(std::size_t size)
{
    ++g_allocations;
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace
{
const QtnEnumInfo& powerEnum()
{
    static const QtnEnumInfo info(QStringLiteral("POWER"), {QtnEnumValueInfo(1, QStringLiteral("no")),
                                                           QtnEnumValueInfo(2, QStringLiteral("yes"))});
    return info;
}

// 100 properties of mixed types: 80 at the top, 20 in two nested sets.
void fillMixed(QtnPropertySet& top)
{
    top.setName(QStringLiteral("Top"));
    QtnPropertySet* sub = new QtnPropertySet(&top);
    sub->setName(QStringLiteral("Sub"));
    sub->setId(1000);
    QtnPropertySet* deep = new QtnPropertySet(sub);
    deep->setName(QStringLiteral("Deep"));
    deep->setId(1001);
    for (int i = 0; i < 100; ++i)
    {
        QtnPropertySet* parent = i < 80 ? &top : (i < 90 ? sub : deep);
        QtnPropertyBase* property = nullptr;
        switch (i % 5)
        {
        case 0: {
            QtnPropertyInt* p = new QtnPropertyInt(parent);
            p->setValue(i * 37);
            property = p;
            break;
        }
        case 1: {
            QtnPropertyDouble* p = new QtnPropertyDouble(parent);
            p->setValue(i / 7.0);
            property = p;
            break;
        }
        case 2: {
            QtnPropertyQString* p = new QtnPropertyQString(parent);
            p->setValue(QStringLiteral("Lokalizacja %1").arg(i));
            property = p;
            break;
        }
        case 3: {
            QtnPropertyEnum* p = new QtnPropertyEnum(parent);
            p->setEnumInfo(&powerEnum());
            p->setValue(1 + i % 2);
            property = p;
            break;
        }
        default: {
            QtnPropertyQColor* p = new QtnPropertyQColor(parent);
            p->setValue(QColor(i, 255 - i, 40));
            property = p;
            break;
        }
        }
        property->setName(QStringLiteral("Name%1").arg(i));
        property->setId(i);
    }
}
} // namespace

// The yardstick: a plain Qt property whose setter checks equality, stores
// and announces the value through its NOTIFY signal.
class NotifyingObject : public QObject
{
    Q_OBJECT
    Q_PROPERTY(int value READ value WRITE setValue NOTIFY valueChanged)

public:
    int value() const { return m_value; }
    void setValue(int value)
    {
        if (value == m_value)
            return;
        m_value = value;
        Q_EMIT valueChanged(value);
    }

Q_SIGNALS:
    void valueChanged(int value);

private:
    int m_value = 0;
};

// Receives the announcements of both sides through ordinary slots.
class Listener : public QObject
{
    Q_OBJECT

public:
    long willHeard = 0;
    long didHeard = 0;

public Q_SLOTS:
    void onWill(const QtnPropertyBase*, const QtnPropertyBase*, QtnPropertyChangeReason, QtnPropertyValuePtr)
    {
        ++willHeard;
    }
    void onDid(const QtnPropertyBase*, const QtnPropertyBase*, QtnPropertyChangeReason) { ++didHeard; }
    void onValueChanged(int) { ++didHeard; }
};

class BenchProperty : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void relayAllocatesNothing();
    void relayAgainstQtProperty();
    void setValueThreeSetsDeep();
    void qtSetPropertyWithNotify();
    void setToStr();
    void setFromStr();
    void setSave();
    void setLoad();
    void findDottedPath();
};

// Top > Mid > Bottom > Value, will and did of the top set connected to slots:
// what the main window does with the set of the selected item.
struct DeepTree
{
    QtnPropertySet top;
    QtnPropertyInt* value;
    Listener listener;

    DeepTree()
    {
        QtnPropertySet* mid = new QtnPropertySet(&top);
        QtnPropertySet* bottom = new QtnPropertySet(mid);
        value = new QtnPropertyInt(bottom);
        QObject::connect(&top, &QtnPropertyBase::propertyWillChange, &listener, &Listener::onWill);
        QObject::connect(&top, &QtnPropertyBase::propertyDidChange, &listener, &Listener::onDid);
    }
};

struct NotifyingTarget
{
    NotifyingObject object;
    Listener listener;

    NotifyingTarget()
    {
        QObject::connect(&object, &NotifyingObject::valueChanged, &listener, &Listener::onValueChanged);
    }
};

void BenchProperty::relayAllocatesNothing()
{
    DeepTree tree;
    tree.value->setValue(1);
    const long before = g_allocations;
    for (int i = 0; i < 1000; ++i)
        tree.value->setValue(i % 2 ? 2 : 3);
    const long allocations = g_allocations - before;
    qDebug("heap allocations in 1000 relayed setValue calls: %ld", allocations);
    QCOMPARE(allocations, 0L);
    QCOMPARE(tree.listener.willHeard, 1001L);
    QCOMPARE(tree.listener.didHeard, 1001L);
}

namespace
{
double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}
} // namespace

// Both sides in one run, round after round in turn, so that whatever else the
// machine does falls on both alike; the medians and their ratio are printed.
void BenchProperty::relayAgainstQtProperty()
{
    const int calls = 200000;
    const int rounds = 21;
    DeepTree tree;
    NotifyingTarget target;
    const QByteArray propertyName("value");
    std::vector<double> relayNs;
    std::vector<double> qtNs;
    int next = 0;
    QElapsedTimer timer;
    for (int round = 0; round < rounds; ++round)
    {
        const int first = next;
        timer.start();
        for (int i = 0; i < calls; ++i)
            tree.value->setValue(++next);
        relayNs.push_back(double(timer.nsecsElapsed()) / calls);

        next = first;
        timer.start();
        for (int i = 0; i < calls; ++i)
            target.object.setProperty(propertyName.constData(), ++next);
        qtNs.push_back(double(timer.nsecsElapsed()) / calls);
    }
    QCOMPARE(tree.listener.didHeard, long(calls) * rounds);
    QCOMPARE(tree.listener.willHeard, long(calls) * rounds);
    QCOMPARE(target.listener.didHeard, long(calls) * rounds);

    const double relay = median(relayNs);
    const double qt = median(qtNs);
    qInfo("setValue three sets deep, will+did to slots: %.1f ns; QObject::setProperty with NOTIFY to a slot: "
          "%.1f ns; ratio %.2f (medians of %d rounds of %d calls)",
          relay, qt, relay / qt, rounds, calls);
}

void BenchProperty::setValueThreeSetsDeep()
{
    DeepTree tree;
    int next = 0;
    QBENCHMARK {
        tree.value->setValue(++next);
    }
    QVERIFY(tree.listener.didHeard > 0);
}

void BenchProperty::qtSetPropertyWithNotify()
{
    NotifyingTarget target;
    int next = 0;
    QBENCHMARK {
        target.object.setProperty("value", ++next);
    }
    QVERIFY(target.listener.didHeard > 0);
}

void BenchProperty::setToStr()
{
    QtnPropertySet top;
    fillMixed(top);
    QString text;
    QBENCHMARK {
        text.clear();
        top.toStr(text);
    }
    QVERIFY(text.count(QLatin1Char('\n')) == 100);
}

void BenchProperty::setFromStr()
{
    QtnPropertySet source;
    fillMixed(source);
    QString text;
    source.toStr(text);
    QtnPropertySet target;
    fillMixed(target);
    bool ok = false;
    QBENCHMARK {
        ok = target.fromStr(text);
    }
    QVERIFY(ok);
}

void BenchProperty::setSave()
{
    QtnPropertySet top;
    fillMixed(top);
    QByteArray data;
    QBENCHMARK {
        data.clear();
        QDataStream stream(&data, QIODevice::WriteOnly);
        top.save(stream);
    }
    QVERIFY(!data.isEmpty());
}

void BenchProperty::setLoad()
{
    QtnPropertySet source;
    fillMixed(source);
    QByteArray data;
    {
        QDataStream stream(&data, QIODevice::WriteOnly);
        source.save(stream);
    }
    QtnPropertySet target;
    fillMixed(target);
    bool ok = false;
    QBENCHMARK {
        QDataStream stream(data);
        ok = target.load(stream);
    }
    QVERIFY(ok);
}

void BenchProperty::findDottedPath()
{
    QtnPropertySet top;
    fillMixed(top);
    int found = 0;
    QBENCHMARK {
        found = top.findChildProperties(QStringLiteral("Sub.Deep.Name95")).size();
    }
    QCOMPARE(found, 1);
}

QTEST_GUILESS_MAIN(BenchProperty)
#include "bench_property.moc"
