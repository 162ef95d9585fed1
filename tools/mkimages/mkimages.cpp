// Paints the compiled-in pictures of the editor (icons, element images, splash)
// and the desktop icons of the installed program into PNG files. Run by hand when a picture changes:
//     mkimages <folder>        e.g.  build/bin/mkimages src/images
// The PNGs are committed; the build only compiles them in.
//
// The two element images (camera, distribution point) are recoloured when an
// item is painted: exactly the pixels whose red, green and blue are all 0 take
// the element colour. Those pictures are therefore drawn without antialiasing,
// with the outline in pure black and every other detail in colours far from
// black, so no grey edge stays black on a coloured element.

#include <QColor>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QRadialGradient>
#include <QTextStream>

#include <cmath>
#include <functional>

namespace {

const QColor kInk(0, 0, 0);              // recoloured by the item
const QColor kBody(206, 212, 220);       // light housing
const QColor kGlass(96, 160, 224);       // lens glass
const QColor kLed(40, 190, 70);          // port LEDs
const QColor kPort(245, 245, 245);       // empty port socket
const QColor kIconLine(60, 66, 78);      // outlines of the action icons
const QColor kPaper(252, 252, 250);
const QColor kBlue(52, 101, 164);
const QColor kRed(204, 40, 40);
const QColor kGreen(78, 154, 6);
const QColor kYellow(252, 206, 60);

QImage blank(int w, int h)
{
    // Transparent white, not transparent black: the recolouring looks only at
    // red, green and blue, so a (0, 0, 0, 0) background would turn into a
    // solid block of the element colour.
    QImage img(w, h, QImage::Format_ARGB32);
    img.fill(QColor(255, 255, 255, 0));
    return img;
}

// Crisp pen for the element images: no antialiasing, so the outline pixels are
// exactly (0, 0, 0).
void crisp(QPainter &p, const QColor &c, qreal width = 1)
{
    p.setRenderHint(QPainter::Antialiasing, false);
    QPen pen(c, width);
    pen.setJoinStyle(Qt::MiterJoin);
    pen.setCapStyle(Qt::SquareCap);
    p.setPen(pen);
}

void smooth(QPainter &p, const QColor &c, qreal width = 1)
{
    p.setRenderHint(QPainter::Antialiasing, true);
    QPen pen(c, width);
    pen.setJoinStyle(Qt::RoundJoin);
    pen.setCapStyle(Qt::RoundCap);
    p.setPen(pen);
}

// A bullet camera on a wall bracket, lens pointing right.
QImage camera()
{
    QImage img = blank(44, 30);
    QPainter p(&img);
    // bracket: wall plate and arm
    crisp(p, kInk);
    p.setBrush(kBody);
    p.drawRect(1, 20, 6, 8);
    p.drawRect(7, 23, 10, 2);
    p.drawRect(15, 17, 3, 6);
    // housing with sun shield
    p.drawRect(6, 9, 30, 8);
    p.drawLine(4, 6, 38, 6);
    p.drawLine(4, 6, 6, 9);
    p.drawLine(38, 6, 36, 9);
    // lens ring and glass
    p.setBrush(kBody);
    p.drawRect(36, 8, 5, 10);
    p.setPen(Qt::NoPen);
    p.setBrush(kGlass);
    p.drawRect(38, 10, 3, 7);
    // status LED
    p.setBrush(kLed);
    p.drawRect(10, 12, 3, 3);
    // cable leaving the wall plate
    crisp(p, kInk);
    p.drawLine(4, 28, 4, 29);
    return img;
}

// A distribution box: an enclosure holding a PoE switch with eight ports and
// an uplink, its power inlet on the left.
QImage pd()
{
    QImage img = blank(60, 30);
    QPainter p(&img);
    crisp(p, kInk);
    p.setBrush(kBody);
    p.drawRect(0, 2, 59, 26);          // enclosure
    p.setBrush(QColor(232, 236, 242));
    p.drawRect(4, 7, 51, 16);          // switch front
    for (int i = 0; i < 8; ++i) {      // PoE ports
        const int x = 7 + i * 5;
        crisp(p, kInk);
        p.setBrush(kPort);
        p.drawRect(x, 13, 4, 6);
        p.setPen(Qt::NoPen);
        p.setBrush(kLed);
        p.drawRect(x + 1, 10, 2, 2);
    }
    crisp(p, kInk);                    // uplink port
    p.setBrush(kGlass);
    p.drawRect(48, 13, 4, 6);
    p.drawLine(2, 26, 10, 26);         // label strip at the foot
    return img;
}

// A page with a folded corner, the base of the document icons.
void page(QPainter &p, const QRectF &r = QRectF(4.5, 1.5, 13, 19))
{
    smooth(p, kIconLine);
    p.setBrush(kPaper);
    QPolygonF poly;
    poly << r.topLeft() << QPointF(r.right() - 4, r.top()) << QPointF(r.right(), r.top() + 4)
         << r.bottomRight() << r.bottomLeft();
    p.drawPolygon(poly);
    p.setBrush(QColor(220, 222, 226));
    QPolygonF fold;
    fold << QPointF(r.right() - 4, r.top()) << QPointF(r.right() - 4, r.top() + 4)
         << QPointF(r.right(), r.top() + 4);
    p.drawPolygon(fold);
    smooth(p, QColor(170, 176, 186));
    for (qreal y = r.top() + 7; y < r.bottom() - 2; y += 3)
        p.drawLine(QPointF(r.left() + 3, y), QPointF(r.right() - 3, y));
}

QImage documentNew()
{
    QImage img = blank(22, 22);
    QPainter p(&img);
    page(p);
    // a star for "new"
    smooth(p, QColor(196, 140, 0));
    p.setBrush(kYellow);
    QPolygonF star;
    const QPointF c(16, 6);
    for (int i = 0; i < 10; ++i) {
        const double a = -M_PI / 2 + i * M_PI / 5;
        const double rad = (i % 2) ? 2.2 : 5.0;
        star << QPointF(c.x() + rad * std::cos(a), c.y() + rad * std::sin(a));
    }
    p.drawPolygon(star);
    return img;
}

QImage documentOpen()
{
    QImage img = blank(22, 22);
    QPainter p(&img);
    smooth(p, QColor(140, 100, 20));
    p.setBrush(QColor(233, 185, 110));
    QPolygonF back;
    back << QPointF(1.5, 4.5) << QPointF(8.5, 4.5) << QPointF(10.5, 6.5) << QPointF(19.5, 6.5)
         << QPointF(19.5, 18.5) << QPointF(1.5, 18.5);
    p.drawPolygon(back);
    p.setBrush(kPaper);
    p.setPen(QPen(kIconLine, 1));
    p.drawRect(QRectF(4.5, 8.5, 13, 8));
    smooth(p, QColor(140, 100, 20));
    p.setBrush(QColor(252, 210, 140));
    QPolygonF front;
    front << QPointF(4.5, 10.5) << QPointF(21, 10.5) << QPointF(18.5, 18.5) << QPointF(1.5, 18.5);
    p.drawPolygon(front);
    return img;
}

QImage documentSave()
{
    QImage img = blank(22, 22);
    QPainter p(&img);
    smooth(p, QColor(30, 50, 90));
    p.setBrush(kBlue);
    QPolygonF disk;
    disk << QPointF(2.5, 2.5) << QPointF(17.5, 2.5) << QPointF(19.5, 4.5) << QPointF(19.5, 19.5)
         << QPointF(2.5, 19.5);
    p.drawPolygon(disk);
    p.setBrush(kPaper);
    p.drawRect(QRectF(5.5, 2.5, 11, 7));
    p.setBrush(QColor(190, 196, 206));
    p.drawRect(QRectF(6.5, 12.5, 9, 7));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(30, 50, 90));
    p.drawRect(QRectF(12, 4, 2.5, 4));
    return img;
}

void printer(QPainter &p)
{
    smooth(p, kIconLine);
    p.setBrush(kPaper);
    p.drawRect(QRectF(5.5, 1.5, 11, 8));                 // paper in
    p.setBrush(QColor(186, 189, 182));
    p.drawRoundedRect(QRectF(1.5, 8.5, 19, 8), 1.5, 1.5); // body
    p.setBrush(kPaper);
    p.drawRect(QRectF(5.5, 13.5, 11, 7));                // paper out
    smooth(p, QColor(150, 156, 166));
    p.drawLine(QPointF(7.5, 16.5), QPointF(14.5, 16.5));
    p.drawLine(QPointF(7.5, 18.5), QPointF(12.5, 18.5));
    p.setPen(Qt::NoPen);
    p.setBrush(kGreen);
    p.drawEllipse(QPointF(17.5, 11), 1.2, 1.2);
}

QImage documentPrint()
{
    QImage img = blank(22, 22);
    QPainter p(&img);
    printer(p);
    return img;
}

// The printer with a framed sheet in front: printing the order document.
QImage documentPrintFrame()
{
    QImage img = blank(22, 22);
    QPainter p(&img);
    printer(p);
    smooth(p, kBlue, 1.5);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(6.5, 14, 9, 5.5));
    return img;
}

QImage deleteIcon()
{
    QImage img = blank(22, 22);
    QPainter p(&img);
    smooth(p, QColor(140, 20, 20));
    p.setBrush(kRed);
    p.drawEllipse(QRectF(1.5, 1.5, 19, 19));
    smooth(p, Qt::white, 3);
    p.drawLine(QPointF(7, 7), QPointF(15, 15));
    p.drawLine(QPointF(15, 7), QPointF(7, 15));
    return img;
}

QImage textCsv()
{
    QImage img = blank(22, 22);
    QPainter p(&img);
    page(p, QRectF(3.5, 1.5, 15, 19));
    // a small table
    smooth(p, kGreen);
    p.setBrush(QColor(200, 230, 180));
    p.drawRect(QRectF(5.5, 9.5, 11, 9));
    p.drawLine(QPointF(9.5, 9.5), QPointF(9.5, 18.5));
    p.drawLine(QPointF(13, 9.5), QPointF(13, 18.5));
    p.drawLine(QPointF(5.5, 12.5), QPointF(16.5, 12.5));
    p.drawLine(QPointF(5.5, 15.5), QPointF(16.5, 15.5));
    return img;
}

QImage applicationExit()
{
    QImage img = blank(22, 22);
    QPainter p(&img);
    // door
    smooth(p, QColor(90, 60, 30));
    p.setBrush(QColor(193, 125, 17));
    p.drawRect(QRectF(2.5, 1.5, 10, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    p.drawEllipse(QPointF(10, 11), 1, 1);
    // arrow out
    smooth(p, kRed, 2.5);
    p.drawLine(QPointF(9, 11), QPointF(19, 11));
    p.drawLine(QPointF(15.5, 7.5), QPointF(19, 11));
    p.drawLine(QPointF(15.5, 14.5), QPointF(19, 11));
    return img;
}

QImage helpAbout()
{
    QImage img = blank(22, 22);
    QPainter p(&img);
    smooth(p, QColor(30, 60, 110));
    QRadialGradient g(QPointF(8, 7), 14);
    g.setColorAt(0, QColor(114, 159, 207));
    g.setColorAt(1, kBlue);
    p.setBrush(g);
    p.drawEllipse(QRectF(1.5, 1.5, 19, 19));
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawEllipse(QPointF(11, 6.5), 1.6, 1.6);
    p.drawRoundedRect(QRectF(9.5, 9, 3, 8.5), 1, 1);
    return img;
}

// A circular arrow open at the bottom; clockwise for a right turn, mirrored
// for a left turn.
QImage rotate(bool clockwise)
{
    QImage img = blank(22, 22);
    QPainter p(&img);
    if (!clockwise) {
        p.translate(22, 0);
        p.scale(-1, 1);
    }
    const QRectF ring(3.5, 5, 14, 14);
    const double r = ring.width() / 2;
    smooth(p, kBlue, 3);
    p.setBrush(Qt::NoBrush);
    // from the lower left over the top to the right side, turning clockwise
    p.drawArc(ring, 240 * 16, -220 * 16);
    const double a = 20.0 * M_PI / 180.0;
    const QPointF c = ring.center();
    const QPointF end(c.x() + r * std::cos(a), c.y() - r * std::sin(a));
    const QPointF dir(std::sin(a), std::cos(a));       // clockwise tangent on screen
    const QPointF normal(-dir.y(), dir.x());
    p.setPen(Qt::NoPen);
    p.setBrush(kBlue);
    QPolygonF head;
    head << end + dir * 5.5 << end + normal * 4.5 << end - normal * 4.5;
    p.drawPolygon(head);
    return img;
}

// The classic arrow cursor of the move tool.
QImage pointer()
{
    QImage img = blank(15, 24);
    QPainter p(&img);
    smooth(p, Qt::black);
    p.setBrush(Qt::white);
    QPolygonF arrow;
    arrow << QPointF(1.5, 1.5) << QPointF(1.5, 18.5) << QPointF(5.5, 14.5) << QPointF(8.5, 22)
          << QPointF(11, 21) << QPointF(8, 13.5) << QPointF(13.5, 13.5);
    p.drawPolygon(arrow);
    return img;
}

// The wire tool: a cable drawn between two end points.
QImage linePointer()
{
    QImage img = blank(27, 27);
    QPainter p(&img);
    smooth(p, Qt::black, 2);
    p.drawLine(QPointF(4, 23), QPointF(23, 4));
    p.setBrush(kBlue);
    smooth(p, QColor(30, 50, 90));
    p.drawRect(QRectF(1.5, 20.5, 5, 5));
    p.drawRect(QRectF(20.5, 1.5, 5, 5));
    return img;
}

QImage splash()
{
    QImage img(480, 300, QImage::Format_ARGB32);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    QLinearGradient bg(0, 0, 0, 300);
    bg.setColorAt(0, QColor(24, 44, 78));
    bg.setColorAt(1, QColor(10, 18, 34));
    p.fillRect(img.rect(), bg);

    // a small network: a distribution point feeding three cameras
    const QImage box = pd().scaled(120, 60);
    const QImage cam = camera().scaled(66, 45);
    auto light = [](QImage im) {
        for (int y = 0; y < im.height(); ++y)
            for (int x = 0; x < im.width(); ++x)
                if (im.pixelColor(x, y) == QColor(0, 0, 0))
                    im.setPixelColor(x, y, QColor(200, 220, 255));
        return im;
    };
    const QPointF hub(110, 190);
    const QPointF cams[] = {QPointF(300, 140), QPointF(330, 190), QPointF(300, 240)};
    p.setPen(QPen(QColor(250, 180, 60), 2.5));
    for (const QPointF &c : cams)
        p.drawLine(hub + QPointF(60, 0), c - QPointF(33, 0));
    p.drawImage(QPointF(hub.x() - 60, hub.y() - 30), light(box));
    for (const QPointF &c : cams)
        p.drawImage(QPointF(c.x() - 33, c.y() - 22), light(cam));

    QFont title(QStringLiteral("DejaVu Sans"));
    title.setPixelSize(40);
    title.setBold(true);
    p.setFont(title);
    p.setPen(Qt::white);
    p.drawText(QRectF(0, 24, 480, 50), Qt::AlignCenter, QStringLiteral("MOX NORVANTE"));

    QFont sub(QStringLiteral("DejaVu Sans"));
    sub.setPixelSize(14);
    p.setFont(sub);
    p.setPen(QColor(170, 190, 220));
    p.drawText(QRectF(0, 74, 480, 22), Qt::AlignCenter,
               QString::fromUtf8("Projektowanie sieci kamer IP zasilanych w PoE"));
    p.setPen(QColor(120, 140, 170));
    p.drawText(QRectF(0, 270, 466, 22), Qt::AlignRight | Qt::AlignVCenter,
               QStringLiteral("1.0.22"));
    return img;
}

// The desktop pictures are drawn on a 256-unit grid and scaled, so the 48 and
// 256 px files are the same drawing: a bullet camera fed by an orange PoE
// cable from a distribution box, the motif of the splash.
void networkMotif(QPainter &p, const QRectF &area)
{
    p.save();
    p.translate(area.topLeft());
    p.scale(area.width() / 200.0, area.height() / 200.0);
    p.setRenderHint(QPainter::Antialiasing);
    const QPen outline(QColor(22, 30, 44), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);

    // the cable first, so the devices sit on its ends
    p.setPen(QPen(QColor(250, 170, 40), 12, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Qt::NoBrush);
    QPainterPath cable(QPointF(60, 96));
    cable.cubicTo(QPointF(60, 130), QPointF(100, 120), QPointF(100, 146));
    p.drawPath(cable);

    // camera: wall bracket, housing under its sun shield, lens
    p.setPen(outline);
    p.setBrush(kBody);
    p.drawRoundedRect(QRectF(30, 40, 26, 52), 5, 5);            // wall plate
    p.drawRect(QRectF(56, 60, 30, 12));                         // arm
    p.drawRoundedRect(QRectF(70, 30, 96, 40), 10, 10);          // housing
    p.setBrush(QColor(160, 170, 186));
    p.drawRoundedRect(QRectF(64, 18, 110, 14), 6, 6);           // sun shield
    p.setBrush(kBody);
    p.drawRoundedRect(QRectF(160, 32, 24, 36), 6, 6);           // lens ring
    p.setBrush(kGlass);
    p.drawEllipse(QPointF(172, 50), 8, 12);                     // glass
    p.setPen(Qt::NoPen);
    p.setBrush(kLed);
    p.drawEllipse(QPointF(88, 50), 6, 6);                       // status LED

    // distribution box with its PoE switch
    p.setPen(outline);
    p.setBrush(kBody);
    p.drawRoundedRect(QRectF(20, 140, 160, 50), 8, 8);
    p.setBrush(QColor(232, 236, 242));
    p.drawRoundedRect(QRectF(32, 150, 136, 30), 4, 4);
    for (int i = 0; i < 5; ++i) {
        const qreal x = 42 + i * 24;
        p.setPen(QPen(QColor(22, 30, 44), 3));
        p.setBrush(kPort);
        p.drawRect(QRectF(x, 160, 14, 14));
        p.setPen(Qt::NoPen);
        p.setBrush(kLed);
        p.drawRect(QRectF(x + 3, 153, 8, 4));
    }
    p.restore();
}

QImage applicationIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size / 256.0, size / 256.0);
    QLinearGradient bg(0, 16, 0, 240);
    bg.setColorAt(0, QColor(36, 66, 112));
    bg.setColorAt(1, QColor(12, 22, 42));
    p.setPen(QPen(QColor(8, 14, 28), 4));
    p.setBrush(bg);
    p.drawRoundedRect(QRectF(14, 14, 228, 228), 44, 44);
    networkMotif(p, QRectF(28, 34, 200, 200));
    return img;
}

// A project file: a page with a folded corner, the network on it and a band
// with the name of the format.
QImage projectFileIcon(int size)
{
    QImage img(size, size, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    QPainter p(&img);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.scale(size / 256.0, size / 256.0);
    const QRectF r(36, 8, 184, 240);
    const qreal fold = 52;
    QPolygonF sheet;
    sheet << r.topLeft() << QPointF(r.right() - fold, r.top()) << QPointF(r.right(), r.top() + fold)
          << r.bottomRight() << r.bottomLeft();
    p.setPen(QPen(QColor(90, 98, 112), 5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(kPaper);
    p.drawPolygon(sheet);
    QPolygonF corner;
    corner << QPointF(r.right() - fold, r.top()) << QPointF(r.right() - fold, r.top() + fold)
           << QPointF(r.right(), r.top() + fold);
    p.setBrush(QColor(214, 218, 226));
    p.drawPolygon(corner);

    networkMotif(p, QRectF(52, 58, 136, 136));

    p.setPen(Qt::NoPen);
    p.setBrush(QColor(36, 66, 112));
    p.drawRect(QRectF(r.left() + 3, 194, r.width() - 6, 48));
    QFont font(QStringLiteral("DejaVu Sans"));
    font.setPixelSize(40);
    font.setBold(true);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(r.left(), 194, r.width(), 48), Qt::AlignCenter, QStringLiteral("MOX"));
    return img;
}

} // namespace

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QString dir = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
    QDir().mkpath(dir);

    const QList<QPair<QString, std::function<QImage()>>> images = {
        {QStringLiteral("splash.png"), splash},
        {QStringLiteral("object-rotate-left.png"), [] { return rotate(false); }},
        {QStringLiteral("object-rotate-right.png"), [] { return rotate(true); }},
        {QStringLiteral("document-new.png"), documentNew},
        {QStringLiteral("document-open.png"), documentOpen},
        {QStringLiteral("document-save.png"), documentSave},
        {QStringLiteral("document-print.png"), documentPrint},
        {QStringLiteral("document-print-frame.png"), documentPrintFrame},
        {QStringLiteral("delete.png"), deleteIcon},
        {QStringLiteral("text-csv.png"), textCsv},
        {QStringLiteral("application-exit.png"), applicationExit},
        {QStringLiteral("help-about.png"), helpAbout},
        {QStringLiteral("pointer.png"), pointer},
        {QStringLiteral("linepointer.png"), linePointer},
        {QStringLiteral("camera.png"), camera},
        {QStringLiteral("pd.png"), pd},
        // desktop integration: application and project-file icons
        {QStringLiteral("mox-norvante-48.png"), [] { return applicationIcon(48); }},
        {QStringLiteral("mox-norvante-256.png"), [] { return applicationIcon(256); }},
        {QStringLiteral("application-x-mox-48.png"), [] { return projectFileIcon(48); }},
        {QStringLiteral("application-x-mox-256.png"), [] { return projectFileIcon(256); }},
    };

    QTextStream out(stdout);
    int failures = 0;
    for (const auto &entry : images) {
        const QString path = dir + QLatin1Char('/') + entry.first;
        const QImage img = entry.second();
        if (img.save(path, "PNG")) {
            out << path << ' ' << img.width() << 'x' << img.height() << '\n';
        } else {
            out << "cannot write " << path << '\n';
            ++failures;
        }
    }
    return failures ? 1 : 0;
}
