#pragma once

#include <QTimer>

#include <cstdint>

// Sets a GUI timer's period the way both timers of the program expect: the
// period a running timer already has leaves it undisturbed, another positive
// period restarts it, zero or less stops it. A stopped timer has no period.
inline void setTimerPeriod(QTimer &timer, int32_t periodMs)
{
    if (periodMs <= 0)
        timer.stop();
    else if (!timer.isActive() || timer.interval() != periodMs)
        timer.start(periodMs);
}
