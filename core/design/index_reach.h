// Which records of the physical listing the main window can show: the main window reads the image
// by its own analysis into sector indexes, and a record whose data no reachable index shows is out
// of its reach. Worked out only where that remark is shown (the health window, m1view-info's
// report), as it runs the main window's whole analysis of the file.
#pragma once

#include <cstdint>
#include <span>

#include "core/container/listing.h"

namespace m1 {

// Marks kRemarkNotIndexed on every record of listing (the listing of file) with a data field that
// no sector index the main window reaches shows.
void MarkIndexReach(std::span<const std::uint8_t> file, Listing& listing);

}  // namespace m1
