// quarnel: the command-line host. It reads, converts, checks and draws tool
// libraries, station files and special-tool files through the library's
// exported entry points, as the CAM host does.
#include <exception>
#include <iostream>

#include "cli_error.h"
#include "commands.h"

int main(int argc, char** argv) {
  CLI::App app{
      "quarnel: reads, converts, checks and draws punch tool libraries, station files and "
      "special-tool files.\nWithout files of your own, start with: quarnel demo",
      "quarnel"};
  app.require_subcommand(1);
  app.footer("Run 'quarnel COMMAND --help' for the options of a command.");
  quarnel::cli::AddToolsCommand(app);
  quarnel::cli::AddUpgradeCommand(app);
  quarnel::cli::AddImportCommand(app);
  quarnel::cli::AddOutlineCommand(app);
  quarnel::cli::AddViewCommand(app);
  quarnel::cli::AddCheckCommand(app);
  quarnel::cli::AddDemoCommand(app);
  quarnel::cli::AddCreateSpecialCommand(app);
  quarnel::cli::AddAddCommand(app);
  try {
    app.parse(argc, argv);
  } catch (const CLI::ParseError& error) {
    return app.exit(error);
  } catch (const quarnel::cli::CliError& error) {
    std::cout.flush();
    std::cerr << "quarnel: " << error.what() << "\n";
    return 1;
  } catch (const std::exception& error) {
    std::cout.flush();
    std::cerr << "quarnel: unexpected failure: " << error.what() << "\n";
    return 2;
  }
  return 0;
}
