# The data archive: RarReader::ExtractMember and ArchiveFile::ReadLine.
terrava_fuzz_target(fuzz_archive SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_archive.cpp DEPENDS terrava_archive)
if(TERRAVA_FUZZ)
  # libFuzzer is guided by coverage of the code under test, which lives in
  # the library rather than in the target's own source file.
  target_compile_options(terrava_archive PRIVATE -fsanitize=fuzzer-no-link)
endif()
