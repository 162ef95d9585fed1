#include "viewtesthelpers.h"

#include "property/core/qtnpropertybutton.h"
#include "property/core/qtnpropertyqfont.h"
#include "property/core/qtnpropertyqrect.h"
#include "property/widget/qtninplaceeditorhandler.h"
#include "property/widget/qtnlineeditbttn.h"
#include "property/widget/qtnpropertydelegatebool.h"
#include "property/widget/qtnpropertydelegateqcolor.h"
#include "property/widget/qtnpropertydialogs.h"
#include "property/widget/qtnspinboxunsigned.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QHelpEvent>
#include <QLineEdit>
#include <QToolButton>
#include <QToolTip>

// What the individual delegates do with attributes, sub-properties and input.
class TestPropertyDelegates : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void slideBox_data();
    void slideBox();
    void doubleEditorKeepsUnroundedValue();
    void unsignedBeyondIntRange();
    void buttonAndReset();
    void compoundSubProperties_data();
    void compoundSubProperties();
    void colourAttributes_data();
    void colourAttributes();
    void boolComboLabels();
    void fileDialogHook();
    void branchNodeToolTip();

private:
    QtnPropertySet* m_set = nullptr;
    QtnPropertyView* m_view = nullptr;

    void show()
    {
        m_view->setPropertySet(m_set);
        QVERIFY(showActive(*m_view, QSize(420, 400)));
    }
};

void TestPropertyDelegates::init()
{
    m_set = new QtnPropertySet();
    m_view = new QtnPropertyView();
}

void TestPropertyDelegates::cleanup()
{
    qtnStopInplaceEdit(false);
    delete m_view;
    delete m_set;
    QtnPropertyDialogs::restoreDefaults();
}

void TestPropertyDelegates::slideBox_data()
{
    QTest::addColumn<bool>("liveUpdate");
    QTest::addColumn<double>("fraction");
    QTest::addColumn<int>("whileDragging");
    QTest::addColumn<int>("afterRelease");

    // Range 0..200 step 10: the bar maps its width onto the range.
    QTest::newRow("release at the middle") << false << 0.5 << 40 << 100;
    QTest::newRow("live update at a quarter") << true << 0.25 << 50 << 50;
    QTest::newRow("past the right end") << false << 1.5 << 40 << 200;
    QTest::newRow("past the left end") << true << -0.5 << 0 << 0;
}

void TestPropertyDelegates::slideBox()
{
    QFETCH(bool, liveUpdate);
    QFETCH(double, fraction);
    QFETCH(int, whileDragging);
    QFETCH(int, afterRelease);

    auto quality = new QtnPropertyInt(m_set);
    quality->setName(QStringLiteral("Quality"));
    quality->setMaxValue(200);
    quality->setMinValue(0);
    quality->setStepValue(10);
    quality->setValue(40);
    QtnPropertyDelegateAttributes attributes;
    attributes.insert("liveUpdate", liveUpdate);
    quality->setDelegate(QtnPropertyDelegateInfo("SliderBox", attributes));
    show();

    // The bar is the value rectangle less a 2 px margin on each side.
    QRect bar = m_view->propertyValueRect(quality).adjusted(2, 2, -2, -2);
    int y = bar.center().y();
    int x = bar.left() + int(fraction * (bar.width() - 1));
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(bar.left() + 1, y));
    QMouseEvent move(QEvent::MouseMove, QPoint(x, y), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(m_view->viewport(), &move);
    QCOMPARE(quality->value(), whileDragging);
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
    QCOMPARE(quality->value(), afterRelease);
    QVERIFY(!qtnGetInplaceEdit());

    // One wheel notch is one step; read-only bars ignore the wheel.
    int before = quality->value();
    QWheelEvent up(QPointF(bar.center()), QPointF(m_view->viewport()->mapToGlobal(bar.center())), QPoint(),
                   QPoint(0, 120), Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(m_view->viewport(), &up);
    QCOMPARE(quality->value(), std::min(200, before + 10));
    quality->addState(QtnPropertyStateImmutable);
    QApplication::sendEvent(m_view->viewport(), &up);
    QCOMPARE(quality->value(), std::min(200, before + 10));
}

void TestPropertyDelegates::doubleEditorKeepsUnroundedValue()
{
    auto vin = new QtnPropertyDouble(m_set);
    vin->setName(QStringLiteral("Vin"));
    vin->setMaxValue(100);
    vin->setMinValue(0);
    vin->setStepValue(0.01);
    vin->setValue(47.3137);
    show();
    ValueChangeCounter counter(*m_set);

    // Opened and closed untouched: the editor's two decimals must not be written back.
    clickValue(*m_view, vin);
    auto spinBox = qobject_cast<QDoubleSpinBox*>(qtnGetInplaceEdit());
    QVERIFY(spinBox);
    QCOMPARE(spinBox->decimals(), 2);
    QCOMPARE(spinBox->singleStep(), 0.01);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(vin->value(), 47.3137);
    QCOMPARE(counter.did, 0);

    clickValue(*m_view, vin);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(vin->value(), 47.32);
    QCOMPARE(counter.did, 1);
}

void TestPropertyDelegates::unsignedBeyondIntRange()
{
    auto big = new QtnPropertyUInt(m_set);
    big->setName(QStringLiteral("Big"));
    big->setValue(4294967290u);
    show();

    QVERIFY(m_view->setActiveProperty(big));
    // A digit typed on the row starts the editor with that digit.
    QTest::keyClick(m_view, Qt::Key_4);
    auto spinBox = qobject_cast<QtnSpinBoxUnsigned*>(qtnGetInplaceEdit());
    QVERIFY(spinBox);
    QCOMPARE(spinBox->findChild<QLineEdit*>()->text(), QStringLiteral("4"));
    spinBox->findChild<QLineEdit*>()->setText(QStringLiteral("4294967294"));
    for (int i = 0; i < 3; ++i)
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Up);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QCOMPARE(big->value(), 4294967295u);
}

void TestPropertyDelegates::buttonAndReset()
{
    auto button = new QtnPropertyButton(m_set);
    button->setName(QStringLiteral("Recalculate"));
    button->setDelegate(QtnPropertyDelegateInfo("Button", {{"title", QStringLiteral("Przelicz")}}));
    auto length = new QtnPropertyUInt(m_set);
    length->setName(QStringLiteral("UintLenght"));
    length->setValue(120);
    length->setResetCallback([](QtnPropertyBase& property) {
        static_cast<QtnPropertyUInt&>(property).setValue(50);
    });
    show();

    int clicks = 0;
    connect(button, &QtnPropertyButton::click, this, [&clicks] { ++clicks; });
    QRect buttonRect = m_view->propertyValueRect(button);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, buttonRect.center());
    QCOMPARE(clicks, 1);
    // Pressed on the button but released elsewhere: no click.
    QTest::mousePress(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, buttonRect.center());
    QTest::mouseRelease(m_view->viewport(), Qt::LeftButton, Qt::NoModifier,
                        m_view->propertyRowRect(length).center());
    QCOMPARE(clicks, 1);
    QVERIFY(m_view->setActiveProperty(button));
    QTest::keyClick(m_view, Qt::Key_Space);
    QTest::keyClick(m_view, Qt::Key_Return);
    QCOMPARE(clicks, 3);

    // The reset button sits at the right end of a resettable row.
    QRect row = m_view->propertyRowRect(length);
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, QPoint(row.right() - 4, row.center().y()));
    QCOMPARE(length->value(), 50u);
    QVERIFY(!qtnGetInplaceEdit());
}

void TestPropertyDelegates::compoundSubProperties_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("children");
    QTest::addColumn<QString>("valueText");

    QTest::newRow("rectangle") << "rect" << QStringList{"Left", "Top", "Width", "Height"} << "[10, 20, 30, 40]";
    QTest::newRow("flags") << "flags" << QStringList{"Read", "Write", "Exec"} << "Read | Exec";
    QTest::newRow("font") << "font"
                          << QStringList{"Family", "PointSize", "Bold", "Italic", "Underline", "Strikeout",
                                         "Kerning", "Antialiasing"}
                          << "[DejaVu Sans, 12]";
}

void TestPropertyDelegates::compoundSubProperties()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, children);
    QFETCH(QString, valueText);

    static const QtnEnumInfo access(QStringLiteral("Access"),
                                    {QtnEnumValueInfo(1, QStringLiteral("Read")),
                                     QtnEnumValueInfo(2, QStringLiteral("Write")),
                                     QtnEnumValueInfo(4, QStringLiteral("Exec"))});
    QtnPropertyBase* compound = nullptr;
    if (kind == "rect")
    {
        auto rect = new QtnPropertyQRect(m_set);
        rect->setValue(QRect(10, 20, 30, 40));
        compound = rect;
    }
    else if (kind == "flags")
    {
        auto flags = new QtnPropertyEnumFlags(m_set);
        flags->setEnumInfo(&access);
        flags->setValue(5);
        compound = flags;
    }
    else
    {
        auto font = new QtnPropertyQFont(m_set);
        font->setValue(QFont(QStringLiteral("DejaVu Sans"), 12));
        compound = font;
    }
    compound->setName(QStringLiteral("Compound"));
    compound->addState(QtnPropertyStateImmutable);
    show();

    auto delegate = dynamic_cast<QtnPropertyDelegateWithValue*>(m_view->delegateOf(compound));
    QVERIFY(delegate);
    QCOMPARE(delegate->valueText(), valueText);
    QCOMPARE(delegate->subPropertyCount(), children.size());
    QCOMPARE(m_view->rowCount(), 1);   // single properties start collapsed
    QVERIFY(m_view->setActiveProperty(compound));
    QTest::keyClick(m_view, Qt::Key_Right);
    QCOMPARE(m_view->rowCount(), 1 + children.size());
    for (int i = 0; i < children.size(); ++i)
    {
        QtnPropertyBase* sub = m_view->propertyAtRow(1 + i);
        QCOMPARE(sub->name(), children[i]);
        QCOMPARE(m_view->rowLevel(1 + i), 1);
        QVERIFY(!sub->isEditable());   // greyed with its read-only master
    }

    // Editing a sub-row writes the compound value.
    compound->removeState(QtnPropertyStateImmutable);
    QtnPropertyBase* second = m_view->propertyAtRow(2);
    QVERIFY(second->isEditable());
    QVERIFY(second->fromStr(kind == "font" ? QStringLiteral("20") : QStringLiteral("True")) || kind == "rect");
    if (kind == "rect")
    {
        QVERIFY(second->fromStr(QStringLiteral("25")));
        QCOMPARE(static_cast<QtnPropertyQRect*>(compound)->value(), QRect(10, 25, 30, 35));
    }
    else if (kind == "flags")
        QCOMPARE(static_cast<QtnPropertyEnumFlags*>(compound)->value(), 7);
    else
        QCOMPARE(static_cast<QtnPropertyQFont*>(compound)->value().pointSize(), 20);
}

void TestPropertyDelegates::colourAttributes_data()
{
    QTest::addColumn<QVariant>("shape");
    QTest::addColumn<int>("expectedShape");
    QTest::addColumn<bool>("rgb");

    QTest::newRow("project colours: square") << QVariant(2) << 2 << false;
    QTest::newRow("no swatch") << QVariant(1) << 1 << false;
    QTest::newRow("round with components") << QVariant(3) << 3 << true;
    QTest::newRow("out of range keeps the default") << QVariant(7) << 2 << false;
    QTest::newRow("not a number keeps the default") << QVariant(QStringLiteral("round")) << 2 << false;
}

void TestPropertyDelegates::colourAttributes()
{
    QFETCH(QVariant, shape);
    QFETCH(int, expectedShape);
    QFETCH(bool, rgb);

    auto color = new QtnPropertyQColor(m_set);
    color->setName(QStringLiteral("ColorPD"));
    color->setValue(QColor(10, 20, 30));
    color->setDelegateCallback([shape, rgb] {
        QtnPropertyDelegateAttributes attributes;
        attributes.insert("shape", shape);
        attributes.insert("rgbSubItems", rgb);
        return new QtnPropertyDelegateInfo(QByteArray(), attributes);
    });
    show();

    auto delegate = dynamic_cast<QtnPropertyDelegateQColor*>(m_view->delegateOf(color));
    QVERIFY(delegate);
    QCOMPARE(int(delegate->shape()), expectedShape);
    QCOMPARE(delegate->valueText(), QStringLiteral("#0a141e"));
    QCOMPARE(delegate->subPropertyCount(), rgb ? 3 : 0);
    if (!rgb)
        return;
    QtnPropertyBase* green = delegate->subProperty(1);
    QCOMPARE(green->name(), QStringLiteral("Green"));
    QVERIFY(green->fromStr(QStringLiteral("255")));
    QCOMPARE(color->value(), QColor(10, 255, 30));
}

void TestPropertyDelegates::boolComboLabels()
{
    auto flag = new QtnPropertyBool(m_set);
    flag->setName(QStringLiteral("Backup"));
    QtnPropertyDelegateAttributes attributes;
    attributes.insert("labelFalse", QStringLiteral("nie"));
    attributes.insert("labelTrue", QStringLiteral("tak"));
    flag->setDelegate(QtnPropertyDelegateInfo("ComboBox", attributes));
    show();

    auto delegate = dynamic_cast<QtnPropertyDelegateBoolCombobox*>(m_view->delegateOf(flag));
    QVERIFY(delegate);
    QCOMPARE(delegate->valueText(), QStringLiteral("nie"));
    clickValue(*m_view, flag);
    auto comboBox = qobject_cast<QComboBox*>(qtnGetInplaceEdit());
    QVERIFY(comboBox);
    QCOMPARE(comboBox->itemText(1), QStringLiteral("tak"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Down);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    QVERIFY(flag->value());
    QCOMPARE(delegate->valueText(), QStringLiteral("tak"));
}

void TestPropertyDelegates::fileDialogHook()
{
    auto path = new QtnPropertyQString(m_set);
    path->setName(QStringLiteral("Logo"));
    QtnPropertyDelegateAttributes attributes;
    attributes.insert("nameFilter", QStringLiteral("Plik obrazu (*.bmp *.png)"));
    attributes.insert("fileMode", int(QFileDialog::ExistingFile));
    path->setDelegate(QtnPropertyDelegateInfo("File", attributes));
    show();

    QtnFileDialogOptions seen;
    QtnPropertyDialogs::getFileNames = [&seen](const QString&, const QtnFileDialogOptions& options, QWidget*,
                                               const QString&) {
        seen = options;
        return QStringList{QStringLiteral("/tmp/logo.png")};
    };
    clickValue(*m_view, path);
    auto editor = qobject_cast<QtnLineEditBttn*>(qtnGetInplaceEdit());
    QVERIFY(editor);
    QTest::mouseClick(editor->toolButton(), Qt::LeftButton);
    QCOMPARE(seen.nameFilter, QStringLiteral("Plik obrazu (*.bmp *.png)"));
    QCOMPARE(seen.fileMode, QFileDialog::ExistingFile);
    QVERIFY(!qtnGetInplaceEdit());
    QCOMPARE(path->value(), QStringLiteral("/tmp/logo.png"));
}

void TestPropertyDelegates::branchNodeToolTip()
{
    auto sub = new QtnPropertySet(m_set);
    sub->setName(QStringLiteral("Advanced"));
    auto child = new QtnPropertyDouble(sub);
    child->setName(QStringLiteral("Resistance"));
    sub->addState(QtnPropertyStateCollapsed);
    show();

    QRect row = m_view->propertyRowRect(sub);
    QPoint node(m_view->itemHeight() / 2, row.center().y());
    auto toolTipAt = [this](const QPoint& pos) {
        QHelpEvent help(QEvent::ToolTip, pos, m_view->viewport()->mapToGlobal(pos));
        QApplication::sendEvent(m_view->viewport(), &help);
        return QToolTip::text();
    };
    QCOMPARE(toolTipAt(node), QStringLiteral("Click to expand"));
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, node);
    QCOMPARE(m_view->rowCount(), 2);
    QCOMPARE(toolTipAt(node), QStringLiteral("Click to collapse"));
    // A real double-click is a click and a double-click event: it toggles twice.
    QTest::mouseClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, node);
    QCOMPARE(m_view->rowCount(), 1);
    QTest::mouseDClick(m_view->viewport(), Qt::LeftButton, Qt::NoModifier, node);
    QCOMPARE(m_view->rowCount(), 2);
}

QTEST_MAIN(TestPropertyDelegates)
#include "tst_propertydelegates.moc"
