#include "check/poestandard.h"

namespace {

struct ClassLimits
{
    double device; // W at the device
    double port;   // W at the switch port
};

// Classes 0 to 8.
const ClassLimits kClasses[] = {
    {12.95, 15.4}, {3.84, 4.0}, {6.49, 7.0}, {12.95, 15.4}, {25.5, 30.0},
    {40.0, 45.0},  {51.0, 60.0}, {62.0, 75.0}, {71.3, 90.0},
};

// Figures summed from cable losses carry rounding noise of a few ulps; a
// device exactly at a class limit must not be pushed into the next class by
// it.
const double kTolerance = 1e-9;

bool isClass(int poeClass)
{
    return poeClass >= 0 && poeClass <= PoeStandard::HighestClass;
}

} // namespace

int PoeStandard::classFor(double deviceWatts)
{
    // Halving the classes rather than walking them: asked for every device
    // after every edit.
    const auto within = [deviceWatts](int poeClass) { return deviceWatts <= kClasses[poeClass].device + kTolerance; };
    if (within(3))
        return within(1) ? 1 : within(2) ? 2 : 3;
    if (within(5))
        return within(4) ? 4 : 5;
    if (within(7))
        return within(6) ? 6 : 7;
    return within(8) ? 8 : NoClass;
}

double PoeStandard::devicePower(int poeClass)
{
    return isClass(poeClass) ? kClasses[poeClass].device : 0.0;
}

double PoeStandard::portPower(int poeClass)
{
    return isClass(poeClass) ? kClasses[poeClass].port : 0.0;
}

PoeStandard::Type PoeStandard::typeOf(int poeClass)
{
    if (!isClass(poeClass))
        return NoType;
    if (poeClass <= 3)
        return Af;
    if (poeClass == 4)
        return At;
    return poeClass <= 6 ? BtType3 : BtType4;
}

QString PoeStandard::name(Type type)
{
    switch (type) {
    case Af:
        return QStringLiteral("802.3af");
    case At:
        return QStringLiteral("802.3at");
    case BtType3:
        return QStringLiteral("802.3bt typ 3");
    case BtType4:
        return QStringLiteral("802.3bt typ 4");
    case NoType:
        break;
    }
    return QString();
}

double PoeStandard::minimumVoltage(Type type)
{
    switch (type) {
    case Af:
        return 37.0;
    case At:
    case BtType3:
        return 42.5;
    case BtType4:
        return 41.1;
    case NoType:
        break;
    }
    return 0.0;
}

double PoeStandard::currentPerPairLimit(Type type)
{
    switch (type) {
    case Af:
        return 0.35;
    case At:
    case BtType3:
        return 0.6;
    case BtType4:
        return 0.96;
    case NoType:
        break;
    }
    return 0.0;
}

int PoeStandard::pairsFor(int poeClass)
{
    // Classes 0 to 4 need at most 30 W at the port.
    return isClass(poeClass) && poeClass <= TwoPairClassLimit ? 2 : 4;
}
