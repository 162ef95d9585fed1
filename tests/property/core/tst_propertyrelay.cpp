#include "property/core/qtnpropertycore.h"

#include <QtTest>

#include <functional>
#include <memory>

namespace
{
// One log for every listener, so that a test sees the order across levels.
QStringList g_log;

QString names(const QtnPropertyBase* changed, const QtnPropertyBase* fired)
{
    return changed->objectName() + QLatin1Char(' ') + fired->objectName();
}

void hear(QtnPropertyBase* property, const QString& tag, QObject* context,
          std::function<void(bool will)> after = nullptr)
{
    QObject::connect(property, &QtnPropertyBase::propertyWillChange, context,
                     [tag, after](const QtnPropertyBase* changed, const QtnPropertyBase* fired,
                                  QtnPropertyChangeReason reason, QtnPropertyValuePtr newValue) {
                         QString line = tag + QStringLiteral(" will ") + names(changed, fired);
                         if ((reason & QtnPropertyChangeReasonValue) && newValue)
                             line += QLatin1Char(' ') + QString::number(*static_cast<const qint32*>(newValue));
                         g_log.append(line);
                         if (after)
                             after(true);
                     });
    QObject::connect(property, &QtnPropertyBase::propertyDidChange, context,
                     [tag, after](const QtnPropertyBase* changed, const QtnPropertyBase* fired,
                                  QtnPropertyChangeReason) {
                         g_log.append(tag + QStringLiteral(" did ") + names(changed, fired));
                         if (after)
                             after(false);
                     });
}

template <typename P>
P* named(P* property, const char* name)
{
    property->setName(QString::fromLatin1(name));
    return property;
}
} // namespace

// Connected by signature, the way QSignalSpy and old-style code connect.
class SignatureListener : public QObject
{
    Q_OBJECT

public Q_SLOTS:
    void onDid(const QtnPropertyBase* changed, const QtnPropertyBase* fired, QtnPropertyChangeReason)
    {
        g_log.append(QStringLiteral("signature did ") + names(changed, fired));
    }
};

enum class Scenario
{
    IntermediateOnly,
    BySignature,
    DisconnectOnWill,
    ListenerDestroyed,
    OtherSetDestroyed,
    TreeDestroyed,
    SetAgainOnDid,
    VetoWithdrawn,
    BlockedSet,
    SetJoinsBehindReceiver,
    ListedTwice,
    SubPropertyInSet
};
Q_DECLARE_METATYPE(Scenario)

class TestPropertyRelay : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void relayUnderChanges_data()
    {
        QTest::addColumn<Scenario>("scenario");
        QTest::addColumn<QStringList>("log");

        QTest::newRow("listener on an intermediate set only")
            << Scenario::IntermediateOnly << QStringList{"mid will Value Mid 1", "mid did Value Mid"};
        QTest::newRow("listener connected by signature to the bottom set")
            << Scenario::BySignature << QStringList{"signature did Value Bottom", "signature did Value Bottom"};
        QTest::newRow("receiver disconnects itself on will, another connects later")
            << Scenario::DisconnectOnWill
            << QStringList{"top will Value Top 1", "mid will Value Mid 3", "mid did Value Mid"};
        QTest::newRow("destroyed receiver hears no more, the other still does")
            << Scenario::ListenerDestroyed
            << QStringList{"a will Value Top 1", "b will Value Top 1", "a did Value Top", "b did Value Top",
                           "b will Value Top 2", "b did Value Top"};
        QTest::newRow("receiver destroys a second set listing the value")
            << Scenario::OtherSetDestroyed
            << QStringList{"top will Value Top 1", "top did Value Top", "top will Value Top 2", "top did Value Top"};
        QTest::newRow("receiver destroys the whole tree after the change")
            << Scenario::TreeDestroyed << QStringList{"top will Value Top 1", "top did Value Top"};
        QTest::newRow("receiver sets the value again after the change")
            << Scenario::SetAgainOnDid
            << QStringList{"top will Value Top 1", "top did Value Top", "top will Value Top 2", "top did Value Top",
                           "top will Value Top 3", "top did Value Top"};
        QTest::newRow("veto, then the vetoing receiver leaves")
            << Scenario::VetoWithdrawn << QStringList{"top will Value Top 1", "top did Value Top"};
        QTest::newRow("intermediate set with blocked signals")
            << Scenario::BlockedSet
            << QStringList{"bottom will Value Bottom 1", "bottom did Value Bottom", "top will Value Top 2",
                           "bottom will Value Bottom 2", "top did Value Top", "bottom did Value Bottom"};
        QTest::newRow("second set joins behind a receiver of the value")
            << Scenario::SetJoinsBehindReceiver
            << QStringList{"top will Value Top 1", "value will Value Value 1", "other will Value Other 1",
                           "top did Value Top", "value did Value Value", "other did Value Other"};
        QTest::newRow("value listed twice by one set, then removed")
            << Scenario::ListedTwice
            << QStringList{"top will Value Top 1", "top will Value Top 1", "top did Value Top", "top did Value Top",
                           "top will Bottom Top", "top did Bottom Top", "other will Value Other 2",
                           "other did Value Other"};
        QTest::newRow("sub-property listed by a set")
            << Scenario::SubPropertyInSet << QStringList{"set will Width Set", "set did Width Set"};
    }

    void relayUnderChanges()
    {
        QFETCH(Scenario, scenario);
        g_log.clear();

        QtnPropertySet* top = named(new QtnPropertySet(), "Top");
        QtnPropertySet* mid = named(new QtnPropertySet(top), "Mid");
        QtnPropertySet* bottom = named(new QtnPropertySet(mid), "Bottom");
        QtnPropertyInt* value = named(new QtnPropertyInt(bottom), "Value");
        QObject context;
        std::unique_ptr<QtnPropertySet> other(named(new QtnPropertySet(), "Other"));
        bool changed = true;

        switch (scenario)
        {
        case Scenario::IntermediateOnly:
            hear(mid, QStringLiteral("mid"), &context);
            changed = value->setValue(1);
            break;
        case Scenario::BySignature: {
            SignatureListener listener;
            QVERIFY(QObject::connect(bottom,
                                     SIGNAL(propertyDidChange(const QtnPropertyBase*, const QtnPropertyBase*,
                                                              QtnPropertyChangeReason)),
                                     &listener,
                                     SLOT(onDid(const QtnPropertyBase*, const QtnPropertyBase*,
                                                QtnPropertyChangeReason))));
            value->setValue(1);
            value->setValue(2);
            break;
        }
        case Scenario::DisconnectOnWill: {
            QObject* leaver = new QObject(&context);
            hear(top, QStringLiteral("top"), leaver, [top, leaver](bool) { QObject::disconnect(top, nullptr, leaver, nullptr); });
            value->setValue(1);
            value->setValue(2);
            hear(mid, QStringLiteral("mid"), &context);
            changed = value->setValue(3);
            break;
        }
        case Scenario::ListenerDestroyed: {
            QObject* a = new QObject(&context);
            hear(top, QStringLiteral("a"), a);
            hear(top, QStringLiteral("b"), &context);
            value->setValue(1);
            delete a;
            changed = value->setValue(2);
            break;
        }
        case Scenario::OtherSetDestroyed:
            other->addChildProperty(value, false);
            hear(other.get(), QStringLiteral("other"), &context);
            hear(top, QStringLiteral("top"), &context, [&other](bool will) {
                if (will)
                    other.reset();
            });
            value->setValue(1);
            QCOMPARE(bottom->childProperties().size(), 1);
            changed = value->setValue(2);
            break;
        case Scenario::TreeDestroyed:
            hear(top, QStringLiteral("top"), &context, [&top](bool will) {
                if (!will)
                {
                    delete top;
                    top = nullptr;
                }
            });
            changed = value->setValue(1);
            QVERIFY(!top);
            break;
        case Scenario::SetAgainOnDid:
            hear(top, QStringLiteral("top"), &context, [value](bool will) {
                if (!will && value->value() < 3)
                    value->setValue(value->value() + 1);
            });
            changed = value->setValue(1);
            QCOMPARE(value->value(), 3);
            break;
        case Scenario::VetoWithdrawn: {
            hear(top, QStringLiteral("top"), &context);
            QObject vetoer;
            QObject::connect(value, &QtnProperty::propertyValueAccept, &vetoer,
                             [](const QtnProperty*, QtnPropertyValuePtr, bool* accept) { *accept = false; });
            QVERIFY(!value->setValue(1));
            QCOMPARE(value->value(), 0);
            QObject::disconnect(value, &QtnProperty::propertyValueAccept, &vetoer, nullptr);
            changed = value->setValue(1);
            break;
        }
        case Scenario::BlockedSet:
            hear(top, QStringLiteral("top"), &context);
            hear(bottom, QStringLiteral("bottom"), &context);
            mid->blockSignals(true);
            value->setValue(1);
            mid->blockSignals(false);
            changed = value->setValue(2);
            break;
        case Scenario::SetJoinsBehindReceiver:
            hear(value, QStringLiteral("value"), &context);
            other->addChildProperty(value, false);
            hear(top, QStringLiteral("top"), &context);
            hear(other.get(), QStringLiteral("other"), &context);
            changed = value->setValue(1);
            break;
        case Scenario::ListedTwice:
            bottom->addChildProperty(value, false);
            hear(top, QStringLiteral("top"), &context);
            value->setValue(1);
            // One removal takes both entries; the value then dies listed by
            // a set that does not own it, which forgets it without a word.
            QVERIFY(bottom->removeChildProperty(value));
            QVERIFY(!bottom->hasChildProperties() && !value->parent());
            other->addChildProperty(value, false);
            hear(other.get(), QStringLiteral("other"), &context);
            changed = value->setValue(2);
            delete value;
            QVERIFY(!other->hasChildProperties());
            break;
        case Scenario::SubPropertyInSet: {
            QtnPropertyQRect rect;
            QtnPropertySet set;
            set.setName(QStringLiteral("Set"));
            qtnCreateWidthProperty(&set, &rect);
            hear(&set, QStringLiteral("set"), &context);
            changed = rect.setValue(QRect(0, 0, 5, 5));
            break;
        }
        }

        QVERIFY(changed);
        QTEST(g_log, "log");
        delete top;
    }

    // Every set above a property counts its value changes, blocked signals or
    // not; other changes, and a value set to what it was, count nothing.
    void valueChangesCounted()
    {
        QtnPropertySet top;
        QtnPropertySet* mid = new QtnPropertySet(&top);
        QtnPropertyInt* value = new QtnPropertyInt(mid);
        QtnPropertyInt* beside = new QtnPropertyInt(&top);
        const quint64 total = QtnPropertyBase::totalValueChanges();

        value->setValue(1);
        value->setValue(1);
        value->setName(QStringLiteral("Renamed"));
        mid->blockSignals(true);
        value->setValue(2);
        mid->blockSignals(false);
        value->blockSignals(true);
        value->setValue(3);
        value->blockSignals(false);
        beside->setValue(5);
        value->setState(QtnPropertyStateInvisible);

        QCOMPARE(mid->valueChanges(), quint64(3));
        QCOMPARE(top.valueChanges(), quint64(4));
        QCOMPARE(QtnPropertyBase::totalValueChanges() - total, quint64(4));
    }

    // The revision of a set moves on with a value, a state or a choice list
    // below it, and with nothing else; no two sets ever share a stamp.
    void revisionStamps()
    {
        QtnPropertySet top;
        QtnPropertySet* mid = new QtnPropertySet(&top);
        QtnPropertyInt* value = new QtnPropertyInt(mid);
        QtnPropertyEnum* choice = new QtnPropertyEnum(&top);
        QtnEnumInfo first(QStringLiteral("first"), {QtnEnumValueInfo(1, QStringLiteral("a"))});
        QtnEnumInfo second(QStringLiteral("second"), {QtnEnumValueInfo(1, QStringLiteral("b"))});
        choice->setEnumInfo(&first);
        QtnPropertySet other;
        QVERIFY(other.revision() != top.revision() && other.revision() != mid->revision());

        quint64 seen = top.revision();
        const auto moved = [&]() {
            const bool result = top.revision() != seen;
            seen = top.revision();
            return result;
        };
        value->setValue(0);
        QVERIFY(!moved());
        value->setName(QStringLiteral("Renamed"));
        QVERIFY(!moved());
        const quint64 lists = QtnPropertyEnumBase::totalListChanges();
        choice->setEnumInfo(&first);
        QVERIFY(!moved());
        QCOMPARE(QtnPropertyEnumBase::totalListChanges(), lists);

        const quint64 midBefore = mid->revision();
        value->blockSignals(true);
        value->setValue(7);
        value->blockSignals(false);
        QVERIFY(moved());
        QVERIFY(mid->revision() != midBefore);
        value->setState(QtnPropertyStateImmutable);
        QVERIFY(moved());
        mid->setState(QtnPropertyStateInvisible);   // reaches value as its inherited state
        QVERIFY(moved());
        const quint64 values = top.valueChanges();
        choice->setEnumInfo(&second);
        QVERIFY(moved());
        QCOMPARE(top.valueChanges(), values);
        QCOMPARE(QtnPropertyEnumBase::totalListChanges(), lists + 1);
        QVERIFY(other.revision() != top.revision());
    }

    // The change log names the outermost set of every value change (a set
    // listed by another is never named), once for changes in a row since the
    // last mark, only value changes, and says so when it no longer reaches
    // back.
    void changeLog()
    {
        QtnPropertySet first;
        QtnPropertySet* inner = new QtnPropertySet(&first);
        QtnPropertyInt* deep = new QtnPropertyInt(inner);
        QtnPropertyInt* flat = new QtnPropertyInt(&first);
        QtnPropertySet second;
        QtnPropertyInt* other = new QtnPropertyInt(&second);
        const auto logged = [](quint64 since) {
            QList<const QtnPropertySet*> sets;
            if (!QtnPropertySet::changedSince(since, [&](const QtnPropertySet* set) { sets << set; }))
                sets << nullptr;
            return sets;
        };

        quint64 end = QtnPropertySet::markChangeLog();
        deep->setValue(1);
        flat->setValue(2);
        deep->blockSignals(true);
        deep->setValue(3);   // blocked signals still count
        deep->blockSignals(false);
        other->setValue(4);
        deep->setName(QStringLiteral("Renamed"));
        deep->setState(QtnPropertyStateImmutable);
        deep->setValue(3);   // no change
        flat->setValue(5);
        QCOMPARE(logged(end), (QList<const QtnPropertySet*>{&first, &second, &first}));
        QVERIFY(logged(QtnPropertySet::changeLogEnd()).isEmpty());
        // A reader that marks the log after an entry sees the next change to
        // that set, however close it follows.
        end = QtnPropertySet::markChangeLog();
        flat->setValue(6);
        flat->setValue(7);
        QCOMPARE(logged(end), QList<const QtnPropertySet*>{&first});
        QCOMPARE(logged(QtnPropertySet::changeLogEnd() + 1), QList<const QtnPropertySet*>{nullptr});

        // Two sets in turn fill the log: the oldest entries are gone.
        end = QtnPropertySet::changeLogEnd();
        for (int i = 0; i < QtnPropertySet::ChangeLogSize / 2; ++i)
        {
            other->setValue(100 + i);
            flat->setValue(100 + i);
        }
        QCOMPARE(logged(end).size(), int(QtnPropertySet::ChangeLogSize));
        other->setValue(-1);
        flat->setValue(-1);
        QCOMPARE(logged(end), QList<const QtnPropertySet*>{nullptr});
        QCOMPARE(logged(QtnPropertySet::changeLogEnd() - 1), QList<const QtnPropertySet*>{&first});
    }
};

QTEST_GUILESS_MAIN(TestPropertyRelay)
#include "tst_propertyrelay.moc"
