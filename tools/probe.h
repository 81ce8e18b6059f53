// The probe: runs the program's three windows headless, on the recording platform, from a script
// of commands, and reports what each window holds and drew as JSON.
#pragma once

#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

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

  bool ended() const { return host_.ended; }
  Mainform& main() { return *main_; }
  form1& map();
  form2& hex();

 private:
  // A window button asked for a window: create it on first use, show it, make it active.
  void Show(FormId form);
  void ActivateHex();

  FixedMetrics metrics_;
  RecordingDialogs dialogs_;
  DiskFiles files_;
  Module1 module_;
  RecordingHost host_;
  Platform platform_;
  std::unique_ptr<Mainform> main_;
  std::unique_ptr<form1> map_;
  std::unique_ptr<form2> hex_;
};

}  // namespace m1
