// Preloaded into the program by fontconfig_once.sh: reports on standard
// error when two threads are inside FcInit at once. Making fontconfig's
// configuration on two threads at the same time can corrupt its shared
// state. Each call is held for a while, so that an overlap that is merely
// unlikely on a fast machine happens every time.
#include <dlfcn.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>

extern "C" int FcInit()
{
    using RealFcInit = int (*)();
    static const auto real = reinterpret_cast<RealFcInit>(dlsym(RTLD_NEXT, "FcInit"));
    static std::atomic<int> inside{0};
    if (inside.fetch_add(1) > 0)
        std::fputs("fcinit-watch: FcInit entered on two threads at once\n", stderr);
    std::this_thread::sleep_for(std::chrono::milliseconds(150));
    const int made = real();
    inside.fetch_sub(1);
    return made;
}
