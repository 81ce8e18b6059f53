// The probe: runs the program's three windows headless, on the recording platform, from a script
// of commands, and reports what each window holds and drew as JSON.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "hexview/form2.h"
#include "platform/platform.h"
#include "platform/recording.h"
#include "sectormap/form1.h"
#include "viewer/mainform.h"

namespace m1 {

class Probe {
 public:
  Probe();
  Probe(const Probe&) = delete;
  Probe& operator=(const Probe&) = delete;

  // Runs one command line; JSON answers go to out, one object a line. Returns an error text for a
  // line that is not understood, nothing otherwise. Blank lines and lines starting with '#' are
  // skipped; after "exit" every line is ignored.
  std::optional<std::string> Run(std::string line, std::ostream& out);
  // Runs every line of a script; stops at the first line not understood (its error goes to err).
  // Returns 0, or 2 when a line was not understood.
  int RunScript(std::istream& in, std::ostream& out, std::ostream& err);

  bool ended() const { return rec_.host.ended; }
  Mainform& main() { return *main_; }
  form1& map();
  form2& hex();

 private:
  // One command of a script: its words after the window name are `rest`. Returns false when the
  // line is not understood.
  using Handler = bool (Probe::*)(FormId window, std::string_view rest, std::ostream& out);
  struct Command {
    std::string_view name;
    Handler run;
  };
  static const Command kCommands[];

  bool OpenCommand(FormId window, std::string_view rest, std::ostream& out);
  bool CancelCommand(FormId window, std::string_view rest, std::ostream& out);
  bool ExitCommand(FormId window, std::string_view rest, std::ostream& out);
  bool ActivateCommand(FormId window, std::string_view rest, std::ostream& out);
  bool ResizeCommand(FormId window, std::string_view rest, std::ostream& out);
  bool ClickCommand(FormId window, std::string_view rest, std::ostream& out);
  bool TextCommand(FormId window, std::string_view rest, std::ostream& out);
  bool OptionCommand(FormId window, std::string_view rest, std::ostream& out);
  bool ScrollCommand(FormId window, std::string_view rest, std::ostream& out);
  bool DumpCommand(FormId window, std::string_view rest, std::ostream& out);
  bool TablesCommand(FormId window, std::string_view rest, std::ostream& out);

  // File menu item 1 (Open...) or 4 (Exit) of a window.
  void FileMenu(FormId window, int item);
  // File menu "Open...", the dialog answering the path given, or cancelled when there is none.
  void FileOpen(FormId window, std::optional<std::string> answer);
  // A window button asked for a window: create it on first use, show it, make it active.
  void Show(FormId form);
  void ActivateHex();

  RecordingPlatform rec_;
  std::unique_ptr<Mainform> main_;
  std::unique_ptr<form1> map_;
  std::unique_ptr<form2> hex_;
};

}  // namespace m1
