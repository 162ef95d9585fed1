#include "catalogue/catalogue.h"
#include "propertysets/moxenums.h"
#include "propertysets/qtnpropertysetcamera.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetwire.h"
#include "testcatalogue.h"

#include <QSqlQuery>
#include <QtTest>

// The model, enclosure and cable type lists built from the catalogue, the
// look-ups by name, and the bundled catalogue itself.
class TestCatalogueLists : public QObject
{
    Q_OBJECT

private:
    static QList<TestCatalogue::Camera> cameras(const QStringList& models)
    {
        QList<TestCatalogue::Camera> rows;
        for (const QString& model : models)
            rows.append({model, 7, 2048});
        return rows;
    }

    static QList<TestCatalogue::Pd> enclosures(const QStringList& boxtypes)
    {
        QList<TestCatalogue::Pd> rows;
        for (int i = 0; i < boxtypes.size(); ++i)
            rows.append({QStringLiteral("PD-%1").arg(i), boxtypes.at(i), 0, 5, 1, 60, 100000});
        return rows;
    }

    // "value:name:display" for every entry, both lists in order.
    static QStringList entries(const QtnPropertyEnum& property)
    {
        QStringList result;
        property.enumInfo()->forEachEnumValue([&result](const QtnEnumValueInfo& v) {
            result << QStringLiteral("%1:%2:%3").arg(v.value()).arg(v.name(), v.displayName());
            return true;
        });
        return result;
    }

    static void selectText(QtnPropertyEnum& property, const QString& text)
    {
        const QtnEnumValueInfo* entry = property.enumInfo()->findByDisplayName(text);
        QVERIFY2(entry, qPrintable(text));
        property.setValue(entry->value());
    }

    static QString selection(const QtnPropertyEnum& property)
    {
        return QStringLiteral("%1:%2").arg(property.value()).arg(Catalogue::displayText(property));
    }

private Q_SLOTS:
    void initTestCase()
    {
        qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    }

    // Runs first: the cable type list is shared by every wire of the process.
    void wireTypes()
    {
        TestCatalogue catalogue;
        QVERIFY(catalogue.create({}, {}, {}));
        QtnPropertySetWire first;
        Catalogue::refreshWireTypes(first.Model);
        QCOMPARE(entries(first.Model), QStringList{"0:custom:Nie określono"});

        QVERIFY(catalogue.create({}, {}, {"UTP kat.5E", "FTP kat.5E zewnętrzny"}));
        QtnPropertySetWire second;
        Catalogue::refreshWireTypes(second.Model);
        const QStringList two = {"0:custom:Nie określono", "3:cam3:UTP kat.5E", "4:cam4:FTP kat.5E zewnętrzny"};
        QCOMPARE(entries(second.Model), two);
        QCOMPARE(first.Model.enumInfo(), second.Model.enumInfo());
        QVERIFY(second.Model.setValue(4));

        // An empty table, or none at all, keeps what earlier wires found; a
        // new wire still starts at "Nie określono".
        QVERIFY(catalogue.create({}, {}, {}));
        QtnPropertySetWire third;
        QVERIFY(third.Model.setValue(3));
        Catalogue::refreshWireTypes(third.Model);
        QCOMPARE(entries(third.Model), two);
        QCOMPARE(third.Model.value(), 0);
        catalogue.simulateNoCatalogue();
        Catalogue::refreshWireTypes(second.Model);
        QCOMPARE(entries(second.Model), two);
        QCOMPARE(second.Model.value(), 0);
    }

    // Each row: the models, the one chosen, the models after the refresh,
    // then the selection and whether the chosen model went missing.
    void cameraRefresh_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<QString>("selection");
        QTest::addColumn<bool>("missing");

        QTest::newRow("kept after moving") << QStringList{"A", "B"} << "B" << QStringList{"X", "Y", "B"} << "5:B" << false;
        QTest::newRow("model removed") << QStringList{"A", "B"} << "B" << QStringList{"A", "C"} << "0:Nie określono"
                                       << true;
        QTest::newRow("case counts") << QStringList{"Kamera"} << "Kamera" << QStringList{"kamera"} << "0:Nie określono"
                                     << true;
        QTest::newRow("duplicate: the first") << QStringList{"A", "B"} << "B" << QStringList{"B", "A", "B"} << "3:B"
                                              << false;
        QTest::newRow("table emptied") << QStringList{"A"} << "A" << QStringList{} << "0:Nie określono" << true;
        QTest::newRow("Nie określono stays") << QStringList{"A"} << "Nie określono" << QStringList{"B"}
                                             << "0:Nie określono" << false;
        // An empty model is listed under its item name.
        QTest::newRow("empty model text") << QStringList{"A"} << "A" << QStringList{"", "A"} << "4:A" << false;
    }

    void cameraRefresh()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, chosen);
        QFETCH(QStringList, after);
        QFETCH(QString, selection);
        QFETCH(bool, missing);

        TestCatalogue catalogue;
        QVERIFY(catalogue.create(cameras(before), {}, {}));
        QtnPropertySetCamera camera;
        bool modelMissing = false;
        QString toolTip = QStringLiteral("poprzednia podpowiedź");
        Catalogue::refreshCameraModels(camera.Model, &modelMissing, &toolTip);
        QCOMPARE(camera.Model.enumInfo()->name(), QStringLiteral("CAMERATYPE"));
        selectText(camera.Model, chosen);
        // Each camera has its own list: refreshing one leaves the other alone.
        QtnPropertySetCamera other;
        Catalogue::refreshCameraModels(other.Model, nullptr);
        const QStringList otherEntries = entries(other.Model);

        QVERIFY(catalogue.create(cameras(after), {}, {}));
        Catalogue::refreshCameraModels(camera.Model, &modelMissing, &toolTip);
        QCOMPARE(this->selection(camera.Model), selection);
        QCOMPARE(modelMissing, missing);
        // Camera lists have no value 1, so the tool tip is never touched.
        QCOMPARE(toolTip, QStringLiteral("poprzednia podpowiedź"));
        QStringList expected{"0:custom:Nie określono"};
        for (int i = 0; i < after.size(); ++i) {
            const QString name = QStringLiteral("cam%1").arg(3 + i);
            expected << QStringLiteral("%1:%2:%3").arg(3 + i).arg(name, after.at(i).isEmpty() ? name : after.at(i));
        }
        QCOMPARE(entries(camera.Model), expected);
        QCOMPARE(entries(other.Model), otherEntries);
        QCOMPARE(MoxEnums::cameraType().secondValues().size(), 0);
    }

    void noCatalogue()
    {
        TestCatalogue catalogue;
        QVERIFY(catalogue.create(cameras({"A"}), enclosures({"Wewnętrzna (IP20)"}), {}));
        QtnPropertySetCamera camera;
        QtnPropertySetPD pd;
        bool missing = false;
        Catalogue::refreshCameraModels(camera.Model, &missing);
        Catalogue::refreshBoxTypes(pd.BoxType);
        selectText(camera.Model, QStringLiteral("A"));
        selectText(pd.BoxType, QStringLiteral("Wewnętrzna (IP20)"));

        catalogue.simulateNoCatalogue();
        const QString absent = catalogue.database().databaseName();
        Catalogue::refreshCameraModels(camera.Model, &missing);
        Catalogue::refreshBoxTypes(pd.BoxType);
        QString toolTip = QStringLiteral("x");
        Catalogue::rebuildPdModels(pd.Model, QStringLiteral("select * from pd where power_backup = 0;"), &missing,
                                   &toolTip);
        for (const QtnPropertyEnum* list : {&camera.Model, &pd.BoxType, &pd.Model}) {
            QCOMPARE(entries(*list), QStringList{"0:custom:Nie określono"});
            QCOMPARE(list->value(), 0);
        }
        QVERIFY(missing);
        QCOMPARE(toolTip, QStringLiteral("x"));
        int power = -1;
        QVERIFY(!Catalogue::lookupCamera(QStringLiteral("A"), &power, nullptr));
        QCOMPARE(power, -1);
        QVERIFY(!Catalogue::hasRows(QLatin1String(Catalogue::CameraModelsStatement)));
        QVERIFY(!QFile::exists(absent));
    }

    void boxTypes()
    {
        TestCatalogue catalogue;
        QVERIFY(catalogue.create({}, enclosures({"A", "B", "A"}), {}));
        QtnPropertySetPD pd;
        Catalogue::refreshBoxTypes(pd.BoxType);
        QCOMPARE(pd.BoxType.enumInfo()->name(), QStringLiteral("BOXTYPE"));
        QCOMPARE(entries(pd.BoxType), QStringList({"0:custom:Nie określono", "3:boxtype3:A", "4:boxtype4:B"}));
        selectText(pd.BoxType, QStringLiteral("B"));

        // The statement groups, so the list comes sorted; "B" follows "A".
        QVERIFY(catalogue.create({}, enclosures({"C", "B", "A", "Ą"}), {}));
        Catalogue::refreshBoxTypes(pd.BoxType);
        QCOMPARE(selection(pd.BoxType), QStringLiteral("4:B"));
        QVERIFY(catalogue.create({}, enclosures({"C"}), {}));
        Catalogue::refreshBoxTypes(pd.BoxType);
        QCOMPARE(selection(pd.BoxType), QStringLiteral("0:Nie określono"));
    }

    // Inside a cache scope the enclosure and the camera-model statements run
    // once: cameras created in one scope share one answer. The answer is
    // dropped when the last scope ends, so a refresh after it (an import)
    // sees the new table.
    void cachesHoldWithinTheirScope()
    {
        TestCatalogue catalogue;
        QVERIFY(catalogue.create(cameras({"A"}), enclosures({"A"}), {}));
        QSqlQuery insert(catalogue.database());
        QtnPropertySetPD pd;
        {
            Catalogue::BoxTypeCache outer;
            Catalogue::refreshBoxTypes(pd.BoxType);
            QVERIFY(insert.exec(QStringLiteral("insert into pd (name, boxtype) values ('X', 'B')")));
            {
                Catalogue::BoxTypeCache inner;
                Catalogue::refreshBoxTypes(pd.BoxType);
            }
            Catalogue::refreshBoxTypes(pd.BoxType);
            QCOMPARE(entries(pd.BoxType).size(), 2);
        }
        Catalogue::refreshBoxTypes(pd.BoxType);
        QCOMPARE(entries(pd.BoxType), QStringList({"0:custom:Nie określono", "3:boxtype3:A", "4:boxtype4:B"}));

        QtnPropertySetCamera first;
        QtnPropertySetCamera second;
        {
            Catalogue::CameraModelCache outer;
            Catalogue::refreshCameraModels(first.Model, nullptr);
            QVERIFY(insert.exec(QStringLiteral("insert into camera (model, power, bitrate) values ('B', 5, 1024)")));
            {
                Catalogue::CameraModelCache inner;
                Catalogue::refreshCameraModels(second.Model, nullptr);
            }
            Catalogue::refreshCameraModels(second.Model, nullptr);
            QCOMPARE(entries(second.Model), QStringList({"0:custom:Nie określono", "3:cam3:A"}));
        }
        Catalogue::refreshCameraModels(second.Model, nullptr);
        QCOMPARE(entries(second.Model), QStringList({"0:custom:Nie określono", "3:cam3:A", "4:cam4:B"}));
    }

    // The model pass keeps a point's list when the fitting names are those
    // it holds, and then ends exactly where a rebuild would have.
    void pdModelsKeptOrRebuilt_data()
    {
        QTest::addColumn<QStringList>("before");
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QStringList>("after");
        QTest::addColumn<bool>("kept");
        QTest::addColumn<QString>("selected");
        QTest::newRow("same names") << QStringList{"A", "B"} << "B" << QStringList{"A", "B"} << true << "2:B";
        QTest::newRow("as many, another name") << QStringList{"A", "B"} << "B" << QStringList{"A", "C"} << false
                                               << "1:A";
        QTest::newRow("same names, other order") << QStringList{"A", "B"} << "B" << QStringList{"B", "A"} << false
                                                 << "1:B";
        QTest::newRow("one name more") << QStringList{"A"} << "A" << QStringList{"A", "B"} << false << "1:A";
        QTest::newRow("nothing fits any more") << QStringList{"A"} << "A" << QStringList() << false
                                               << "0:Nie określono";
        QTest::newRow("nothing fitted, nothing fits") << QStringList() << "" << QStringList() << true
                                                      << "0:Nie określono";
        QTest::newRow("a model without a name") << QStringList{""} << "pd1" << QStringList{""} << true << "1:pd1";
    }

    void pdModelsKeptOrRebuilt()
    {
        QFETCH(QStringList, before);
        QFETCH(QString, chosen);
        QFETCH(QStringList, after);
        QFETCH(bool, kept);
        QFETCH(QString, selected);
        QtnPropertySetPD updated;
        QtnPropertySetPD rebuilt;
        for (QtnPropertySetPD* pd : {&updated, &rebuilt}) {
            bool missing = false;
            Catalogue::setPdModels(pd->Model, before, &missing);
            if (!chosen.isEmpty())
                selectText(pd->Model, chosen);
        }
        const quint64 stamp = Catalogue::listStamp(updated.Model);
        bool missingUpdated = false, missingRebuilt = false;
        QString tipUpdated = QStringLiteral("tip"), tipRebuilt = QStringLiteral("tip");
        Catalogue::updatePdModels(updated.Model, after, Catalogue::displayText(updated.Model), &missingUpdated,
                                  &tipUpdated);
        Catalogue::setPdModels(rebuilt.Model, after, Catalogue::displayText(rebuilt.Model), &missingRebuilt,
                               &tipRebuilt);
        QCOMPARE(Catalogue::listStamp(updated.Model) == stamp, kept);
        QCOMPARE(selection(updated.Model), selected);
        QCOMPARE(entries(updated.Model), entries(rebuilt.Model));
        QCOMPARE(selection(updated.Model), selection(rebuilt.Model));
        QCOMPARE(missingUpdated, missingRebuilt);
        QCOMPARE(tipUpdated, tipRebuilt);
    }

    // The selection statement of a typical point run against the bundled
    // catalogue picks the smallest box that fits.
    void bundledSelection_data()
    {
        QTest::addColumn<QString>("statement");
        QTest::addColumn<QString>("first");
        const auto statement = [](int backup, int slotCount, const char* box, int mains, int power, int bitrate) {
            QString s = QStringLiteral("select * from pd where power_backup = %1 AND camera_slots >= \"%2\"")
                            .arg(backup)
                            .arg(slotCount);
            if (box)
                s += QStringLiteral(" AND boxtype = \"%1\"").arg(QString::fromUtf8(box));
            return s + QStringLiteral(" AND power230 = \"%1\" AND camera_total_power_max >= \"%2\" AND bitrate >= \"%3\";")
                           .arg(mains)
                           .arg(power)
                           .arg(bitrate);
        };
        const char* indoor = "Wewnętrzna (IP20)";
        // 4 cameras of 7 W and the uplink: 5 slots, 4 x 7 + 1 W.
        QTest::newRow("4 x 7 W indoor") << statement(0, 5, indoor, 1, 29, 16384) << "Hikvision DS-3E0105P-E/M";
        QTest::newRow("8 x 12 W indoor") << statement(0, 9, indoor, 1, 97, 32768) << "Dahua PFS3211-8GT-120";
        QTest::newRow("8 x 10 W outdoor backup") << statement(1, 9, "Zewnętrzna (IP65)", 1, 81, 32768)
                                                 << "PD-8/96/IP65/UPS";
        QTest::newRow("extender 7 x 5 W") << statement(0, 8, indoor, 0, 36, 14336) << "Ubiquiti USW-Ultra";
        QTest::newRow("24 x 8 W rack") << statement(0, 25, "Szafa RACK 19 cali", 1, 193, 98304) << "Dahua S3226-24ET-240";
        QTest::newRow("no enclosure asked") << statement(0, 17, nullptr, 1, 120, 65536) << "Hikvision DS-3E0318P-E/M";
        QTest::newRow("26 slots: none") << statement(0, 26, nullptr, 1, 0, 0) << "";
        // Quoted numbers compare as numbers: "9" would beat "17" as text.
        QTest::newRow("numeric compare") << statement(0, 9, indoor, 1, 130, 0) << "Netgear GS316PP";
    }

    void bundledSelection()
    {
        QFETCH(QString, statement);
        QFETCH(QString, first);
        TestCatalogue catalogue;
        QVERIFY2(catalogue.createBundled(), qPrintable(catalogue.lastError()));
        QtnPropertySetPD pd;
        bool missing = true;
        QString tip = QStringLiteral("tip");
        Catalogue::rebuildPdModels(pd.Model, statement, &missing, &tip);
        QCOMPARE(Catalogue::displayText(pd.Model), first.isEmpty() ? QStringLiteral("Nie określono") : first);
        QCOMPARE(missing, first.isEmpty());
        QCOMPARE(Catalogue::hasRows(statement), !first.isEmpty());
    }

    void lookups()
    {
        TestCatalogue catalogue;
        QVERIFY(catalogue.create({{"A", 9, 6144}, {"Za mocna", 150, 8192}, {"A", 1, 1}},
                                 {{"PD-1", "Wewnętrzna (IP20)", 0, 5, 1, 60, 100000},
                                  {"PD-1", "Wewnętrzna (IP20)", 1, 5, 1, 60, 1000000}},
                                 {}));
        int power = 0;
        int bitrate = 0;
        int fourth = -1;
        QVERIFY(Catalogue::lookupCamera(QStringLiteral("A"), &power, &bitrate, &fourth));
        QCOMPARE(QList<int>({power, bitrate, fourth}), QList<int>({9, 6144, 0}));   // the first row; three columns
        QVERIFY(!Catalogue::lookupCamera(QStringLiteral("a"), &power, &bitrate));
        QVERIFY(Catalogue::lookupPdBitrate(QStringLiteral("PD-1"), &bitrate));
        QCOMPARE(bitrate, 1000000);   // the last row
        QVERIFY(!Catalogue::lookupPdBitrate(QStringLiteral("PD-2"), &bitrate));
        QCOMPARE(bitrate, 1000000);

        QtnPropertySetCamera camera;
        Catalogue::refreshCameraModels(camera.Model, nullptr);
        selectText(camera.Model, QStringLiteral("A"));
        QVERIFY(Catalogue::applyCameraModel(camera));
        QCOMPARE(camera.Power.value(), 9u);
        QCOMPARE(camera.Bitrate.value(), 6144);
        // 150 W is outside the camera's range: the power stays, the bitrate follows.
        selectText(camera.Model, QStringLiteral("Za mocna"));
        QVERIFY(Catalogue::applyCameraModel(camera));
        QCOMPARE(camera.Power.value(), 9u);
        QCOMPARE(camera.Bitrate.value(), 8192);
        camera.Model.setValue(0);
        QVERIFY(!Catalogue::applyCameraModel(camera));

        QSqlQuery alter(catalogue.database());
        QVERIFY(alter.exec(QStringLiteral("alter table camera add column resolution INTEGER default 4")));
        QVERIFY(Catalogue::lookupCamera(QStringLiteral("A"), &power, &bitrate, &fourth));
        QCOMPARE(fourth, 4);
    }

    // The database the build makes from data/moxproducts.sql holds what the
    // selection statements rely on.
    void generatedCatalogue()
    {
        const QString path = QStringLiteral(MOX_CATALOGUE_DB_PATH);
        QVERIFY2(QFile::exists(path), qPrintable(path));
        {
            QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("generated"));
            db.setDatabaseName(path);
            db.setConnectOptions(QStringLiteral("QSQLITE_OPEN_READONLY"));
            QVERIFY(db.open());
            QSqlQuery q(db);
            const auto number = [&q](const char* sql) {
                return q.exec(QString::fromUtf8(sql)) && q.next() ? q.value(0).toInt() : -1;
            };
            QVERIFY(number("select count(*) from camera where power between 1 and 100 and bitrate between 1 and 131072")
                    >= 30);
            QCOMPARE(number("select count(*) from camera where power < 1 or power > 100"), 0);
            QVERIFY(number("select count(*) from pd") >= 20);
            QCOMPARE(number("select count(*) from wire where model = 'UTP kat.5E'"), 1);
            // An enclosure goes between double quotes into the selection statement.
            QCOMPARE(number("select count(*) from pd where instr(boxtype, '\"') > 0"), 0);
            // Stored as numbers, not text, or "9" would beat "17".
            QCOMPARE(number("select count(*) from pd where typeof(camera_slots) <> 'integer' "
                            "or typeof(camera_total_power_max) <> 'integer' or typeof(bitrate) <> 'integer'"),
                     0);
        }
        QSqlDatabase::removeDatabase(QStringLiteral("generated"));
    }
};

QTEST_GUILESS_MAIN(TestCatalogueLists)
#include "tst_catalogue.moc"
