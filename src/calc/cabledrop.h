#ifndef CABLEDROP_H
#define CABLEDROP_H

// The voltage that reaches a device at the end of its supply cable.
//
// The installer's question is "does the camera still get enough volts?", so
// the model is deliberately simple and pessimistic: one copper conductor of a
// twisted pair (not the pair in parallel), a fixed cross-section and a
// constant current equal to the load power divided by the source voltage.
class CableDrop
{
public:
    // Cross-section of one conductor of a 24 AWG cable, mm^2.
    static constexpr double ConductorCrossSection = 0.19625;
    // mm^2 -> m^2 for the resistance formula.
    static constexpr double UnitFactor = 1000000.0;
    // Resistivity of copper at room temperature, ohm * m.
    static constexpr double Resistivity = 1.72e-8;
    // Longer cables need an extender: Ethernet stops at 100 m.
    static constexpr unsigned LongCableMetres = 100;
    // At or below this a PoE device may not start.
    static constexpr double LowVoltage = 40.0;
    // Output of a distribution point fed from the mains.
    static constexpr unsigned MainsVout = 48;
    // What the switch of a distribution point consumes by itself, W.
    static constexpr int OwnConsumption = 1;

    double current = 0.0;        // A
    double resistance = 0.0;     // ohm
    double voltageLoss = 0.0;    // V
    double vin = 0.0;            // V at the device
    double powerLost = 0.0;      // W burnt in the cable
    double powerAvailable = 0.0; // W left for the device
    bool longCable = false;
    bool lowVoltage = false;

    // lengthMetres: cable length; sourceVolts: the feeding point's output;
    // loadWatts: what the far end draws. A dead source (0 V) carries no
    // current, so the far end sees 0 V and is flagged.
    static CableDrop compute(double lengthMetres, double sourceVolts, double loadWatts);
};

#endif // CABLEDROP_H
