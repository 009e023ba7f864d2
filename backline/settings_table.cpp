// settings_table: prints the README's table of console variables from the
// program's registered settings, or with --write FILE puts it between the
// table markers of FILE. A developer's tool, run from the source tree.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sstream>
#include <string>

#include "backline/app/program_settings.h"
#include "backline/common/app_cvars.h"
#include "basalt/foundation/settings_text.h"

namespace {

bool ReadWhole(const char* path, std::string* text) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream buffer;
  buffer << in.rdbuf();
  *text = buffer.str();
  return static_cast<bool>(in);
}

int WriteTableInto(const char* path) {
  std::string document;
  std::string updated;
  if (!ReadWhole(path, &document)) {
    std::fprintf(stderr, "Cannot read %s\n", path);
    return EXIT_FAILURE;
  }
  if (!Basalt::ReplaceSettingsTable(document, Basalt::SettingsMarkdownTable(), &updated)) {
    std::fprintf(stderr, "%s has no settings table markers (%s...%s)\n", path, Basalt::kSettingsTableBegin,
                 Basalt::kSettingsTableEnd);
    return EXIT_FAILURE;
  }
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << updated;
  if (!out.flush()) {
    std::fprintf(stderr, "Cannot write %s\n", path);
    return EXIT_FAILURE;
  }
  return EXIT_SUCCESS;
}

}  // namespace

int main(int argc, char** argv) {
  RegisterProgramSettings();
  if (argc == 1) {
    std::fputs(Basalt::SettingsMarkdownTable().c_str(), stdout);
    return EXIT_SUCCESS;
  }
  if (argc == 3 && std::strcmp(argv[1], "--write") == 0) return WriteTableInto(argv[2]);
  std::fputs("usage: settings_table                 print the settings table\n"
             "       settings_table --write FILE    replace the table between FILE's markers\n",
             stderr);
  return EXIT_FAILURE;
}
