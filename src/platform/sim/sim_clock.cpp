#include "platform/sim/sim_clock.h"

namespace pw::sim {

bool SimClock::LocalNow(platform::LocalTime& time) {
    if (!localAvailable_)
        return false;
    uint32_t elapsed = TickCount() - baseTicks_;
    std::time_t seconds = baseSeconds_ + static_cast<std::time_t>(elapsed / 1000);
    std::tm parts{};
    if (!gmtime_r(&seconds, &parts))
        return false;
    time.year = parts.tm_year + 1900;
    time.month = parts.tm_mon + 1;
    time.day = parts.tm_mday;
    time.hour = parts.tm_hour;
    time.minute = parts.tm_min;
    time.second = parts.tm_sec;
    time.millisecond = static_cast<int>(elapsed % 1000);
    return true;
}

void SimClock::SetLocalTime(int year, int month, int day, int hour, int minute, int second) {
    std::tm parts{};
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    baseSeconds_ = timegm(&parts);
    baseTicks_ = TickCount();
}

} // namespace pw::sim
