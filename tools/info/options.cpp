#include "tools/info/options.h"

#include "tools/info/survey.h"

namespace m1::info {

ParsedArguments ParseArguments(std::span<const std::string> args) {
  ParsedArguments parsed;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (!optionsEnded && (arg == kAtOption || arg.starts_with(std::string(kAtOption) + "="))) {
      std::string value;
      if (arg != kAtOption) {
        value = arg.substr(std::string(kAtOption).size() + 1);
      } else if (i + 1 < args.size()) {
        value = args[++i];
      } else {
        parsed.usageError = "option --at needs an offset";
        return parsed;
      }
      parsed.options.at = ParseOffset(value);
      if (!parsed.options.at) {
        parsed.usageError = "invalid offset '" + value + "' (decimal, or hexadecimal with 0x)";
        return parsed;
      }
      continue;
    }
    if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
      parsed.options.images.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    bool known = false;
    for (const FlagOption& option : kInfoOptions) {
      if (arg == option.name) {
        parsed.options.*option.field = true;
        known = true;
      }
    }
    if (!known) {
      parsed.usageError = "unrecognized option '" + arg + "'";
      return parsed;
    }
  }
  if (parsed.options.help || parsed.options.version) return parsed;
  if (parsed.options.images.empty()) {
    parsed.usageError = "no image named";
  } else if (parsed.options.at && parsed.options.images.size() != 1) {
    parsed.usageError = "--at explains a byte of one image";
  }
  return parsed;
}

std::string HelpText() {
  std::string text = std::string(kUsage) +
                     "\n"
                     "Report the health, the files and the bytes of JV1, JV3 and DMK floppy-disk\n"
                     "images of the Model 1. A PATH is an image or a folder of images (its files;\n"
                     "with -r every file below it). Files are only read, never written.\n"
                     "\n";
  for (const FlagOption& option : kInfoOptions) {
    std::string name = option.name;
    name.resize(19, ' ');
    text += "  " + name + option.help + "\n";
  }
  text +=
      "  --at OFFSET IMAGE  explain the byte at OFFSET (decimal or 0x hex) of IMAGE\n"
      "\n"
      "Exit status: 0 when every file was read, 1 when one was not, 2 for a wrong\n"
      "command line. See m1view-info(1).\n";
  return text;
}

}  // namespace m1::info
