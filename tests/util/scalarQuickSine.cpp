// The library's own source under another name; its functions compiled with no vector
// instructions (WebAssembly) or no vectorising (GCC), whatever the build's flags.
#include "scalarQuickSine.h"

#if defined(__clang__) && defined(__wasm_simd128__)
#pragma clang attribute push(__attribute__((target("no-simd128"))), apply_to = function)
#elif defined(__GNUC__) && !defined(__clang__)
#pragma GCC optimize("no-tree-vectorize")
#elif defined(__clang__)
#pragma clang attribute push(__attribute__((optnone)), apply_to = function)
#endif

#define quickSines scalarQuickSines
#include "util/quickSine.cpp"
#undef quickSines

#if defined(__clang__)
#pragma clang attribute pop
#endif
