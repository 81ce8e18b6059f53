# The checks shared by the fuzz targets and the robustness tests (plain C++, no libFuzzer); the
# window drivers are in tests/support.
# The check of the physical listing.
if(NOT TARGET m1listingcheck)
  add_library(m1listingcheck STATIC ${PROJECT_SOURCE_DIR}/fuzz/listing_check.cpp)
  target_include_directories(m1listingcheck PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(m1listingcheck PUBLIC m1core)
endif()
# The check of the file-system readers and the DOS disks it fuzzes, made with the test image
# builders (so only where the tests are built).
if(NOT TARGET m1filesystemcheck AND TARGET m1testsupport)
  add_library(m1filesystemcheck STATIC ${PROJECT_SOURCE_DIR}/fuzz/dos_disks.cpp)
  target_include_directories(m1filesystemcheck PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(m1filesystemcheck PUBLIC m1core m1testsupport)
endif()
