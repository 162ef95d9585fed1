#include "calc/cabledrop.h"

CableDrop CableDrop::compute(double lengthMetres, double sourceVolts, double loadWatts)
{
    CableDrop d;
    d.current = sourceVolts != 0.0 ? loadWatts / sourceVolts : 0.0;
    // Evaluated in this order on purpose: the figures shown to the user are
    // compared digit for digit with hand calculations done the same way.
    d.resistance = (lengthMetres / ConductorCrossSection) * UnitFactor * Resistivity;
    d.voltageLoss = d.current * d.resistance;
    d.vin = sourceVolts - d.voltageLoss;
    d.longCable = lengthMetres > LongCableMetres;
    d.lowVoltage = d.vin <= LowVoltage;
    d.powerLost = d.current * d.voltageLoss;
    d.powerAvailable = d.current * d.vin;
    return d;
}
