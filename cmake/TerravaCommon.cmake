# Flags and helpers shared by every target of both builds.

add_compile_options(-Wall -Wextra)
if(NOT WIN32 AND TERRAVA_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(NOT WIN32 AND TERRAVA_FUZZ)
  # Coverage feedback from every library, not just the fuzz target's own file.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()
if(WIN32)
  # terrava.scr may import only Windows' own DLLs: the C++ and thread runtimes go in statically.
  add_link_options(-static -static-libgcc -static-libstdc++)
  # The shipped program carries no debug sections (0.8 MB of the runtime's).
  add_link_options($<$<CONFIG:Release>:-s>)
  add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
endif()

# OpenGL: opengl32/glu32 on Windows; Mesa's libGL, GLU and OSMesa natively.
if(WIN32)
  add_library(terrava_gl INTERFACE)
  target_link_libraries(terrava_gl INTERFACE opengl32 glu32)
else()
  find_library(OSMESA_LIBRARY OSMesa REQUIRED)
  find_library(GLU_LIBRARY GLU REQUIRED)
  find_library(GL_LIBRARY GL REQUIRED)
  add_library(terrava_gl INTERFACE)
  target_link_libraries(terrava_gl INTERFACE ${OSMESA_LIBRARY} ${GLU_LIBRARY} ${GL_LIBRARY})
endif()

# A portable module: a static library of every .cpp in its folder, with src/ on the include path;
# the native build leaves out the Win32-only files (named *_win32.cpp).
function(terrava_module name)
  cmake_parse_arguments(ARG "" "" "DEPENDS;EXCLUDE" ${ARGN})
  file(GLOB sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(NOT WIN32)
    list(FILTER sources EXCLUDE REGEX "_win32\\.cpp$")  # Win32-only files carry the suffix
  endif()
  foreach(ex ${ARG_EXCLUDE})
    list(REMOVE_ITEM sources ${CMAKE_CURRENT_SOURCE_DIR}/${ex})
  endforeach()
  add_library(${name} STATIC ${sources})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPENDS})
endfunction()
