// The shared library exports its entry points as functions under their plain
// C names, and no other function of its own.
#include <gtest/gtest.h>

#if defined(__linux__)
#include <unistd.h>

#include <array>
#include <cstdio>
#include <filesystem>
#include <set>
#include <sstream>
#include <string>

namespace {

const std::set<std::string> kEntryPoints = {
    "StartSendTool",    "SendTool",        "EndSendTool",         "SendTools",
    "StartReceiveTool", "ReceiveTool",     "EndReceiveTool",      "ReceiveTools",
    "OpenSpecialTool",  "LoadSpecialTool", "LoadGeometryAtIndex", "GetGeometryAt",
    "GetGeometryValuesAt", "CloseSpecialTool", "ViewSpecialTool"};

// The shared library next to the test binary's folder, as the build lays them out.
std::filesystem::path SharedLibraryPath() {
  std::error_code error;
  const auto binary = std::filesystem::read_symlink("/proc/self/exe", error);
  if (error) return {};
  return binary.parent_path().parent_path() / "libquarnel.so";
}

// The names of the functions that `library` defines and exports. Weak and
// unique symbols are left out: they are instantiations from the standard
// library's headers, not functions of ours.
std::set<std::string> ExportedFunctions(const std::filesystem::path& library) {
  std::set<std::string> names;
  const std::string command = "nm -D --defined-only '" + library.string() + "' 2>/dev/null";
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return names;
  std::array<char, 512> line{};
  while (fgets(line.data(), static_cast<int>(line.size()), pipe) != nullptr) {
    std::istringstream fields(line.data());
    std::string address, kind, name;
    if (fields >> address >> kind >> name && kind == "T") names.insert(name);
  }
  pclose(pipe);
  return names;
}

TEST(ExportedSymbolsTest, SendAndReceiveEntryPointsAreExportedUndecorated) {
  const std::filesystem::path library = SharedLibraryPath();
  if (library.empty() || !std::filesystem::exists(library)) {
    GTEST_SKIP() << "libquarnel.so is not built next to the tests";
  }
  const std::set<std::string> exported = ExportedFunctions(library);
  ASSERT_FALSE(exported.empty()) << "nm found no symbols in " << library;
  for (const char* name : {"StartSendTool", "SendTool", "EndSendTool", "SendTools",
                           "StartReceiveTool", "ReceiveTool", "EndReceiveTool", "ReceiveTools"}) {
    EXPECT_EQ(exported.count(name), 1u) << name;
  }
  for (const std::string& name : exported) {
    EXPECT_EQ(kEntryPoints.count(name), 1u) << "unexpected export " << name;
  }
  EXPECT_EQ(exported.size(), kEntryPoints.size());
}

}  // namespace
#endif
