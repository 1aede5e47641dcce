#pragma once
// "Now" as a date-time double: days since 1899-12-30, the time of day as the fraction.
// Injectable so reminders and record dates are testable at fixed times.

#include <string>

namespace tobrisk {

class Clock {
  public:
    virtual ~Clock() = default;
    virtual double now() const = 0;  // local date and time
};

// Calendar helpers over date-time doubles (no time zone: the value is local time).
double encodeDateTime(int year, int month, int day, int hour, int minute, int second,
                      int millisecond = 0);
void decodeDateTime(double dt, int& year, int& month, int& day, int& hour, int& minute, int& second,
                    int& millisecond);
// Time of day as h:mm:ss in the long time format of the machine; here "hh:mm:ss".
std::string formatLongTime(double dt);

}  // namespace tobrisk
