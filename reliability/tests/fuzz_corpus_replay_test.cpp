// Every input that fuzzing ever found a fault with is kept in
// fuzz/corpus/<target>/ and goes through its target's entry sequence again.
#include <filesystem>
#include <fstream>
#include <iterator>

#include "reliability/tests/reliability_fixture.h"

namespace quarnel::reliability {
namespace {

namespace fs = std::filesystem;

fs::path KeptCorpus() {
#ifdef QUARNEL_KEPT_CORPUS
  // Given by the build: __FILE__ is relative when the compiler cache rewrites paths.
  if (fs::is_directory(QUARNEL_KEPT_CORPUS)) return QUARNEL_KEPT_CORPUS;
#endif
  // This file lies in <source>/reliability/tests.
  return fs::path(__FILE__).parent_path().parent_path().parent_path() / "fuzz" / "corpus";
}

std::string FileBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

using FuzzCorpusReplay = ReliabilityTest;

TEST_F(FuzzCorpusReplay, EveryKeptInputPassesItsTargetsSequence) {
  const fs::path corpus = KeptCorpus();
  if (!fs::is_directory(corpus)) GTEST_SKIP() << "no kept fuzz inputs at " << corpus;
  int replayed = 0;
  for (const auto& target : fs::directory_iterator(corpus)) {
    if (!target.is_directory()) continue;
#ifdef _WIN32
    // There the profile is the system's own, not a file the test can write.
    if (target.path().filename() == "profile") continue;
#endif
    for (const auto& input : fs::directory_iterator(target.path())) {
      if (!input.is_regular_file() || input.path().filename().string().front() == '.') continue;
      const Findings findings = RunTargetInput(target.path().filename().string(), FileBytes(input.path()));
      EXPECT_TRUE(findings.empty()) << input.path() << Describe(findings);
      ++replayed;
    }
  }
  RecordProperty("replayed", replayed);
}

}  // namespace
}  // namespace quarnel::reliability
