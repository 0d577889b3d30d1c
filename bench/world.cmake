# Frames of the shipped world (resources/data) at 800 x 600 and 1920 x 1080
# through Mesa's software OpenGL (llvmpipe via OSMesa), the same renderer the
# saver meets under Wine here; and its loading steps, one by one.
terrava_benchmark(world_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/world_bench.cpp DEPENDS terrava_tool_core)

# The same frames, the processor time of each object's drawing (a plain
# program, run by scripts/bench after the benchmarks).
add_executable(world_profile ${CMAKE_CURRENT_LIST_DIR}/world_profile.cpp)
target_link_libraries(world_profile PRIVATE terrava_tool_core)
target_compile_definitions(world_profile PRIVATE TERRAVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
