#include "platform/clock.h"

#include <cmath>
#include <cstdio>

namespace tobrisk {

namespace {

// Days from 1970-01-01 of a proleptic Gregorian date (H. Hinnant's civil algorithms).
long long daysFromCivil(long long y, unsigned m, unsigned d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

void civilFromDays(long long z, int& y, int& m, int& d) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long yy = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yy + (m <= 2));
}

constexpr long long kEpochOffset = 25569;  // 1899-12-30 to 1970-01-01

}  // namespace

double encodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond) {
    const long long days =
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        kEpochOffset;
    const double ms = ((hour * 60.0 + minute) * 60.0 + second) * 1000.0 + millisecond;
    return static_cast<double>(days) + ms / 86400000.0;
}

void decodeDateTime(double dt, int& year, int& month, int& day, int& hour, int& minute, int& second,
                    int& millisecond) {
    if (!std::isfinite(dt) || std::fabs(dt) > 3.0e6) dt = 0;
    double whole = std::floor(dt);
    // Round to the millisecond so 0.5 days is 12:00:00.000, not 11:59:59.999.
    long long ms = std::llround((dt - whole) * 86400000.0);
    if (ms >= 86400000) {
        ms -= 86400000;
        whole += 1;
    }
    civilFromDays(static_cast<long long>(whole) - kEpochOffset, year, month, day);
    hour = static_cast<int>(ms / 3600000);
    minute = static_cast<int>(ms / 60000 % 60);
    second = static_cast<int>(ms / 1000 % 60);
    millisecond = static_cast<int>(ms % 1000);
}

std::string formatLongTime(double dt) {
    int y, mo, d, h, mi, s, ms;
    decodeDateTime(dt, y, mo, d, h, mi, s, ms);
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", h, mi, s);
    return buf;
}

}  // namespace tobrisk
