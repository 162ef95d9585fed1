#ifndef CHECK_POECABLE_H
#define CHECK_POECABLE_H

// A PoE device at the end of its cable, solved exactly.
//
// A PoE device regulates its own supply, so it draws a constant power P
// whatever voltage reaches it: the lower the voltage, the higher the
// current, and the higher the loss in the cable. With the source voltage Vs
// and the loop resistance R of the cable the device sees
//     V = (Vs + sqrt(Vs^2 - 4 R P)) / 2,   I = P / V,
// the cable burns I^2 R and the port gives Vs I = P + I^2 R. When
// 4 R P > Vs^2 no current at all can bring P through the cable: the voltage
// collapses and the device does not start.
class PoeCable
{
public:
    // Conductor gauges of the catalogue's cable types, AWG.
    static constexpr int WorstCommonAwg = 24;

    // Resistance of one conductor at 20 degrees C, ohm per metre, for the
    // common LAN gauges (22, 23, 24 AWG) and, from the AWG diameter series,
    // for the thinner and thicker ones a patch or a power cable may have
    // (18 to 28 AWG); 0 for anything else.
    static double conductorResistance(int awg);

    // Loop resistance of a cable: two pairs carry the current out on one
    // pair and back on the other (each pair two conductors in parallel);
    // four pairs put two pairs in parallel each way.
    static double loopResistance(double lengthMetres, double ohmsPerMetre, int pairs);

    double resistance = 0.0;     // loop, ohm
    double voltage = 0.0;        // at the device, V
    double current = 0.0;        // in the cable, A
    double currentPerPair = 0.0; // A
    double cableLoss = 0.0;      // W
    double portPower = 0.0;      // W the port gives
    int pairs = 2;
    bool collapsed = false;      // 4RP > Vs^2: the cable cannot deliver P
    bool unsupplied = false;     // no source voltage at all

    static PoeCable solve(double lengthMetres, double ohmsPerMetre, int pairs, double sourceVolts,
                          double deviceWatts);
    // What the port gives alone, worked out with the very operations of
    // solve() (the two agree to the last bit): the solution of a chain asks
    // for it at every voltage a point passes through on the way. 0 where no
    // voltage reaches the cable; where it collapses, collapsed is set.
    static double portPowerAt(double lengthMetres, double ohmsPerMetre, int pairs, double sourceVolts,
                            double deviceWatts, bool *collapsed);
};

#endif // CHECK_POECABLE_H
