# Builds the user guide folder GUIDE_DIR (cmake -P, run by the installer
# target): terrava-guide.html from TEMPLATE with the version, the gallery
# pictures (GALLERY_DIR/*.jpg, copied into gallery/) and the credits
# filled in, and LICENSE.txt and CREDITS.txt beside it. The release folder
# and the installer both take the folder as it is; the configuration
# dialog's Visit... button opens the page. The folder is emptied first.
foreach(var VERSION TEMPLATE SOURCE_DIR GALLERY_DIR GUIDE_DIR)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "user_guide.cmake needs -D${var}=...")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/windows_text.cmake)

# Text for an HTML element: &, < and > as entities.
function(escape_html text out)
  string(REPLACE "&" "&amp;" text "${text}")
  string(REPLACE "<" "&lt;" text "${text}")
  string(REPLACE ">" "&gt;" text "${text}")
  set(${out} "${text}" PARENT_SCOPE)
endfunction()

# One figure per picture; "day_1920x1080.jpg" is captioned "day, 1920 × 1080".
function(gallery_figures pictures out)
  set(figures "")
  foreach(picture ${pictures})
    get_filename_component(name ${picture} NAME)
    get_filename_component(stem ${picture} NAME_WE)
    string(REGEX REPLACE "_([0-9]+)x([0-9]+)$" ", \\1 × \\2" caption "${stem}")
    string(REPLACE "_" " " caption "${caption}")
    string(APPEND figures "<figure><a href=\"gallery/${name}\"><img src=\"gallery/${name}\" alt=\"${caption}\"></a>"
                          "<figcaption>${caption}</figcaption></figure>\n")
  endforeach()
  set(${out} "${figures}" PARENT_SCOPE)
endfunction()

file(REMOVE_RECURSE ${GUIDE_DIR})
file(MAKE_DIRECTORY ${GUIDE_DIR}/gallery)
file(GLOB pictures ${GALLERY_DIR}/*.jpg)
list(SORT pictures)
if(pictures)
  file(COPY ${pictures} DESTINATION ${GUIDE_DIR}/gallery)
endif()
foreach(name LICENSE CREDITS)
  write_windows_text(${SOURCE_DIR}/${name} ${GUIDE_DIR}/${name}.txt FALSE)
endforeach()

set(TERRAVA_VERSION ${VERSION})
gallery_figures("${pictures}" TERRAVA_GALLERY)
file(READ ${SOURCE_DIR}/CREDITS credits)
escape_html("${credits}" TERRAVA_CREDITS)
file(READ ${TEMPLATE} page)
string(CONFIGURE "${page}" page @ONLY)
file(WRITE ${GUIDE_DIR}/terrava-guide.html "${page}")
