// A look at the editor under a real display: builds a small network with the
// mouse (tool box, clicks and drags on the sheet), edits through the dock's
// sets, and takes screenshots of the whole screen with ImageMagick's import.
//   look_binding <folder for the PNG files>

#include "scripteddialogseam.h"
#include "testcatalogue.h"

#include "app/mainwindow.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "property/widget/qtnpropertywidget.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetwire.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QButtonGroup>
#include <QComboBox>
#include <QGraphicsView>
#include <QMouseEvent>
#include <QPainter>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

MainWindow *g_window = nullptr;

QPoint onView(const QPointF &scenePos)
{
    return g_window->projectDoc()->view()->mapFromScene(scenePos);
}

QWidget *viewport()
{
    return g_window->projectDoc()->view()->viewport();
}

DiagramItem *place(DiagramItem::DiagramType type, const QPointF &at)
{
    g_window->itemButtonGroup()->button(type)->click();
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, onView(at));
    QTest::qWait(50);
    for (QGraphicsItem *item : g_window->scene()->items(at))
        if (item->type() == DiagramItem::Type)
            return static_cast<DiagramItem *>(item);
    return nullptr;
}

void cable(DiagramItem *from, DiagramItem *to)
{
    g_window->pointerTypeGroup()->button(DiagramScene::InsertLine)->click();
    QTest::mousePress(viewport(), Qt::LeftButton, {}, onView(from->pos()));
    for (const QPointF &at : {(from->pos() + to->pos()) / 2, to->pos()}) {
        QMouseEvent move(QEvent::MouseMove, onView(at), Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(viewport(), &move);
    }
    QTest::mouseRelease(viewport(), Qt::LeftButton, {}, onView(to->pos()));
    g_window->pointerTypeGroup()->button(DiagramScene::MoveItem)->click();
    QTest::qWait(50);
}

void select(const QPointF &at)
{
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, onView(at));
    QTest::qWait(100);
}

template <class Set>
Set *shown()
{
    return qobject_cast<Set *>(g_window->propertyWidget()->propertySet());
}

void shoot(const QString &path)
{
    QTest::qWait(1200);
    QProcess::execute(QStringLiteral("import"), {QStringLiteral("-window"), QStringLiteral("root"), path});
}

QAction *action(const QString &text)
{
    for (QAction *a : g_window->findChildren<QAction *>())
        if (a->text() == text)
            return a;
    return nullptr;
}

QString writeImage(const QTemporaryDir &dir, const QString &name, const QSize &size, bool plan)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(plan ? QColor(235, 240, 250) : QColor(30, 90, 160));
    QPainter painter(&image);
    if (plan) {
        painter.setPen(QPen(QColor(120, 140, 170), 6));
        painter.drawRect(40, 40, size.width() - 80, size.height() - 80);
        painter.drawLine(size.width() / 2, 40, size.width() / 2, size.height() - 200);
        painter.drawLine(40, size.height() / 2, size.width() / 2 - 80, size.height() / 2);
    } else {
        painter.setPen(Qt::white);
        painter.setFont(QFont(QStringLiteral("DejaVu Sans"), size.height() / 3, QFont::Bold));
        painter.drawText(image.rect(), Qt::AlignCenter, QStringLiteral("LOGO"));
    }
    painter.end();
    const QString path = dir.filePath(name);
    image.save(path);
    return path;
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(images);
    const QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("/tmp");

    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    g_window = &window;
    TestCatalogue catalogue;
    catalogue.createBundled();
    window.setGeometry(0, 0, 1600, 1000);
    window.show();
    QTest::qWaitForWindowExposed(&window);
    QTest::qWait(500);

    // A mains point feeding an extender over 99 m that carries five 10 W cameras.
    DiagramItem *mains = place(DiagramItem::PD, {250, 250});
    DiagramItem *extender = place(DiagramItem::PD, {650, 250});
    cable(mains, extender);
    QList<DiagramItem *> cameras;
    for (int i = 0; i < 5; ++i) {
        DiagramItem *camera = place(DiagramItem::Camera, {450.0 + 100 * i, 520});
        cable(extender, camera);
        cameras << camera;
    }
    DiagramItem *near = place(DiagramItem::Camera, {150, 520});
    cable(mains, near);

    select(extender->pos());
    shown<QtnPropertySetPD>()->Power230.setValue(MoxEnums::No);
    shown<QtnPropertySetPD>()->Lokalizacja.setValue(QStringLiteral("Hala B"));
    for (DiagramItem *camera : cameras) {
        select(camera->pos());
        shown<QtnPropertySetCamera>()->Power.setValue(10);
    }
    Wire *feed = extender->wires().value(0);
    for (Wire *w : extender->wires())
        if (w->startItem() == mains || w->endItem() == mains)
            feed = w;
    window.scene()->clearSelection();
    feed->setSelected(true);
    shown<QtnPropertySetWire>()->UintLenght.setValue(99);

    select(extender->pos());
    auto *set = shown<QtnPropertySetPD>();
    set->Backup.setValue(MoxEnums::Yes);
    set->BatterySet.setValue(17);
    qInfo() << "extender Vin" << extender->vin() << "low" << extender->lowVoltage() << "OutPower"
            << set->AdvancedPD.OutPower.value() << "BatteryCount" << set->BatteryCount.value() << "model"
            << extender->modelName();
    window.sceneScaleCombo()->setCurrentText(QStringLiteral("75%"));
    window.projectDoc()->view()->centerOn(450, 380);
    shoot(out + QStringLiteral("/binding-dock.png"));

    // The sheet: background, logo, a turned camera, descriptions hidden.
    QTemporaryDir dir;
    seam.fileAnswers.enqueue(writeImage(dir, QStringLiteral("plan.png"), {800, 560}, true));
    action(QStringLiteral("&Dodaj tło"))->trigger();
    seam.fileAnswers.enqueue(writeImage(dir, QStringLiteral("logo.png"), {300, 100}, false));
    action(QStringLiteral("Dodaj logo projektanta"))->trigger();
    select(near->pos());
    action(QStringLiteral("Obrót w prawo"))->trigger();
    action(QStringLiteral("Obrót w prawo"))->trigger();
    action(QStringLiteral("Ukryj opisy"))->setChecked(true);
    window.scene()->clearSelection();
    window.sceneScaleCombo()->setCurrentText(QStringLiteral("50%"));
    window.projectDoc()->view()->centerOn(594, 420);
    shoot(out + QStringLiteral("/binding-sheet.png"));
    return 0;
}
