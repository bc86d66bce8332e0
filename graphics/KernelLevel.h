#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmora {

// The instruction sets the resampling kernels are built for, lowest first:
// `Portable` is the compiler's baseline (plain x86-64 on a PC), `Avx2` the
// x86-64-v3 level (AVX2, FMA, BMI2), `Avx512` the x86-64-v4 level with the
// hand-written AVX-512 kernels. Every level computes the same exact result.
enum class KernelLevel : std::uint8_t { Portable, Avx2, Avx512 };

inline constexpr KernelLevel kAllKernelLevels[] = {KernelLevel::Portable, KernelLevel::Avx2, KernelLevel::Avx512};

// The highest level this processor (and this build) offers.
KernelLevel HighestKernelLevel();

// The level the kernels run at. The first call reads the environment
// variable VELMORA_KERNEL_LEVEL ("avx512", "v3" or "default"), so the
// program, the content tool and the benchmarks can be held to a lower level
// than the processor offers; a level above the processor's is lowered to it,
// and an unknown value or no variable means the highest level.
KernelLevel ActiveKernelLevel();

// For tests and benchmarks: runs the kernels at `level` from now on, in the
// whole process. False, and nothing changes, when the processor lacks it.
bool SetKernelLevel(KernelLevel level);

// Which kernels ran: each kernel set carries the instruction-set features
// it was built for (empty for the portable loops), and resampling notes the
// set it runs. Tests read it to tell that each level's name runs that
// level's own kernels.
void NoteKernelsRun(const char* features);
std::string_view LastKernelsRun();

// The names the environment variable takes.
std::optional<KernelLevel> ParseKernelLevel(std::string_view name);
std::string_view KernelLevelName(KernelLevel level);

}  // namespace velmora
