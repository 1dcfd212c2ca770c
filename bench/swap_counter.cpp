// Preloaded into a GLUT program (LD_PRELOAD), counts its buffer swaps without
// changing it: glXSwapBuffers is wrapped, and the count and the time of the
// first swap are kept in the file named by CGDEMO_SWAP_COUNTS, which the
// benchmark maps and reads while the program runs.
#include <GL/glx.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <sys/mman.h>
#include <time.h>
#include <unistd.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>

namespace {

// The layout of the counts file: two little-endian 64-bit numbers.
struct SwapCounts {
    std::atomic<uint64_t> swaps;
    std::atomic<uint64_t> firstSwapNanoseconds;  // CLOCK_MONOTONIC
};

SwapCounts* mapCounts() {
    const char* path = std::getenv("CGDEMO_SWAP_COUNTS");
    if (path == nullptr) {
        return nullptr;
    }
    const int file = open(path, O_RDWR | O_CREAT, 0644);
    if (file == -1 || ftruncate(file, sizeof(SwapCounts)) != 0) {
        return nullptr;
    }
    void* memory = mmap(nullptr, sizeof(SwapCounts), PROT_READ | PROT_WRITE, MAP_SHARED, file, 0);
    close(file);
    return memory == MAP_FAILED ? nullptr : static_cast<SwapCounts*>(memory);
}

uint64_t nowNanoseconds() {
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<uint64_t>(now.tv_sec) * 1000000000u + static_cast<uint64_t>(now.tv_nsec);
}

}  // namespace

extern "C" void glXSwapBuffers(Display* display, GLXDrawable drawable) {
    using Swap = void (*)(Display*, GLXDrawable);
    static const auto realSwap = reinterpret_cast<Swap>(dlsym(RTLD_NEXT, "glXSwapBuffers"));
    static SwapCounts* const counts = mapCounts();
    realSwap(display, drawable);
    if (counts != nullptr) {
        if (counts->swaps.load() == 0) {
            counts->firstSwapNanoseconds.store(nowNanoseconds());
        }
        counts->swaps.fetch_add(1);
    }
}
