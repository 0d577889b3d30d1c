# The remaining readers of outside data: the texture list (through an
# in-memory archive that holds two real images under several names), the
# factory defaults table (resource 115) and the command line. Seeds: the
# shipped texture.txt and def_settings.txt, damaged copies named for their
# fault, and the command lines the screensaver machinery passes.
terrava_fuzz_target(fuzz_texture_list SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_texture_list.cpp
                    ${PROJECT_SOURCE_DIR}/tests/gl_test_context.cpp
                    DEPENDS terrava_image terrava_platform)
target_include_directories(fuzz_texture_list PRIVATE ${PROJECT_SOURCE_DIR}/tests)
target_compile_definitions(fuzz_texture_list PRIVATE TERRAVA_FUZZ_CORPUS_DIR="${CMAKE_CURRENT_LIST_DIR}/corpus")
terrava_fuzz_target(fuzz_defaults SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_defaults.cpp
                    DEPENDS terrava_settings terrava_platform)
terrava_fuzz_target(fuzz_command_line SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_command_line.cpp
                    DEPENDS terrava_app_core)
