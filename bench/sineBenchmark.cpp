// The correctly rounded sine: arguments like the scene's (floats of a few hundred to a few
// thousand radians), one at a time and in batches of a node's sizes, and arguments far from the
// origin (a camera flown a long way), which take the float reduction; and the quick sines
// within a bound that the wave fields take first.
#include "util/correctlyRoundedSine.h"
#include "util/quickSine.h"

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace {

const int argumentCount = 4096;

// Floats spread over ±scale, from a fixed sequence.
std::vector<double> sceneArguments(double scale) {
    std::vector<double> arguments(argumentCount);
    uint32_t state = 1;
    for (double& x : arguments) {
        state = state * 1664525u + 1013904223u;
        x = static_cast<double>(static_cast<float>((state / 4294967296.0 - 0.5) * 2.0 * scale));
    }
    return arguments;
}

void reportSines(benchmark::State& state) {
    state.counters["sines/s"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * argumentCount, benchmark::Counter::kIsRate);
}

// One call per sine. Argument: the arguments' scale.
void sineOneByOne(benchmark::State& state) {
    const std::vector<double> arguments = sceneArguments(static_cast<double>(state.range(0)));
    for (auto _ : state) {
        double sum = 0;
        for (double x : arguments) {
            sum += correctlyRoundedSin(x);
        }
        benchmark::DoNotOptimize(sum);
    }
    reportSines(state);
}
BENCHMARK(sineOneByOne)->Arg(4000)->Arg(100000000);

// Batches of a field's three sines, a branch's fifteen and a marker's twenty-four.
// Arguments: batch size, scale.
void sineBatches(benchmark::State& state) {
    const int32_t batch = static_cast<int32_t>(state.range(0));
    const std::vector<double> arguments = sceneArguments(static_cast<double>(state.range(1)));
    std::vector<double> sines(argumentCount);
    for (auto _ : state) {
        for (int32_t at = 0; at + batch <= argumentCount; at += batch) {
            correctlyRoundedSines(&arguments[at], &sines[at], batch);
        }
        benchmark::DoNotOptimize(sines.data());
    }
    reportSines(state);
}
BENCHMARK(sineBatches)->Args({3, 4000})->Args({15, 4000})->Args({24, 4000})->Args({3, 100000000});

// The sines within a bound that the wave fields take first, in the same batches.
void quickSineBatches(benchmark::State& state) {
    const int32_t batch = static_cast<int32_t>(state.range(0));
    const std::vector<double> arguments = sceneArguments(static_cast<double>(state.range(1)));
    std::vector<double> sines(argumentCount);
    for (auto _ : state) {
        for (int32_t at = 0; at + batch <= argumentCount; at += batch) {
            quickSines(&arguments[at], &sines[at], batch);
        }
        benchmark::DoNotOptimize(sines.data());
    }
    reportSines(state);
}
BENCHMARK(quickSineBatches)
    ->Args({3, 4000})
    ->Args({15, 4000})
    ->Args({24, 4000})
    ->Args({3, 100000000});

} // namespace

BENCHMARK_MAIN();
