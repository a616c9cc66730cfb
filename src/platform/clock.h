// The clock of the program: a millisecond tick counter (timers, animation), the local date and
// time (file names, the error log), the milliseconds since midnight UTC (the random seed), and
// day-count date values (fractional days since 1899-12-30, local time) stored in save records.
// Everything reads the current Clock, which tests replace with a ManualClock.
#pragma once
#include <cstdint>
#include <string>

namespace dravok {

struct DateTime {
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;
    friend bool operator==(const DateTime&, const DateTime&) = default;
};

class Clock {
  public:
    virtual ~Clock() = default;
    // Milliseconds since an arbitrary start; never goes backwards.
    virtual uint64_t tick_ms() = 0;
    // Milliseconds since 1970-01-01 UTC.
    virtual int64_t unix_ms() = 0;
    // The local date and time of a moment given in milliseconds since 1970-01-01 UTC.
    virtual DateTime local_time_of(int64_t unix_ms) = 0;
};

// The real clock: a monotonic tick counter and the system's time zone.
class SystemClock : public Clock {
  public:
    uint64_t tick_ms() override;
    int64_t unix_ms() override;
    DateTime local_time_of(int64_t unix_ms) override;
};

// A clock for tests: time stands still until advanced; local time is UTC plus a fixed offset.
class ManualClock : public Clock {
  public:
    explicit ManualClock(int64_t start_unix_ms = 1'700'000'000'000, int utc_offset_minutes = 0)
        : unix_ms_(start_unix_ms), offset_minutes_(utc_offset_minutes) {}
    void advance(uint64_t ms) {
        ticks_ += ms;
        unix_ms_ += static_cast<int64_t>(ms);
    }
    void set_unix_ms(int64_t ms) { unix_ms_ = ms; }
    uint64_t tick_ms() override { return ticks_; }
    int64_t unix_ms() override { return unix_ms_; }
    DateTime local_time_of(int64_t unix_ms) override;

  private:
    uint64_t ticks_ = 0;
    int64_t unix_ms_;
    int offset_minutes_;
};

// The clock in use; set_clock(nullptr) returns to the system clock. The clock is not owned.
Clock& current_clock();
void set_clock(Clock* clock);

uint64_t tick_ms();
DateTime local_now();
uint32_t ms_since_midnight_utc();

// Fractional days since 1899-12-30 00:00 of a local date and time, and back.
double datetime_value(const DateTime& t);
DateTime datetime_from_value(double days);

// The date and time as "yyyy_mm_dd_hhnnss" (screenshot names) and "yyyy-mm-dd hh:nn" (logs).
std::string format_file_stamp(const DateTime& t);
std::string format_log_stamp(const DateTime& t);

} // namespace dravok
