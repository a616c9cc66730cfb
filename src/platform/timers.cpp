#include "platform/timers.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/clock.h"

namespace dravok {

class TimerSet {
  public:
    std::vector<std::unique_ptr<Timer>> timers;
    int firing_depth = 0;

    Timer* find(std::string_view name) {
        for (auto& t : timers)
            if (!t->dead_ && t->name_ == name) return t.get();
        return nullptr;
    }

    void sweep() {
        if (firing_depth > 0) return;
        std::erase_if(timers, [](const std::unique_ptr<Timer>& t) { return t->dead_; });
    }

    static void fire(Timer& t, uint64_t now) {
        t.due_ = now + t.interval_;
        t.running_ = true;
        if (t.handler_) t.handler_(t);
        t.running_ = false;
    }

    static bool can_fire(const Timer& t) { return !t.dead_ && t.enabled_ && t.interval_ > 0 && !t.running_; }
};

namespace {

TimerSet& timer_set() {
    static TimerSet s;
    return s;
}

} // namespace

void Timer::set_interval(uint32_t ms) {
    if (ms == interval_) return;
    interval_ = ms;
    if (enabled_) due_ = tick_ms() + interval_;
}

void Timer::set_enabled(bool on) {
    if (on == enabled_) return;
    enabled_ = on;
    if (on) due_ = tick_ms() + interval_;
}

Timer& create_timer(std::string_view name, uint32_t interval_ms, bool enabled, Timer::Handler handler) {
    TimerSet& set = timer_set();
    Timer* t = set.find(name);
    if (!t) {
        set.timers.push_back(std::make_unique<Timer>());
        t = set.timers.back().get();
        t->name_ = std::string(name);
    }
    t->interval_ = interval_ms;
    t->enabled_ = enabled;
    t->tag_ = 0;
    t->handler_ = std::move(handler);
    t->due_ = tick_ms() + interval_ms;
    return *t;
}

Timer* find_timer(std::string_view name) {
    return timer_set().find(name);
}

void destroy_timer(std::string_view name) {
    if (Timer* t = timer_set().find(name)) {
        t->dead_ = true;
        t->enabled_ = false;
    }
    timer_set().sweep();
}

void destroy_all_timers() {
    for (auto& t : timer_set().timers) {
        t->dead_ = true;
        t->enabled_ = false;
    }
    timer_set().sweep();
}

void run_due_timers() {
    TimerSet& set = timer_set();
    ++set.firing_depth;
    // Indices, not iterators: a handler may create timers while we walk.
    for (std::size_t i = 0; i < set.timers.size(); ++i) {
        Timer& t = *set.timers[i];
        if (!TimerSet::can_fire(t)) continue;
        uint64_t now = tick_ms();
        if (now >= t.due_at()) TimerSet::fire(t, now);
    }
    --set.firing_depth;
    set.sweep();
}

int64_t ms_until_next_timer() {
    int64_t best = -1;
    uint64_t now = tick_ms();
    for (auto& t : timer_set().timers) {
        if (!TimerSet::can_fire(*t)) continue;
        int64_t wait = t->due_at() > now ? static_cast<int64_t>(t->due_at() - now) : 0;
        if (best < 0 || wait < best) best = wait;
    }
    return best;
}

} // namespace dravok
