#pragma once
// The wall clock of the virtual control: time stamps of log lines, raw-log file names, the
// trace, and the delay routine's seconds since midnight. Tests set the time.
#include <string>

namespace tarvex::remote {

struct LocalTime {
    int year = 2000, month = 1, day = 1;
    int hour = 0, minute = 0, second = 0, millisecond = 0;
};

class Clock {
  public:
    virtual ~Clock() = default;
    virtual LocalTime now() const = 0;
};

class SystemClock : public Clock {
  public:
    LocalTime now() const override;
};

// "14:03:09"
std::string time_text(const LocalTime& t);
// "2024-05-01": the log's dates sort as text and read the same everywhere.
std::string date_text(const LocalTime& t);
// "2024-05-01 14:03:09.042"
std::string stamp_text(const LocalTime& t);
// Seconds since midnight with the milliseconds as a fraction.
double seconds_since_midnight(const LocalTime& t);
// The date-time as a day count since 30 December 1899, rounded to the nearest whole day (half
// days to even), the day number of the raw log's file names.
long long day_serial(const LocalTime& t);

}  // namespace tarvex::remote
