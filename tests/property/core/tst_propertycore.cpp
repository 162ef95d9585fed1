#include "propertyrecorder.h"

#include <QtTest>

// A three-level tree: Top > Mid > Bottom > Value, with a sibling at each level.
struct Tree
{
    QtnPropertySet top;
    QtnPropertySet* mid;
    QtnPropertySet* bottom;
    QtnPropertyInt* value;

    Tree()
    {
        top.setName(QStringLiteral("Top"));
        mid = new QtnPropertySet(&top);
        mid->setName(QStringLiteral("Mid"));
        bottom = new QtnPropertySet(mid);
        bottom->setName(QStringLiteral("Bottom"));
        value = new QtnPropertyInt(bottom);
        value->setName(QStringLiteral("Value"));
    }
};

typedef QtnPropertyIntCallback* (*RectMaker)(QObject*, QtnPropertyQRectBase*);
Q_DECLARE_METATYPE(RectMaker)

class TestPropertyCore : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void setValueProtocol_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<int>("newValue");
        QTest::addColumn<bool>("veto");
        QTest::addColumn<bool>("result");
        QTest::addColumn<QStringList>("events");
        QTest::addColumn<int>("finalValue");

        QTest::newRow("accepted") << 3 << 7 << false << true
                                  << QStringList{"accept Value 7 1", "will Value Value 1 7", "did Value Value 1"} << 7;
        QTest::newRow("upper bound") << 3 << 10 << false << true
                                     << QStringList{"accept Value 10 1", "will Value Value 1 10", "did Value Value 1"} << 10;
        QTest::newRow("equal value is silent") << 3 << 3 << false << false << QStringList() << 3;
        QTest::newRow("above range is silent") << 3 << 11 << false << false << QStringList() << 3;
        QTest::newRow("below range is silent") << 3 << -1 << false << false << QStringList() << 3;
        QTest::newRow("veto stops after accept") << 3 << 7 << true << false << QStringList{"accept Value 7 1"} << 3;
    }

    void setValueProtocol()
    {
        QFETCH(int, start);
        QFETCH(int, newValue);
        QFETCH(bool, veto);

        QtnPropertyInt property;
        property.setName(QStringLiteral("Value"));
        property.setMaxValue(10);
        property.setMinValue(0);
        property.setValue(start);

        PropertyRecorder recorder;
        recorder.watch(&property);
        recorder.vetoNext = veto;

        QTEST(property.setValue(newValue), "result");
        QTEST(recorder.lines, "events");
        QTEST(int(property.value()), "finalValue");
    }

    void relayThroughNestedSets_data()
    {
        QTest::addColumn<int>("change");
        QTest::addColumn<QStringList>("topEvents");

        QTest::newRow("value") << 0 << QStringList{"will Value Top 1 5", "did Value Top 1"};
        QTest::newRow("description") << 1 << QStringList{"will Value Top 16 help", "did Value Top 16"};
        QTest::newRow("id") << 2 << QStringList{"will Value Top 32 9", "did Value Top 32"};
        QTest::newRow("local state") << 3 << QStringList{"will Value Top 64 12", "did Value Top 64"};
        QTest::newRow("rename") << 4 << QStringList{"will Value Top 12 Renamed", "did Renamed Top 12"};
        QTest::newRow("child added to bottom") << 5
                                               << QStringList{"will Bottom Top 256 Extra", "did Bottom Top 256"};
    }

    void relayThroughNestedSets()
    {
        QFETCH(int, change);

        Tree tree;
        PropertyRecorder topRecorder;
        topRecorder.watch(&tree.top);
        PropertyRecorder midRecorder;
        midRecorder.watch(tree.mid);

        QtnPropertyInt extra;
        extra.setName(QStringLiteral("Extra"));
        switch (change)
        {
        case 0: tree.value->setValue(5); break;
        case 1: tree.value->setDescription(QStringLiteral("help")); break;
        case 2: tree.value->setId(9); break;
        case 3: tree.value->addState(QtnPropertyStateImmutable); break;
        case 4: tree.value->setName(QStringLiteral("Renamed")); break;
        case 5: tree.bottom->addChildProperty(&extra, false); break;
        }

        QTEST(topRecorder.lines, "topEvents");
        // The middle level sees the same changes, fired by itself.
        QStringList expectedMid = topRecorder.lines;
        expectedMid.replaceInStrings(QStringLiteral(" Top "), QStringLiteral(" Mid "));
        QCOMPARE(midRecorder.lines, expectedMid);
        tree.bottom->removeChildProperty(&extra);
    }

    void statePushDown()
    {
        Tree tree;
        PropertyRecorder topRecorder;
        topRecorder.watch(&tree.top);
        PropertyRecorder leafRecorder;
        leafRecorder.watch(tree.value);

        tree.top.addState(QtnPropertyStateImmutable);

        QCOMPARE(topRecorder.lines, (QStringList{"will Top Top 64 4", "did Top Top 64"}));
        // Collapsed (8) of its own, Immutable (4) from above.
        QCOMPARE(leafRecorder.lines, (QStringList{"will Value Value 128 4", "did Value Value 128"}));
        QCOMPARE(int(tree.mid->stateInherited()), 4);
        QCOMPARE(int(tree.value->state()), 12);
        QVERIFY(!tree.value->isEditable());
        QVERIFY(!tree.value->isEditableByUser());
        QVERIFY(tree.value->isVisible());

        tree.mid->addState(QtnPropertyStateInvisible);
        QCOMPARE(int(tree.value->stateInherited()), 6);
        QVERIFY(!tree.value->isVisible());

        tree.top.removeState(QtnPropertyStateImmutable);
        QCOMPARE(int(tree.value->stateInherited()), 2);
        tree.mid->switchStateAuto(QtnPropertyStateInvisible);
        QCOMPARE(int(tree.value->stateInherited()), 0);
        QVERIFY(tree.value->isEditableByUser());

        // Setting an equal state is silent unless forced; forced, it reaches
        // every descendant.
        topRecorder.lines.clear();
        leafRecorder.lines.clear();
        tree.top.setState(QtnPropertyStateNone);
        QVERIFY(topRecorder.lines.isEmpty() && leafRecorder.lines.isEmpty());
        tree.top.setState(QtnPropertyStateNone, true);
        QCOMPARE(topRecorder.lines, (QStringList{"will Top Top 64 0", "did Top Top 64"}));
        QCOMPARE(leafRecorder.lines, (QStringList{"will Value Value 128 0", "did Value Value 128"}));
    }

    void names_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("taken");

        QTest::newRow("plain") << "Power230" << true;
        QTest::newRow("polish letters") << QString::fromUtf8("Długość") << true;
        QTest::newRow("blank") << "Power 230" << false;
        QTest::newRow("point") << "Advanced.Vin" << false;
        QTest::newRow("trailing blank") << "Typ " << false;
    }

    void names()
    {
        QFETCH(QString, name);
        QFETCH(bool, taken);

        QtnPropertyQString property;
        property.setName(QStringLiteral("Old"));
        property.setDisplayName(QStringLiteral("Caption"));
        PropertyRecorder recorder;
        recorder.watch(&property);

        property.setName(name);
        QCOMPARE(property.name(), taken ? name : QStringLiteral("Old"));
        QCOMPARE(property.displayName(), taken ? name : QStringLiteral("Caption"));
        QCOMPARE(recorder.lines.size(), taken ? 2 : 0);
    }

    void childManagement()
    {
        QtnPropertySet set;
        set.setName(QStringLiteral("Set"));
        QtnPropertyInt* first = new QtnPropertyInt(&set);
        first->setName(QStringLiteral("First"));
        QtnPropertyInt* second = new QtnPropertyInt(&set);
        second->setName(QStringLiteral("Second"));
        QCOMPARE(set.childProperties(), (QList<QtnPropertyBase*>{first, second}));

        PropertyRecorder recorder;
        recorder.watch(&set);

        QtnPropertyInt outsider;
        QVERIFY(!set.removeChildProperty(&outsider));
        QVERIFY(recorder.lines.isEmpty());

        // Deleting a child takes it out of its set, announced.
        delete first;
        QCOMPARE(recorder.lines, (QStringList{"will Set Set 512 First", "did Set Set 512"}));
        QCOMPARE(set.childProperties().size(), 1);

        // Clearing keeps the children alive and parented, and stops relaying.
        recorder.lines.clear();
        set.clearChildProperties();
        QCOMPARE(recorder.lines, (QStringList{"will Set Set 512 null", "did Set Set 512"}));
        QVERIFY(!set.hasChildProperties());
        QCOMPARE(second->parent(), &set);
        recorder.lines.clear();
        second->setValue(4);
        QVERIFY(recorder.lines.isEmpty());
        set.clearChildProperties();
        QVERIFY(recorder.lines.isEmpty());

        // Removal gives up ownership and stops relaying too.
        set.addChildProperty(second, false);
        QVERIFY(set.removeChildProperty(second));
        QCOMPARE(second->parent(), static_cast<QObject*>(nullptr));
        recorder.lines.clear();
        second->setValue(5);
        QVERIFY(recorder.lines.isEmpty());

        // A child listed without ownership that dies elsewhere leaves no dangling entry.
        {
            QtnPropertySet owner;
            second->setParent(&owner);
            set.addChildProperty(second, false);
            QCOMPARE(set.childProperties().size(), 1);
        }
        QVERIFY(!set.hasChildProperties());

        // A child added to a read-only set is owned by it and read-only too.
        set.setState(QtnPropertyStateImmutable);
        QtnPropertyInt* child = new QtnPropertyInt();
        QVERIFY(set.addChildProperty(child));
        QVERIFY(child->parent() == &set && !child->isEditable());
        QCOMPARE(int(child->stateLocal()), int(QtnPropertyStateCollapsed));
    }

    void findChildProperties_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<bool>("recursive");
        QTest::addColumn<QList<int>>("ids");

        // Tree: Number(1), Sub{Number(2), Deep{Number(3)}}, Other{Number(4)}
        QTest::newRow("name, recursive") << "Number" << true << QList<int>{1, 2, 3, 4};
        QTest::newRow("name, direct") << "Number" << false << QList<int>{1};
        QTest::newRow("path, direct") << "Sub.Number" << false << QList<int>{2};
        QTest::newRow("path, recursive") << "Sub.Number" << true << QList<int>{2, 3};
        QTest::newRow("deep path") << " Sub.Deep.Number " << false << QList<int>{3};
        QTest::newRow("path through a property") << "Number.Number" << true << QList<int>();
        QTest::newRow("empty head") << ".Number" << true << QList<int>();
        QTest::newRow("empty tail") << "Sub." << true << QList<int>();
        QTest::newRow("case matters") << "number" << true << QList<int>();
        QTest::newRow("unknown") << "Missing" << true << QList<int>();
    }

    void findChildProperties()
    {
        QFETCH(QString, path);
        QFETCH(bool, recursive);

        QtnPropertySet top;
        auto addNumber = [](QtnPropertySet* parent, int id) {
            QtnPropertyInt* number = new QtnPropertyInt(parent);
            number->setName(QStringLiteral("Number"));
            number->setId(id);
        };
        auto addSet = [](QtnPropertySet* parent, const char* name) {
            QtnPropertySet* set = new QtnPropertySet(parent);
            set->setName(QString::fromLatin1(name));
            return set;
        };
        addNumber(&top, 1);
        QtnPropertySet* sub = addSet(&top, "Sub");
        addNumber(sub, 2);
        addNumber(addSet(sub, "Deep"), 3);
        addNumber(addSet(&top, "Other"), 4);

        QList<int> ids;
        const auto found = top.findChildProperties(path, recursive ? Qt::FindChildrenRecursively : Qt::FindDirectChildrenOnly);
        for (QtnPropertyBase* property : found)
            ids.append(property->id());
        QTEST(ids, "ids");

        QCOMPARE(top.findChildProperty(1)->name(), QStringLiteral("Number"));
        QCOMPARE(top.findChildProperty(2), static_cast<QtnPropertyBase*>(nullptr));
    }

    void rangeChangeClampsValue()
    {
        QtnPropertyUInt property;
        property.setName(QStringLiteral("Power"));
        property.setValue(150);

        PropertyRecorder recorder;
        recorder.watch(&property);
        property.setMaxValue(100);
        QCOMPARE(property.value(), 100u);
        property.setMinValue(120);
        QCOMPARE(property.value(), 100u); // 120 lies above the max: refused, left alone
        property.setMinValue(1);
        QCOMPARE(recorder.lines, (QStringList{"accept Power 100 1", "will Power Power 1 100", "did Power Power 1"}));

        // A float's lowest default is the most negative float, not the
        // smallest positive one.
        QCOMPARE(QtnPropertyFloat().minValue(), -std::numeric_limits<float>::max());
    }

    void subProperties_data()
    {
        QTest::addColumn<RectMaker>("maker");
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("read");
        QTest::addColumn<int>("write");
        QTest::addColumn<QRect>("result");

        // Start: left 10, top 20, width 30, height 40 (right 39, bottom 59).
        QTest::newRow("left") << RectMaker(qtnCreateLeftProperty) << "Left" << 10 << 0 << QRect(QPoint(0, 20), QPoint(39, 59));
        QTest::newRow("right") << RectMaker(qtnCreateRightProperty) << "Right" << 39 << 49 << QRect(10, 20, 40, 40);
        QTest::newRow("top") << RectMaker(qtnCreateTopProperty) << "Top" << 20 << 30 << QRect(10, 30, 30, 30);
        QTest::newRow("bottom") << RectMaker(qtnCreateBottomProperty) << "Bottom" << 59 << 29 << QRect(10, 20, 30, 10);
        QTest::newRow("width") << RectMaker(qtnCreateWidthProperty) << "Width" << 30 << 5 << QRect(10, 20, 5, 40);
        QTest::newRow("height") << RectMaker(qtnCreateHeightProperty) << "Height" << 40 << 1 << QRect(10, 20, 30, 1);
    }

    void subProperties()
    {
        QFETCH(RectMaker, maker);
        QFETCH(QString, name);

        QtnPropertyQRect rect;
        rect.setName(QStringLiteral("Frame"));
        rect.setValue(QRect(10, 20, 30, 40));
        QObject owner;
        QtnPropertyIntCallback* sub = maker(&owner, &rect);

        QCOMPARE(sub->name(), name);
        QVERIFY(sub->description().endsWith(QStringLiteral(" the Frame.")));
        QTEST(int(sub->value()), "read");
        QFETCH(int, write);
        QVERIFY(sub->setValue(write));
        QTEST(rect.value(), "result");
    }

    void subPropertyFollowsMaster()
    {
        QtnPropertyQRect rect;
        rect.setName(QStringLiteral("Frame"));
        rect.setValue(QRect(10, 20, 30, 40));
        QObject owner;
        QtnPropertyIntCallback* width = qtnCreateWidthProperty(&owner, &rect);
        width->setValue(5);
        QCOMPARE(rect.value().right(), 14);

        PropertyRecorder recorder;
        recorder.watch(width);
        rect.setValue(QRect(0, 0, 7, 7));
        QCOMPARE(recorder.lines, (QStringList{"will Width Frame 1 null", "did Width Frame 1"}));

        rect.addState(QtnPropertyStateImmutable);
        QVERIFY(!width->isEditable());
        rect.removeState(QtnPropertyStateImmutable);
        QVERIFY(width->isEditable());

        qtnDisconnectMasterState(rect, *width);
        recorder.lines.clear();
        rect.setValue(QRect(1, 1, 2, 2));
        QVERIFY(recorder.lines.isEmpty());

        // The size and point makers write through the same way.
        QtnPropertyQSize size;
        size.setValue(QSize(3, 4));
        qtnCreateHeightProperty(&owner, &size)->setValue(9);
        QCOMPARE(size.value(), QSize(3, 9));
        QtnPropertyQPoint point;
        point.setValue(QPoint(3, 4));
        qtnCreateXProperty(&owner, &point)->setValue(-2);
        QCOMPARE(point.value(), QPoint(-2, 4));
        QCOMPARE(qtnCreateYProperty(&owner, &point)->value(), 4);
    }

    void colourComponentRange()
    {
        QtnPropertyQColor colour;
        colour.setName(QStringLiteral("ColorPD"));
        colour.setValue(QColor(10, 20, 30));
        QObject owner;
        QtnPropertyIntCallback* red = qtnCreateRedProperty(&owner, &colour);
        QtnPropertyIntCallback* blue = qtnCreateBlueProperty(&owner, &colour);
        QCOMPARE(red->description(), QStringLiteral("Red component of the ColorPD."));
        QVERIFY(!red->setValue(256) && !red->setValue(-1));
        QVERIFY(red->setValue(255));
        QCOMPARE(colour.value(), QColor(255, 20, 30));
        QCOMPARE(blue->value(), 30);
        QCOMPARE(qtnCreateGreenProperty(&owner, &colour)->value(), 20);
    }

    void delegateAndReset()
    {
        QtnPropertyQColor colour;
        QCOMPARE(colour.delegate(), static_cast<const QtnPropertyDelegateInfo*>(nullptr));
        QVERIFY(!colour.reset());

        int calls = 0;
        colour.setDelegateCallback([&calls]() {
            ++calls;
            QtnPropertyDelegateInfo* info = new QtnPropertyDelegateInfo();
            info->attributes[QByteArrayLiteral("shape")] = 2;
            return info;
        });
        QCOMPARE(calls, 0);
        QCOMPARE(colour.delegate()->attributes.value(QByteArrayLiteral("shape")).toInt(), 2);
        QVERIFY(colour.delegate()->name.isEmpty());
        QCOMPARE(calls, 1);

        colour.setDelegate(QtnPropertyDelegateInfo(QByteArrayLiteral("Solid")));
        QCOMPARE(colour.delegate()->name, QByteArrayLiteral("Solid"));

        colour.setValue(Qt::red);
        colour.setResetCallback([](QtnPropertyBase& property) {
            static_cast<QtnPropertyQColor&>(property).setValue(Qt::black);
        });
        QVERIFY(colour.reset());
        QCOMPARE(colour.value(), QColor(Qt::black));
    }

    void enumInfoLookups()
    {
        QtnEnumInfo info(QStringLiteral("POWER"), {QtnEnumValueInfo(1, QStringLiteral("no"), QString::fromUtf8("nie")),
                                                  QtnEnumValueInfo(2, QStringLiteral("yes"))});
        QCOMPARE(info.findByValue(2)->displayName(), QStringLiteral("yes"));
        QCOMPARE(info.findByDisplayName(QStringLiteral("NIE"), Qt::CaseInsensitive)->value(), 1);
        QVERIFY(!info.findByDisplayName(QStringLiteral("NIE")));
        QVERIFY(!info.findByName(QStringLiteral("YES")));

        // The second list is searched after the main one; its entries are accepted values.
        info.setSecondValues({QtnEnumValueInfo(7, QStringLiteral("extra")), QtnEnumValueInfo(1, QStringLiteral("dup"))});
        QCOMPARE(info.findByValue(1)->name(), QStringLiteral("no"));
        QCOMPARE(info.findByName(QStringLiteral("EXTRA"), Qt::CaseInsensitive)->value(), 7);

        QtnPropertyEnum property;
        QVERIFY(!property.setValue(1)); // without an enumeration nothing is accepted
        property.setEnumInfo(&info);
        QVERIFY(property.setValue(7));
        QVERIFY(!property.setValue(3));
        QCOMPARE(property.value(), 7);
    }
};

QTEST_GUILESS_MAIN(TestPropertyCore)
#include "tst_propertycore.moc"
