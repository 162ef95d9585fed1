// The autosaved copy of a project: written a while after the last change and
// never while a dialog waits, removed by everything that ends the session
// cleanly, left behind by a crash and offered at the next start.

#include "scripteddialogseam.h"
#include "temporaryhome.h"
#include "testhelpers.h"

#include "app/autosave.h"
#include "app/autosaverecovery.h"
#include "app/mainwindow.h"
#include "diagram/diagramscene.h"
#include "print/projectdoc.h"

#include <QDialog>
#include <QMessageBox>
#include <QStatusBar>
#include <QtTest>

#include <memory>

using tst::fileBytes;
using tst::writeSampleProject;

class TestAutosave : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(images); }
    void init()
    {
        // Never the real ~/mox: every test has a home of its own.
        m_home.reset(new TemporaryHome);
        QVERIFY(m_home->isValid());
        m_project = m_home->filePath(QStringLiteral("mox/szkola.mox"));
        QVERIFY(QDir().mkpath(m_home->filePath(QStringLiteral("mox"))));
        QVERIFY(writeSampleProject(m_project, QStringLiteral("Szkoła")));
    }
    void cleanup() { m_home.reset(); }

    void fileNames_data();
    void fileNames();
    void crashAndRecovery_data();
    void crashAndRecovery();
    void copyRemoved_data();
    void copyRemoved();
    void waitsForQuietAndForDialogs();
    void copiesOfSeveralEditors();

private:
    // A window with the project open (or an untitled one) and a change that
    // the user made in the dock, so the copy is due.
    std::unique_ptr<MainWindow> editedWindow(ScriptedDialogSeam &seam, bool hasFile, int delay)
    {
        std::unique_ptr<MainWindow> window(new MainWindow(&seam));
        Autosave::of(window.get())->setDelay(delay);
        if (hasFile)
            window->loadProject(m_project);
        else
            window->selectionChanged(); // a click on the empty sheet shows the project set
        window->scene()->setInvestmentName(QStringLiteral("po awarii"));
        return window;
    }
    QString copyOf(const QString &projectPath) const
    {
        return m_home->filePath(QStringLiteral("mox/.autosave/")) + Autosave::fileNameFor(projectPath);
    }

    QScopedPointer<TemporaryHome> m_home;
    QString m_project;
};

void TestAutosave::fileNames_data()
{
    QTest::addColumn<QString>("projectPath");
    QTest::addColumn<QString>("fileName");
    QTest::newRow("never saved") << QString() << "bez-nazwy.mox";
    QTest::newRow("Polish letters stay") << "/dom/Łódź – szkoła.mox" << "Łódź – szkoła.mox";
    QTest::newRow("other extension, points inside") << "/dom/plan.v2.xml" << "plan.v2.mox";
    QTest::newRow("hidden file") << "/dom/.ukryty.mox" << "_ukryty.mox";
    QTest::newRow("characters other systems forbid, control characters")
        << QStringLiteral("/dom/a:b*c?\"d<e>f|g\\h\ni\tj.mox") << "a_b_c__d_e_f_g_h_i_j.mox";
    QTest::newRow("only blanks") << "/dom/   .mox" << "bez-nazwy.mox";
    QTest::newRow("very long") << "/dom/" + QString(150, QLatin1Char('x')) + ".mox" << QString(100, QLatin1Char('x')) + ".mox";
    QTest::newRow("a pair of surrogates is not cut")
        << "/dom/" + QString(99, QLatin1Char('x')) + QString::fromUtf8("\xF0\x9F\x93\xB7") + ".mox"
        << QString(99, QLatin1Char('x')) + ".mox";
}

void TestAutosave::fileNames()
{
    QFETCH(QString, projectPath);
    QFETCH(QString, fileName);
    QCOMPARE(Autosave::fileNameFor(projectPath), fileName);
}

void TestAutosave::crashAndRecovery_data()
{
    QTest::addColumn<bool>("hasFile");
    QTest::addColumn<QString>("afterCrash");
    QTest::addColumn<int>("answer"); // 0: no question expected
    QTest::newRow("Przywróć") << true << QString() << int(QMessageBox::Yes);
    QTest::newRow("Przywróć, project never saved") << false << QString() << int(QMessageBox::Yes);
    QTest::newRow("Odrzuć") << true << QString() << int(QMessageBox::Discard);
    QTest::newRow("project saved after the copy") << true << "project saved" << 0;
    QTest::newRow("copy of an editor still running") << true << "copy locked" << 0;
}

void TestAutosave::crashAndRecovery()
{
    QFETCH(bool, hasFile);
    QFETCH(QString, afterCrash);
    QFETCH(int, answer);
    const QString projectPath = hasFile ? m_project : QString();
    const QString copy = copyOf(projectPath);
    const QByteArray projectBefore = fileBytes(m_project);

    {
        ScriptedDialogSeam seam;
        std::unique_ptr<MainWindow> window = editedWindow(seam, hasFile, 20);
        QTRY_VERIFY(QFile::exists(copy));
        QVERIFY(fileBytes(copy).contains("<name>po awarii</name>"));
        QCOMPARE(Autosave::projectPathOf(copy), projectPath);
        // The project file itself is not touched, nor is the window's state.
        QCOMPARE(fileBytes(m_project), projectBefore);
        QVERIFY(window->projectDoc()->isModified());
        QVERIFY(seam.shown.isEmpty());
        // The crash: the window goes without being closed.
    }
    QVERIFY(QFile::exists(copy));
    const QDateTime written = QFileInfo(copy).lastModified();
    if (afterCrash == QLatin1String("project saved")) {
        QFile project(m_project);
        QVERIFY(project.open(QIODevice::ReadWrite));
        QVERIFY(project.setFileTime(written.addSecs(10), QFileDevice::FileModificationTime));
    }
    const std::unique_ptr<QLockFile> otherEditor =
            afterCrash == QLatin1String("copy locked") ? Autosave::lock(copy) : nullptr;

    ScriptedDialogSeam seam;
    MainWindow window(&seam);
    if (answer)
        seam.messageAnswers.enqueue(answer);
    const bool restored = AutosaveRecovery::offer(&window);
    QCOMPARE(restored, answer == QMessageBox::Yes);
    if (!answer) {
        QVERIFY(seam.shown.isEmpty());
        QCOMPARE(QFile::exists(copy), bool(otherEditor));
        return;
    }
    QCOMPARE(seam.kinds(), QStringList{"message"});
    const ScriptedDialogSeam::Shown question = seam.shown.first();
    QCOMPARE(question.title, QStringLiteral("MOX"));
    QStringList buttons = question.buttons;
    buttons.sort();
    QCOMPARE(buttons, (QStringList{"Odrzuć", "Przywróć"}));
    QCOMPARE(question.defaultButton, int(QMessageBox::Yes));
    QVERIFY(question.hasParent);
    QCOMPARE(question.text, QStringLiteral("Edytor nie został poprawnie zamknięty.\n"
                                           "Znaleziono kopię automatyczną projektu %1 z %2.\n"
                                           "Czy przywrócić projekt z tej kopii?")
                                .arg(hasFile ? m_project : QStringLiteral("bez nazwy"),
                                     written.toString(QStringLiteral("yyyy-MM-dd hh:mm"))));
    if (!restored) {
        QVERIFY(!QFile::exists(copy));
        QVERIFY(!QFile::exists(Autosave::pathFileOf(copy)));
        QCOMPARE(window.scene()->investmentName(), QStringLiteral("inwestycja 1"));
        QVERIFY(!window.projectFile());
        return;
    }

    // Restored at the project's own path, and still to be saved.
    QCOMPARE(window.scene()->investmentName(), QStringLiteral("po awarii"));
    QCOMPARE(window.projectFile() ? window.projectFile()->fileName() : QString(), projectPath);
    QCOMPARE(window.windowTitle(), hasFile ? QStringLiteral("MOX NORVANTE - [%1]*").arg(m_project)
                                           : QStringLiteral("MOX NORVANTE"));
    QVERIFY(window.projectDoc()->isModified());
    QCOMPARE(window.statusBar()->currentMessage(), QStringLiteral("Przywrócono projekt z kopii automatycznej"));
    QCOMPARE(fileBytes(m_project), projectBefore);
    // Until the user decides, a second crash would find the copy again.
    QVERIFY(QFile::exists(copy));
    seam.messageAnswers.enqueue(QMessageBox::Discard);
    QVERIFY(window.close());
    QVERIFY(!QFile::exists(copy));
    QVERIFY(!QFile::exists(Autosave::pathFileOf(copy)));
}

void TestAutosave::copyRemoved_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("removed");
    QTest::newRow("clean save") << "save" << true;
    QTest::newRow("Nowy projekt") << "new" << true;
    QTest::newRow("Nowy projekt cancelled") << "new cancelled" << false;
    QTest::newRow("open") << "open" << true;
    QTest::newRow("open cancelled") << "open cancelled" << false;
    QTest::newRow("clean exit") << "exit" << true;
    QTest::newRow("exit cancelled") << "exit cancelled" << false;
}

void TestAutosave::copyRemoved()
{
    QFETCH(QString, action);
    QFETCH(bool, removed);
    ScriptedDialogSeam seam;
    std::unique_ptr<MainWindow> window = editedWindow(seam, true, 20);
    const QString copy = copyOf(m_project);
    QTRY_VERIFY(QFile::exists(copy));

    if (action == QLatin1String("save")) {
        QVERIFY(window->saveProject());
    } else if (action.startsWith(QLatin1String("new"))) {
        seam.messageAnswers.enqueue(QMessageBox::Discard);
        const bool accept = action == QLatin1String("new");
        seam.wizardScript = [accept](QWizard &) { return accept ? int(QDialog::Accepted) : int(QDialog::Rejected); };
        window->newProjectWizard();
    } else if (action.startsWith(QLatin1String("open"))) {
        const QString other = m_home->filePath(QStringLiteral("inny.mox"));
        QVERIFY(writeSampleProject(other, QStringLiteral("Inny")));
        if (action == QLatin1String("open"))
            seam.fileAnswers.enqueue(other);
        window->openProject();
    } else {
        seam.messageAnswers.enqueue(action == QLatin1String("exit") ? QMessageBox::Discard : QMessageBox::Cancel);
        QCOMPARE(window->close(), removed);
    }
    // Nothing is left behind: no copy, no path beside it, no lock.
    const QStringList left = QDir(Autosave::folder()).entryList(QDir::Files | QDir::Hidden);
    QCOMPARE(left, removed ? QStringList() : QStringList({"szkola.mox", "szkola.mox.lock", "szkola.mox.path"}));
}

void TestAutosave::waitsForQuietAndForDialogs()
{
    ScriptedDialogSeam seam;
    std::unique_ptr<MainWindow> window = editedWindow(seam, true, 1000);
    const QString copy = copyOf(m_project);
    Autosave *autosave = Autosave::of(window.get());

    // Every change starts the wait again: changes more often than the delay
    // keep the copy from being written.
    QTest::qWait(600);
    window->scene()->setInvestmentName(QStringLiteral("druga zmiana"));
    QTest::qWait(600);
    QVERIFY(!QFile::exists(copy));
    QVERIFY(autosave->isDue());

    // The time runs out while a dialog waits: nothing is written until it
    // has closed. An unsaved-changes prompt, then the wizard, cancelled.
    seam.messageAnswers.enqueue(QMessageBox::Discard);
    bool writtenDuringDialog = true;
    seam.wizardScript = [&](QWizard &) {
        QTest::qWait(1500);
        writtenDuringDialog = QFile::exists(copy);
        return int(QDialog::Rejected);
    };
    window->newProjectWizard();
    QVERIFY(!writtenDuringDialog);
    QTRY_VERIFY(QFile::exists(copy));
    QVERIFY(fileBytes(copy).contains("<name>druga zmiana</name>"));
    QVERIFY(!autosave->isDue());
}

void TestAutosave::copiesOfSeveralEditors()
{
    // Two untitled projects in two running editors, then one crash.
    ScriptedDialogSeam seam;
    std::unique_ptr<MainWindow> first = editedWindow(seam, false, 20);
    std::unique_ptr<MainWindow> second = editedWindow(seam, false, 20);
    QTRY_VERIFY(!Autosave::of(first.get())->ownFile().isEmpty() && !Autosave::of(second.get())->ownFile().isEmpty());
    const QString crashed = Autosave::of(first.get())->ownFile();
    const QString running = Autosave::of(second.get())->ownFile();
    QCOMPARE(QSet<QString>({QFileInfo(crashed).fileName(), QFileInfo(running).fileName()}),
             QSet<QString>({"bez-nazwy.mox", "bez-nazwy-2.mox"}));
    QVERIFY(AutosaveRecovery::pending().isEmpty());

    first.reset();
    const QList<AutosaveRecovery::Copy> pending = AutosaveRecovery::pending();
    QCOMPARE(pending.size(), 1);
    QCOMPARE(pending.first().file, crashed);
    QVERIFY(pending.first().projectPath.isEmpty());

    // A third editor leaves the copy that waits for the question alone.
    std::unique_ptr<MainWindow> third = editedWindow(seam, false, 20);
    QTRY_VERIFY(!Autosave::of(third.get())->ownFile().isEmpty());
    QCOMPARE(QFileInfo(Autosave::of(third.get())->ownFile()).fileName(), QStringLiteral("bez-nazwy-3.mox"));
    QVERIFY(fileBytes(crashed).contains("<name>po awarii</name>"));
    QVERIFY(seam.shown.isEmpty());
}

QTEST_MAIN(TestAutosave)
#include "tst_autosave.moc"
