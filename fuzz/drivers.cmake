# The drivers shared by the fuzz targets and the robustness tests (plain C++, no libFuzzer).
if(NOT TARGET m1fuzzdrivers)
  add_library(m1fuzzdrivers STATIC ${PROJECT_SOURCE_DIR}/fuzz/drivers.cpp)
  target_include_directories(m1fuzzdrivers PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(m1fuzzdrivers PUBLIC m1viewer m1sectormap m1hexview)
endif()
# The check of the physical listing, shared the same way.
if(NOT TARGET m1listingcheck)
  add_library(m1listingcheck STATIC ${PROJECT_SOURCE_DIR}/fuzz/listing_check.cpp)
  target_include_directories(m1listingcheck PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(m1listingcheck PUBLIC m1core)
endif()
