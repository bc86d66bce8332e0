#pragma once

// The hand-written x86-64 kernels are built with target attributes, one
// function at a time, so the rest of the build stays at the baseline and the
// wider levels are chosen at run time (graphics/KernelLevel). The levels are
// spelled as feature lists rather than "arch=x86-64-v3": GCC 12 and clang 14
// both accept those, so every compiler (and the clang fuzz build) sees the
// kernels.
#if defined(__x86_64__) && defined(__GNUC__)
#define VELMORA_X86_KERNELS 1
#include <immintrin.h>
#define VELMORA_V3_FEATURES "avx,avx2,bmi,bmi2,f16c,fma,lzcnt,movbe,popcnt,sse4.2,xsave"
#define VELMORA_AVX512_FEATURES "avx512f,avx512bw,avx512cd,avx512dq,avx512vl"
#define VELMORA_V4_FEATURES VELMORA_V3_FEATURES "," VELMORA_AVX512_FEATURES
#define VELMORA_TARGET_V3 [[gnu::target(VELMORA_V3_FEATURES)]]
#define VELMORA_TARGET_V4 [[gnu::target(VELMORA_V4_FEATURES)]]
#define VELMORA_AVX512 [[gnu::target(VELMORA_V4_FEATURES)]]
#else
#define VELMORA_X86_KERNELS 0
#endif
