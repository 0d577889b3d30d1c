# The scene loaders: scene text files (env.txt, worlds.txt, object files)
# through the saver's loaders with one frame updated and drawn, and the
# geometry file decoder. Seeds: the placeholder scene of resources/data,
# blocks that end early, disabled and unreadable lines; geometry files
# written by terrava-tool mesh and damaged copies named for their fault.
terrava_fuzz_target(fuzz_scene SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_scene.cpp
                    ${PROJECT_SOURCE_DIR}/tests/gl_test_context.cpp DEPENDS terrava_scene terrava_platform)
target_include_directories(fuzz_scene PRIVATE ${PROJECT_SOURCE_DIR}/tests)
terrava_fuzz_target(fuzz_geometry SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_geometry.cpp DEPENDS terrava_scene)
if(TERRAVA_FUZZ)
  target_compile_options(terrava_scene PRIVATE -fsanitize=fuzzer-no-link)
endif()
