// The command line of m1view-info: options first or mixed with the images, "--" ends the options.
// Each option is one row of kInfoOptions, so a new one is a row and a field of InfoOptions.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace m1::info {

struct InfoOptions {
  bool json = false;     // --json: one JSON object per image per line
  bool sectors = false;  // --sectors: every record too
  bool files = false;    // --files: the DOS directory, and with --sectors the owner of each record
  std::vector<std::string> images;
};

// A flag option: its name on the command line, the field it sets, what it does.
struct FlagOption {
  const char* name;
  bool InfoOptions::*field;
  const char* help;
};
inline constexpr FlagOption kInfoOptions[] = {
    {"--json", &InfoOptions::json, "one JSON object per image per line"},
    {"--sectors", &InfoOptions::sectors, "list every sector record"},
    {"--files", &InfoOptions::files, "read the DOS directory: its files, and each record's owner"},
};

inline constexpr const char* kUsage = "usage: m1view-info [--json] [--sectors] [--files] IMAGE...";

struct ParsedArguments {
  InfoOptions options;
  std::optional<std::string> usageError;  // set when the command line is wrong
};

// The arguments after the program's name.
ParsedArguments ParseArguments(std::span<const std::string> args);

}  // namespace m1::info
