// mkexampleproject OUTPUT-FILE
// Draws the bundled example installation, lets the calculation choose the
// distribution-point models from the bundled catalogue, and writes the
// project with the editor's own writer (data/example.mox).
#include "networkbuilder.h"
#include "testcatalogue.h"

#include "calc/calcloop.h"
#include "calc/modelselection.h"
#include "diagram/diagramitem.h"
#include "diagram/diagramscene.h"
#include "diagram/wire.h"
#include "print/projectdoc.h"
#include "project/projectwriter.h"

#include <QApplication>
#include <QSaveFile>
#include <QSqlQuery>
#include <QVariant>
#include <cstdio>

namespace {

struct CameraSpot {
    const char *location;
    const char *model;
    double x;
    double y;
    int rotation;
    unsigned cable;   // metres
};

DiagramItem *placeCamera(NetworkBuilder &builder, const CameraSpot &spot, unsigned number)
{
    // Power and bitrate as the editor fills them when the model is chosen.
    QSqlQuery query;
    query.prepare(QStringLiteral("select * from camera where model = (:model)"));
    query.bindValue(QStringLiteral(":model"), QString::fromUtf8(spot.model));
    unsigned power = 8;
    int bitrate = 4096;
    if (query.exec() && query.next()) {
        power = query.value(QStringLiteral("power")).toUInt();
        bitrate = query.value(QStringLiteral("bitrate")).toInt();
    } else {
        std::fprintf(stderr, "mkexampleproject: %s is not in the catalogue\n", spot.model);
    }
    DiagramItem *camera = builder.addCamera(QPointF(spot.x, spot.y), number, power, bitrate);
    camera->setLocation(QString::fromUtf8(spot.location));
    camera->setModel(QString::fromUtf8(spot.model));
    camera->setRotation(spot.rotation);
    return camera;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    Q_INIT_RESOURCE(images);
    if (argc != 2) {
        std::fprintf(stderr, "usage: mkexampleproject OUTPUT-FILE\n");
        return 2;
    }
    TestCatalogue catalogue;
    if (!catalogue.createBundled()) {
        std::fprintf(stderr, "mkexampleproject: %s\n", qPrintable(catalogue.lastError()));
        return 1;
    }
    installModelSelection();

    ProjectDoc doc;
    DiagramScene *scene = doc.scene();
    scene->setInvestmentName(QStringLiteral("Magazyn Logistyka Pomorze"));
    scene->setInvestmentAddress(QStringLiteral("ul. Budowlanych 31, 80-298 Gdańsk"));
    scene->setInvestmentComments(
        QStringLiteral("Etap I: hala A, parking i rampa. Rejestrator w szafie RACK w serwerowni."));
    scene->setCreateDate(QStringLiteral("2026-11-23"));
    scene->setColorWires(QStringLiteral("#1f4e9c"));
    scene->setColorCameras(QStringLiteral("#000000"));
    scene->setColorPD(QStringLiteral("#1b6e3a"));
    NetworkBuilder builder(scene);

    // The points come first in the stacking order, as a file read back puts
    // them; the file is then exactly what saving the loaded example writes.
    // The recorder point: a rack in the server room, mains-fed, with the NVR
    // and a 28 Ah battery.
    DiagramItem *rack = builder.addPd(QPointF(594, 330), 1);
    rack->setLocation(QStringLiteral("Serwerownia – parter"));
    rack->setNvr(true);
    rack->setBoxType(QStringLiteral("Szafa RACK 19 cali"));
    rack->setBackup(true);
    rack->setAccumulatorCapacity(28);

    // Two outdoor extenders fed over PoE from the rack.
    DiagramItem *parking = builder.addPd(QPointF(282, 470), 2, false);
    parking->setLocation(QStringLiteral("Parking – słup P1"));
    parking->setBoxType(QStringLiteral("Zewnętrzna (IP66)"));
    DiagramItem *ramp = builder.addPd(QPointF(980, 470), 3, false);
    ramp->setLocation(QStringLiteral("Rampa – elewacja wschodnia"));
    ramp->setBoxType(QStringLiteral("Zewnętrzna (IP65)"));

    const CameraSpot rackCameras[] = {
        {"Wejście główne", "Hikvision DS-2CD2143G2-I", 120, 110, 0, 45},
        {"Recepcja", "Hikvision DS-2CD1343G2-LIUF", 250, 190, 0, 18},
        {"Korytarz – parter", "Dahua IPC-HDW2431T-AS-S2", 380, 110, 0, 32},
        {"Hala A – regały 1-6", "Hikvision DS-2CD2143G2-I", 510, 190, 0, 68},
        {"Hala A – regały 7-12", "Hikvision DS-2CD2143G2-I", 680, 110, 0, 84},
        {"Biuro – piętro", "Axis M3106-L Mk II", 810, 190, 0, 26},
        {"Brama wjazdowa", "Hikvision DS-2DE4A425IWG-E", 940, 110, 0, 92},
        {"Portiernia", "Dahua IPC-HFW2431S-S-S2", 1070, 190, 0, 55},
    };
    unsigned number = 1;
    for (const CameraSpot &spot : rackCameras)
        builder.connect(rack, placeCamera(builder, spot, number++), spot.cable);
    builder.connect(rack, parking, 78);
    builder.connect(rack, ramp, 64);

    const CameraSpot parkingCameras[] = {
        {"Parking – rząd A", "Dahua IPC-HFW2841S-S", 65, 610, 315, 22},
        {"Parking – rząd B", "Uniview IPC2124LB-SF28KM-G", 190, 610, 0, 27},
        {"Parking – wyjazd", "Uniview IPC2124LB-SF28KM-G", 375, 610, 0, 15},
        {"Ogrodzenie – północ", "Axis P1346", 515, 610, 45, 35},
    };
    for (const CameraSpot &spot : parkingCameras)
        builder.connect(parking, placeCamera(builder, spot, number++), spot.cable);

    const CameraSpot rampCameras[] = {
        {"Rampa – doki 1-3", "Hikvision DS-2CD2047G2-LU", 720, 610, 0, 12},
        {"Rampa – doki 4-6", "Hikvision DS-2CD2043G2-I", 860, 610, 0, 19},
        {"Plac manewrowy", "Dahua IPC-HFW1230S-S5", 1100, 610, 90, 30},
    };
    for (const CameraSpot &spot : rampCameras)
        builder.connect(ramp, placeCamera(builder, spot, number++), spot.cable);

    for (QGraphicsItem *item : scene->items()) {
        if (item->type() == DiagramItem::Type)
            static_cast<DiagramItem *>(item)->refreshLists();
    }
    CalcLoop(scene).run();

    QSaveFile file(QString::fromLocal8Bit(argv[1]));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text)) {
        std::fprintf(stderr, "mkexampleproject: %s\n", qPrintable(file.errorString()));
        return 1;
    }
    ProjectWriter writer(&doc);
    if (!writer.write(&file) || !file.commit()) {
        std::fprintf(stderr, "mkexampleproject: %s\n", qPrintable(file.errorString()));
        return 1;
    }
    return 0;
}
