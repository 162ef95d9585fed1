#include "check/poecable.h"

#include <cmath>

double PoeCable::conductorResistance(int awg)
{
    // The three gauges of LAN cable, as cable makers state them.
    switch (awg) {
    case 22:
        return 0.0530;
    case 23:
        return 0.0668;
    case 24:
        return 0.0842;
    default:
        break;
    }
    if (awg < 18 || awg > 28)
        return 0.0;
    // AWG n has a diameter of 0.127 mm * 92^((36 - n) / 39); annealed copper
    // 1.7241e-8 ohm m. The series gives the three values above to 0.1 %.
    const double diameterMm = 0.127 * std::pow(92.0, (36.0 - awg) / 39.0);
    const double areaMm2 = M_PI * diameterMm * diameterMm / 4.0;
    return 1.7241e-8 * 1e6 / areaMm2;
}

double PoeCable::loopResistance(double lengthMetres, double ohmsPerMetre, int pairs)
{
    return pairs > 0 ? lengthMetres * ohmsPerMetre * 2.0 / pairs : 0.0;
}

PoeCable PoeCable::solve(double lengthMetres, double ohmsPerMetre, int pairs, double sourceVolts,
                         double deviceWatts)
{
    PoeCable c;
    c.pairs = pairs;
    c.resistance = loopResistance(lengthMetres, ohmsPerMetre, pairs);
    if (!(sourceVolts > 0.0)) {
        c.unsupplied = true;
        return c;
    }
    const double load = deviceWatts > 0.0 ? deviceWatts : 0.0;
    const double discriminant = sourceVolts * sourceVolts - 4.0 * c.resistance * load;
    if (discriminant < 0.0) {
        c.collapsed = true;
        return c;
    }
    c.voltage = (sourceVolts + std::sqrt(discriminant)) / 2.0;
    // P / V rather than (Vs - sqrt(...)) / 2R: no cancellation on a short
    // cable, and exact for R = 0.
    c.current = load / c.voltage;
    c.currentPerPair = c.current * 2.0 / pairs;
    c.cableLoss = c.current * c.current * c.resistance;
    c.portPower = sourceVolts * c.current;
    return c;
}

double PoeCable::portPowerAt(double lengthMetres, double ohmsPerMetre, int pairs, double sourceVolts,
                             double deviceWatts, bool *collapsed)
{
    *collapsed = false;
    const double resistance = loopResistance(lengthMetres, ohmsPerMetre, pairs);
    if (!(sourceVolts > 0.0))
        return 0.0;
    const double load = deviceWatts > 0.0 ? deviceWatts : 0.0;
    const double discriminant = sourceVolts * sourceVolts - 4.0 * resistance * load;
    if (discriminant < 0.0) {
        *collapsed = true;
        return 0.0;
    }
    const double voltage = (sourceVolts + std::sqrt(discriminant)) / 2.0;
    const double current = load / voltage;
    return sourceVolts * current;
}
