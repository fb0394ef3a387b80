#include "core/remote/clock.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

#include "core/base/os.h"

namespace tarvex::remote {

LocalTime SystemClock::now() const {
    using namespace std::chrono;
    auto now = system_clock::now();
    std::time_t t = system_clock::to_time_t(now);
    int ms = static_cast<int>(duration_cast<milliseconds>(now.time_since_epoch()).count() % 1000);
    const std::tm tm = base::local_time(t);
    return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec, ms};
}

std::string time_text(const LocalTime& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d:%02d:%02d", t.hour, t.minute, t.second);
    return buf;
}

std::string date_text(const LocalTime& t) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d", t.year, t.month, t.day);
    return buf;
}

std::string stamp_text(const LocalTime& t) {
    char buf[8];
    std::snprintf(buf, sizeof buf, ".%03d", t.millisecond);
    return date_text(t) + " " + time_text(t) + buf;
}

double seconds_since_midnight(const LocalTime& t) {
    return t.hour * 3600.0 + t.minute * 60.0 + t.second + t.millisecond / 1000.0;
}

long long day_serial(const LocalTime& t) {
    using namespace std::chrono;
    auto day = sys_days{year{t.year} / month{static_cast<unsigned>(t.month)} /
                        std::chrono::day{static_cast<unsigned>(t.day)}};
    auto epoch = sys_days{year{1899} / December / 30};
    double serial =
        static_cast<double>((day - epoch).count()) + seconds_since_midnight(t) / 86400.0;
    return static_cast<long long>(std::nearbyint(serial));
}

}  // namespace tarvex::remote
