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
    if (!optionsEnded) {
      const ValueOption* taken = nullptr;
      std::optional<std::string> value;
      for (const ValueOption& option : kValueOptions) {
        const std::string name = option.name;
        if (arg == name) {
          taken = &option;
          if (i + 1 < args.size()) value = args[++i];
          break;
        }
        if (name.starts_with("--") && arg.starts_with(name + "=")) {
          taken = &option;
          value = arg.substr(name.size() + 1);
          break;
        }
      }
      if (taken) {
        if (!value || value->empty()) {
          parsed.usageError = std::string("option ") + taken->name + " needs a value";
          return parsed;
        }
        parsed.options.*taken->field = value;
        continue;
      }
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
    return parsed;
  }
  const InfoOptions& o = parsed.options;
  const int commands =
      o.at.has_value() + o.extract.has_value() + o.extractAll.has_value() + o.show.has_value();
  if (commands > 1) {
    parsed.usageError = "--at, --extract, --extract-all and --show are one at a time";
  } else if (commands == 1 && o.images.size() != 1) {
    parsed.usageError = o.at ? "--at explains a byte of one image" : "name one image";
  } else if (o.output && !o.extract) {
    parsed.usageError = "-o names where --extract writes";
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
      "A file of the disk's DOS is named as the DOS names it, NAME/EXT (or NAME.EXT,\n"
      "or NAME for a file without an extension), in either case:\n"
      "  --extract NAME IMAGE\n"
      "                     write the file's bytes to standard output (never to a\n"
      "                     terminal: that is refused with status 2)\n"
      "  -o PATH            with --extract: write them to the new file PATH instead;\n"
      "                     an existing file is never overwritten\n"
      "  --extract-all DIR IMAGE\n"
      "                     write every file the directory lists, system files too,\n"
      "                     into DIR (made when missing) as NAME.EXT; files already\n"
      "                     there are reported and left as they are\n"
      "  --show NAME IMAGE  the file decoded: a BASIC program listed, a load module's\n"
      "                     records, text; with --json one object\n"
      "A sector of a file that the image lacks, or holds damaged, is named on standard\n"
      "error; what the image holds is written all the same, with zeros for bytes it\n"
      "lacks.\n"
      "\n"
      "Exit status: 0 when every file was read, 1 when one was not (or a file named\n"
      "has a missing or damaged sector, or is not on the disk, or could not be\n"
      "written), 2 for a wrong command line. See m1view-info(1).\n";
  return text;
}

}  // namespace m1::info
