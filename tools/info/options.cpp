#include "tools/info/options.h"

namespace m1::info {

ParsedArguments ParseArguments(std::span<const std::string> args) {
  ParsedArguments parsed;
  bool optionsEnded = false;
  for (const std::string& arg : args) {
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
      parsed.usageError = "unknown option " + arg;
      return parsed;
    }
  }
  if (parsed.options.images.empty()) parsed.usageError = "no image named";
  return parsed;
}

}  // namespace m1::info
