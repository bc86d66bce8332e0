#pragma once

// The hand-written x86-64 kernels are built with GCC's target attributes, one
// function at a time, so the rest of the build stays at the baseline and the
// wider levels are chosen at run time (graphics/KernelLevel).
#if defined(__x86_64__) && defined(__GNUC__) && !defined(__clang__)
#define VELMORA_X86_KERNELS 1
#include <immintrin.h>
#define VELMORA_TARGET_V3 [[gnu::target("arch=x86-64-v3")]]
#define VELMORA_TARGET_V4 [[gnu::target("arch=x86-64-v4")]]
#define VELMORA_AVX512 [[gnu::target("avx512f,avx512bw,avx512vl,avx512dq")]]
#else
#define VELMORA_X86_KERNELS 0
#endif
