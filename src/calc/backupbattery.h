#ifndef CALC_BACKUPBATTERY_H
#define CALC_BACKUPBATTERY_H

#include <QtGlobal>

// Sizing of the 12 V backup battery of a distribution point: the capacity
// needed for a backup time, or the backup time a capacity gives, at the
// point's total load. The load current is P / 12 A.
//
// Both round up on whole numbers (P x hours / 12 and 12 x Ah / P): the real
// quotients such as 7 / 12 are not exact in binary and would round a whole
// result one up.
class BackupBattery
{
public:
    static constexpr quint64 Volts = 12;

    // Ah needed to carry watts for hours: ceil(watts x hours / 12).
    static uint capacity(int watts, uint hours);
    // Whole hours that ampereHours carry watts: ceil(12 x Ah / watts); 0
    // without load.
    static uint backupTime(int watts, uint ampereHours);
};

#endif // CALC_BACKUPBATTERY_H
