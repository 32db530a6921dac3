// Writes the fuzz targets' seed corpora, built with the test-side writers:
// <folder>/library, station, special_tool and profile, one file per seed.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "reliability/tests/sample_files.h"

namespace {

namespace fs = std::filesystem;
namespace rel = quarnel::reliability;
namespace t = quarnel::testing;

void WriteSeed(const fs::path& folder, const std::string& name, const std::string& bytes) {
  fs::create_directories(folder);
  std::ofstream out(folder / name, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void WriteLibrarySeeds(const fs::path& folder) {
  for (int version : rel::LibraryVersions()) {
    WriteSeed(folder, "rich-v" + std::to_string(version), rel::RichLibrary(version).bytes);
  }
  t::LibraryFileFields empty;
  WriteSeed(folder, "no-tools-v92", t::BuildLibraryFile(empty));
  t::LegacyLibraryFileFields placeholder_only;
  placeholder_only.version = 6;
  WriteSeed(folder, "placeholder-only-v6", t::BuildLegacyLibraryFile(placeholder_only));
  WriteSeed(folder, "station-library", rel::StationLibrary());
}

void WriteStationSeeds(const fs::path& folder) {
  WriteSeed(folder, "rich", rel::RichStationFile());
  WriteSeed(folder, "empty-tables", t::BuildStationFile(t::StationFileFields{}));
}

void WriteSpecialToolSeeds(const fs::path& folder) {
  for (int version : rel::SpecialToolVersions()) {
    WriteSeed(folder, "rich-v" + std::to_string(version), rel::RichSpecialTool(version).bytes);
  }
  const std::vector<std::string> patterns = rel::PatternSpecialTools();
  for (size_t i = 0; i < patterns.size(); ++i) WriteSeed(folder, "patterns-" + std::to_string(i), patterns[i]);
  // Inputs at the expansion's limit: every run replays them.
  const std::vector<std::string> million = rel::MillionItemSpecialTools();
  for (size_t i = 0; i < million.size(); ++i) WriteSeed(folder, "million-items-" + std::to_string(i), million[i]);
}

void WriteProfileSeeds(const fs::path& folder) {
  WriteSeed(folder, "folder", "[Kestrac]\r\nKVT_DEFAULT_SPECIAL_TOOL_PATH=d:\\tools\\spt\\\r\n");
  WriteSeed(folder, "sections",
            "; a comment\n[windows]\nload=\n[kestrac]\n  kvt_default_special_tool_path =  c:\\spt  \n"
            "[Kestrac]\nKVT_DEFAULT_SPECIAL_TOOL_PATH=c:\\second\\\n");
  WriteSeed(folder, "empty-value", "[Kestrac]\nKVT_DEFAULT_SPECIAL_TOOL_PATH=\n");
  WriteSeed(folder, "long-value", "[Kestrac]\nKVT_DEFAULT_SPECIAL_TOOL_PATH=c:\\" + std::string(300, 'x') + "\n");
  WriteSeed(folder, "own-key", std::string("Section\0Key\0[Section]\nKey = value\n", 34));
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: %s <seed folder>\n", argv[0]);
    return 2;
  }
  const fs::path root = argv[1];
  WriteLibrarySeeds(root / "library");
  WriteStationSeeds(root / "station");
  WriteSpecialToolSeeds(root / "special_tool");
  WriteProfileSeeds(root / "profile");
  return 0;
}
