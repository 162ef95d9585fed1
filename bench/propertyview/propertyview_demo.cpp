// Renders the property panel as the editor shows it: a distribution point
// with its read-only battery rows and an expanded "Zaawansowane" branch, the
// project with its colour swatches, and a sampler of the other editors.
#include "property/core/qtnpropertycore.h"
#include "property/core/qtnpropertybutton.h"
#include "property/core/qtnpropertyqfont.h"
#include "property/core/qtnpropertyqpen.h"
#include "property/core/qtnpropertyqrect.h"
#include "property/widget/qtnpropertyview.h"
#include "property/widget/qtnpropertywidget.h"
#include "propertysets/qtnpropertysetpd.h"
#include "propertysets/qtnpropertysetproject.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPixmap>

static QtnPropertyWidget* panel(QWidget* parent, QtnPropertySet* set)
{
    auto widget = new QtnPropertyWidget(parent);
    widget->setDescriptionPanelVisible(true);
    widget->setPropertySet(set);
    return widget;
}

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QString out = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral("propertyview.png");

    QtnPropertySetPD pd;
    pd.Lokalizacja.setValue(QStringLiteral("Hala A, słup 3"));
    pd.Number.setValue(2);
    pd.Backup.setValue(2);
    pd.AdvancedPD.removeState(QtnPropertyStateCollapsed);
    pd.AdvancedPD.OutPower.setValue(46);
    pd.AdvancedPD.OutBitrate.setValue(16384);
    pd.AdvancedPD.VoltageAvailable.setValue(47.31);

    QtnPropertySetProject project;

    QtnPropertySet sampler;
    auto addNamed = [&sampler](QtnPropertyBase* property, const char* name) {
        property->setName(QString::fromLatin1(name));
        return property;
    };
    auto flag = new QtnPropertyBool(&sampler);
    addNamed(flag, "Visible");
    flag->setValue(true);
    auto bitrate = new QtnPropertyInt(&sampler);
    addNamed(bitrate, "Quality");
    bitrate->setMaxValue(100);
    bitrate->setMinValue(0);
    bitrate->setValue(65);
    bitrate->setDelegate(QtnPropertyDelegateInfo("SliderBox"));
    auto pen = new QtnPropertyQPen(&sampler);
    addNamed(pen, "Outline");
    pen->setValue(QPen(QColor(200, 30, 30), 2, Qt::DashLine));
    auto colour = new QtnPropertyQColor(&sampler);
    addNamed(colour, "Fill");
    colour->setValue(QColor(60, 140, 220));
    QtnPropertyDelegateAttributes round;
    round.insert("shape", 3);
    round.insert("rgbSubItems", true);
    colour->setDelegate(QtnPropertyDelegateInfo(QByteArray(), round));
    colour->removeState(QtnPropertyStateCollapsed);
    auto font = new QtnPropertyQFont(&sampler);
    addNamed(font, "Font");
    auto rect = new QtnPropertyQRect(&sampler);
    addNamed(rect, "Frame");
    rect->setValue(QRect(10, 20, 300, 200));
    auto button = new QtnPropertyButton(&sampler);
    addNamed(button, "Recalculate");
    button->setDelegate(QtnPropertyDelegateInfo("Button", {{"title", QStringLiteral("Przelicz")}}));
    auto missing = new QtnPropertyInt(&sampler);
    addNamed(missing, "Broken");
    missing->setDelegate(QtnPropertyDelegateInfo("Fancy"));

    QWidget window;
    window.setWindowTitle(QStringLiteral("Właściwości"));
    auto layout = new QHBoxLayout(&window);
    QtnPropertyWidget* pdPanel = panel(&window, &pd);
    QtnPropertyWidget* projectPanel = panel(&window, &project);
    QtnPropertyWidget* samplerPanel = panel(&window, &sampler);
    layout->addWidget(pdPanel);
    layout->addWidget(projectPanel);
    layout->addWidget(samplerPanel);
    window.resize(1260, 560);
    window.show();
    app.processEvents();
    pdPanel->propertyView()->setActiveProperty(&pd.Backup);
    projectPanel->propertyView()->setActiveProperty(&project.ColorPD);
    samplerPanel->propertyView()->setActiveProperty(pen);
    app.processEvents();
    return window.grab().save(out) ? 0 : 1;
}
