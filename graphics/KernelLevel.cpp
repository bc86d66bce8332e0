#include "graphics/KernelLevel.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

#include "graphics/X86Kernels.h"

namespace velmora {

namespace {

constexpr const char* kLevelVariable = "VELMORA_KERNEL_LEVEL";

KernelLevel LevelFromEnvironment()
{
    const char* value = std::getenv(kLevelVariable);
    const std::optional<KernelLevel> requested = value != nullptr ? ParseKernelLevel(value) : std::nullopt;
    return std::min(requested.value_or(KernelLevel::Avx512), HighestKernelLevel());
}

std::atomic<const char*> lastKernelsRun{""};

std::atomic<KernelLevel>& CurrentLevel()
{
    static std::atomic<KernelLevel> level{LevelFromEnvironment()};
    return level;
}

}  // namespace

KernelLevel HighestKernelLevel()
{
    // The kernels for the wider levels are built with target attributes on
    // x86-64 only; any other build runs the portable loops. The features are
    // asked one by one, as GCC 12 and clang 14 both name them.
#if VELMORA_X86_KERNELS
    static const KernelLevel highest = [] {
        __builtin_cpu_init();
        const bool v3 = __builtin_cpu_supports("avx2") && __builtin_cpu_supports("fma") &&
                        __builtin_cpu_supports("bmi") && __builtin_cpu_supports("bmi2") &&
                        __builtin_cpu_supports("popcnt");
        const bool v4 = v3 && __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
                        __builtin_cpu_supports("avx512cd") && __builtin_cpu_supports("avx512dq") &&
                        __builtin_cpu_supports("avx512vl");
        return v4 ? KernelLevel::Avx512 : v3 ? KernelLevel::Avx2 : KernelLevel::Portable;
    }();
    return highest;
#else
    return KernelLevel::Portable;
#endif
}

KernelLevel ActiveKernelLevel()
{
    return CurrentLevel().load(std::memory_order_relaxed);
}

bool SetKernelLevel(KernelLevel level)
{
    if (level > HighestKernelLevel())
        return false;
    CurrentLevel().store(level, std::memory_order_relaxed);
    return true;
}

void NoteKernelsRun(const char* features)
{
    lastKernelsRun.store(features, std::memory_order_relaxed);
}

std::string_view LastKernelsRun()
{
    return lastKernelsRun.load(std::memory_order_relaxed);
}

std::optional<KernelLevel> ParseKernelLevel(std::string_view name)
{
    for (const KernelLevel level : kAllKernelLevels)
        if (name == KernelLevelName(level))
            return level;
    return std::nullopt;
}

std::string_view KernelLevelName(KernelLevel level)
{
    switch (level) {
    case KernelLevel::Portable: return "default";
    case KernelLevel::Avx2: return "v3";
    case KernelLevel::Avx512: return "avx512";
    }
    return "default";
}

}  // namespace velmora
