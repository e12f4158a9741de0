// The entry point of every benchmark: the build's data folders stand for the
// executable's folder, so shaders, models and fonts are found wherever it runs from.
#include <benchmark/benchmark.h>

#include "platform/DataFiles.h"

int main(int argc, char** argv) {
  SetExeFolder(ZQ_BENCH_BIN_DIR);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
