#include "calc/backupbattery.h"

uint BackupBattery::capacity(int watts, uint hours)
{
    const quint64 load = quint64(qMax(0, watts));
    return uint((load * hours + Volts - 1) / Volts);
}

uint BackupBattery::backupTime(int watts, uint ampereHours)
{
    const quint64 load = quint64(qMax(0, watts));
    if (load == 0)
        return 0;
    return uint((Volts * ampereHours + load - 1) / load);
}
