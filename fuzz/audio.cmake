# The audio library's decoders: any bytes, as BASS_SampleLoad receives them.
terrava_fuzz_target(fuzz_sound SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_sound.cpp DEPENDS terrava_audio_core)
