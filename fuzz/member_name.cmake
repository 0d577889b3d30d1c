# terrava-tool's member names: stored RAR name bytes to UTF-8.
terrava_fuzz_target(fuzz_member_name
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_member_name.cpp ${PROJECT_SOURCE_DIR}/tools/member_name.cpp)
target_include_directories(fuzz_member_name PRIVATE ${PROJECT_SOURCE_DIR}/tools)
