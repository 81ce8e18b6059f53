// The window drivers live with the other test support, in tests/support/window_drivers.h, where
// both the fuzz targets and the robustness tests find them; this name stays for the fuzz targets.
#pragma once

#include "tests/support/window_drivers.h"
