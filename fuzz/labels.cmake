# The label table: UTF-8 decoding, line splitting, key lookup, about split.
terrava_fuzz_target(fuzz_labels SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_labels.cpp DEPENDS terrava_ui)
