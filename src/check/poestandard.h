#ifndef CHECK_POESTANDARD_H
#define CHECK_POESTANDARD_H

#include <QString>

// The power classes of IEEE 802.3af/at/bt and the limits of the standard
// behind each: what a device of a class may draw, what the switch port must
// be able to give for it, the lowest voltage the device must still accept
// and the current one pair may carry.
class PoeStandard
{
public:
    enum Type { NoType = -1, Af, At, BtType3, BtType4 };

    // Beyond class 8 (71.3 W at the device) no PoE standard can feed it.
    static constexpr int NoClass = -1;
    static constexpr int HighestClass = 8;
    // The highest class fed over two pairs.
    static constexpr int TwoPairClassLimit = 4;

    // A class whose port gives at most this much is fed over two pairs; the
    // higher classes (802.3bt) use all four.
    static constexpr double TwoPairPortLimit = 30.0;

    // The smallest class whose power at the device covers the given watts
    // (class 0 is never chosen: it promises what class 3 promises). A
    // boundary value belongs to the lower class: 12.95 W is class 3.
    static int classFor(double deviceWatts);

    // Power a device of the class may draw, W; 0 for NoClass.
    static double devicePower(int poeClass);
    // Power the switch port must give for the class, W; 0 for NoClass.
    static double portPower(int poeClass);

    static Type typeOf(int poeClass);
    // "802.3af", "802.3at", "802.3bt typ 3", "802.3bt typ 4"; empty for NoType.
    static QString name(Type type);
    // The lowest voltage a device of the type must accept at its input, V.
    static double minimumVoltage(Type type);
    // The current one pair may carry for the type, A.
    static double currentPerPairLimit(Type type);

    // Pairs that carry the power for the class: the class is chosen from the
    // device's own power, so the pairs never depend on the cable loss that
    // they themselves decide.
    static int pairsFor(int poeClass);
};

#endif // CHECK_POESTANDARD_H
