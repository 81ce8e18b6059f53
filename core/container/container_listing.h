// The listing of each container, one reader a container (dmk_listing.cpp, jv3_listing.cpp,
// jv1_listing.cpp); ListSectors (listing.cpp) recognises the container and calls its reader.
#pragma once

#include "core/container/byte_reader.h"
#include "core/container/listing.h"

namespace m1 {

// Whether the file holds a plausible JV3 header table with its data (see listing.cpp).
bool PlausibleJv3(const ByteReader& file);

// Each appends every record of the file in file order, with the cylinders, sides and densities
// the records span.
void ListDmk(const ByteReader& file, Listing& listing);
void ListJv3(const ByteReader& file, Listing& listing);
void ListJv1(const ByteReader& file, Listing& listing);

// Notes the density of a record in the listing's densities.
inline void CountDensity(Listing& listing, const SectorRecord& r) {
  (r.doubleDensity ? listing.doubleDensity : listing.singleDensity) = true;
}

}  // namespace m1
