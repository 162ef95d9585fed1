#include "property/core/qtnpropertycore.h"
#include "property/widget/qtnpropertyview.h"

#include <QScrollBar>
#include <QTest>

// A set of 5000 properties filled while the view shows it must stay
// interactive: the view grows its tree per added child instead of
// rebuilding it, and rebuilds rows only when it paints.
class BenchPropertyView : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void fillShownSet_data();
    void fillShownSet();
    void fullRebuild();
    void paintScrolled();
    void keyboardStep();

private:
    static void fill(QtnPropertySet& set, int count)
    {
        for (int i = 0; i < count; ++i)
        {
            auto property = new QtnPropertyUInt(&set);
            property->setName(QStringLiteral("P%1").arg(i));
        }
    }
};

void BenchPropertyView::fillShownSet_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("paintEvery");
    QTest::newRow("5000, painted at the end") << 5000 << 0;
    QTest::newRow("5000, painted every 100") << 5000 << 100;
    QTest::newRow("5000, painted every 10") << 5000 << 10;
    // Half the properties, half the time: the cost grows linearly.
    QTest::newRow("2500, painted every 10") << 2500 << 10;
    QTest::newRow("2500, painted at the end") << 2500 << 0;
}

void BenchPropertyView::fillShownSet()
{
    QFETCH(int, count);
    QFETCH(int, paintEvery);

    QtnPropertyView view;
    view.resize(400, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QBENCHMARK
    {
        QtnPropertySet set;
        view.setPropertySet(&set);
        for (int i = 0; i < count; ++i)
        {
            auto property = new QtnPropertyUInt(&set);
            property->setName(QStringLiteral("P%1").arg(i));
            if (paintEvery > 0 && i % paintEvery == 0)
                view.viewport()->repaint();
        }
        view.viewport()->repaint();
        QCOMPARE(view.rowCount(), count);
        view.setPropertySet(nullptr);
    }
}

void BenchPropertyView::fullRebuild()
{
    // Removing a child rebuilds the whole tree: the cost a per-child rebuild
    // would pay 5000 times over while filling.
    QtnPropertySet set;
    fill(set, 5000);
    QtnPropertyView view;
    view.resize(400, 600);
    view.setPropertySet(&set);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QtnPropertyBase* last = set.childProperties().last();
    QBENCHMARK
    {
        set.removeChildProperty(last);
        set.addChildProperty(last);
        view.viewport()->repaint();
    }
    QCOMPARE(view.rowCount(), 5000);
}

void BenchPropertyView::paintScrolled()
{
    QtnPropertySet set;
    fill(set, 5000);
    QtnPropertyView view;
    view.resize(400, 600);
    view.setPropertySet(&set);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum() / 2);
    QBENCHMARK
    {
        view.viewport()->repaint();
    }
}

void BenchPropertyView::keyboardStep()
{
    QtnPropertySet set;
    fill(set, 5000);
    QtnPropertyView view;
    view.resize(400, 600);
    view.setPropertySet(&set);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    QBENCHMARK
    {
        QTest::keyClick(&view, Qt::Key_PageDown);
        view.viewport()->repaint();
    }
}

QTEST_MAIN(BenchPropertyView)
#include "bench_propertyview.moc"
