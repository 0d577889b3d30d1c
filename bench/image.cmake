# Decode throughput of a 1024 x 512 JPEG and TGA (the size of the saver's
# largest textures), next to djpeg decoding the same JPEG.
terrava_benchmark(image_bench SOURCES ${CMAKE_CURRENT_LIST_DIR}/image_bench.cpp DEPENDS terrava_image)
