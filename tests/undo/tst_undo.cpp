// Undo and redo of the editor's edits, driven as the user drives them: the
// window's actions and slots, mouse input on the sheet, values committed to
// the set the dock shows, file dialogs and questions answered by the
// scripted seam. The measure is the project file: undone to the start it
// must be the file written before the first edit, byte for byte, and redone
// to the end the file written after the last.

#include "binding/editorfixture.h"
#include "temporaryhome.h"
#include "testcatalogue.h"
#include "testhelpers.h"

#include "property/widget/qtninplaceeditorhandler.h"
#include "property/widget/qtnpropertyview.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetproject.h"
#include "propertysets/qtnpropertysetwire.h"
#include "undo/undohistory.h"
#include "wizard/networkgenerator.h"

#include <QAbstractButton>
#include <QApplication>
#include <QButtonGroup>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QRandomGenerator>
#include <QUndoStack>
#include <QWizard>
#include <QtTest>

namespace {

const QString IP20 = QStringLiteral("Wewnętrzna (IP20)");

enum Kind {
    PlaceCamera, PlacePoint, DrawWire, DeletePoint, DeleteWire, DeleteParallel, DeleteSeveral, MoveTwo, RotateRight,
    RotateLeft, PowerTyped, MainsOff, CameraModel, ProjectName, CableTooLong, LongCableSelected,
    OverflowSplit, AddBackground, RemoveBackground, AddLogo, RemoveLogo
};

} // namespace

class TestUndo : public EditorFixture
{
    Q_OBJECT

    std::unique_ptr<TestCatalogue> m_catalogue;
    TemporaryHome m_home;
    QString m_picture;

    UndoHistory *history() const { return m_window->undoHistory(); }
    QUndoStack *stack() const { return history()->stack(); }
    QList<DiagramItem *> items() const { return tst::itemsOf<DiagramItem>(scene()); }
    QList<Wire *> wires() const { return tst::itemsOf<Wire>(scene()); }

    QByteArray projectFile() const { return tst::projectBytes(m_window->projectDoc()); }

    // What the file does not hold but the user sees: results, flags, labels
    // and the order of each item's cables (which decides, between cables
    // pointing the same way, which one feeds the point).
    QStringList results() const
    {
        QStringList out;
        const QList<QGraphicsItem *> all = scene()->items(Qt::AscendingOrder);
        QList<QGraphicsItem *> cables;
        for (QGraphicsItem *element : all)
            if (element->type() == Wire::Type)
                cables << element;
        for (QGraphicsItem *element : all) {
            if (element->type() == Wire::Type) {
                QStringList route;
                for (const QPointF &point : static_cast<Wire *>(element)->path())
                    route << QStringLiteral("%1,%2").arg(point.x()).arg(point.y());
                out << route.join(QLatin1Char(' '));
            }
            if (element->type() != DiagramItem::Type)
                continue;
            auto *item = static_cast<DiagramItem *>(element);
            QStringList order;
            for (Wire *wire : item->wires())
                order << QString::number(cables.indexOf(wire));
            out << QStringLiteral("%1 vin %2 vout %3 %4%5%6%7 [%8] %9")
                           .arg(item->numberText())
                           .arg(item->vin())
                           .arg(item->vout())
                           .arg(item->lowVoltage())
                           .arg(item->extenderRequired())
                           .arg(item->modelMissing())
                           .arg(item->slotOverflow())
                           .arg(order.join(QLatin1Char(',')), item->toolTip());
        }
        return out;
    }

    // Nothing selected and the calculation run twice: the state a project
    // has when the user has looked at it after the last edit.
    void settle()
    {
        scene()->clearSelection();
        m_window->selectionChanged();
        m_window->selectionChanged();
    }

    void select(const QList<QGraphicsItem *> &elements)
    {
        scene()->clearSelection();
        for (QGraphicsItem *element : elements)
            element->setSelected(true);
    }

    void pointer(DiagramScene::Mode mode) const { m_window->pointerTypeGroup()->button(mode)->click(); }

    // The element the user's click at pos lands on.
    QGraphicsItem *topAt(const QPointF &pos) const
    {
        const QList<QGraphicsItem *> under = scene()->items(pos);
        return under.isEmpty() ? nullptr : under.first();
    }

    void place(DiagramItem::DiagramType type, const QPointF &pos)
    {
        m_window->itemButtonGroup()->button(type)->click();
        click(pos);
    }

    // Drags from one item onto another with the line pointer.
    void drawWire(DiagramItem *from, DiagramItem *to)
    {
        pointer(DiagramScene::InsertLine);
        tst::press(scene(), {from->pos(), (from->pos() + to->pos()) / 2, to->pos()});
        pointer(DiagramScene::MoveItem);
    }

    void drag(DiagramItem *item, const QPointF &by)
    {
        tst::press(scene(), {item->pos(), item->pos() + by / 2, item->pos() + by});
    }

    QString pictureFile(const QSize &size, const QColor &colour)
    {
        const QString path = m_home.filePath(QStringLiteral("%1x%2.png").arg(size.width()).arg(size.height()));
        QImage image(size, QImage::Format_RGB32);
        image.fill(colour);
        image.save(path);
        return path;
    }

    // PD 1 (mains) with K 1 and K 2, PD 2 (fed over PoE by PD 1) with K 3.
    struct Net {
        DiagramItem *pd1, *pd2, *k1, *k2, *k3;
        Wire *link;
        DiagramItem *spare = nullptr;   // a fourth camera, free or on a 150 m cable
    };
    Net smallNetwork()
    {
        Net n;
        n.pd1 = m_net->addPd({300, 200}, 1);
        n.pd2 = m_net->addPd({700, 200}, 2, false);
        n.k1 = m_net->addCamera({200, 450}, 1, 6, 2048);
        n.k2 = m_net->addCamera({400, 450}, 2, 12, 2048);
        n.k3 = m_net->addCamera({700, 450}, 3, 6, 4096);
        m_net->connect(n.pd1, n.k1, 50);
        m_net->connect(n.pd1, n.k2, 40);
        n.link = m_net->connect(n.pd1, n.pd2, 60);
        m_net->connect(n.pd2, n.k3, 30);
        return n;
    }

    // What the sheet holds before an edit of this kind, and what the user has
    // selected for it (selecting runs the calculation, which is no edit).
    void prepare(Kind kind, Net &n)
    {
        switch (kind) {
        case DrawWire:
            n.spare = m_net->addCamera({900, 450}, 4);
            break;
        case LongCableSelected:
            n.spare = m_net->addCamera({900, 450}, 4);
            m_net->connect(n.pd2, n.spare, 150);
            break;
        case DeleteParallel:
            // A second cable between the two points, longer: which of the
            // two comes first decides the voltage that reaches PD 2.
            m_net->connect(n.pd1, n.pd2, 110);
            break;
        case MainsOff:
            // A battery sized by hand, which switching the mains off zeroes.
            n.pd1->setBackup(true);
            n.pd1->setAccumulatorCapacity(40);
            break;
        case OverflowSplit:
            // Nine cables on a point whose largest model has eight slots.
            for (int i = 0; i < 6; ++i)
                m_net->connect(n.pd1, m_net->addCamera({150.0 + 60 * i, 650}, uint(10 + i)), 20);
            m_seam.messageAnswers.enqueue(QMessageBox::Yes);
            break;
        case RemoveBackground:
        case RemoveLogo:
            m_seam.fileAnswers.enqueue(m_picture);
            m_window->addBackground();
            m_seam.fileAnswers.enqueue(m_picture);
            m_window->addCustomerLogo();
            break;
        default:
            break;
        }
        settle();
        switch (kind) {
        case DeletePoint:
        case MainsOff:
            select({n.pd1});
            break;
        case DeleteWire:
        case DeleteParallel:
        case CableTooLong:
            select({n.link});
            break;
        case DeleteSeveral:
            select({n.k2, n.pd2, n.link});
            break;
        case MoveTwo:
            select({n.k1, n.k2});
            break;
        case RotateRight:
        case RotateLeft:
            select({n.k3});
            break;
        case CameraModel:
            select({n.k1});
            break;
        case PowerTyped:
            m_window->show();
            QApplication::setActiveWindow(m_window.get());
            QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
            click(n.k2->pos());
            break;
        default:
            break;
        }
    }

    // One edit of each kind; returns the name of its command.
    QString edit(Kind kind, const Net &n)
    {
        switch (kind) {
        case PlaceCamera:
            place(DiagramItem::Camera, {950, 600});
            return QStringLiteral("wstawienie kamery");
        case PlacePoint:
            place(DiagramItem::PD, {950, 300});
            return QStringLiteral("wstawienie punktu dystrybucyjnego");
        case DrawWire:
            drawWire(n.pd2, n.spare);
            return QStringLiteral("dodanie połączenia");
        case DeletePoint:
            action(QStringLiteral("&Usuń"))->trigger();
            return QStringLiteral("usunięcie elementu");
        case DeleteWire:
        case DeleteParallel:
            action(QStringLiteral("&Usuń"))->trigger();
            return QStringLiteral("usunięcie połączenia");
        case DeleteSeveral:
            m_window->deleteItem();
            return QStringLiteral("usunięcie elementów");
        case MoveTwo:
            drag(n.k1, {40, -60});
            return QStringLiteral("przesunięcie elementów");
        case RotateRight:
        case RotateLeft:
            action(kind == RotateRight ? QStringLiteral("Obrót w prawo") : QStringLiteral("Obrót w lewo"))->trigger();
            return kind == RotateRight ? QStringLiteral("obrót w prawo") : QStringLiteral("obrót w lewo");
        case PowerTyped: {
            // Typed into the dock's editor and committed with Return.
            QtnPropertyView *view = m_window->propertyWidget()->propertyView();
            view->setActiveProperty(&n.k2->cameraSet()->Power);
            view->setFocus();
            QTest::keyClick(view, Qt::Key_F2);
            QWidget *editor = qtnGetInplaceEdit();
            if (!editor)
                return QString();
            editor->findChild<QLineEdit *>()->selectAll();
            QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("17"));
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
            return QStringLiteral("zmiana właściwości „Moc [W]”");
        }
        case MainsOff:
            shownAs<QtnPropertySetPD>()->Power230.setValue(MoxEnums::No);
            return QStringLiteral("zmiana właściwości „Zasilanie 230”");
        case CameraModel: {
            QtnPropertyEnum &model = shownAs<QtnPropertySetCamera>()->Model;
            model.setValue(model.enumInfo()->findByDisplayName(QStringLiteral("Kam C"))->value());
            return QStringLiteral("zmiana właściwości „Model kamery”");
        }
        case ProjectName:
            shownAs<QtnPropertySetProject>()->Name.setValue(QStringLiteral("Magazyn"));
            return QStringLiteral("zmiana właściwości „Nazwa inwestycji”");
        case CableTooLong:
            shownAs<QtnPropertySetWire>()->UintLenght.setValue(120);
            return QStringLiteral("zmiana właściwości „Długość przewodu [m]”");
        case LongCableSelected:
            select({n.spare->wires().first()});
            return QStringLiteral("wstawienie punktu dystrybucyjnego w przewód");
        case OverflowSplit:
            select({n.pd1});
            return QStringLiteral("podział punktu dystrybucyjnego");
        case AddBackground:
            m_seam.fileAnswers.enqueue(m_picture);
            action(QStringLiteral("&Dodaj tło"))->trigger();
            return QStringLiteral("dodanie tła");
        case RemoveBackground:
            action(QStringLiteral("&Usuń tło"))->trigger();
            return QStringLiteral("usunięcie tła");
        case AddLogo:
            m_seam.fileAnswers.enqueue(m_picture);
            action(QStringLiteral("Dodaj logo projektanta"))->trigger();
            return QStringLiteral("dodanie logo projektanta");
        case RemoveLogo:
            action(QStringLiteral("Usuń logo projektanta"))->trigger();
            return QStringLiteral("usunięcie logo projektanta");
        }
        return QString();
    }

    // ------------------------------------------------ random sequence

    // One edit of a kind picked at random, made on random elements; it may
    // turn out to be no edit at all (a cable the rules refuse, a drop on the
    // spot), which the caller counts by the history.
    void randomEdit(QRandomGenerator &random)
    {
        const QList<DiagramItem *> all = items();
        const QList<Wire *> cables = wires();
        auto anyItem = [&]() { return all.at(random.bounded(all.size())); };
        auto freePos = [&]() { return QPointF(60 + random.bounded(1000), 60 + random.bounded(640)); };
        const int roll = random.bounded(100);
        if (all.size() < 4 || roll < 8) {
            place(random.bounded(3) ? DiagramItem::Camera : DiagramItem::PD, freePos());
        } else if (roll < 26) {
            // Mostly a free camera to a point, now and then two points.
            QList<DiagramItem *> points, free;
            for (DiagramItem *item : all)
                (item->diagramType() == DiagramItem::PD ? points : free) << item;
            free.erase(std::remove_if(free.begin(), free.end(), [](DiagramItem *c) { return !c->wires().isEmpty(); }),
                       free.end());
            if (points.isEmpty())
                return;
            DiagramItem *from = points.at(random.bounded(points.size()));
            DiagramItem *to = !free.isEmpty() && random.bounded(4) ? free.at(random.bounded(free.size()))
                                                                   : points.at(random.bounded(points.size()));
            if (topAt(from->pos()) == from && topAt(to->pos()) == to)
                drawWire(from, to);
        } else if (roll < 32) {
            QList<QGraphicsItem *> going{anyItem()};
            if (!cables.isEmpty() && random.bounded(2))
                going << cables.at(random.bounded(cables.size()));
            select(going);
            action(QStringLiteral("&Usuń"))->trigger();
        } else if (roll < 44) {
            DiagramItem *item = anyItem();
            if (topAt(item->pos()) != item)
                return;
            select(random.bounded(3) ? QList<QGraphicsItem *>{item} : QList<QGraphicsItem *>{item, anyItem()});
            drag(item, QPointF(random.bounded(200) - 100, random.bounded(200) - 100));
        } else if (roll < 50) {
            select({anyItem()});
            action(random.bounded(2) ? QStringLiteral("Obrót w prawo") : QStringLiteral("Obrót w lewo"))->trigger();
        } else if (roll < 54) {
            const bool logo = random.bounded(2);
            if (random.bounded(2)) {
                m_seam.fileAnswers.enqueue(pictureFile(QSize(40 + random.bounded(300), 40 + random.bounded(200)),
                                                       QColor::fromRgb(random.generate())));
                logo ? m_window->addCustomerLogo() : m_window->addBackground();
            } else {
                logo ? m_window->delCustomerLogo() : m_window->delBackground();
            }
        } else {
            editValue(random, anyItem(), cables);
        }
    }

    // A value committed to the set the dock shows, as its editor commits it.
    void editValue(QRandomGenerator &random, DiagramItem *item, const QList<Wire *> &cables)
    {
        const int pick = random.bounded(10);
        if (pick == 0) {
            select({});
            auto *project = shownAs<QtnPropertySetProject>();
            if (random.bounded(2))
                project->Name.setValue(QStringLiteral("inwestycja %1").arg(random.bounded(1000)));
            else
                project->ColorPD.setValue(QColor::fromRgb(random.generate() & 0xffffff));
        } else if (pick < 4 && !cables.isEmpty()) {
            select({cables.at(random.bounded(cables.size()))});
            auto *wire = shownAs<QtnPropertySetWire>();
            if (!wire)
                return;   // selecting it split it already
            if (random.bounded(3))
                wire->UintLenght.setValue(uint(1 + random.bounded(130)));
            else
                wire->Model.setValue(wire->Model.enumInfo()->findByDisplayName(QStringLiteral("UTP kat.6"))->value());
        } else if (item->diagramType() == DiagramItem::Camera) {
            select({item});
            auto *camera = shownAs<QtnPropertySetCamera>();
            switch (random.bounded(4)) {
            case 0: camera->Power.setValue(uint(1 + random.bounded(40))); break;
            case 1: camera->Bitrate.setValue(512 + random.bounded(16000)); break;
            case 2: camera->Number.setValue(uint(random.bounded(100))); break;
            default: {
                const QVector<QtnEnumValueInfo> &models = camera->Model.enumInfo()->secondValues();
                camera->Model.setValue(models.at(random.bounded(models.size())).value());
            }
            }
        } else {
            select({item});
            auto *pd = shownAs<QtnPropertySetPD>();
            if (!pd)
                return;   // the overflow split took the selection away
            QList<QtnProperty *> editable;
            const QList<QtnProperty *> candidates{&pd->Power230, &pd->Backup, &pd->Calculate, &pd->NVR, &pd->PC,
                                                  &pd->BatterySet, &pd->BatteryCount, &pd->Number, &pd->Lokalizacja};
            for (QtnProperty *property : candidates)
                if (property->isEditableByUser())
                    editable << property;
            QtnProperty *property = editable.at(random.bounded(editable.size()));
            if (auto *choice = qobject_cast<QtnPropertyEnum *>(property))
                choice->setValue(choice->value() == MoxEnums::Yes ? MoxEnums::No : MoxEnums::Yes);
            else if (auto *number = qobject_cast<QtnPropertyUInt *>(property))
                number->setValue(uint(random.bounded(number == &pd->Number ? 100 : 60)));
            else
                pd->Lokalizacja.setValue(QStringLiteral("Szafa %1").arg(random.bounded(50)));
        }
    }

private slots:
    void initTestCase()
    {
        QVERIFY(m_home.isValid());
        m_picture = pictureFile(QSize(300, 100), QColor(30, 120, 200));
    }

    void init()
    {
        openEditor();
        m_catalogue.reset(new TestCatalogue);
        QVERIFY(m_catalogue->create(
                {{QStringLiteral("Kam A"), 6, 2048}, {QStringLiteral("Kam B"), 12, 4096},
                 {QStringLiteral("Kam C"), 25, 8192}},
                {{QStringLiteral("PD-4"), IP20, 0, 4, 1, 40, 20000},
                 {QStringLiteral("PD-8"), IP20, 0, 8, 1, 100, 60000},
                 {QStringLiteral("PD-8 z akumulatorem"), IP20, 1, 8, 1, 100, 60000},
                 {QStringLiteral("Repeater-3"), IP20, 0, 3, 0, 30, 16000},
                 {QStringLiteral("Repeater-6"), IP20, 0, 6, 0, 60, 32000}},
                {QStringLiteral("UTP kat.5E"), QStringLiteral("UTP kat.6")}));
        m_seam.messageAnswers.clear();
        m_seam.fileAnswers.clear();
    }

    void cleanup()
    {
        closeEditor();
        m_catalogue.reset();
    }

    void everyKind_data()
    {
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("itemsAfter");   // diagram items on the sheet after the edit
        QTest::addColumn<int>("wiresAfter");
        QTest::newRow("place camera") << int(PlaceCamera) << 6 << 4;
        QTest::newRow("place point") << int(PlacePoint) << 6 << 4;
        QTest::newRow("draw wire") << int(DrawWire) << 6 << 5;
        QTest::newRow("delete point with its cables") << int(DeletePoint) << 4 << 1;
        QTest::newRow("delete cable") << int(DeleteWire) << 5 << 3;
        QTest::newRow("delete one of two parallel cables") << int(DeleteParallel) << 5 << 4;
        QTest::newRow("delete camera, point and cable") << int(DeleteSeveral) << 3 << 1;
        QTest::newRow("move two cameras") << int(MoveTwo) << 5 << 4;
        QTest::newRow("rotate right") << int(RotateRight) << 5 << 4;
        QTest::newRow("rotate left") << int(RotateLeft) << 5 << 4;
        QTest::newRow("power typed in the dock") << int(PowerTyped) << 5 << 4;
        QTest::newRow("mains off with battery") << int(MainsOff) << 5 << 4;
        QTest::newRow("camera model from catalogue") << int(CameraModel) << 5 << 4;
        QTest::newRow("project name") << int(ProjectName) << 5 << 4;
        QTest::newRow("cable made 120 m") << int(CableTooLong) << 6 << 5;
        QTest::newRow("150 m cable selected") << int(LongCableSelected) << 7 << 6;
        QTest::newRow("overflow split") << int(OverflowSplit) << 12 << 11;
        QTest::newRow("add background") << int(AddBackground) << 5 << 4;
        QTest::newRow("remove background") << int(RemoveBackground) << 5 << 4;
        QTest::newRow("add logo") << int(AddLogo) << 5 << 4;
        QTest::newRow("remove logo") << int(RemoveLogo) << 5 << 4;
    }

    // Each kind of edit: one command named in the status tips, undone to
    // the file before it and redone to the file after it.
    void everyKind()
    {
        QFETCH(int, kind);
        QFETCH(int, itemsAfter);
        QFETCH(int, wiresAfter);
        Net n = smallNetwork();
        prepare(Kind(kind), n);
        stack()->clear();
        const QByteArray before = projectFile();
        const QStringList resultsBefore = results();
        const int itemsBefore = items().size();
        const int wiresBefore = wires().size();

        const QString name = edit(Kind(kind), n);
        QVERIFY(!name.isEmpty());
        QCOMPARE(stack()->count(), 1);
        QCOMPARE(action(QStringLiteral("Cofnij"))->statusTip(), QStringLiteral("Cofnij: ") + name);
        QCOMPARE(items().size(), itemsAfter);
        QCOMPARE(wires().size(), wiresAfter);
        settle();
        const QByteArray after = projectFile();
        const QStringList resultsAfter = results();
        QVERIFY(after != before || resultsAfter != resultsBefore);

        m_window->projectDoc()->setModified(false);
        action(QStringLiteral("Cofnij"))->trigger();
        QVERIFY(m_window->projectDoc()->isModified());
        QVERIFY(!action(QStringLiteral("Cofnij"))->isEnabled());
        QCOMPARE(action(QStringLiteral("Ponów"))->statusTip(), QStringLiteral("Ponów: ") + name);
        QCOMPARE(items().size(), itemsBefore);
        QCOMPARE(wires().size(), wiresBefore);
        QCOMPARE(projectFile(), before);
        QCOMPARE(results(), resultsBefore);
        QCOMPARE(shown(), static_cast<QtnPropertySet *>(scene()->projectSet()));

        action(QStringLiteral("Ponów"))->trigger();
        QCOMPARE(items().size(), itemsAfter);
        QCOMPARE(projectFile(), after);
        QCOMPARE(results(), resultsAfter);
        action(QStringLiteral("Cofnij"))->trigger();
        QCOMPARE(projectFile(), before);
    }

    void randomSequences_data()
    {
        QTest::addColumn<quint32>("seed");
        QTest::addColumn<QList<int>>("camerasPerPoint");
        QTest::newRow("three points") << 7u << QList<int>{4, 3, 5};
        QTest::newRow("chain of five") << 2024u << QList<int>{2, 6, 1, 3, 2};
    }

    // Two hundred and more edits of every kind over a generated network,
    // undone to the start and redone to the end through the actions.
    void randomSequences()
    {
        QFETCH(quint32, seed);
        QFETCH(QList<int>, camerasPerPoint);
        NetworkGenerator generator(scene(), m_window->itemMenu());
        generator.generate(camerasPerPoint);
        settle();
        settle();
        stack()->clear();
        const QByteArray start = projectFile();
        const QStringList resultsAtStart = results();

        QRandomGenerator random(seed);
        for (int attempt = 0; stack()->count() < 200 && attempt < 4000; ++attempt)
            randomEdit(random);
        const int edits = stack()->count();
        QVERIFY(edits >= 200);
        settle();
        const QByteArray end = projectFile();
        const QStringList resultsAtEnd = results();
        QVERIFY(end != start);

        int undone = 0;
        while (action(QStringLiteral("Cofnij"))->isEnabled()) {
            action(QStringLiteral("Cofnij"))->trigger();
            ++undone;
        }
        QCOMPARE(undone, edits);
        QCOMPARE(projectFile(), start);
        QCOMPARE(results(), resultsAtStart);

        int redone = 0;
        while (action(QStringLiteral("Ponów"))->isEnabled()) {
            action(QStringLiteral("Ponów"))->trigger();
            ++redone;
        }
        QCOMPARE(redone, edits);
        QCOMPARE(projectFile(), end);
        QCOMPARE(results(), resultsAtEnd);
    }

    // What is not an edit stays out of the history, and what replaces the
    // project empties it.
    void lifetime()
    {
        QAction *undo = action(QStringLiteral("Cofnij"));
        QAction *redo = action(QStringLiteral("Ponów"));
        QVERIFY(!undo->isEnabled() && !redo->isEnabled());
        QCOMPARE(undo->statusTip(), QStringLiteral("Cofnij"));
        QCOMPARE(undo->shortcut(), QKeySequence(QStringLiteral("Ctrl+Z")));
        QCOMPARE(redo->shortcuts(), (QList<QKeySequence>{QKeySequence(QStringLiteral("Ctrl+Shift+Z")),
                                                        QKeySequence(QStringLiteral("Ctrl+Y"))}));

        // Selecting and the calculation it runs record nothing.
        const Net n = smallNetwork();
        click(n.k1->pos());
        select({n.pd1, n.k2});
        select({n.link});
        select({});
        QCOMPARE(stack()->count(), 0);

        select({n.k3});
        action(QStringLiteral("Obrót w prawo"))->trigger();
        QVERIFY(undo->isEnabled());
        QCOMPARE(undo->statusTip(), QStringLiteral("Cofnij: obrót w prawo"));

        // Saving keeps the history; the camera import changes the catalogue only.
        const QString file = m_home.filePath(QStringLiteral("projekt.mox"));
        m_seam.fileAnswers.enqueue(file);
        QVERIFY(m_window->saveAsProject());
        const QString csv = m_home.filePath(QStringLiteral("kamery.csv"));
        QFile list(csv);
        QVERIFY(list.open(QIODevice::WriteOnly));
        list.write("Kam A,7,2048\n");
        list.close();
        select({n.k1});
        m_seam.fileAnswers.enqueue(csv);
        m_window->importCamerasFromCsv();
        QCOMPARE(stack()->count(), 1);
        QCOMPARE(n.k3->rotation(), 45);

        // A delete undone and the history emptied by opening a file: what it
        // kept off the sheet goes with it.
        select({n.pd2});
        m_window->deleteItem();
        action(QStringLiteral("Cofnij"))->trigger();
        QCOMPARE(items().size(), 5);
        select({n.k2});
        m_window->deleteItem();
        QCOMPARE(history()->keptCount(), 2);
        m_seam.fileAnswers.enqueue(file);
        m_window->openProject();
        QCOMPARE(stack()->count(), 0);
        QCOMPARE(history()->keptCount(), 0);
        QVERIFY(!undo->isEnabled());
        QCOMPARE(items().size(), 5);

        // An undone placement dropped by a new edit takes its item along.
        place(DiagramItem::Camera, {950, 700});
        action(QStringLiteral("Cofnij"))->trigger();
        QCOMPARE(history()->keptCount(), 1);
        select({items().first()});
        action(QStringLiteral("Obrót w lewo"))->trigger();
        QCOMPARE(history()->keptCount(), 0);
        QCOMPARE(stack()->count(), 1);

        // The wizard starts an empty history too.
        m_seam.messageAnswers.enqueue(QMessageBox::Discard);
        m_seam.wizardScript = [](QWizard &) { return int(QDialog::Accepted); };
        m_window->newProjectWizard();
        QCOMPARE(stack()->count(), 0);
    }
};

QTEST_MAIN(TestUndo)
#include "tst_undo.moc"
