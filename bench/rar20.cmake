# RAR 2.0 decoding speed next to unar and libunarr, on members that the
# archive tool's packer makes from generated text-like and audio-like data.
# libunarr is optional: without Debian's libunarr-dev its row is left out.
file(GLOB rar20_bench_packer CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/tools/rar20_*.cpp)
terrava_benchmark(rar20_bench
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/rar20_bench.cpp ${rar20_bench_packer} ${PROJECT_SOURCE_DIR}/tools/archive_writer.cpp
  DEPENDS terrava_archive)
target_include_directories(rar20_bench PRIVATE ${PROJECT_SOURCE_DIR}/tools)
target_compile_definitions(rar20_bench PRIVATE RAR20_BENCH_DIR="${CMAKE_CURRENT_BINARY_DIR}")
find_library(UNARR_LIBRARY unarr)
find_path(UNARR_INCLUDE_DIR unarr.h)
if(UNARR_LIBRARY AND UNARR_INCLUDE_DIR)
  target_include_directories(rar20_bench PRIVATE ${UNARR_INCLUDE_DIR})
  target_link_libraries(rar20_bench PRIVATE ${UNARR_LIBRARY})
  target_compile_definitions(rar20_bench PRIVATE TERRAVA_HAVE_UNARR)
endif()
