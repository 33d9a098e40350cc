#pragma once

// main() for benchmarks that need a Qt application object (sockets, widgets). Windows go to the
// offscreen platform and sound to SDL's dummy driver unless the environment says otherwise.

#include <benchmark/benchmark.h>

#include <QtGlobal>

namespace vextal::bench {

template <typename Application>
int RunBenchmarks(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
  }
  if (qEnvironmentVariableIsEmpty("SDL_AUDIODRIVER")) {
    qputenv("SDL_AUDIODRIVER", "dummy");
  }
  // The benchmark flags first, so Qt never sees them.
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
    return 1;
  }
  Application app(argc, argv);
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}

}  // namespace vextal::bench

#define VEXTAL_BENCH_MAIN(Application)                            \
  int main(int argc, char** argv) {                               \
    return vextal::bench::RunBenchmarks<Application>(argc, argv); \
  }
