#include "viewtesthelpers.h"

#include "property/widget/qtnpropertydelegateerror.h"
#include "property/widget/qtnpropertydelegateint.h"
#include "property/widget/qtnpropertywidget.h"

#include <QLabel>
#include <QScrollBar>

#include <memory>
#include <set>

// Counts the rows a view really paints.
class CountingIntDelegate : public QtnPropertyDelegateInt
{
public:
    static std::set<const QtnPropertyBase*> painted;

    explicit CountingIntDelegate(QtnPropertyIntBase& owner) : QtnPropertyDelegateInt(owner) {}

protected:
    void drawValueImpl(QPainter& painter, const QRect& rect, const QtnDrawContext& context) const override
    {
        painted.insert(&owner());
        QtnPropertyDelegateInt::drawValueImpl(painter, rect, context);
    }
};
std::set<const QtnPropertyBase*> CountingIntDelegate::painted;

static QtnPropertyInt* addInt(QtnPropertySet* set, const QString& name)
{
    auto property = new QtnPropertyInt(set);
    property->setName(name);
    return property;
}

static QtnPropertySet* addSet(QtnPropertySet* set, const QString& name)
{
    auto child = new QtnPropertySet(set);
    child->setName(name);
    return child;
}

class TestPropertyView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void keyboardNavigation_data();
    void keyboardNavigation();
    void rowsSkipInvisibleBranches();
    void columnBorderDrag_data();
    void columnBorderDrag();
    void delegateChoice_data();
    void delegateChoice();
    void paintsOnlyVisibleRows_data();
    void paintsOnlyVisibleRows();
    void activePropertyAndDescription();
    void setChangedWhileShown();
};

void TestPropertyView::keyboardNavigation_data()
{
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QString>("active");
    QTest::addColumn<int>("rows");

    // Rows: A, B (collapsed: B1, B2 (collapsed: B2x)), C
    QTest::newRow("first key selects the first row") << QList<int>{Qt::Key_Down} << "A" << 3;
    QTest::newRow("up stops at the first row") << QList<int>{Qt::Key_Down, Qt::Key_Up, Qt::Key_Up} << "A" << 3;
    QTest::newRow("down skips a collapsed branch") << QList<int>{Qt::Key_Home, Qt::Key_Down, Qt::Key_Down} << "C" << 3;
    QTest::newRow("down stops at the last row") << QList<int>{Qt::Key_End, Qt::Key_Down} << "C" << 3;
    QTest::newRow("right expands") << QList<int>{Qt::Key_Home, Qt::Key_Down, Qt::Key_Right} << "B" << 5;
    QTest::newRow("right again enters the branch")
        << QList<int>{Qt::Key_Home, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right} << "B1" << 5;
    QTest::newRow("left on a child goes to the parent")
        << QList<int>{Qt::Key_Home, Qt::Key_Down, Qt::Key_Right, Qt::Key_Right, Qt::Key_Left} << "B" << 5;
    QTest::newRow("left on an expanded row collapses")
        << QList<int>{Qt::Key_Home, Qt::Key_Down, Qt::Key_Right, Qt::Key_Left} << "B" << 3;
    QTest::newRow("end in an expanded tree")
        << QList<int>{Qt::Key_Home, Qt::Key_Down, Qt::Key_Right, Qt::Key_End, Qt::Key_Up} << "B2" << 5;
    QTest::newRow("nested collapsed branch opens")
        << QList<int>{Qt::Key_Home, Qt::Key_Down, Qt::Key_Right, Qt::Key_End, Qt::Key_Up, Qt::Key_Right,
                      Qt::Key_Right}
        << "B2x" << 6;
    QTest::newRow("right on a leaf does nothing") << QList<int>{Qt::Key_Home, Qt::Key_Right} << "A" << 3;
    QTest::newRow("left on a top row does nothing") << QList<int>{Qt::Key_End, Qt::Key_Left} << "C" << 3;
    // 100 px viewport with rows of font height + 6: page = 100 / row height rows.
    QTest::newRow("page down clamps") << QList<int>{Qt::Key_Home, Qt::Key_PageDown} << "C" << 3;
    QTest::newRow("page up clamps") << QList<int>{Qt::Key_End, Qt::Key_PageUp} << "A" << 3;
}

void TestPropertyView::keyboardNavigation()
{
    QFETCH(QList<int>, keys);
    QFETCH(QString, active);
    QFETCH(int, rows);

    QtnPropertySet set;
    addInt(&set, "A");
    QtnPropertySet* b = addSet(&set, "B");
    b->addState(QtnPropertyStateCollapsed);
    addInt(b, "B1");
    QtnPropertySet* b2 = addSet(b, "B2");
    b2->addState(QtnPropertyStateCollapsed);
    addInt(b2, "B2x");
    addInt(&set, "C");

    QtnPropertyView view;
    view.setPropertySet(&set);
    QVERIFY(showActive(view, QSize(300, 100)));
    QSignalSpy spy(&view, &QtnPropertyView::activePropertyChanged);
    for (int key : keys)
        QTest::keyClick(&view, Qt::Key(key));

    QVERIFY(view.activeProperty());
    QCOMPARE(view.activeProperty()->name(), active);
    QCOMPARE(view.rowCount(), rows);
    QCOMPARE(spy.last().first().value<QtnPropertyBase*>(), view.activeProperty());
}

void TestPropertyView::rowsSkipInvisibleBranches()
{
    QtnPropertySet set;
    QtnPropertySet* hidden = addSet(&set, "Hidden");
    addInt(hidden, "Inside");
    hidden->addState(QtnPropertyStateInvisible);
    QtnPropertyView view;
    view.setPropertySet(&set);
    QVERIFY(showActive(view));
    QCOMPARE(view.rowCount(), 0);
    for (Qt::Key key : {Qt::Key_Down, Qt::Key_End, Qt::Key_Right, Qt::Key_F2})
        QTest::keyClick(&view, key);
    QVERIFY(!view.activeProperty());

    // A collapsed set with only invisible children has no branch to open.
    QtnPropertySet* shown = addSet(&set, "Shown");
    shown->addState(QtnPropertyStateCollapsed);
    QtnPropertyInt* invisibleChild = addInt(shown, "Invisible");
    invisibleChild->addState(QtnPropertyStateInvisible);
    QCOMPARE(view.rowCount(), 1);
    QCOMPARE(view.rowLevel(0), 0);
    QVERIFY(view.setActiveProperty(shown));
    QTest::keyClick(&view, Qt::Key_Right);
    QVERIFY(shown->state().testFlag(QtnPropertyStateCollapsed));
    QVERIFY(!view.setActiveProperty(invisibleChild));
    QVERIFY(!view.setActiveProperty(hidden->childProperties().first()));
    QCOMPARE(view.activeProperty(), shown);

    invisibleChild->removeState(QtnPropertyStateInvisible);
    QTest::keyClick(&view, Qt::Key_Right);
    QCOMPARE(view.rowCount(), 2);
    QCOMPARE(view.rowLevel(1), 1);
}

void TestPropertyView::columnBorderDrag_data()
{
    QTest::addColumn<int>("pressOffset");
    QTest::addColumn<int>("releaseX");
    QTest::addColumn<float>("ratio");

    // Viewport 400 px wide: border at 200.
    QTest::newRow("to three quarters") << 0 << 300 << 0.75f;
    QTest::newRow("grabbed 3 px away") << 3 << 100 << 0.25f;
    QTest::newRow("past the right edge") << -2 << 900 << 1.0f;
    QTest::newRow("past the left edge") << 1 << -40 << 0.0f;
    QTest::newRow("4 px away selects a row instead") << 4 << 300 << 0.5f;
}

void TestPropertyView::columnBorderDrag()
{
    QFETCH(int, pressOffset);
    QFETCH(int, releaseX);
    QFETCH(float, ratio);

    QtnPropertySet set;
    QtnPropertyInt* a = addInt(&set, "A");
    QtnPropertyView view;
    view.setPropertySet(&set);
    QVERIFY(showActive(view, QSize(400 + view.width() - view.viewport()->width(), 200)));
    view.resize(view.size() + QSize(400 - view.viewport()->width(), 0));
    QCOMPARE(view.viewport()->width(), 400);
    QCOMPARE(view.splitPosition(), 200);

    QPoint press(200 + pressOffset, view.itemHeight() / 2);
    QTest::mousePress(view.viewport(), Qt::LeftButton, Qt::NoModifier, press);
    QTest::mouseMove(view.viewport(), QPoint(releaseX, press.y()));
    QTest::mouseRelease(view.viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(releaseX, press.y()));
    QCOMPARE(view.splitRatio(), ratio);
    QCOMPARE(view.activeProperty(), std::abs(pressOffset) > 3 ? a : nullptr);
}

void TestPropertyView::delegateChoice_data()
{
    QTest::addColumn<QByteArray>("name");
    QTest::addColumn<bool>("ownFactoryOnly");
    QTest::addColumn<QString>("errorText");

    QTest::newRow("named delegate of the static factory") << QByteArray("SliderBox") << false << QString();
    QTest::newRow("default delegate") << QByteArray() << false << QString();
    QTest::newRow("unknown name") << QByteArray("Fancy") << false << "Delegate <Fancy> unknown";
    QTest::newRow("no default without parent factory") << QByteArray() << true << "Delegate <> unknown";
}

void TestPropertyView::delegateChoice()
{
    QFETCH(QByteArray, name);
    QFETCH(bool, ownFactoryOnly);
    QFETCH(QString, errorText);

    QtnPropertySet set;
    QtnPropertyInt* property = addInt(&set, "Bitrate");
    if (!name.isEmpty())
        property->setDelegate(QtnPropertyDelegateInfo(name));

    QtnPropertyView view;
    if (ownFactoryOnly)
        view.delegateFactory()->setSuperFactory(nullptr);
    if (!errorText.isEmpty())
    {
        if (name.isEmpty())
        {
            QTest::ignoreMessage(QtWarningMsg, "Cannot find default delegate for property Bitrate");
            QTest::ignoreMessage(QtWarningMsg, "Did you forget to register default delegate for  QtnPropertyInt type?");
        }
        else
        {
            QTest::ignoreMessage(QtWarningMsg, "Cannot find delegate with name Fancy for property Bitrate");
            QTest::ignoreMessage(QtWarningMsg, "Did you forget to register Fancy delegate for QtnPropertyInt type?");
        }
    }
    view.setPropertySet(&set);
    QtnPropertyDelegate* delegate = view.delegateOf(property);
    QVERIFY(delegate);
    auto error = dynamic_cast<QtnPropertyDelegateError*>(delegate);
    QCOMPARE(error != nullptr, !errorText.isEmpty());
    if (error)
        QCOMPARE(error->valueText(), errorText);
    else
        QCOMPARE(dynamic_cast<QtnPropertyDelegateInt*>(delegate) != nullptr, name.isEmpty());

    // A view-local registration wins over the static factory, by base class too.
    QtnPropertyView local;
    local.delegateFactory()->registerDelegateDefault(&QtnPropertyIntBase::staticMetaObject,
                                                     &qtnCreateDelegate<CountingIntDelegate, QtnPropertyIntBase>);
    QtnPropertySet plain;
    QtnPropertyInt* plainInt = addInt(&plain, "Plain");
    local.setPropertySet(&plain);
    QVERIFY(dynamic_cast<CountingIntDelegate*>(local.delegateOf(plainInt)));
}

void TestPropertyView::paintsOnlyVisibleRows_data()
{
    QTest::addColumn<int>("firstRow");
    QTest::newRow("top") << 0;
    QTest::newRow("middle") << 100;
    QTest::newRow("bottom") << 199;
}

void TestPropertyView::paintsOnlyVisibleRows()
{
    QFETCH(int, firstRow);

    QtnPropertySet set;
    std::vector<QtnPropertyInt*> properties;
    for (int i = 0; i < 200; ++i)
        properties.push_back(addInt(&set, QStringLiteral("P%1").arg(i)));
    QtnPropertyView view;
    view.delegateFactory()->registerDelegateDefault(&QtnPropertyIntBase::staticMetaObject,
                                                    &qtnCreateDelegate<CountingIntDelegate, QtnPropertyIntBase>);
    view.setPropertySet(&set);
    QVERIFY(showActive(view, QSize(300, 240)));

    int h = view.itemHeight();
    QCOMPARE(h, view.fontMetrics().height() + 6);
    int viewportHeight = view.viewport()->height();
    QCOMPARE(view.verticalScrollBar()->maximum(), 200 * h - viewportHeight + 2);

    QVERIFY(view.setActiveProperty(properties[size_t(firstRow)]));
    CountingIntDelegate::painted.clear();
    view.viewport()->repaint();

    int scroll = view.verticalScrollBar()->value();
    std::set<const QtnPropertyBase*> visible;
    for (int i = 0; i < 200; ++i)
    {
        int top = i * h - scroll;
        if (top < viewportHeight && top + h > 0)
            visible.insert(properties[size_t(i)]);
    }
    QVERIFY(visible.count(properties[size_t(firstRow)]));
    // Everything visible is painted, plus at most the two rows just below.
    for (const QtnPropertyBase* p : visible)
        QVERIFY(CountingIntDelegate::painted.count(p));
    QVERIFY(CountingIntDelegate::painted.size() <= visible.size() + 2);
    int lastVisible = -1;
    for (int i = 0; i < 200; ++i)
    {
        if (visible.count(properties[size_t(i)]))
            lastVisible = i;
        else if (CountingIntDelegate::painted.count(properties[size_t(i)]))
            QVERIFY2(i > lastVisible && i <= lastVisible + 2, qPrintable(QString::number(i)));
    }
    QVERIFY(CountingIntDelegate::painted.size() < 30);
}

void TestPropertyView::activePropertyAndDescription()
{
    auto set = new QtnPropertySet();
    QtnPropertyInt* number = addInt(set, "Number");
    number->setDisplayName(QStringLiteral("Numer"));
    number->setDescription(QStringLiteral("Numer urządzenia <K>"));
    QtnPropertySet* advanced = addSet(set, "Advanced");
    advanced->addState(QtnPropertyStateCollapsed);
    QtnPropertyInt* inside = addInt(advanced, "Resistance");

    QtnPropertyWidget widget;
    widget.setDescriptionPanelVisible(true);
    widget.setPropertySet(set);
    QVERIFY(showActive(widget));
    QtnPropertyView* view = widget.propertyView();
    QSignalSpy spy(view, &QtnPropertyView::activePropertyChanged);

    QVERIFY(view->setActiveProperty(number));
    QCOMPARE(widget.descriptionPanel()->text(), QStringLiteral("<b>Numer</b><br>Numer urządzenia &lt;K&gt;"));
    QVERIFY(!view->setActiveProperty(inside));   // hidden in a collapsed branch
    QCOMPARE(view->activeProperty(), number);
    QCOMPARE(spy.count(), 1);

    // A click on the branch node expands; the child row can then be active.
    QRect advancedRow = view->propertyRowRect(advanced);
    QTest::mouseClick(view->viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(view->itemHeight() / 2, advancedRow.center().y()));
    QVERIFY(!advanced->state().testFlag(QtnPropertyStateCollapsed));
    QVERIFY(view->setActiveProperty(inside));

    // The owner deletes the shown set: the view forgets it.
    delete set;
    QCOMPARE(widget.propertySet(), static_cast<QtnPropertySet*>(nullptr));
    QVERIFY(!view->activeProperty());
    QCOMPARE(spy.last().first().value<QtnPropertyBase*>(), static_cast<QtnPropertyBase*>(nullptr));
    QCOMPARE(widget.descriptionPanel()->text(), QString());
    QCOMPARE(view->rowCount(), 0);
    view->viewport()->repaint();
    QTest::keyClick(view, Qt::Key_Down);
}

void TestPropertyView::setChangedWhileShown()
{
    QtnPropertySet set;
    QtnPropertyView view;
    view.setPropertySet(&set);
    QVERIFY(showActive(view));
    std::vector<QtnPropertyInt*> added;
    for (int i = 0; i < 50; ++i)
    {
        added.push_back(addInt(&set, QStringLiteral("P%1").arg(i)));
        if (i % 10 == 0)
            view.viewport()->repaint();
    }
    QtnPropertySet* sub = addSet(&set, "Sub");
    addInt(sub, "Inner");
    QCOMPARE(view.rowCount(), 52);
    QCOMPARE(view.propertyAtRow(49), added[49]);

    QVERIFY(view.setActiveProperty(added[10]));
    QSignalSpy spy(&view, &QtnPropertyView::activePropertyChanged);
    delete added[10];
    QCOMPARE(view.rowCount(), 51);
    QVERIFY(!view.activeProperty());
    QCOMPARE(spy.count(), 1);
    QCOMPARE(view.propertyAtRow(10), added[11]);

    set.removeChildProperty(sub);
    QCOMPARE(view.rowCount(), 49);
    delete sub;
    view.viewport()->repaint();
}

QTEST_MAIN(TestPropertyView)
#include "tst_propertyview.moc"
