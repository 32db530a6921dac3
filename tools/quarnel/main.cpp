// quarnel: the command-line host. It reads, converts, checks and draws tool
// libraries, station files and special-tool files through the library's
// exported entry points, as the CAM host does.
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <exception>
#include <iostream>

#include "cli_error.h"
#include "commands/commands.h"

namespace {

// The first argument that is not an option: the command's name.
const char* CommandName(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    if (argv[i][0] != '-') return argv[i];
  }
  return nullptr;
}

int UsageError(const std::string& message) {
  std::cout.flush();
  std::cerr << "quarnel: " << message << " (see 'quarnel --help')\n";
  return quarnel::cli::kExitUsage;
}

// Standard output is checked once at the end: a listing that could not be
// written (a full disk, /dev/full, a closed pipe) is a failure.
int FinishOutput(int status) {
  errno = 0;
  std::cout.flush();
  if (std::fflush(stdout) != 0 || std::ferror(stdout) || !std::cout) {
    const int error = errno;
    std::cerr << "quarnel: standard output: cannot be written"
              << (error != 0 ? std::string(": ") + std::strerror(error) : "") << "\n";
    return status == 0 ? quarnel::cli::kExitFailure : status;
  }
  return status;
}

int Run(int argc, char** argv) {
  CLI::App app{
      "quarnel: reads, converts, checks and draws punch tool libraries, station files and "
      "special-tool files.\nWithout files of your own, start with: quarnel demo",
      "quarnel"};
  app.require_subcommand(1);
  app.set_version_flag("--version", "quarnel " QUARNEL_VERSION);
  app.footer(
      "Run 'quarnel COMMAND --help' for the options of a command.\n"
      "Exit status: 0 done, 1 a command failed, 2 a usage error, 3 an unexpected failure.");
  bool quiet = false;
  bool verbose = false;
  app.add_flag("-q,--quiet", quiet, "print only results and failures");
  app.add_flag("-v,--verbose", verbose, "also say how each input's kind was decided");
  app.parse_complete_callback([&] {
    quarnel::cli::SetVerbosity(quiet     ? quarnel::cli::Verbosity::kQuiet
                               : verbose ? quarnel::cli::Verbosity::kVerbose
                                         : quarnel::cli::Verbosity::kNormal);
  });
  quarnel::cli::AddToolsCommand(app);
  quarnel::cli::AddUpgradeCommand(app);
  quarnel::cli::AddImportCommand(app);
  quarnel::cli::AddOutlineCommand(app);
  quarnel::cli::AddViewCommand(app);
  quarnel::cli::AddCheckCommand(app);
  quarnel::cli::AddDemoCommand(app);
  quarnel::cli::AddSheetCommand(app);
  quarnel::cli::AddCreateSpecialCommand(app);
  quarnel::cli::AddAddCommand(app);

  if (const char* name = CommandName(argc, argv); name != nullptr) {
    bool known = false;
    for (const CLI::App* command : app.get_subcommands({})) known = known || command->check_name(name);
    if (!known) return UsageError(std::string("unknown command '") + name + "'");
  }
  try {
    app.parse(argc, argv);
  } catch (const CLI::CallForHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForAllHelp& help) {
    return app.exit(help);
  } catch (const CLI::CallForVersion& version) {
    return app.exit(version);
  } catch (const CLI::ParseError& error) {
    return UsageError(error.what());
  } catch (const quarnel::cli::CliError& error) {
    std::cout.flush();
    std::cerr << "quarnel: " << error.what() << "\n";
    return quarnel::cli::kExitFailure;
  } catch (const std::exception& error) {
    std::cout.flush();
    std::cerr << "quarnel: unexpected failure: " << error.what() << "\n";
    return quarnel::cli::kExitUnexpected;
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) { return FinishOutput(Run(argc, argv)); }
