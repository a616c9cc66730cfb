// Timers: named periodic timers with an interval, an enabled flag and a tag, fired on the main
// thread by the event loop and by pump_messages(). A timer that comes late fires once and counts
// its next interval from that moment, so missed ticks never pile up; a timer whose handler is
// still running (a nested pump) is not fired again until it returns. Time comes from the clock
// (clock.h), so tests drive timers with a ManualClock and run_due_timers().
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

namespace dravok {

class Timer {
  public:
    using Handler = std::function<void(Timer&)>;

    const std::string& name() const { return name_; }
    uint32_t interval() const { return interval_; }
    // A new interval restarts the count of an enabled timer; 0 stops it from firing.
    void set_interval(uint32_t ms);
    bool enabled() const { return enabled_; }
    // Switching a timer on starts a fresh interval; setting the state it already has does nothing.
    void set_enabled(bool on);
    int64_t tag() const { return tag_; }
    void set_tag(int64_t t) { tag_ = t; }
    void set_handler(Handler h) { handler_ = std::move(h); }
    bool running() const { return running_; }
    uint64_t due_at() const { return due_; }

  private:
    friend class TimerSet;
    friend Timer& create_timer(std::string_view, uint32_t, bool, Handler);
    friend void destroy_timer(std::string_view);
    friend void destroy_all_timers();
    std::string name_;
    uint32_t interval_ = 1000;
    bool enabled_ = false;
    int64_t tag_ = 0;
    Handler handler_;
    uint64_t due_ = 0;
    bool running_ = false;
    bool dead_ = false;
};

// A new timer (or the existing one of that name, re-armed with these values). The reference
// stays valid until the timer is destroyed.
Timer& create_timer(std::string_view name, uint32_t interval_ms, bool enabled, Timer::Handler handler);
Timer* find_timer(std::string_view name);
void destroy_timer(std::string_view name);
void destroy_all_timers();

// Fires every enabled timer that is due now, once each, in creation order.
void run_due_timers();
// Milliseconds until the next enabled timer is due: 0 when one is due, -1 when none is enabled.
int64_t ms_until_next_timer();

} // namespace dravok
