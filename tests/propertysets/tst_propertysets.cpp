#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetproject.h"
#include "propertysets/qtnpropertysetwire.h"

#include <QScopedPointer>
#include <QtTest>

// The camera, distribution-point, wire and project sets: their properties,
// the battery rules of a distribution point, and copying.
class TestPropertySets : public QObject
{
    Q_OBJECT

private:
    static QtnPropertySet* createSet(const QString& kind)
    {
        if (kind == QLatin1String("Camera"))
            return new QtnPropertySetCamera();
        if (kind == QLatin1String("PD"))
            return new QtnPropertySetPD();
        if (kind == QLatin1String("Wire"))
            return new QtnPropertySetWire();
        if (kind == QLatin1String("Project"))
            return new QtnPropertySetProject();
        return nullptr;
    }

    // "min..max/step" of a numeric property, "-" for any other.
    static QString rangeText(const QtnPropertyBase* property)
    {
        if (auto* p = qobject_cast<const QtnPropertyUInt*>(property))
            return QStringLiteral("%1..%2/%3").arg(p->minValue()).arg(p->maxValue()).arg(p->stepValue());
        if (auto* p = qobject_cast<const QtnPropertyInt*>(property))
            return QStringLiteral("%1..%2/%3").arg(p->minValue()).arg(p->maxValue()).arg(p->stepValue());
        if (auto* p = qobject_cast<const QtnPropertyDouble*>(property))
            return QStringLiteral("%1..%2/%3").arg(p->minValue()).arg(p->maxValue()).arg(p->stepValue());
        return QStringLiteral("-");
    }

    static QString valueText(const QtnPropertyBase* property)
    {
        if (property->asPropertySet())
            return QStringLiteral("-");
        QString text;
        return property->toStr(text) ? text : QStringLiteral("?");
    }

    struct Battery {
        int backup;
        int calculate;
        uint batterySet;
        uint batteryCount;
        bool backupEditable;
        bool calculateEditable;
        bool batterySetEditable;
        bool batteryCountEditable;
    };

    static Battery battery(const QtnPropertySetPD& pd)
    {
        return {pd.Backup.value(),          pd.Calculate.value(),        pd.BatterySet.value(),
                pd.BatteryCount.value(),    pd.Backup.isEditable(),      pd.Calculate.isEditable(),
                pd.BatterySet.isEditable(), pd.BatteryCount.isEditable()};
    }

private Q_SLOTS:
    void properties_data()
    {
        QTest::addColumn<QString>("set");
        QTest::addColumn<QString>("path");
        QTest::addColumn<QString>("className");
        QTest::addColumn<QString>("displayName");
        QTest::addColumn<QString>("description");
        QTest::addColumn<QString>("range");
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("state");

        const QString uintAll = QStringLiteral("0..4294967295/1");
        const QString doubleAll = QStringLiteral("-1.79769e+308..1.79769e+308/1");
        const QString location = QStringLiteral("Fizyczna lokalizacja urządzenia na obiekcie. Przyjazna nazwa.");
        const QString vin = QStringLiteral("Napięcie zasilania urządzenia, po uwzględnieniu spadku napięcia na przewodzie.");
        const QString stream = QStringLiteral("Strumień danych generowany przez urządzenie");
        const QString advanced = QStringLiteral("Zaawansowane parametry urządzenia");
        struct Row {
            const char* set;
            const char* path;
            const char* className;
            QString displayName;
            QString description;
            QString range;
            QString value;
            int state;
        };
        const auto supplyWire = [&](const char* set, const char* sub, int first) {
            const QList<QPair<QString, QPair<QString, QString>>> results = {
                {"Resistance", {"Rezystacja [ohm]", "Rezystacja przewodu zasilającego."}},
                {"PowerAvailable", {"Moc dostępna [W]", "Moc dostępna dla urządzenia po uwzględnieniu strat na przewodzie."}},
                {"PowerLost", {"Moc tracona [W]", "Moc tracona wynikająca z rezystancji przewodu i prądu obciążenia urządzenia."}},
                {"VoltageLoss", {"Spadek napięcia [V]", "Spadek napięcia na przewodzie zasilającym."}},
                {"VoltageAvailable", {"Napięcie na odbiorniku [V]", "Dostępne napięcie na odbiorniku."}}};
            for (int i = 0; i < results.size(); ++i) {
                const QString path = QStringLiteral("%1.%2").arg(QLatin1String(sub), results.at(i).first);
                QTest::addRow("%s %d %s", set, first + i, qPrintable(path))
                    << QString(set) << path << "QtnPropertyDouble" << results.at(i).second.first
                    << results.at(i).second.second << doubleAll << "0" << 12;
            }
        };

        const QList<Row> camera = {
            {"Camera", "Name", "QtnPropertyQString", "Nazwa", "Przyjazna nazwa", "-", "Nazwa kamery", 0},
            {"Camera", "Number", "QtnPropertyUInt", "Numer",
             "Numer urządzenia wyświetlany obok K..., jeśli jest wpisane 0 to nie jest nic wyświetlane", "0..100/1", "0", 0},
            {"Camera", "Lokalizacja", "QtnPropertyQString", "Lokalizacja", location, "-", "Lokalizacja", 0},
            {"Camera", "Model", "QtnPropertyEnum", "Model kamery", "Model Kamery", "-", "CAMERATYPE::custom", 0},
            {"Camera", "Power", "QtnPropertyUInt", "Moc [W]", "Moc pobierana przez urządzenie", "1..100/1", "8", 0},
            {"Camera", "Bitrate", "QtnPropertyInt", "Bitrate [Kbps]", stream, "1..131072/1", "4096", 0},
            {"Camera", "Vin", "QtnPropertyDouble", "VIN [V]", vin, "0..100/0.01", "0", 4},
            {"Camera", "Advanced", "QtnPropertySetSubPropertySetType", "Zaawansowane", advanced, "-", "-", 12},
        };
        const QList<Row> pd = {
            {"PD", "Lokalizacja", "QtnPropertyQString", "Lokalizacja", location, "-", "Lokalizacja", 0},
            {"PD", "Number", "QtnPropertyUInt", "Numer",
             "Numer urządzenia wyświetlany obok PD..., jeśli jest wpisane 0 to nie jest nic wyświetlane", "0..100/1", "0", 0},
            {"PD", "Model", "QtnPropertyEnum", "Model PD", "Model punktu dystrybucyjnego", "-", "PDTYPE::custom", 0},
            {"PD", "PC", "QtnPropertyEnum", "PC", "PC - Komputer osobisty", "-", "POWER::no", 0},
            {"PD", "NVR", "QtnPropertyEnum", "Rejestrator", "Rejestrator NVR - network video recorder", "-", "POWER::no", 0},
            {"PD", "SFP", "QtnPropertyEnum", "SFP", "Wkładka SFP", "-", "POWER::no", 0},
            {"PD", "Bitrate", "QtnPropertyInt", "Bitrate [Kbps]", stream, "1..131072/1", "4096", 0},
            {"PD", "Power230", "QtnPropertyEnum", "Zasilanie 230", "Zasilanie 230V: TAK NIE", "-", "POWER::yes", 0},
            {"PD", "Backup", "QtnPropertyEnum", "Awaryjne zasilanie", "Awaryjne podtrzymanie zasilania : TAK NIE ", "-",
             "POWER::no", 0},
            {"PD", "Calculate", "QtnPropertyEnum", "Oblicz pojemność",
             "Oblicz pojemność akumulatora na podstawie podanej wartości czasu pracy i sumy podłączonych obciążeń : TAK NIE ",
             "-", "POWER::no", 4},
            {"PD", "BatterySet", "QtnPropertyUInt", "Pojemność akumulatora [Ah]", "Podaj pojemność akumulatora [Ah]",
             "0..1000/1", "0", 4},
            {"PD", "BatteryCount", "QtnPropertyUInt", "Czas podtrzymania [h]",
             "Wylicz pojemność akumulatora podając wymagany czas podtrzymania w godzinach.", "0..1000/1", "0", 4},
            {"PD", "BoxType", "QtnPropertyEnum", "Rodzaj obudowy", "Określenie rodzaju obudowy", "-", "BOXTYPE::custom", 0},
            {"PD", "Vout", "QtnPropertyUInt", "VOUT [V]", "Napięcie zasilania wyjściowe na slocie POE.", "0..100/1", "48", 4},
            {"PD", "Vin", "QtnPropertyDouble", "VIN [V]", vin, "0..100/0.01", "0", 4},
            {"PD", "AdvancedPD", "QtnPropertySettest", "Zaawansowane", advanced, "-", "-", 12},
        };
        const QList<Row> wire = {
            {"Wire", "Model", "QtnPropertyEnum", "Typ ", "Typ przewodu", "-", "WIRETYPE::custom", 0},
            {"Wire", "UintLenght", "QtnPropertyUInt", "Długość przewodu [m]", "Długość przewodu w metrach [1, 200].",
             "1..200/1", "50", 0},
        };
        const QList<Row> project = {
            {"Project", "Name", "QtnPropertyQString", "Nazwa inwestycji", "Nazwa inwestycji.", "-", "inwestycja 1", 0},
            {"Project", "Address", "QtnPropertyQString", "Adres", "Adres inwestycji", "-", "adres 1", 0},
            {"Project", "Comments", "QtnPropertyQString", "Uwagi", "Uwagi związane z inwestycją.", "-", "uwagi", 0},
            {"Project", "CreateDate", "QtnPropertyQString", "Utworzono", "Data utworzenia projektu.", "-", "2017-01-01", 4},
            {"Project", "ColorWires", "QtnPropertyQColor", "Kolor połączeń", "Color dla połączeń", "-", "#000000", 0},
            {"Project", "ColorCameras", "QtnPropertyQColor", "Kolor kamer", "Kolor dla wszystkich kamer na schemacie", "-",
             "#000000", 0},
            {"Project", "ColorPD", "QtnPropertyQColor", "Kolor PD",
             "Kolor dla wszystkich punktów dystrybucyjnych na schemacie", "-", "#000000", 0},
        };
        for (const QList<Row>* rows : {&camera, &pd, &wire, &project}) {
            for (int i = 0; i < rows->size(); ++i) {
                const Row& r = rows->at(i);
                QTest::addRow("%s %d %s", r.set, i, r.path)
                    << QString(r.set) << QString(r.path) << QString(r.className) << r.displayName << r.description
                    << r.range << r.value << r.state;
            }
        }
        supplyWire("Camera", "Advanced", 0);
        QTest::addRow("PD 0 AdvancedPD.OutBitrate")
            << "PD" << "AdvancedPD.OutBitrate" << "QtnPropertyUInt" << "Bitrate [Kbps]"
            << "Przepustowość urządzenia wyliczona po podstawie sumy podłączonych urządzeń" << uintAll << "0" << 12;
        QTest::addRow("PD 1 AdvancedPD.OutPower")
            << "PD" << "AdvancedPD.OutPower" << "QtnPropertyUInt" << "Moc obciążeń [W]"
            << "Moc na wyjściu urządzenia wyliczona na podstawie sumy podłączonych urządzeń" << uintAll << "0" << 12;
        supplyWire("PD", "AdvancedPD", 2);
    }

    // Walks each set in order: the row number in the tag is the position
    // among its siblings.
    void properties()
    {
        QFETCH(QString, set);
        QFETCH(QString, path);
        QFETCH(QString, className);
        QFETCH(QString, displayName);
        QFETCH(QString, description);
        QFETCH(QString, range);
        QFETCH(QString, value);
        QFETCH(int, state);

        QScopedPointer<QtnPropertySet> top(createSet(set));
        QVERIFY(top);
        QCOMPARE(top->name(), set);
        const QStringList parts = path.split(QLatin1Char('.'));
        QtnPropertySet* parent = top.data();
        if (parts.size() == 2) {
            const QList<QtnPropertyBase*> found = top->findChildProperties(parts.at(0), Qt::FindDirectChildrenOnly);
            QCOMPARE(found.size(), 1);
            parent = found.first()->asPropertySet();
            QVERIFY(parent);
        }
        const int position = QString::fromLatin1(QTest::currentDataTag()).section(QLatin1Char(' '), 1, 1).toInt();
        QVERIFY(position < parent->childProperties().size());
        const QtnPropertyBase* property = parent->childProperties().at(position);
        QCOMPARE(property->name(), parts.last());
        QCOMPARE(QString::fromLatin1(property->metaObject()->className()), className);
        QCOMPARE(property->displayName(), displayName);
        QCOMPARE(property->description(), description);
        QCOMPARE(rangeText(property), range);
        QCOMPARE(valueText(property), value);
        QCOMPARE(int(property->state()), state);
    }

    void childCounts()
    {
        QCOMPARE(QtnPropertySetCamera().childProperties().size(), 8);
        QCOMPARE(QtnPropertySetCamera().Advanced.childProperties().size(), 5);
        QCOMPARE(QtnPropertySetPD().childProperties().size(), 16);
        QCOMPARE(QtnPropertySetPD().AdvancedPD.childProperties().size(), 7);
        QCOMPARE(QtnPropertySetWire().childProperties().size(), 2);
        QCOMPARE(QtnPropertySetProject().childProperties().size(), 7);
    }

    void sharedEnumerations()
    {
        QtnPropertySetPD a;
        QtnPropertySetPD b;
        QtnPropertySetCamera camera;
        QtnPropertySetWire wire;
        QCOMPARE(a.Backup.enumInfo(), &MoxEnums::power());
        QCOMPARE(b.Power230.enumInfo(), &MoxEnums::power());
        QCOMPARE(a.Model.enumInfo(), &MoxEnums::pdType());
        QCOMPARE(a.BoxType.enumInfo(), &MoxEnums::boxType());
        QCOMPARE(camera.Model.enumInfo(), &MoxEnums::cameraType());
        QCOMPARE(wire.Model.enumInfo(), &MoxEnums::wireType());

        const QtnEnumInfo& power = MoxEnums::power();
        QCOMPARE(power.getVector().size(), 2);
        QCOMPARE(power.findByValue(1)->displayName(), QStringLiteral("nie"));
        QCOMPARE(power.findByValue(2)->displayName(), QStringLiteral("tak"));
        QVERIFY(!power.findByValue(0));
        for (const QtnEnumInfo* list : {&MoxEnums::boxType(), &MoxEnums::pdType(), &MoxEnums::cameraType()}) {
            QCOMPARE(list->getVector().size(), 1);
            QCOMPARE(list->findByValue(0)->name(), QStringLiteral("custom"));
            QCOMPARE(list->findByValue(0)->displayName(), QStringLiteral("Nie określono"));
        }
        // A yes/no property refuses anything but 1 and 2.
        QVERIFY(!a.PC.setValue(0));
        QVERIFY(!a.PC.setValue(3));
        QVERIFY(a.PC.setValue(MoxEnums::Yes));
    }

    // Each row: what the user does, in order, then the battery properties.
    // "B" = BatterySet, "C" = BatteryCount; 1 = nie, 2 = tak.
    void batteryRules_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QList<int>>("values");     // Backup, Calculate, BatterySet, BatteryCount
        QTest::addColumn<QList<bool>>("editable");  // same order

        QTest::newRow("new point: 230 tak, backup nie")
            << QStringList{} << QList<int>{1, 1, 0, 0} << QList<bool>{true, false, false, false};
        QTest::newRow("230 nie")
            << QStringList{"Power230=1"} << QList<int>{1, 1, 0, 0} << QList<bool>{false, false, false, false};
        // Making "Calculate" editable fires rule 3, which greys out the time.
        QTest::newRow("backup tak, calculate nie")
            << QStringList{"Backup=2"} << QList<int>{2, 1, 0, 0} << QList<bool>{true, true, true, false};
        QTest::newRow("capacity entered")
            << QStringList{"Backup=2", "B=40"} << QList<int>{2, 1, 40, 0} << QList<bool>{true, true, true, false};
        QTest::newRow("calculate tak zeroes the capacity")
            << QStringList{"Backup=2", "B=40", "Calculate=2"} << QList<int>{2, 2, 0, 0}
            << QList<bool>{true, true, false, true};
        QTest::newRow("hours entered")
            << QStringList{"Backup=2", "Calculate=2", "C=12"} << QList<int>{2, 2, 0, 12}
            << QList<bool>{true, true, false, true};
        QTest::newRow("calculate back to nie zeroes the hours")
            << QStringList{"Backup=2", "Calculate=2", "C=12", "Calculate=1"} << QList<int>{2, 1, 0, 0}
            << QList<bool>{true, true, true, false};
        QTest::newRow("backup back to nie")
            << QStringList{"Backup=2", "B=40", "Backup=1"} << QList<int>{1, 1, 0, 0}
            << QList<bool>{true, false, false, false};
        QTest::newRow("backup nie from calculate tak")
            << QStringList{"Backup=2", "Calculate=2", "C=12", "Backup=1"} << QList<int>{1, 1, 0, 0}
            << QList<bool>{true, false, false, false};
        // Rule 1 sets "Backup", whose rule greys out "Calculate".
        QTest::newRow("230 nie with capacity 40")
            << QStringList{"Backup=2", "B=40", "Power230=1"} << QList<int>{1, 1, 0, 0}
            << QList<bool>{false, false, false, false};
        // Rule 1 -> rule 2 -> rule 3: "Calculate" falls back to nie.
        QTest::newRow("230 nie with calculate tak")
            << QStringList{"Backup=2", "Calculate=2", "C=12", "Power230=1"} << QList<int>{1, 1, 0, 0}
            << QList<bool>{false, false, false, false};
        QTest::newRow("230 back to tak")
            << QStringList{"Backup=2", "Power230=1", "Power230=2"} << QList<int>{1, 1, 0, 0}
            << QList<bool>{true, false, false, false};
        QTest::newRow("230 tak again, backup tak, calculate tak")
            << QStringList{"Power230=1", "Power230=2", "Backup=2", "Calculate=2"} << QList<int>{2, 2, 0, 0}
            << QList<bool>{true, true, false, true};
    }

    void batteryRules()
    {
        QFETCH(QStringList, steps);
        QFETCH(QList<int>, values);
        QFETCH(QList<bool>, editable);

        QtnPropertySetPD pd;
        for (const QString& step : steps) {
            const QString key = step.section(QLatin1Char('='), 0, 0);
            const int value = step.section(QLatin1Char('='), 1).toInt();
            if (key == QLatin1String("Power230"))
                QVERIFY(pd.Power230.setValue(value));
            else if (key == QLatin1String("Backup"))
                QVERIFY(pd.Backup.setValue(value));
            else if (key == QLatin1String("Calculate"))
                QVERIFY(pd.Calculate.setValue(value));
            else if (key == QLatin1String("B"))
                QVERIFY(pd.BatterySet.setValue(quint32(value)));
            else
                QVERIFY(pd.BatteryCount.setValue(quint32(value)));
        }
        const Battery b = battery(pd);
        QCOMPARE((QList<int>{b.backup, b.calculate, int(b.batterySet), int(b.batteryCount)}), values);
        QCOMPARE((QList<bool>{b.backupEditable, b.calculateEditable, b.batterySetEditable, b.batteryCountEditable}),
                 editable);
        QCOMPARE(pd.Power230.isEditable(), true);
    }

    // Every edit of the view arrives as a change of the top set; the rules
    // must not depend on who listens there.
    void rulesSignalThroughTheSet()
    {
        QtnPropertySetPD pd;
        QStringList changes;
        connect(&pd, &QtnPropertyBase::propertyDidChange, this,
                [&changes](const QtnPropertyBase* changed, const QtnPropertyBase*, QtnPropertyChangeReason reason) {
                    if (reason & QtnPropertyChangeReasonValue)
                        changes << changed->name();
                });
        pd.Backup.setValue(MoxEnums::Yes);
        pd.Calculate.setValue(MoxEnums::Yes);
        pd.BatteryCount.setValue(8);
        changes.clear();
        pd.Power230.setValue(MoxEnums::No);
        // Each forced value is announced once: Backup by rule 1, Calculate by
        // rule 2, the hours by whichever rule reached them first.
        QCOMPARE(changes.count(QStringLiteral("Power230")), 1);
        QCOMPARE(changes.count(QStringLiteral("Backup")), 1);
        QCOMPARE(changes.count(QStringLiteral("Calculate")), 1);
        QCOMPARE(changes.count(QStringLiteral("BatteryCount")), 1);
        QVERIFY(!changes.contains(QStringLiteral("BatterySet")));
    }

    void copyValuesWithMask()
    {
        QtnPropertySetPD source;
        source.Lokalizacja.setValue(QStringLiteral("Hala B"));
        source.Number.setValue(7);
        source.Bitrate.setValue(20000);
        source.Backup.setValue(MoxEnums::Yes);
        source.BatterySet.setValue(40);
        source.Vout.setValue(24);
        source.Vin.setValue(45.5);
        source.AdvancedPD.OutPower.setValue(77);
        source.AdvancedPD.Resistance.setValue(4.38);

        QtnPropertySetPD target;
        QVERIFY(target.copyValues(&source, QtnPropertyStateImmutable));
        QCOMPARE(target.Lokalizacja.value(), QStringLiteral("Hala B"));
        QCOMPARE(target.Number.value(), 7u);
        QCOMPARE(target.Bitrate.value(), 20000);
        QCOMPARE(target.Backup.value(), int(MoxEnums::Yes));
        QCOMPARE(target.BatterySet.value(), 40u);
        // Read-only in the source: left as they were.
        QCOMPARE(target.Vout.value(), 48u);
        QCOMPARE(target.Vin.value(), 0.0);
        QCOMPARE(target.AdvancedPD.OutPower.value(), 0u);
        QCOMPARE(target.AdvancedPD.Resistance.value(), 0.0);
        QCOMPARE(target.BatteryCount.isEditable(), false);

        QtnPropertySetPD all;
        QVERIFY(all.copyValues(&source));
        QCOMPARE(all.Vout.value(), 24u);
        QCOMPARE(all.Vin.value(), 45.5);
        QCOMPARE(all.AdvancedPD.OutPower.value(), 77u);
        QCOMPARE(all.AdvancedPD.Resistance.value(), 4.38);

        QtnPropertySetCamera camera;
        QVERIFY(!camera.copyValues(&source));
        QCOMPARE(camera.Lokalizacja.value(), QStringLiteral("Lokalizacja"));
    }

    // A copy gets the values and, through the rules, the matching states.
    void copyRestoresBatteryStates()
    {
        QtnPropertySetPD source;
        source.Backup.setValue(MoxEnums::Yes);
        source.Calculate.setValue(MoxEnums::Yes);
        source.BatteryCount.setValue(6);
        source.AdvancedPD.OutBitrate.setValue(12288);

        QScopedPointer<QtnPropertySet> copy(source.createCopy(nullptr));
        auto* pd = qobject_cast<QtnPropertySetPD*>(copy.data());
        QVERIFY(pd);
        QCOMPARE(pd->BatteryCount.value(), 6u);
        QCOMPARE(pd->AdvancedPD.OutBitrate.value(), 12288u);
        QVERIFY(pd->Calculate.isEditable());
        QVERIFY(!pd->BatterySet.isEditable());
        QVERIFY(pd->BatteryCount.isEditable());

        QScopedPointer<QtnPropertySet> fresh(source.createNew(nullptr));
        auto* blank = qobject_cast<QtnPropertySetPD*>(fresh.data());
        QVERIFY(blank);
        QCOMPARE(blank->Backup.value(), int(MoxEnums::No));
        QVERIFY(!blank->Calculate.isEditable());

        QtnPropertySetPD assigned;
        assigned = source;
        QCOMPARE(assigned.BatteryCount.value(), 6u);
        QVERIFY(!assigned.BatterySet.isEditable());
    }

    void copiesOfOtherSets()
    {
        QtnPropertySetCamera camera;
        camera.Name.setValue(QStringLiteral("K wjazd"));
        camera.Power.setValue(12);
        camera.Vin.setValue(47.25);
        camera.Advanced.VoltageLoss.setValue(0.75);
        QScopedPointer<QtnPropertySet> cameraCopy(camera.createCopy(nullptr));
        auto* c = qobject_cast<QtnPropertySetCamera*>(cameraCopy.data());
        QVERIFY(c);
        QCOMPARE(c->Name.value(), QStringLiteral("K wjazd"));
        QCOMPARE(c->Power.value(), 12u);
        QCOMPARE(c->Vin.value(), 47.25);
        QCOMPARE(c->Advanced.VoltageLoss.value(), 0.75);

        QtnPropertySetWire wire;
        wire.UintLenght.setValue(120);
        QtnPropertySetWire wireCopy;
        QVERIFY(wireCopy.copyValues(&wire, QtnPropertyStateImmutable));
        QCOMPARE(wireCopy.UintLenght.value(), 120u);

        QtnPropertySetProject project;
        project.Name.setValue(QStringLiteral("Parking"));
        project.CreateDate.setValue(QStringLiteral("2024-05-01"));
        project.ColorPD.setValue(QColor(200, 0, 0));
        QtnPropertySetProject masked;
        QVERIFY(masked.copyValues(&project, QtnPropertyStateImmutable));
        QCOMPARE(masked.Name.value(), QStringLiteral("Parking"));
        QCOMPARE(masked.CreateDate.value(), QStringLiteral("2017-01-01"));
        QCOMPARE(masked.ColorPD.value(), QColor(200, 0, 0));
        QtnPropertySetProject assigned;
        assigned = project;
        QCOMPARE(assigned.CreateDate.value(), QStringLiteral("2024-05-01"));
        QVERIFY(!masked.copyValues(&wire));
    }

    void projectColourDelegates()
    {
        QtnPropertySetProject project;
        for (QtnPropertyQColor* colour : {&project.ColorWires, &project.ColorCameras, &project.ColorPD}) {
            const QtnPropertyDelegateInfo* info = colour->delegate();
            QVERIFY(info);
            QVERIFY(info->name.isEmpty());
            QCOMPARE(info->attributes.size(), 1);
            QCOMPARE(info->attributes.value("shape"), QVariant(2));
            QCOMPARE(colour->value(), QColor(0, 0, 0, 255));
        }
        QVERIFY(!project.Name.delegate());
    }
};

QTEST_GUILESS_MAIN(TestPropertySets)
#include "tst_propertysets.moc"
