#include "platform/clock.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>

namespace dravok {

namespace {

SystemClock system_clock;
Clock* active = &system_clock;

// Days from 1970-01-01 of a civil date (proleptic Gregorian).
int64_t days_from_civil(int64_t y, int m, int d) {
    y -= m <= 2;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + doe - 719468;
}

void civil_from_days(int64_t z, int& y, int& m, int& d) {
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const int64_t doe = z - era * 146097;
    const int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const int64_t mp = (5 * doy + 2) / 153;
    d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
    m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
    y = static_cast<int>(yoe + era * 400 + (m <= 2));
}

DateTime from_unix_ms_utc(int64_t ms) {
    int64_t days = ms >= 0 ? ms / 86'400'000 : (ms - 86'399'999) / 86'400'000;
    int64_t rest = ms - days * 86'400'000;
    DateTime t;
    civil_from_days(days, t.year, t.month, t.day);
    t.hour = static_cast<int>(rest / 3'600'000);
    t.minute = static_cast<int>(rest / 60'000 % 60);
    t.second = static_cast<int>(rest / 1000 % 60);
    t.millisecond = static_cast<int>(rest % 1000);
    return t;
}

// 1899-12-30 counted from 1970-01-01.
constexpr int64_t day_zero = -25569;

} // namespace

uint64_t SystemClock::tick_ms() {
    using namespace std::chrono;
    return static_cast<uint64_t>(duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

int64_t SystemClock::unix_ms() {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
}

DateTime SystemClock::local_time_of(int64_t ms) {
    std::time_t secs = static_cast<std::time_t>(ms >= 0 ? ms / 1000 : (ms - 999) / 1000);
    std::tm tm{};
    localtime_r(&secs, &tm);
    DateTime t;
    t.year = tm.tm_year + 1900;
    t.month = tm.tm_mon + 1;
    t.day = tm.tm_mday;
    t.hour = tm.tm_hour;
    t.minute = tm.tm_min;
    t.second = tm.tm_sec;
    t.millisecond = static_cast<int>(ms - static_cast<int64_t>(secs) * 1000);
    return t;
}

DateTime ManualClock::local_time_of(int64_t ms) {
    return from_unix_ms_utc(ms + static_cast<int64_t>(offset_minutes_) * 60'000);
}

Clock& current_clock() {
    return *active;
}

void set_clock(Clock* clock) {
    active = clock ? clock : &system_clock;
}

uint64_t tick_ms() {
    return active->tick_ms();
}

DateTime local_now() {
    return active->local_time_of(active->unix_ms());
}

uint32_t ms_since_midnight_utc() {
    int64_t ms = active->unix_ms() % 86'400'000;
    if (ms < 0) ms += 86'400'000;
    return static_cast<uint32_t>(ms);
}

double datetime_value(const DateTime& t) {
    int64_t days = days_from_civil(t.year, t.month, t.day) - day_zero;
    double frac =
        (t.hour * 3'600'000.0 + t.minute * 60'000.0 + t.second * 1000.0 + t.millisecond) / 86'400'000.0;
    // Before day zero the fraction counts away from zero, as the day-count format does.
    return days >= 0 ? static_cast<double>(days) + frac : static_cast<double>(days) - frac;
}

DateTime datetime_from_value(double value) {
    double whole = std::trunc(value);
    double frac = std::fabs(value - whole);
    int64_t ms = static_cast<int64_t>(std::llround(frac * 86'400'000.0));
    int64_t days = static_cast<int64_t>(whole);
    if (ms >= 86'400'000) {
        ms -= 86'400'000;
        days += value >= 0 ? 1 : -1;
    }
    DateTime t = from_unix_ms_utc((days + day_zero) * 86'400'000);
    t.hour = static_cast<int>(ms / 3'600'000);
    t.minute = static_cast<int>(ms / 60'000 % 60);
    t.second = static_cast<int>(ms / 1000 % 60);
    t.millisecond = static_cast<int>(ms % 1000);
    return t;
}

std::string format_file_stamp(const DateTime& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d_%02d_%02d_%02d%02d%02d", t.year, t.month, t.day, t.hour, t.minute,
                  t.second);
    return buf;
}

std::string format_log_stamp(const DateTime& t) {
    char buf[64];
    std::snprintf(buf, sizeof buf, "%04d-%02d-%02d %02d:%02d", t.year, t.month, t.day, t.hour, t.minute);
    return buf;
}

} // namespace dravok
