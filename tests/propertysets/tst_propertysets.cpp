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
        return new QtnPropertySetProject();
    }

    // "min..max/step" of a numeric property, "-" for any other.
    template <typename P>
    static bool range(const QtnPropertyBase* property, QString* text)
    {
        auto* p = qobject_cast<const P*>(property);
        if (p)
            *text = QStringLiteral("%1..%2/%3").arg(p->minValue()).arg(p->maxValue()).arg(p->stepValue());
        return p;
    }

private Q_SLOTS:
    // One row per property: set|path|class|display name|description|range|default|state.
    // The tag carries the position among the siblings.
    void properties_data()
    {
        QTest::addColumn<QString>("row");
        QTest::addColumn<int>("siblings");
        const QString vin = QStringLiteral("|VIN [V]|Napięcie zasilania urządzenia, po uwzględnieniu spadku napięcia "
                                           "na przewodzie.|0..100/0.01|0|4");
        const QString loc = QStringLiteral("|Lokalizacja|QString|Lokalizacja|Fizyczna lokalizacja urządzenia na "
                                           "obiekcie. Przyjazna nazwa.|-|Lokalizacja|0");
        const QString bitrate = QStringLiteral("|Bitrate|Int|Bitrate [Kbps]|Strumień danych generowany przez "
                                               "urządzenie|1..131072/1|4096|0");
        const QString number = QStringLiteral("|Number|UInt|Numer|Numer urządzenia wyświetlany obok %1..., jeśli jest "
                                              "wpisane 0 to nie jest nic wyświetlane|0..100/1|0|0");
        const QString advanced = QStringLiteral("|Zaawansowane|Zaawansowane parametry urządzenia|-|-|12");
        QStringList rows = {
            "Camera|Name|QString|Nazwa|Przyjazna nazwa|-|Nazwa kamery|0",
            "Camera" + number.arg(QStringLiteral("K")),
            "Camera" + loc,
            "Camera|Model|Enum|Model kamery|Model Kamery|-|CAMERATYPE::custom|0",
            "Camera|Power|UInt|Moc [W]|Moc pobierana przez urządzenie|1..100/1|8|0",
            "Camera" + bitrate,
            "Camera|Vin|Double" + vin,
            "Camera|Advanced|SetSubPropertySetType" + advanced,
            "PD" + loc,
            "PD" + number.arg(QStringLiteral("PD")),
            "PD|Model|Enum|Model PD|Model punktu dystrybucyjnego|-|PDTYPE::custom|0",
            "PD|PC|Enum|PC|PC - Komputer osobisty|-|POWER::no|0",
            "PD|NVR|Enum|Rejestrator|Rejestrator NVR - network video recorder|-|POWER::no|0",
            "PD|SFP|Enum|SFP|Wkładka SFP|-|POWER::no|0",
            "PD" + bitrate,
            "PD|Power230|Enum|Zasilanie 230|Zasilanie 230V: TAK NIE|-|POWER::yes|0",
            "PD|Backup|Enum|Awaryjne zasilanie|Awaryjne podtrzymanie zasilania : TAK NIE |-|POWER::no|0",
            "PD|Calculate|Enum|Oblicz pojemność|Oblicz pojemność akumulatora na podstawie podanej wartości czasu "
            "pracy i sumy podłączonych obciążeń : TAK NIE |-|POWER::no|4",
            "PD|BatterySet|UInt|Pojemność akumulatora [Ah]|Podaj pojemność akumulatora [Ah]|0..1000/1|0|4",
            "PD|BatteryCount|UInt|Czas podtrzymania [h]|Wylicz pojemność akumulatora podając wymagany czas "
            "podtrzymania w godzinach.|0..1000/1|0|4",
            "PD|BoxType|Enum|Rodzaj obudowy|Określenie rodzaju obudowy|-|BOXTYPE::custom|0",
            "PD|Vout|UInt|VOUT [V]|Napięcie zasilania wyjściowe na slocie POE.|0..100/1|48|4",
            "PD|Vin|Double" + vin,
            "PD|AdvancedPD|Settest" + advanced,
            "PD|AdvancedPD.OutBitrate|UInt|Bitrate [Kbps]|Przepustowość urządzenia wyliczona po podstawie sumy "
            "podłączonych urządzeń|0..4294967295/1|0|12",
            "PD|AdvancedPD.OutPower|UInt|Moc obciążeń [W]|Moc na wyjściu urządzenia wyliczona na podstawie sumy "
            "podłączonych urządzeń|0..4294967295/1|0|12",
            "PD|Storage|Double|Archiwum rejestratora [TB]|Pojemność dysków potrzebna rejestratorowi na nagrania "
            "jego kamer przy ustawieniach archiwizacji projektu.|0..1.79769e+308/0.01|0|4",
            "Wire|Model|Enum|Typ |Typ przewodu|-|WIRETYPE::custom|0",
            "Wire|UintLenght|UInt|Długość przewodu [m]|Długość przewodu w metrach [1, 200].|1..200/1|50|0",
            "Project|Name|QString|Nazwa inwestycji|Nazwa inwestycji.|-|inwestycja 1|0",
            "Project|Address|QString|Adres|Adres inwestycji|-|adres 1|0",
            "Project|Comments|QString|Uwagi|Uwagi związane z inwestycją.|-|uwagi|0",
            "Project|CreateDate|QString|Utworzono|Data utworzenia projektu.|-|2017-01-01|4",
            "Project|ColorWires|QColor|Kolor połączeń|Color dla połączeń|-|#000000|0",
            "Project|ColorCameras|QColor|Kolor kamer|Kolor dla wszystkich kamer na schemacie|-|#000000|0",
            "Project|ColorPD|QColor|Kolor PD|Kolor dla wszystkich punktów dystrybucyjnych na schemacie|-|#000000|0",
            "Project|ArchiveDays|UInt|Dni archiwizacji|Liczba dni, przez które rejestrator przechowuje nagrania."
            "|1..3650/1|30|0",
            "Project|RecordingHours|UInt|Godzin nagrywania na dobę|Liczba godzin nagrywania w ciągu doby.|1..24/1|24|0",
            "Project|StorageReserve|UInt|Zapas [%]|Zapas pojemności dysków rejestratora ponad wyliczone archiwum."
            "|0..100/1|10|0",
        };
        const QStringList results = {
            "Resistance|Rezystacja [ohm]|Rezystacja przewodu zasilającego.",
            "PowerAvailable|Moc dostępna [W]|Moc dostępna dla urządzenia po uwzględnieniu strat na przewodzie.",
            "PowerLost|Moc tracona [W]|Moc tracona wynikająca z rezystancji przewodu i prądu obciążenia urządzenia.",
            "VoltageLoss|Spadek napięcia [V]|Spadek napięcia na przewodzie zasilającym.",
            "VoltageAvailable|Napięcie na odbiorniku [V]|Dostępne napięcie na odbiorniku."};
        for (const QString& sub : {QStringLiteral("Camera|Advanced."), QStringLiteral("PD|AdvancedPD.")}) {
            for (const QString& r : results)
                rows << sub + r.section('|', 0, 0) + "|Double|" + r.section('|', 1)
                            + "|-1.79769e+308..1.79769e+308/1|0|12";
        }
        // The walk covers every child: a parent has as many as it has rows.
        QHash<QString, int> positions;
        const auto parentOf = [](const QString& row) { return row.section('|', 0, 0) + row.section('|', 1, 1).section('.', 0, -2); };
        for (const QString& row : rows)
            positions[parentOf(row)]++;
        QHash<QString, int> seen;
        for (const QString& row : rows) {
            QTest::addRow("%s %d %s", qPrintable(row.section('|', 0, 0)), seen[parentOf(row)]++,
                          qPrintable(row.section('|', 1, 1)))
                << row << positions.value(parentOf(row));
        }
    }

    void properties()
    {
        QFETCH(QString, row);
        const QStringList f = row.split('|');
        QCOMPARE(f.size(), 8);
        QScopedPointer<QtnPropertySet> top(createSet(f.at(0)));
        QCOMPARE(top->name(), f.at(0));
        const QStringList parts = f.at(1).split('.');
        QtnPropertySet* parent = top.data();
        if (parts.size() == 2) {
            const QList<QtnPropertyBase*> found = top->findChildProperties(parts.at(0), Qt::FindDirectChildrenOnly);
            QCOMPARE(found.size(), 1);
            parent = found.first()->asPropertySet();
            QVERIFY(parent);
        }
        const int position = QString::fromLatin1(QTest::currentDataTag()).section(' ', 1, 1).toInt();
        QFETCH(int, siblings);
        QCOMPARE(parent->childProperties().size(), siblings);
        const QtnPropertyBase* property = parent->childProperties().at(position);
        QCOMPARE(property->name(), parts.last());
        QCOMPARE(QString::fromLatin1(property->metaObject()->className()), "QtnProperty" + f.at(2));
        QCOMPARE(property->displayName(), f.at(3));
        QCOMPARE(property->description(), f.at(4));
        QString text = QStringLiteral("-");
        (void)(range<QtnPropertyUInt>(property, &text) || range<QtnPropertyInt>(property, &text)
            || range<QtnPropertyDouble>(property, &text));
        QCOMPARE(text, f.at(5));
        text = QStringLiteral("-");
        QVERIFY(property->asPropertySet() || property->toStr(text));
        QCOMPARE(text, f.at(6));
        QCOMPARE(int(property->state()), f.at(7).toInt());
    }

    // Every yes/no property of every set points at the one "POWER" list.
    void sharedEnumerations()
    {
        QtnPropertySetPD a;
        QCOMPARE(a.Backup.enumInfo(), &MoxEnums::power());
        QCOMPARE(QtnPropertySetPD().Power230.enumInfo(), &MoxEnums::power());
        QCOMPARE(QtnPropertySetWire().Model.enumInfo(), &MoxEnums::wireType());
        const QtnEnumInfo& power = MoxEnums::power();
        QCOMPARE(power.getVector().size(), 2);
        QCOMPARE(power.findByValue(1)->displayName(), QStringLiteral("nie"));
        QCOMPARE(power.findByValue(2)->displayName(), QStringLiteral("tak"));
        QVERIFY(!a.PC.setValue(0));
        QVERIFY(!a.PC.setValue(3));
        QVERIFY(a.PC.setValue(MoxEnums::Yes));
    }

    // What the user does, in order, then Backup Calculate BatterySet
    // BatteryCount and whether each is editable. "B" = BatterySet,
    // "C" = BatteryCount; 1 = nie, 2 = tak.
    void batteryRules_data()
    {
        QTest::addColumn<QString>("steps");
        QTest::addColumn<QString>("expected");
        QTest::newRow("new point: 230 tak, backup nie") << "" << "1 1 0 0 TFFF";
        QTest::newRow("230 nie") << "Power230=1" << "1 1 0 0 FFFF";
        // Making "Calculate" editable fires its rule, which greys out the time.
        QTest::newRow("backup tak, calculate nie") << "Backup=2" << "2 1 0 0 TTTF";
        QTest::newRow("capacity entered") << "Backup=2 B=40" << "2 1 40 0 TTTF";
        QTest::newRow("calculate tak zeroes the capacity") << "Backup=2 B=40 Calculate=2" << "2 2 0 0 TTFT";
        QTest::newRow("hours entered") << "Backup=2 Calculate=2 C=12" << "2 2 0 12 TTFT";
        QTest::newRow("calculate back to nie zeroes the hours") << "Backup=2 Calculate=2 C=12 Calculate=1"
                                                                << "2 1 0 0 TTTF";
        QTest::newRow("backup back to nie") << "Backup=2 B=40 Backup=1" << "1 1 0 0 TFFF";
        QTest::newRow("backup nie from calculate tak") << "Backup=2 Calculate=2 C=12 Backup=1" << "1 1 0 0 TFFF";
        // The mains rule sets "Backup", whose rule greys out "Calculate".
        QTest::newRow("230 nie with capacity 40") << "Backup=2 B=40 Power230=1" << "1 1 0 0 FFFF";
        // Three rules in a chain: "Calculate" falls back to nie.
        QTest::newRow("230 nie with calculate tak") << "Backup=2 Calculate=2 C=12 Power230=1" << "1 1 0 0 FFFF";
        QTest::newRow("230 back to tak") << "Backup=2 Power230=1 Power230=2" << "1 1 0 0 TFFF";
        QTest::newRow("230 tak again, backup tak, calculate tak") << "Power230=1 Power230=2 Backup=2 Calculate=2"
                                                                  << "2 2 0 0 TTFT";
    }

    void batteryRules()
    {
        QFETCH(QString, steps);
        QFETCH(QString, expected);
        QtnPropertySetPD pd;
        for (const QString& step : steps.split(' ', Qt::SkipEmptyParts)) {
            const QString key = step.section('=', 0, 0);
            const int v = step.section('=', 1).toInt();
            const bool set = key == "B"   ? pd.BatterySet.setValue(quint32(v))
                             : key == "C" ? pd.BatteryCount.setValue(quint32(v))
                                          : (key == "Power230" ? pd.Power230
                                                               : key == "Backup" ? pd.Backup : pd.Calculate)
                                                .setValue(v);
            QVERIFY2(set, qPrintable(step));
        }
        QString state = QStringLiteral("%1 %2 %3 %4 ")
                            .arg(pd.Backup.value())
                            .arg(pd.Calculate.value())
                            .arg(pd.BatterySet.value())
                            .arg(pd.BatteryCount.value());
        const QtnPropertyBase* battery[] = {&pd.Backup, &pd.Calculate, &pd.BatterySet, &pd.BatteryCount};
        for (const QtnPropertyBase* p : battery)
            state += p->isEditable() ? 'T' : 'F';
        QCOMPARE(state, expected);
        QVERIFY(pd.Power230.isEditable());
    }

    // Every edit of the view arrives as a change of the top set; each forced
    // value is announced there once.
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
        changes.sort();
        QCOMPARE(changes, QStringList({"Backup", "BatteryCount", "Calculate", "Power230"}));
    }

    void copyValuesWithMask()
    {
        QtnPropertySetPD source;
        source.Lokalizacja.setValue(QStringLiteral("Hala B"));
        source.Backup.setValue(MoxEnums::Yes);
        source.BatterySet.setValue(40);
        source.Vout.setValue(24);
        source.Vin.setValue(45.5);
        source.AdvancedPD.Resistance.setValue(4.38);
        source.Storage.setValue(3.5);

        QtnPropertySetPD target;
        QVERIFY(target.copyValues(&source, QtnPropertyStateImmutable));
        QCOMPARE(target.Lokalizacja.value(), QStringLiteral("Hala B"));
        QCOMPARE(target.BatterySet.value(), 40u);
        // Read-only in the source: left as they were.
        QCOMPARE(target.Vout.value(), 48u);
        QCOMPARE(target.Vin.value(), 0.0);
        QCOMPARE(target.AdvancedPD.Resistance.value(), 0.0);
        QCOMPARE(target.Storage.value(), 0.0);
        QVERIFY(!target.BatteryCount.isEditable());

        QtnPropertySetPD all;
        QVERIFY(all.copyValues(&source));
        QCOMPARE(all.Vout.value(), 24u);
        QCOMPARE(all.AdvancedPD.Resistance.value(), 4.38);
        QCOMPARE(all.Storage.value(), 3.5);

        QtnPropertySetProject project;
        project.CreateDate.setValue(QStringLiteral("2024-05-01"));
        project.ColorPD.setValue(QColor(200, 0, 0));
        project.StorageReserve.setValue(25);
        QtnPropertySetProject masked;
        QVERIFY(masked.copyValues(&project, QtnPropertyStateImmutable));
        QCOMPARE(masked.CreateDate.value(), QStringLiteral("2017-01-01"));
        QCOMPARE(masked.ColorPD.value(), QColor(200, 0, 0));
        QCOMPARE(masked.StorageReserve.value(), 25u);

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

        QtnPropertySetPD assigned;
        assigned = source;
        QVERIFY(!assigned.BatterySet.isEditable() && assigned.BatteryCount.value() == 6u);
    }

    void projectColourDelegates()
    {
        QtnPropertySetProject project;
        for (QtnPropertyQColor* colour : {&project.ColorWires, &project.ColorCameras, &project.ColorPD}) {
            const QtnPropertyDelegateInfo* info = colour->delegate();
            QVERIFY(info && info->name.isEmpty());
            QCOMPARE(info->attributes.size(), 1);
            QCOMPARE(info->attributes.value("shape"), QVariant(2));
        }
        QVERIFY(!project.Name.delegate());
    }
};

QTEST_GUILESS_MAIN(TestPropertySets)
#include "tst_propertysets.moc"
