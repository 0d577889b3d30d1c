# The start of the saver, step by step: each texture's decode and upload,
# the scene files, a loader-screen frame and the music decode (a plain
# program, run by scripts/bench after the benchmarks).
add_executable(startup_profile ${CMAKE_CURRENT_LIST_DIR}/startup_profile.cpp)
target_link_libraries(startup_profile PRIVATE terrava_tool_core terrava_run terrava_audio_core)
target_compile_definitions(startup_profile PRIVATE TERRAVA_SOURCE_DIR="${PROJECT_SOURCE_DIR}")
