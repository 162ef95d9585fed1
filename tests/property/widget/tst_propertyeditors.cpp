#include "viewtesthelpers.h"

#include "property/widget/qtninplaceeditorhandler.h"
#include "property/widget/qtnlineeditbttn.h"
#include "property/widget/qtnpropertydialogs.h"
#include "property/widget/qtnspinboxunsigned.h"

#include <QComboBox>
#include <QLineEdit>
#include <QToolButton>

// In-place editing as a user does it: click or key on the value, type, close.
class TestPropertyEditors : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void unsignedSpinBox_data();
    void unsignedSpinBox();
    void enumComboBox_data();
    void enumComboBox();
    void colourLineEdit_data();
    void colourLineEdit();
    void immutableOpensNoEditor_data();
    void immutableOpensNoEditor();
    void checkBoxAndOneEditorAtATime();
    void setReplacedDuringCommit();

private:
    QtnEnumInfo m_power{QStringLiteral("POWER"),
                        {QtnEnumValueInfo(1, QStringLiteral("no"), QStringLiteral("nie")),
                         QtnEnumValueInfo(2, QStringLiteral("yes"), QStringLiteral("tak"))}};
    QtnPropertySet* m_set = nullptr;
    QtnPropertyUInt* m_number = nullptr;
    QtnPropertyEnum* m_backup = nullptr;
    QtnPropertyQColor* m_color = nullptr;
    QtnPropertyBool* m_flag = nullptr;
    QtnPropertyUInt* m_battery = nullptr;
    QtnPropertySet* m_advanced = nullptr;
    QtnPropertyView* m_view = nullptr;
};

void TestPropertyEditors::init()
{
    m_set = new QtnPropertySet();
    m_number = new QtnPropertyUInt(m_set);
    m_number->setName(QStringLiteral("Number"));
    m_number->setMaxValue(100);
    m_backup = new QtnPropertyEnum(m_set);
    m_backup->setName(QStringLiteral("Backup"));
    m_backup->setEnumInfo(&m_power);
    m_backup->setValue(1);
    m_color = new QtnPropertyQColor(m_set);
    m_color->setName(QStringLiteral("ColorPD"));
    m_color->setValue(QColor(0, 0, 0));
    m_flag = new QtnPropertyBool(m_set);
    m_flag->setName(QStringLiteral("Flag"));
    m_battery = new QtnPropertyUInt(m_set);
    m_battery->setName(QStringLiteral("BatterySet"));
    m_battery->setState(QtnPropertyStateImmutable);
    m_advanced = new QtnPropertySet(m_set);
    m_advanced->setName(QStringLiteral("AdvancedPD"));
    m_advanced->setState(QtnPropertyStateImmutable);
    auto outPower = new QtnPropertyUInt(m_advanced);
    outPower->setName(QStringLiteral("OutPower"));

    m_view = new QtnPropertyView();
    m_view->setPropertySet(m_set);
    QVERIFY(showActive(*m_view));
}

void TestPropertyEditors::cleanup()
{
    qtnStopInplaceEdit(false);
    delete m_view;
    delete m_set;
    QtnPropertyDialogs::restoreDefaults();
}

void TestPropertyEditors::unsignedSpinBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("extraKey");
    QTest::addColumn<uint>("expected");
    QTest::addColumn<int>("pairs");

    QTest::newRow("typed 42") << "42" << 0 << 42u << 1;
    // The editor refuses the digit that would leave the range 0..100.
    QTest::newRow("typed 150 stops at 15") << "150" << 0 << 15u << 1;
    QTest::newRow("typed current value") << "0" << 0 << 0u << 0;
    QTest::newRow("typed 99 then step up") << "99" << int(Qt::Key_Up) << 100u << 1;
    QTest::newRow("step up at maximum") << "100" << int(Qt::Key_Up) << 100u << 1;
    QTest::newRow("escape cancels") << "42" << int(Qt::Key_Escape) << 0u << 0;
}

void TestPropertyEditors::unsignedSpinBox()
{
    QFETCH(QString, typed);
    QFETCH(int, extraKey);
    QFETCH(uint, expected);
    QFETCH(int, pairs);

    ValueChangeCounter counter(*m_set);
    clickValue(*m_view, m_number);
    auto spinBox = qobject_cast<QtnSpinBoxUnsigned*>(qtnGetInplaceEdit());
    QVERIFY(spinBox);
    QCOMPARE(m_view->activeProperty(), m_number);
    spinBox->findChild<QLineEdit*>()->selectAll();
    QTest::keyClicks(QApplication::focusWidget(), typed);
    if (extraKey)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(extraKey));
    if (qtnGetInplaceEdit())
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QVERIFY(!qtnGetInplaceEdit());
    QCOMPARE(m_number->value(), quint32(expected));
    QCOMPARE(counter.will, pairs);
    QCOMPARE(counter.did, pairs);
}

void TestPropertyEditors::enumComboBox_data()
{
    QTest::addColumn<int>("openKey");
    QTest::addColumn<int>("moveKey");
    QTest::addColumn<int>("closeKey");
    QTest::addColumn<int>("expected");

    QTest::newRow("F2, down, return") << int(Qt::Key_F2) << int(Qt::Key_Down) << int(Qt::Key_Return) << 2;
    QTest::newRow("space, down, enter") << int(Qt::Key_Space) << int(Qt::Key_Down) << int(Qt::Key_Enter) << 2;
    QTest::newRow("down, escape") << int(Qt::Key_F2) << int(Qt::Key_Down) << int(Qt::Key_Escape) << 1;
    QTest::newRow("up at first choice") << int(Qt::Key_F2) << int(Qt::Key_Up) << int(Qt::Key_Return) << 1;
}

void TestPropertyEditors::enumComboBox()
{
    QFETCH(int, openKey);
    QFETCH(int, moveKey);
    QFETCH(int, closeKey);
    QFETCH(int, expected);

    ValueChangeCounter counter(*m_set);
    QVERIFY(m_view->setActiveProperty(m_backup));
    m_view->setFocus();
    QTest::keyClick(m_view, Qt::Key(openKey));
    auto comboBox = qobject_cast<QComboBox*>(qtnGetInplaceEdit());
    QVERIFY(comboBox);
    QCOMPARE(comboBox->count(), 2);
    QCOMPARE(comboBox->itemText(0), QStringLiteral("nie"));
    QCOMPARE(comboBox->currentText(), QStringLiteral("nie"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(moveKey));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key(closeKey));

    QVERIFY(!qtnGetInplaceEdit());
    QCOMPARE(m_backup->value(), expected);
    QCOMPARE(counter.did, expected == 2 ? 1 : 0);
    // Keys reach the view again once the editor is gone.
    QTest::keyClick(m_view, Qt::Key_Down);
    QCOMPARE(m_view->activeProperty(), m_color);
}

void TestPropertyEditors::colourLineEdit_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("closeKey");
    QTest::addColumn<QColor>("dialogAnswer");
    QTest::addColumn<QColor>("expected");

    QTest::newRow("#ff0000") << "#ff0000" << int(Qt::Key_Return) << QColor() << QColor(255, 0, 0);
    QTest::newRow("alpha first") << "#80ff0000" << int(Qt::Key_Return) << QColor() << QColor(255, 0, 0, 128);
    QTest::newRow("not a colour") << "#ff00" << int(Qt::Key_Return) << QColor() << QColor(0, 0, 0);
    QTest::newRow("escape") << "#ff0000" << int(Qt::Key_Escape) << QColor() << QColor(0, 0, 0);
    QTest::newRow("dialog") << QString() << 0 << QColor(0, 0, 255) << QColor(0, 0, 255);
    QTest::newRow("dialog cancelled") << QString() << int(Qt::Key_Escape) << QColor() << QColor(0, 0, 0);
}

void TestPropertyEditors::colourLineEdit()
{
    QFETCH(QString, typed);
    QFETCH(int, closeKey);
    QFETCH(QColor, dialogAnswer);
    QFETCH(QColor, expected);

    int dialogCalls = 0;
    QColor dialogInitial;
    QtnPropertyDialogs::getColor = [&](const QColor& initial, QWidget*, const QString&) {
        ++dialogCalls;
        dialogInitial = initial;
        return dialogAnswer;
    };

    clickValue(*m_view, m_color);
    auto editor = qobject_cast<QtnLineEditBttn*>(qtnGetInplaceEdit());
    QVERIFY(editor);
    QCOMPARE(editor->lineEdit()->text(), QStringLiteral("#000000"));
    if (typed.isEmpty())
    {
        QTest::mouseClick(editor->toolButton(), Qt::LeftButton);
        QCOMPARE(dialogCalls, 1);
        QCOMPARE(dialogInitial, QColor(0, 0, 0));
    }
    else
    {
        editor->lineEdit()->selectAll();
        QTest::keyClicks(editor->lineEdit(), typed);
    }
    if (closeKey && qtnGetInplaceEdit())
        QTest::keyClick(QApplication::focusWidget(), Qt::Key(closeKey));

    QVERIFY(!qtnGetInplaceEdit());
    QCOMPARE(m_color->value(), expected);
}

void TestPropertyEditors::immutableOpensNoEditor_data()
{
    QTest::addColumn<bool>("inherited");
    QTest::newRow("own state") << false;
    QTest::newRow("inherited from a read-only set") << true;
}

void TestPropertyEditors::immutableOpensNoEditor()
{
    QFETCH(bool, inherited);

    QtnPropertyBase* property = m_battery;
    if (inherited)
    {
        m_view->setActiveProperty(m_advanced);
        QTest::keyClick(m_view, Qt::Key_Right);
        property = m_advanced->childProperties().first();
    }
    ValueChangeCounter counter(*m_set);
    clickValue(*m_view, property);
    QCOMPARE(m_view->activeProperty(), property);
    QVERIFY(!qtnGetInplaceEdit());
    for (Qt::Key key : {Qt::Key_F2, Qt::Key_Return, Qt::Key_Space, Qt::Key_5})
    {
        QTest::keyClick(m_view, key);
        QVERIFY(!qtnGetInplaceEdit());
    }
    QCOMPARE(counter.did, 0);

    // Made editable again, the same row opens its editor.
    if (inherited)
        m_advanced->removeState(QtnPropertyStateImmutable);
    else
        m_battery->removeState(QtnPropertyStateImmutable);
    clickValue(*m_view, property);
    QVERIFY(qtnGetInplaceEdit());
}

void TestPropertyEditors::checkBoxAndOneEditorAtATime()
{
    ValueChangeCounter counter(*m_set);
    clickValue(*m_view, m_flag);
    QVERIFY(m_flag->value());
    QVERIFY(!qtnGetInplaceEdit());
    QTest::keyClick(m_view, Qt::Key_Space);
    QVERIFY(!m_flag->value());
    QCOMPARE(counter.did, 2);

    // A second view opening an editor closes (and commits) the first one.
    QtnPropertyView other;
    other.setPropertySet(m_set);
    QVERIFY(showActive(other));
    clickValue(*m_view, m_number);
    auto first = qtnGetInplaceEdit();
    QVERIFY(first);
    first->findChild<QLineEdit*>()->setText(QStringLiteral("7"));
    clickValue(other, m_color);
    QVERIFY(qtnGetInplaceEdit());
    QVERIFY(qtnGetInplaceEdit() != first);
    QCOMPARE(m_number->value(), 7u);
    QVERIFY(!first->isVisible());
}

void TestPropertyEditors::setReplacedDuringCommit()
{
    // The listener of an edit may delete the shown set (a cable replaced by a
    // distribution point) and hand the view another one, all inside the commit.
    QtnPropertySet replacement;
    auto other = new QtnPropertyUInt(&replacement);
    other->setName(QStringLiteral("UintLenght"));
    connect(m_set, &QtnPropertyBase::propertyDidChange, this,
            [this, &replacement](const QtnPropertyBase*, const QtnPropertyBase*, QtnPropertyChangeReason reason) {
                if (!(reason & QtnPropertyChangeReasonValue))
                    return;
                delete m_set;
                m_set = nullptr;
                m_view->setPropertySet(&replacement);
            });
    clickValue(*m_view, m_number);
    QVERIFY(qtnGetInplaceEdit());
    QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("9"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);

    QVERIFY(!m_set);
    QVERIFY(!qtnGetInplaceEdit());
    QCOMPARE(m_view->propertySet(), &replacement);
    QCOMPARE(m_view->rowCount(), 1);
    QVERIFY(!m_view->activeProperty());
    m_view->viewport()->repaint();
    m_view->setPropertySet(nullptr);
}

QTEST_MAIN(TestPropertyEditors)
#include "tst_propertyeditors.moc"
