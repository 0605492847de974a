// How long a whole verification takes on missions of growing size.

#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "mission_generator.h"
#include "verify.h"

namespace {

// Verifies the text once per iteration; a text that does not verify stops the
// benchmark, so no figure ever comes from a run cut short by an error.
void VerifyRepeatedly(benchmark::State& run, const std::string& text) {
  // The next mission a ".LOADNEXTMISSION" action names: the file itself,
  // in a missions folder made for the run.
  const std::filesystem::path folder = std::filesystem::temp_directory_path() / "tolvane-verify-bench";
  std::filesystem::create_directories(folder);
  std::ofstream(folder / "next.mis") << "//\r\n";
  tolvane::TypeNameList names;
  std::istringstream lines(tolvane::bench::GeneratorTypeNames());
  for (std::string line; std::getline(lines, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    names.TypeNameTable.push_back(line);
  }
  names.TypeNamesLoaded = true;
  const tolvane::MissionFolderEnvironment environment(names, folder.string());
  for (auto _ : run) {
    tolvane::MissionState state;
    auto result = tolvane::VerifyMissionBytes(state, environment, text);
    if (!result.MissionOk) {
      run.SkipWithError((state.ErrMsg + "at line " + std::to_string(state.LineNo)).c_str());
      break;
    }
    benchmark::DoNotOptimize(result);
  }
  run.SetBytesProcessed(static_cast<std::int64_t>(run.iterations() * text.size()));
}

void BM_VerifySmallMission(benchmark::State& run) {
  VerifyRepeatedly(run, tolvane::bench::GenerateMission(tolvane::bench::SmallShape()));
}
BENCHMARK(BM_VerifySmallMission)->Unit(benchmark::kMillisecond);

// Every table near its capacity, no padding.
void BM_VerifyCapacityMission(benchmark::State& run) {
  VerifyRepeatedly(run, tolvane::bench::GenerateMission(tolvane::bench::MissionShape{}));
}
BENCHMARK(BM_VerifyCapacityMission)->Unit(benchmark::kMillisecond);

void BM_VerifyPaddedMission(benchmark::State& run) {
  tolvane::bench::MissionShape shape;
  shape.PadToBytes = static_cast<std::size_t>(run.range(0)) << 20;
  VerifyRepeatedly(run, tolvane::bench::GenerateMission(shape));
}
BENCHMARK(BM_VerifyPaddedMission)->Arg(1)->Arg(10)->Arg(50)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
