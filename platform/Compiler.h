#pragma once
// Compiler-specific annotations, each empty where the compiler does not know it.

// T418_PRINTF_FORMAT(f, a): parameter f is a printf format whose arguments start at a, so the
// compiler checks every call. GCC checks the C99 conversions ("gnu_printf"): MinGW's C++
// library formats with its own C99 printf, while plain "printf" there would check against the
// Microsoft runtime's older set (no %zu, %td).
#if defined(__clang__)
#define T418_PRINTF_FORMAT(f, a) __attribute__((format(printf, f, a)))
#elif defined(__GNUC__)
#define T418_PRINTF_FORMAT(f, a) __attribute__((format(gnu_printf, f, a)))
#else
#define T418_PRINTF_FORMAT(f, a)
#endif
