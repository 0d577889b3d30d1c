# The audio library's decoders: any bytes, as BASS_SampleLoad receives them.
terrava_fuzz_target(fuzz_sound SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_sound.cpp DEPENDS terrava_audio_core)
if(TERRAVA_FUZZ)
  target_compile_options(terrava_audio_core PRIVATE -fsanitize=fuzzer-no-link)
endif()
