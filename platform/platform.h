// Everything a window's logic talks to, handed to it in one bundle.
#pragma once

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

}  // namespace m1
