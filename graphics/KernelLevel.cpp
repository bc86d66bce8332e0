#include "graphics/KernelLevel.h"

#include <algorithm>
#include <atomic>
#include <cstdlib>

namespace velmora {

namespace {

constexpr const char* kLevelVariable = "VELMORA_KERNEL_LEVEL";

KernelLevel LevelFromEnvironment()
{
    const char* value = std::getenv(kLevelVariable);
    const std::optional<KernelLevel> requested = value != nullptr ? ParseKernelLevel(value) : std::nullopt;
    return std::min(requested.value_or(KernelLevel::Avx512), HighestKernelLevel());
}

std::atomic<KernelLevel>& CurrentLevel()
{
    static std::atomic<KernelLevel> level{LevelFromEnvironment()};
    return level;
}

}  // namespace

KernelLevel HighestKernelLevel()
{
    // The kernels for the wider levels are built with GCC's target
    // attributes on x86-64 only; any other build runs the portable loops.
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
    static const KernelLevel highest = __builtin_cpu_supports("x86-64-v4")   ? KernelLevel::Avx512
                                       : __builtin_cpu_supports("x86-64-v3") ? KernelLevel::Avx2
                                                                              : KernelLevel::Portable;
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
