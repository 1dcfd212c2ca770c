// Preloaded into cgdemo (LD_PRELOAD) by the end-to-end tests: CLOCK_MONOTONIC
// stands still at its first reading, so the animation clock never advances
// and every frame is the program's first.
#include <dlfcn.h>
#include <time.h>

#include <atomic>

namespace {

std::atomic<bool> frozen{false};
timespec frozenAt;

}  // namespace

extern "C" int clock_gettime(clockid_t clock, timespec* now) {
    using ClockGettime = int (*)(clockid_t, timespec*);
    static const auto realClockGettime =
        reinterpret_cast<ClockGettime>(dlsym(RTLD_NEXT, "clock_gettime"));
    if (clock != CLOCK_MONOTONIC) {
        return realClockGettime(clock, now);
    }
    if (!frozen.load()) {
        const int result = realClockGettime(clock, &frozenAt);
        if (result != 0) {
            return result;
        }
        frozen.store(true);
    }
    *now = frozenAt;
    return 0;
}
