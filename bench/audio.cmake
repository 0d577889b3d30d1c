# The audio library's core: mixing cost per second of music (its CPU share
# during playback) and the decoding cost of a track at load time.
terrava_benchmark(audio_bench SOURCES ${CMAKE_CURRENT_SOURCE_DIR}/audio_bench.cpp DEPENDS terrava_audio_core)
