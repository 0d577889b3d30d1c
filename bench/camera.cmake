# Cost of one camera Advance per frame.
terrava_benchmark(camera_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/camera_bench.cpp DEPENDS terrava_camera)
