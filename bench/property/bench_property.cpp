#include "property/core/qtnpropertycore.h"

#include <QtTest>

#include <atomic>
#include <cstdlib>
#include <new>

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

class BenchProperty : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void relayAllocatesNothing();
    void setValueThreeSetsDeep();
    void setToStr();
    void setFromStr();
    void setSave();
    void setLoad();
    void findDottedPath();
};

struct DeepTree
{
    QtnPropertySet top;
    QtnPropertyInt* value;
    long heard = 0;

    DeepTree()
    {
        QtnPropertySet* mid = new QtnPropertySet(&top);
        QtnPropertySet* bottom = new QtnPropertySet(mid);
        value = new QtnPropertyInt(bottom);
        QObject::connect(&top, &QtnPropertyBase::propertyDidChange, &top,
                         [this](const QtnPropertyBase*, const QtnPropertyBase*, QtnPropertyChangeReason) { ++heard; });
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
    QCOMPARE(tree.heard, 1001L);
}

void BenchProperty::setValueThreeSetsDeep()
{
    DeepTree tree;
    int next = 0;
    QBENCHMARK {
        tree.value->setValue(++next);
    }
    QVERIFY(tree.heard > 0);
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
