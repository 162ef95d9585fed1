#include "app/mainwindow.h"
#include "calc/calcloop.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "wizard/networkgenerator.h"
#include "wizard/newprojectcommand.h"
#include "wizard/projectwizard.h"
#include "wizard/thirdpage.h"

#include "print/projectdoc.h"
#include "propertysets/qtnpropertysetproject.h"

#include "scripteddialogseam.h"
#include "testcatalogue.h"
#include "testhelpers.h"

#include <QAbstractButton>
#include <QDate>
#include <QGraphicsTextItem>
#include <QMessageBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

namespace {

using tst::itemsOf;

QLineEdit *edit(QWizard &wizard, int page, int index)
{
    return wizard.page(page)->findChildren<QLineEdit *>().value(index);
}

// Fills the pages as a user would and stops on the given page with
// "Przerwij" (cancelAt 0-2) or finishes with "Zakończ" (any other value).
int driveWizard(QWizard &wizard, const QList<int> &cameras, int cancelAt)
{
    wizard.show();
    if (cancelAt == 0) {
        wizard.button(QWizard::CancelButton)->click();
        return wizard.result();
    }
    QTest::keyClicks(edit(wizard, 0, 0), "nowy");
    wizard.button(QWizard::NextButton)->click();
    QTest::keyClicks(edit(wizard, 1, 0), QString::number(cameras.size()));
    if (cancelAt == 1) {
        wizard.button(QWizard::CancelButton)->click();
        return wizard.result();
    }
    wizard.button(QWizard::NextButton)->click();
    ThirdPage *third = qobject_cast<ThirdPage *>(wizard.currentPage());
    if (!third)
        return -1;
    for (int i = 0; i < cameras.size() && i < third->spinBoxes().size(); ++i)
        third->spinBoxes().at(i)->setValue(cameras.at(i));
    wizard.button(cancelAt == 2 ? QWizard::CancelButton : QWizard::FinishButton)->click();
    return wizard.result();
}

} // namespace


class TstWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void generatedLayout_data();
    void generatedLayout();

    void mandatoryFieldsKeepNextDisabled();
    void thirdPageRebuiltAfterGoingBack();

    void cancelChangesNothing_data();
    void cancelChangesNothing();

    void windowAsksFirstThenGenerates();
    void largestNetworkGeneratesAndCalculates();
};

void TstWizard::initTestCase()
{
    Q_INIT_RESOURCE(images);
}

void TstWizard::generatedLayout_data()
{
    QTest::addColumn<QList<int>>("cameras");
    QTest::addColumn<QList<QPointF>>("points");
    QTest::addColumn<QList<QPointF>>("expectedCameras");
    // points and cameras are numbered in the order listed, from 1

    QTest::newRow("two points with 1 and 2 cameras")
        << QList<int>{1, 2}
        << QList<QPointF>{{50, 50}, {210, 50}}
        << QList<QPointF>{{130, 150}, {290, 150}, {290, 230}};

    // 150 + 7 * 80 = 710 lies below 840 - 150, so the eighth camera starts
    // a new column, 4 units lower than the first; the next point follows
    // the wrapped block
    QTest::newRow("9 cameras wrap, then a point")
        << QList<int>{9, 1}
        << QList<QPointF>{{50, 50}, {290, 50}}
        << QList<QPointF>{{130, 150}, {130, 230}, {130, 310}, {130, 390},
                           {130, 470}, {130, 550}, {130, 630},
                           {210, 154}, {210, 234}, {370, 150}};
}

void TstWizard::generatedLayout()
{
    QFETCH(QList<int>, cameras);
    QFETCH(QList<QPointF>, points);
    QFETCH(QList<QPointF>, expectedCameras);

    DiagramScene scene(nullptr);
    scene.setSceneRect(0, 0, 1188, 840);
    NetworkGenerator generator(&scene, nullptr);
    generator.generate(cameras);

    QCOMPARE(generator.points().size(), points.size());
    QCOMPARE(generator.cameras().size(), expectedCameras.size());
    QCOMPARE(itemsOf<DiagramItem>(&scene).size(), points.size() + expectedCameras.size());
    for (int i = 0; i < points.size(); ++i) {
        QCOMPARE(generator.points().at(i)->pos(), points[i]);
        QCOMPARE(generator.points().at(i)->number(), uint(i + 1));
    }
    for (int i = 0; i < expectedCameras.size(); ++i) {
        DiagramItem *camera = generator.cameras().at(i);
        QCOMPARE(camera->pos(), expectedCameras[i]);
        QCOMPARE(camera->number(), uint(i + 1));
    }
    // each camera hangs on its own point by one wire drawn from the point;
    // consecutive points are chained by one wire each
    QCOMPARE(itemsOf<Wire>(&scene).size(), expectedCameras.size() + points.size() - 1);
    int camera = 0;
    for (int k = 0; k < points.size(); ++k) {
        DiagramItem *point = generator.points().at(k);
        QCOMPARE(point->wires().size(), cameras.at(k) + (k > 0 ? 1 : 0) + (k + 1 < points.size() ? 1 : 0));
        for (int c = 0; c < cameras.at(k); ++c, ++camera) {
            const Wire *wire = generator.cameras().at(camera)->wires().value(0);
            QVERIFY(wire && wire->startItem() == point && wire->endItem() == generator.cameras().at(camera));
        }
    }
}

void TstWizard::mandatoryFieldsKeepNextDisabled()
{
    ProjectWizard wizard;
    wizard.show();
    QAbstractButton *next = wizard.button(QWizard::NextButton);
    QVERIFY(!next->isEnabled());
    // address and comments alone do not open the way
    QTest::keyClicks(edit(wizard, 0, 1), "ul. Polna 1");
    QTest::keyClicks(edit(wizard, 0, 2), "uwagi");
    QVERIFY(!next->isEnabled());
    QTest::keyClicks(edit(wizard, 0, 0), "Hala");
    QVERIFY(next->isEnabled());
    next->click();
    QCOMPARE(wizard.currentId(), 1);

    QLineEdit *count = edit(wizard, 1, 0);
    QVERIFY(!next->isEnabled());
    // neither letters, a sign nor a number above ten get in
    QTest::keyClicks(count, "x-");
    QCOMPARE(count->text(), QString());
    QVERIFY(!next->isEnabled());
    // two digits may be typed on the way to a number, but 11 is no answer
    QTest::keyClicks(count, "11");
    QCOMPARE(count->text(), QStringLiteral("11"));
    QVERIFY(!next->isEnabled());
    QTest::keyClicks(count, "1");
    QCOMPARE(count->text(), QStringLiteral("11"));
    QVERIFY(!next->isEnabled());
    QTest::keyClick(count, Qt::Key_Backspace);
    QTest::keyClicks(count, "0");
    QCOMPARE(count->text(), QStringLiteral("10"));
    QVERIFY(next->isEnabled());
    count->clear();
    QTest::keyClicks(count, "0");
    next->click();
    // no distribution points: an empty last page that can be finished at once
    QCOMPARE(wizard.currentId(), 2);
    QVERIFY(qobject_cast<ThirdPage *>(wizard.currentPage())->spinBoxes().isEmpty());
    QVERIFY(wizard.button(QWizard::FinishButton)->isEnabled());
}

void TstWizard::thirdPageRebuiltAfterGoingBack()
{
    ProjectWizard wizard;
    wizard.show();
    QTest::keyClicks(edit(wizard, 0, 0), "Hala");
    wizard.button(QWizard::NextButton)->click();
    QTest::keyClicks(edit(wizard, 1, 0), "3");
    wizard.button(QWizard::NextButton)->click();

    ThirdPage *third = qobject_cast<ThirdPage *>(wizard.currentPage());
    QVERIFY(third);
    QCOMPARE(third->labels().size(), 3);
    QCOMPARE(third->spinBoxes().size(), 3);
    for (int i = 0; i < 3; ++i) {
        QCOMPARE(third->labels().at(i)->text(),
                 QStringLiteral("Ilość kamer dla punktu dystrybucyjnego[PD%1]").arg(i + 1));
        QCOMPARE(third->spinBoxes().at(i)->value(), i + 1);
        QCOMPARE(wizard.field(QStringLiteral("sbVel%1").arg(i)).toInt(), i + 1);
    }
    // 1 to 32 cameras per point
    third->spinBoxes().at(0)->setValue(33);
    QCOMPARE(wizard.field("sbVel0").toInt(), 32);

    wizard.button(QWizard::BackButton)->click();
    QCOMPARE(wizard.currentId(), 1);
    QVERIFY(third->labels().isEmpty());
    QVERIFY(third->findChildren<QSpinBox *>().isEmpty());
    edit(wizard, 1, 0)->clear();
    QTest::keyClicks(edit(wizard, 1, 0), "2");
    wizard.button(QWizard::NextButton)->click();

    QCOMPARE(third->findChildren<QSpinBox *>().size(), 2);
    QCOMPARE(third->findChildren<QLabel *>().size(), 2);
    // the field of the destroyed third box is gone with it
    QVERIFY(!wizard.field("sbVel2").isValid());
    QCOMPARE(NewProjectCommand::camerasPerPoint(wizard), (QList<int>{1, 2}));
}

void TstWizard::cancelChangesNothing_data()
{
    QTest::addColumn<bool>("saveRefused");
    QTest::addColumn<int>("cancelAt");
    QTest::newRow("Anuluj at the prompt") << true << -1;
    QTest::newRow("Przerwij on the first page") << false << 0;
    QTest::newRow("Przerwij on the second page") << false << 1;
    QTest::newRow("Przerwij on the third page") << false << 2;
}

void TstWizard::cancelChangesNothing()
{
    QFETCH(bool, saveRefused);
    QFETCH(int, cancelAt);

    DiagramScene scene(nullptr);
    scene.setSceneRect(0, 0, 1188, 840);
    NetworkGenerator old(&scene, nullptr);
    old.generate({2});
    scene.setInvestmentName("stary projekt");
    const QList<QGraphicsItem *> before = scene.items();

    ScriptedDialogSeam seam;
    seam.wizardScript = [&](QWizard &wizard) {
        return driveWizard(wizard, {3, 4}, cancelAt);
    };
    QStringList calls;
    NewProjectCommand::Hooks hooks;
    hooks.maybeSave = [&] { calls << "maybeSave"; return !saveRefused; };
    hooks.execWizard = [&](QWizard &wizard) { return seam.execWizard(wizard); };
    hooks.showProjectSet = [&] { calls << "showProjectSet"; };
    hooks.redrawSheet = [&] { calls << "redrawSheet"; };
    hooks.selectionChanged = [&] { calls << "selectionChanged"; };
    NewProjectCommand command(&scene, nullptr, nullptr, hooks);

    QVERIFY(!command.run());
    QCOMPARE(calls, QStringList{"maybeSave"});
    QCOMPARE(seam.kinds(), saveRefused ? QStringList() : QStringList{"wizard"});
    QCOMPARE(scene.items().size(), before.size());
    for (QGraphicsItem *item : before)
        QVERIFY(scene.items().contains(item));
    QCOMPARE(scene.investmentName(), QStringLiteral("stary projekt"));
}

void TstWizard::windowAsksFirstThenGenerates()
{
    // The window opens its own catalogue connection; the test one replaces it.
    TestCatalogue catalogue;
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    QVERIFY(catalogue.createBundled());
    seam.wizardScript = [](QWizard &wizard) { return driveWizard(wizard, {2, 1}, -1); };
    window.projectDoc()->setWiresHidden(true);
    window.scene()->projectSet()->ColorPD.setValue(QColor(Qt::red));

    // Unsaved changes: "Anuluj" keeps the drawing and shows no wizard.
    window.projectDoc()->setModified(true);
    seam.messageAnswers << QMessageBox::Cancel;
    window.newProjectWizard();
    QCOMPARE(seam.kinds(), QStringList{"message"});
    QCOMPARE(window.scene()->projectSet()->Name.value(), QStringLiteral("inwestycja 1"));

    seam.messageAnswers << QMessageBox::Discard;
    window.newProjectWizard();
    QCOMPARE(seam.kinds(), (QStringList{"message", "message", "wizard"}));
    QCOMPARE(itemsOf<DiagramItem>(window.scene()).size(), 2 + 3);
    QCOMPARE(itemsOf<Wire>(window.scene()).size(), 1 + 3);
    for (QGraphicsItem *item : window.scene()->items())
        QVERIFY(item->type() != Wire::Type || !item->isVisible());
    // The project data, today's date and black colours reach the sheet, and
    // every point got a catalogue model from the calculation.
    QCOMPARE(window.scene()->projectSet()->ColorPD.value(), QColor(Qt::black));
    QCOMPARE(window.projectDoc()->nameText()->toPlainText(), QStringLiteral("nowy"));
    QCOMPARE(window.projectDoc()->dateText()->toPlainText(),
             QDate::currentDate().toString("yyyy-MM-dd"));
    for (DiagramItem *item : itemsOf<DiagramItem>(window.scene()))
        QVERIFY(item->diagramType() != DiagramItem::PD || item->modelName() != QStringLiteral("Nie określono"));
}

void TstWizard::largestNetworkGeneratesAndCalculates()
{
    DiagramScene scene(nullptr);
    scene.setSceneRect(0, 0, 1188, 840);
    NetworkGenerator generator(&scene, nullptr);
    generator.generate(QVector<int>(10, 32).toList());

    QCOMPARE(generator.points().size(), 10);
    QCOMPARE(generator.cameras().size(), 320);
    QCOMPARE(itemsOf<Wire>(&scene).size(), 329);
    // "Numer" holds 0 to 100: from the 101st camera on the number is refused
    // and the camera keeps 0, showing the bare "K"
    for (int i = 0; i < 320; ++i)
        QCOMPARE(generator.cameras().at(i)->number(), i < 100 ? uint(i + 1) : 0u);
    // 32 cameras fill 7 + 7 + 7 + 7 + 4 rows: five camera columns per point,
    // so the tenth point starts at column 9 * 6
    QCOMPARE(generator.points().last()->pos(), QPointF(80 * 54 + 50, 50));
    QCOMPARE(generator.cameras().last()->pos(), QPointF(80 * 59 + 50, 150 + 3 * 80 + 16));

    CalcLoop loop(&scene);
    QVERIFY(loop.run() >= 1);
    // every point is mains-fed, so each carries just its own 32 cameras of 8 W
    for (DiagramItem *point : generator.points()) {
        QCOMPARE(point->totalPower(), 32 * 8);
        QVERIFY(point->slotOverflow() || point->modelMissing());
    }
    // 8 W at 50 m from 48 V: I = 1/6 A, R = 4.3822 ohm, dV = 0.7304 V
    for (DiagramItem *camera : generator.cameras())
        QVERIFY2(qAbs(camera->vin() - 47.2696) < 0.00005, qPrintable(QString::number(camera->vin(), 'f', 6)));
}

QTEST_MAIN(TstWizard)
#include "tst_wizard.moc"
