#ifndef RESULTWRITER_H
#define RESULTWRITER_H

class CableDrop;
class DiagramItem;

// Stores the figures of a supply cable in the device's read-only results
// ("Advanced" of a camera, "AdvancedPD" of a distribution point), always in
// the same order: resistance, lost power, available power, voltage loss,
// voltage at the device.
class ResultWriter
{
public:
    // True when a value changed.
    static bool write(DiagramItem *item, const CableDrop &drop);
};

#endif // RESULTWRITER_H
