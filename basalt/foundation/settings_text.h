#pragma once
// Texts printed from the registered console variables (CVarSystem), in the
// order they were registered: the settings file a first start writes, and
// the markdown table the README shows. Main thread, after registration;
// neither blocks nor fails.
#include <string>
#include <vector>

namespace Basalt {

// One line per named variable, "name = default\t// description", each value
// at its default, so executing the text changes nothing. Every name must be
// registered.
std::string SettingsFileText(const std::vector<const char*>& names);

// "| variable | default | meaning |", its rule and one row per variable,
// each line ending in a line break.
std::string SettingsMarkdownTable();

// The markers around the generated table in a markdown document.
extern const char kSettingsTableBegin[];
extern const char kSettingsTableEnd[];

// document with the text between its markers replaced by table; false (and
// result untouched) when the markers are missing or out of order.
bool ReplaceSettingsTable(const std::string& document, const std::string& table, std::string* result);

}  // namespace Basalt
