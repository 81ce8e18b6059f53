// Everything a window's logic talks to, handed to it in one bundle.
#pragma once

#include <string>

#include "platform/controls.h"
#include "platform/dialogs.h"
#include "platform/files.h"
#include "platform/host.h"
#include "platform/surface.h"

namespace m1 {

struct Platform {
  const TextMetrics& metrics;
  Dialogs& dialogs;
  Files& files;
  Host& host;
  Module1& module;
};

// A file that could not be opened or read, in an exclamation box titled "Text Editor"; every file
// is closed after it.
inline void ReportOpenFailure(Platform& p) {
  p.dialogs.MsgBox("Error encountered while trying to open file, please retry.", "Text Editor",
                   MsgIcon::Exclamation);
  p.files.CloseAll();
}

// OpenFile, as the three windows share it: closes every file and opens path.
inline bool OpenFile(Platform& p, const std::string& path) {
  p.files.CloseAll();
  if (p.files.Open(path)) return true;
  ReportOpenFailure(p);
  return false;
}

// DoUnLoadPreCheck, as the three windows share it: a window closed by the user (unload mode 0) or
// by the task manager (3) ends the whole program.
inline void DoUnLoadPreCheck(Platform& p, int unloadMode) {
  if (unloadMode == 0 || unloadMode == 3) p.host.EndProgram();
}

}  // namespace m1
