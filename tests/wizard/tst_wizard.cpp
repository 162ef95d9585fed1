#include "app/mainwindow.h"
#include "calc/calcloop.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "propertysets/qtnpropertysetproject.h"
#include "wizard/networkgenerator.h"
#include "wizard/newprojectcommand.h"
#include "wizard/projectwizard.h"
#include "wizard/thirdpage.h"

#include "scripteddialogseam.h"
#include "testcatalogue.h"

#include <QAbstractButton>
#include <QDate>
#include <QGraphicsTextItem>
#include <QMessageBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QtTest>

namespace {

struct Placed
{
    double x;
    double y;
    uint number;
};

QList<DiagramItem *> itemsOfKind(const QGraphicsScene &scene, DiagramItem::DiagramType kind)
{
    QList<DiagramItem *> out;
    const QList<QGraphicsItem *> items = scene.items(Qt::AscendingOrder);
    for (QGraphicsItem *item : items) {
        if (item->type() == DiagramItem::Type
            && static_cast<DiagramItem *>(item)->diagramType() == kind)
            out << static_cast<DiagramItem *>(item);
    }
    return out;
}

int wireCount(const QGraphicsScene &scene)
{
    int count = 0;
    const QList<QGraphicsItem *> items = scene.items();
    for (QGraphicsItem *item : items)
        count += item->type() == Wire::Type ? 1 : 0;
    return count;
}

QLineEdit *edit(QWizard &wizard, int page, int index)
{
    return wizard.page(page)->findChildren<QLineEdit *>().value(index);
}

// Key clicks for plain text; the test keyboard knows no Polish letters, so
// those are inserted the way an input method would.
void typeText(QLineEdit *edit, const QString &text)
{
    bool ascii = true;
    for (QChar c : text)
        ascii = ascii && c.unicode() < 128;
    if (ascii)
        QTest::keyClicks(edit, text);
    else
        edit->insert(text);
}

QAbstractButton *button(QWizard &wizard, QWizard::WizardButton which)
{
    return wizard.button(which);
}

// Fills the pages as a user would and stops on the given page with
// "Przerwij" (cancelAt >= 0) or finishes with "Zakończ".
int driveWizard(QWizard &wizard, const QString &name, const QString &address,
                const QString &comments, const QList<int> &cameras, int cancelAt = -1)
{
    wizard.show();
    if (cancelAt == 0) {
        button(wizard, QWizard::CancelButton)->click();
        return wizard.result();
    }
    typeText(edit(wizard, 0, 0), name);
    typeText(edit(wizard, 0, 1), address);
    typeText(edit(wizard, 0, 2), comments);
    button(wizard, QWizard::NextButton)->click();
    QTest::keyClicks(edit(wizard, 1, 0), QString::number(cameras.size()));
    if (cancelAt == 1) {
        button(wizard, QWizard::CancelButton)->click();
        return wizard.result();
    }
    button(wizard, QWizard::NextButton)->click();
    ThirdPage *third = qobject_cast<ThirdPage *>(wizard.currentPage());
    if (!third)
        return -1;
    for (int i = 0; i < cameras.size() && i < third->spinBoxes().size(); ++i)
        third->spinBoxes().at(i)->setValue(cameras.at(i));
    button(wizard, cancelAt == 2 ? QWizard::CancelButton : QWizard::FinishButton)->click();
    return wizard.result();
}

} // namespace

Q_DECLARE_METATYPE(Placed)
Q_DECLARE_METATYPE(QVector<Placed>)

class TstWizard : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void generatedLayout_data();
    void generatedLayout();
    void hiddenFlagsRespected();

    void pageTexts();
    void mandatoryFieldsKeepNextDisabled();
    void thirdPageRebuiltAfterGoingBack();

    void cancelChangesNothing_data();
    void cancelChangesNothing();
    void acceptedWizardReplacesDrawing();
    void zeroPointsLeavesEmptySheet();
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
    QTest::addColumn<QVector<Placed>>("points");
    QTest::addColumn<QVector<Placed>>("expectedCameras");

    QTest::newRow("two points with 1 and 2 cameras")
        << QList<int>{1, 2}
        << QVector<Placed>{{50, 50, 1}, {210, 50, 2}}
        << QVector<Placed>{{130, 150, 1}, {290, 150, 2}, {290, 230, 3}};

    // 150 + 7 * 80 = 710 lies below 840 - 150, so the eighth camera starts
    // a new column, 4 units lower than the first
    QTest::newRow("one point with 9 cameras wraps")
        << QList<int>{9}
        << QVector<Placed>{{50, 50, 1}}
        << QVector<Placed>{{130, 150, 1}, {130, 230, 2}, {130, 310, 3}, {130, 390, 4},
                           {130, 470, 5}, {130, 550, 6}, {130, 630, 7},
                           {210, 154, 8}, {210, 234, 9}};

    QTest::newRow("the point after a wrapped block")
        << QList<int>{9, 1}
        << QVector<Placed>{{50, 50, 1}, {290, 50, 2}}
        << QVector<Placed>{{130, 150, 1}, {130, 230, 2}, {130, 310, 3}, {130, 390, 4},
                           {130, 470, 5}, {130, 550, 6}, {130, 630, 7},
                           {210, 154, 8}, {210, 234, 9}, {370, 150, 10}};

    // the stagger adds up: the third column of one point drops by 8
    QTest::newRow("two wraps stagger cumulatively")
        << QList<int>{16}
        << QVector<Placed>{{50, 50, 1}}
        << QVector<Placed>{{130, 150, 1}, {130, 230, 2}, {130, 310, 3}, {130, 390, 4},
                           {130, 470, 5}, {130, 550, 6}, {130, 630, 7},
                           {210, 154, 8}, {210, 234, 9}, {210, 314, 10}, {210, 394, 11},
                           {210, 474, 12}, {210, 554, 13}, {210, 634, 14},
                           {290, 158, 15}, {290, 238, 16}};
}

void TstWizard::generatedLayout()
{
    QFETCH(QList<int>, cameras);
    QFETCH(QVector<Placed>, points);
    QFETCH(QVector<Placed>, expectedCameras);

    DiagramScene scene(nullptr);
    scene.setSceneRect(0, 0, 1188, 840);
    NetworkGenerator generator(&scene, nullptr);
    generator.generate(cameras);

    const QList<DiagramItem *> pds = itemsOfKind(scene, DiagramItem::PD);
    const QList<DiagramItem *> cams = itemsOfKind(scene, DiagramItem::Camera);
    QCOMPARE(pds.size(), points.size());
    QCOMPARE(cams.size(), expectedCameras.size());
    for (int i = 0; i < points.size(); ++i) {
        QCOMPARE(generator.points().at(i)->pos(), QPointF(points[i].x, points[i].y));
        QCOMPARE(generator.points().at(i)->number(), points[i].number);
    }
    for (int i = 0; i < expectedCameras.size(); ++i) {
        DiagramItem *camera = generator.cameras().at(i);
        QCOMPARE(camera->pos(), QPointF(expectedCameras[i].x, expectedCameras[i].y));
        QCOMPARE(camera->number(), expectedCameras[i].number);
        // one wire, from its point to the camera
        QCOMPARE(camera->wires().size(), 1);
        QCOMPARE(camera->wires().first()->endItem(), camera);
        QCOMPARE(camera->wires().first()->startItem()->diagramType(), DiagramItem::PD);
        QVERIFY(camera->wires().first()->isVisible() && !camera->descriptionsHidden());
    }

    // every camera wire plus one chain wire between consecutive points
    QCOMPARE(wireCount(scene), expectedCameras.size() + points.size() - 1);
    int camerasSoFar = 0;
    for (int k = 0; k < pds.size(); ++k) {
        DiagramItem *point = generator.points().at(k);
        const int chain = (k > 0 ? 1 : 0) + (k + 1 < pds.size() ? 1 : 0);
        QCOMPARE(point->wires().size(), cameras.at(k) + chain);
        for (int c = camerasSoFar; c < camerasSoFar + cameras.at(k); ++c)
            QCOMPARE(generator.cameras().at(c)->wires().first()->startItem(), point);
        camerasSoFar += cameras.at(k);
        if (k > 0) {
            int chainWires = 0;
            for (Wire *wire : point->wires()) {
                if (wire->startItem() == generator.points().at(k - 1)) {
                    QCOMPARE(wire->endItem(), point);
                    ++chainWires;
                }
            }
            QCOMPARE(chainWires, 1);
        }
    }
}

void TstWizard::hiddenFlagsRespected()
{
    DiagramScene scene(nullptr);
    scene.setSceneRect(0, 0, 1188, 840);
    NetworkGenerator generator(&scene, nullptr);
    generator.setWiresHidden(true);
    generator.setDescriptionsHidden(true);
    generator.generate({2, 3});

    QCOMPARE(generator.wires().size(), 6);
    for (Wire *wire : generator.wires())
        QVERIFY(!wire->isVisible());
    for (DiagramItem *item : generator.points() + generator.cameras())
        QVERIFY(item->descriptionsHidden());
}

void TstWizard::pageTexts()
{
    ProjectWizard wizard;
    QCOMPARE(wizard.windowTitle(), QStringLiteral("Kreator instalacji sieci monitoringu"));
    QCOMPARE(wizard.buttonText(QWizard::FinishButton), QStringLiteral("Zakończ"));
    QCOMPARE(wizard.buttonText(QWizard::BackButton), QStringLiteral("Cofnij"));
    QCOMPARE(wizard.buttonText(QWizard::NextButton), QStringLiteral("Dalej"));
    QCOMPARE(wizard.buttonText(QWizard::CancelButton), QStringLiteral("Przerwij"));
    QCOMPARE(wizard.pageIds().size(), 3);
    QCOMPARE(wizard.page(0)->title(), QStringLiteral("Dane Inwestycji"));
    QCOMPARE(wizard.page(1)->title(), QStringLiteral("Iość punktów dystrybucyjnych"));
    QVERIFY(wizard.page(2)->title().isEmpty());

    QCOMPARE(wizard.page(1)->findChild<QLabel *>()->buddy(), edit(wizard, 1, 0));
}

void TstWizard::mandatoryFieldsKeepNextDisabled()
{
    ProjectWizard wizard;
    wizard.show();
    QAbstractButton *next = button(wizard, QWizard::NextButton);
    QVERIFY(!next->isEnabled());
    // address and comments alone do not open the way
    QTest::keyClicks(edit(wizard, 0, 1), "ul. Polna 1");
    QTest::keyClicks(edit(wizard, 0, 2), "uwagi");
    QVERIFY(!next->isEnabled());
    QTest::keyClicks(edit(wizard, 0, 0), "Hala");
    QVERIFY(next->isEnabled());
    edit(wizard, 0, 0)->clear();
    QVERIFY(!next->isEnabled());
    QTest::keyClicks(edit(wizard, 0, 0), "Hala");
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
    QVERIFY(!next->isEnabled());
    QTest::keyClicks(count, "0");
    QVERIFY(next->isEnabled());
    next->click();
    // no distribution points: an empty last page that can be finished at once
    QCOMPARE(wizard.currentId(), 2);
    QVERIFY(qobject_cast<ThirdPage *>(wizard.currentPage())->spinBoxes().isEmpty());
    QVERIFY(button(wizard, QWizard::FinishButton)->isEnabled());
}

void TstWizard::thirdPageRebuiltAfterGoingBack()
{
    ProjectWizard wizard;
    wizard.show();
    QTest::keyClicks(edit(wizard, 0, 0), "Hala");
    button(wizard, QWizard::NextButton)->click();
    QTest::keyClicks(edit(wizard, 1, 0), "3");
    button(wizard, QWizard::NextButton)->click();

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
    third->spinBoxes().at(2)->setValue(17);
    QCOMPARE(wizard.field("sbVel2").toInt(), 17);
    // 1 to 32 cameras per point
    third->spinBoxes().at(0)->setValue(0);
    QCOMPARE(third->spinBoxes().at(0)->value(), 1);
    third->spinBoxes().at(0)->setValue(33);
    QCOMPARE(third->spinBoxes().at(0)->value(), 32);

    button(wizard, QWizard::BackButton)->click();
    QCOMPARE(wizard.currentId(), 1);
    QVERIFY(third->labels().isEmpty());
    QVERIFY(third->findChildren<QSpinBox *>().isEmpty());
    edit(wizard, 1, 0)->clear();
    QTest::keyClicks(edit(wizard, 1, 0), "2");
    button(wizard, QWizard::NextButton)->click();

    QCOMPARE(third->labels().size(), 2);
    QCOMPARE(third->findChildren<QSpinBox *>().size(), 2);
    QCOMPARE(third->findChildren<QLabel *>().size(), 2);
    QCOMPARE(wizard.field("sbVel0").toInt(), 1);
    QCOMPARE(wizard.field("sbVel1").toInt(), 2);
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
        return driveWizard(wizard, "nowy", "adres", "uwagi", {3, 4}, cancelAt);
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

void TstWizard::acceptedWizardReplacesDrawing()
{
    DiagramScene scene(nullptr);
    scene.setSceneRect(0, 0, 1188, 840);
    NetworkGenerator old(&scene, nullptr);
    old.generate({5});
    scene.addLine(0, 0, 10, 10);
    scene.setColorPD("#ff0000");
    scene.setColorWires("#00ff00");

    ScriptedDialogSeam seam;
    seam.wizardScript = [&](QWizard &wizard) {
        return driveWizard(wizard, "Magazyn <b>A</b>", "Łódź, ul. Długa 5", "bez uwag", {1, 2});
    };
    QStringList calls;
    NewProjectCommand::Hooks hooks;
    hooks.maybeSave = [&] { calls << "maybeSave"; return true; };
    hooks.execWizard = [&](QWizard &wizard) {
        calls << "wizard";
        return seam.execWizard(wizard);
    };
    hooks.showProjectSet = [&] { calls << "showProjectSet"; };
    hooks.redrawSheet = [&] { calls << QStringLiteral("redrawSheet %1").arg(scene.items().size()); };
    hooks.selectionChanged = [&] { calls << "selectionChanged"; };
    QWidget window;
    NewProjectCommand command(&scene, nullptr, &window, hooks);

    QVERIFY(command.run());
    QVERIFY(seam.shown.first().hasParent);
    // the sheet is redrawn over the finished network: 2 points, 3 cameras, 4 wires
    QCOMPARE(calls, (QStringList{"maybeSave", "wizard", "showProjectSet", "redrawSheet 9",
                                 "selectionChanged"}));
    QCOMPARE(itemsOfKind(scene, DiagramItem::PD).size(), 2);
    QCOMPARE(itemsOfKind(scene, DiagramItem::Camera).size(), 3);
    QCOMPARE(scene.items().size(), 9);

    QCOMPARE(scene.investmentName(), QStringLiteral("Magazyn <b>A</b>"));
    QCOMPARE(scene.investmentAddress(), QStringLiteral("Łódź, ul. Długa 5"));
    QCOMPARE(scene.investmentComments(), QStringLiteral("bez uwag"));
    QCOMPARE(scene.createDate(), QDate::currentDate().toString("yyyy-MM-dd"));
    QtnPropertySetProject *project = scene.projectSet();
    QCOMPARE(project->ColorPD.value(), QColor(Qt::black));
    QCOMPARE(project->ColorWires.value(), QColor(Qt::black));
    QCOMPARE(project->ColorCameras.value(), QColor(Qt::black));
}

void TstWizard::zeroPointsLeavesEmptySheet()
{
    DiagramScene scene(nullptr);
    scene.setSceneRect(0, 0, 1188, 840);
    NetworkGenerator old(&scene, nullptr);
    old.generate({1});

    NewProjectCommand::Hooks hooks;
    hooks.maybeSave = [] { return true; };
    hooks.execWizard = [](QWizard &wizard) { return driveWizard(wizard, "pusty", "", "", {}); };
    NewProjectCommand command(&scene, nullptr, nullptr, hooks);
    QVERIFY(command.run());
    QVERIFY(scene.items().isEmpty());
    QCOMPARE(scene.investmentName(), QStringLiteral("pusty"));
    QCOMPARE(scene.investmentAddress(), QString());
}

void TstWizard::windowAsksFirstThenGenerates()
{
    TestCatalogue catalogue;
    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    QVERIFY(catalogue.createBundled());
    seam.wizardScript = [](QWizard &wizard) {
        return driveWizard(wizard, "Parking", "ul. Krótka 2", "", {2, 1});
    };
    window.projectDoc()->setWiresHidden(true);

    // unsaved changes: "Anuluj" keeps the drawing and shows no wizard
    window.projectDoc()->setModified(true);
    seam.messageAnswers << QMessageBox::Cancel;
    window.newProjectWizard();
    QCOMPARE(seam.kinds(), QStringList{"message"});
    QCOMPARE(seam.shown.first().text,
             QStringLiteral("Projekt zastał zmodyfikowany.\nCzy zapisać zmiany w pliku?"));
    QCOMPARE(window.scene()->investmentName(), QStringLiteral("inwestycja 1"));

    seam.messageAnswers << QMessageBox::Discard;
    window.newProjectWizard();
    QCOMPARE(seam.kinds(), (QStringList{"message", "message", "wizard"}));
    QVERIFY(seam.shown.last().hasParent);
    const QList<DiagramItem *> points = itemsOfKind(*window.scene(), DiagramItem::PD);
    QCOMPARE(points.size(), 2);
    QCOMPARE(itemsOfKind(*window.scene(), DiagramItem::Camera).size(), 3);
    for (QGraphicsItem *item : window.scene()->items())
        QVERIFY(item->type() != Wire::Type || !item->isVisible());
    // the sheet is back with the new data, the models are chosen
    QCOMPARE(window.projectDoc()->nameText()->toPlainText(), QStringLiteral("Parking"));
    QCOMPARE(window.projectDoc()->dateText()->toPlainText(),
             QDate::currentDate().toString("yyyy-MM-dd"));
    QVERIFY(window.projectDoc()->isModified());
    for (DiagramItem *point : points)
        QVERIFY(point->modelName() != QStringLiteral("Nie określono"));
}

void TstWizard::largestNetworkGeneratesAndCalculates()
{
    DiagramScene scene(nullptr);
    scene.setSceneRect(0, 0, 1188, 840);
    NetworkGenerator generator(&scene, nullptr);
    generator.generate(QVector<int>(10, 32).toList());

    QCOMPARE(generator.points().size(), 10);
    QCOMPARE(generator.cameras().size(), 320);
    QCOMPARE(wireCount(scene), 329);
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
    // 8 W at 50 m from 48 V: I = 1/6 A, R = 50 / 0.19625 * 0.0172 = 4.3822 ohm
    const double expectedVin = 48.0 - (8.0 / 48.0) * (50.0 / 0.19625 * 1e6 * 1.72e-8);
    for (DiagramItem *camera : generator.cameras())
        QVERIFY2(qAbs(camera->vin() - expectedVin) < 0.01, qPrintable(QString::number(camera->vin())));
}

QTEST_MAIN(TstWizard)
#include "tst_wizard.moc"
