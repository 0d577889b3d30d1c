# Frames of the shipped world (resources/data) at 800 x 600 and 1920 x 1080
# through Mesa's software OpenGL (llvmpipe via OSMesa), the same renderer the
# saver meets under Wine here; and its loading steps, one by one.
terrava_benchmark(world_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/world_bench.cpp DEPENDS terrava_tool_core)
