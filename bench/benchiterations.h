// A benchmark's fixed number of iterations, or a single one when
// TAVRO_BENCH_QUICK is set: bench/run-bench.sh --quick (the test command) only
// checks that every benchmark still builds and runs.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdlib>

inline benchmark::IterationCount benchIterations(benchmark::IterationCount n)
{
    return std::getenv("TAVRO_BENCH_QUICK") ? 1 : n;
}
