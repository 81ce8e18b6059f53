# The drivers shared by the fuzz targets and the robustness tests (plain C++, no libFuzzer).
if(NOT TARGET m1fuzzdrivers)
  add_library(m1fuzzdrivers STATIC ${PROJECT_SOURCE_DIR}/fuzz/drivers.cpp
                                   ${PROJECT_SOURCE_DIR}/fuzz/disk_drivers.cpp)
  target_include_directories(m1fuzzdrivers PUBLIC ${PROJECT_SOURCE_DIR})
  target_link_libraries(m1fuzzdrivers PUBLIC m1viewer m1sectormap m1hexview m1health m1files)
endif()
