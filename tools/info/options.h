// The command line of m1view-info: options first or mixed with the images, "--" ends the options.
// Each option is one row of kInfoOptions, so a new one is a row and a field of InfoOptions.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace m1::info {

struct InfoOptions {
  bool json = false;     // --json: one JSON object per image per line
  bool sectors = false;  // --sectors: every record too
  bool files = false;    // --files: the DOS directory, and with --sectors the owner of each record
  bool summary = false;  // --summary: one line per image and a closing count
  bool recursive = false;                // -r: folders walked to the bottom
  bool help = false;                     // --help
  bool version = false;                  // --version
  std::optional<std::int64_t> at{};      // --at OFFSET: explain the byte at OFFSET of the one image
  std::optional<std::string> extract{};  // --extract NAME: the bytes of a file of the image
  std::optional<std::string> output{};   // -o PATH: where --extract writes them
  std::optional<std::string> extractAll{};  // --extract-all DIR: every file of the image into DIR
  std::optional<std::string> show{};        // --show NAME: a file of the image decoded
  std::vector<std::string> images;          // files and folders
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
    {"--summary", &InfoOptions::summary, "one line per image, then a count"},
    {"-r", &InfoOptions::recursive, "walk folders recursively"},
    {"--help", &InfoOptions::help, "show this help and exit"},
    {"--version", &InfoOptions::version, "show the version and exit"},
};
// The one option with a number: --at OFFSET (or --at=OFFSET), decimal or 0x hexadecimal.
inline constexpr const char* kAtOption = "--at";

// An option with a text value: "--extract NAME" or "--extract=NAME" (-o only as "-o PATH").
struct ValueOption {
  const char* name;
  std::optional<std::string> InfoOptions::*field;
};
inline constexpr ValueOption kValueOptions[] = {
    {"--extract", &InfoOptions::extract},
    {"-o", &InfoOptions::output},
    {"--extract-all", &InfoOptions::extractAll},
    {"--show", &InfoOptions::show},
};

inline constexpr const char* kUsage =
    "Usage: m1view-info [OPTION]... PATH...\n"
    "  or:  m1view-info --at OFFSET IMAGE\n"
    "  or:  m1view-info --extract NAME/EXT [-o PATH] IMAGE\n"
    "  or:  m1view-info --extract-all DIR IMAGE\n"
    "  or:  m1view-info --show NAME/EXT [--json] IMAGE";

// The --help text: the usage, what the program does, each option, the exit status.
std::string HelpText();

struct ParsedArguments {
  InfoOptions options;
  std::optional<std::string> usageError;  // set when the command line is wrong
};

// The arguments after the program's name.
ParsedArguments ParseArguments(std::span<const std::string> args);

}  // namespace m1::info
