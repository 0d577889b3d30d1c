# Loading and drawing a scene of 20 textured spheres at 800 x 600 through
# Mesa's software OpenGL: the scene files with the standard sphere lists, one
# frame, and both together.
terrava_benchmark(scene_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/scene_bench.cpp DEPENDS terrava_scene terrava_platform)
target_include_directories(scene_bench PRIVATE ${PROJECT_SOURCE_DIR}/tests)
