# Per-frame cost of one sun flare at 800 x 600 through Mesa's software
# OpenGL: the depth test alone, the sprite, and the sprite with its lens
# effect (three streaks and 23 ghosts), against an empty frame.
terrava_benchmark(effects_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/effects_bench.cpp DEPENDS terrava_scene)
