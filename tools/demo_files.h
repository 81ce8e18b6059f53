// The files of the demonstration disks in samples/: real programs and texts, byte for byte as the
// Model 1 and Model III software saves them, so that every decoder of m1view has something true to
// show.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "tests/support/image_builder.h"

namespace m1::samples {

using m1::testing::Bytes;

// A BASIC program as Disk BASIC saves it, from its lines as typed ("10 PRINT ..."): 0xFF, then each
// line tokenised, with its link to the next line as it lay in memory, the first line at address
// `start`, and the 0x0000 link that ends it.
Bytes TokenisedBasic(const std::vector<std::string>& lines, int start);

// Squares and cubes, then a box of graphics characters and one drawn with SET.
Bytes SquaresBasic();
// Guess the number, with READ and DATA.
Bytes GuessBasic();

// DEMO/CMD: clears the screen, writes a message in its middle and returns to the DOS. A load
// module: its name (05), one load block at 5200H (01), the transfer address (02).
Bytes DemoCmd();
// Its source as the editor-assembler saves it, named DEMO.
Bytes DemoAsm();

// A short load module standing in for one of the DOS's own files (SYS0/SYS ...): its name, a
// copyright block saying what it is, a routine at `address` that returns, and the transfer address.
Bytes SystemStandIn(const std::string& name, int address);

// Text as the editors save it: each line ended by 0x0D.
Bytes TextFile(const std::vector<std::string>& lines);

// The boot sector of a Model 1 disk (loaded at 4200H; bytes 0-2 00 FE and the directory cylinder)
// and of a Model III disk (loaded at 4300H; byte 1 the directory cylinder, 17). Each writes on the
// top line of the screen that the disk does not boot, and stays there. 256 bytes.
Bytes Model1BootSector(std::uint8_t directoryCylinder);
Bytes Model3BootSector();

}  // namespace m1::samples
