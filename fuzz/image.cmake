# The image decoders: the JPEG glue over libjpeg and the TGA decoder. Seeds:
# small JPEGs written by cjpeg (baseline 4:2:0, 4:2:2 optimised, progressive,
# arithmetic, a restart marker every block, greyscale) and ImageMagick (CMYK);
# TGAs written by ImageMagick in every supported type and depth, and the start
# of a depth-15 run-length sample.
terrava_fuzz_target(fuzz_jpeg SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_jpeg.cpp DEPENDS terrava_image)
terrava_fuzz_target(fuzz_tga SOURCES ${CMAKE_CURRENT_LIST_DIR}/fuzz_tga.cpp DEPENDS terrava_image)
