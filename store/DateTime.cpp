#include "DateTime.h"

#include <chrono>
#include <ctime>

namespace {

// Days from 1 January 1970 to the given civil date (proleptic Gregorian).
long DaysFromCivil(long year, unsigned month, unsigned day) {
    year -= month <= 2;
    const long era = (year >= 0 ? year : year - 399) / 400;
    const unsigned yearOfEra = unsigned(year - era * 400);
    const unsigned dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const unsigned dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + long(dayOfEra) - 719468;
}

} // namespace

double NowAsDayCount() {
    using namespace std::chrono;
    const auto now = system_clock::now();
    const std::time_t seconds = system_clock::to_time_t(now);
    const auto millis = duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local{};
    localtime_r(&seconds, &local);
    constexpr long DaysFrom1899To1970 = 25569;
    const long day = DaysFromCivil(local.tm_year + 1900L, unsigned(local.tm_mon + 1),
                                   unsigned(local.tm_mday)) + DaysFrom1899To1970;
    const double secondOfDay =
        local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec + double(millis) / 1000.0;
    return double(day) + secondOfDay / 86400.0;
}
