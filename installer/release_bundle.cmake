# Fills the release folder OUT (cmake -P, run by the `release` target):
# terrava.scr, terrava-setup.exe, README.txt (from README.txt.in with the
# version filled in), the user guide folder GUIDE_DIR as it is
# (terrava-guide.html, gallery/, LICENSE.txt, CREDITS.txt; see
# user_guide.cmake), the corresponding source as
# terrava-VERSION-source.tar.gz, and SHA256SUMS.txt over all of them. Text
# files get CRLF line ends (windows_text.cmake). The folder is emptied
# first, so nothing stale from an earlier release stays in it.
foreach(var VERSION SCR SETUP README SOURCE_DIR GUIDE_DIR OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "release_bundle.cmake needs -D${var}=...")
  endif()
endforeach()

include(${CMAKE_CURRENT_LIST_DIR}/windows_text.cmake)

file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
file(COPY ${SCR} ${SETUP} DESTINATION ${OUT})
write_windows_text(${README} ${OUT}/README.txt TRUE)
set(files terrava.scr terrava-setup.exe README.txt)

# The user guide, the licence and the credits of the third-party code and
# content inside, with the guide's gallery.
file(COPY ${GUIDE_DIR}/ DESTINATION ${OUT})
file(GLOB_RECURSE guide_files RELATIVE ${GUIDE_DIR} ${GUIDE_DIR}/*)
list(SORT guide_files)
list(APPEND files ${guide_files})

# The corresponding source, which the GPL asks to travel with the binaries:
# the committed tree of the checkout the release was built from.
find_program(GIT git)
if(GIT AND EXISTS ${SOURCE_DIR}/.git)
  set(source_name terrava-${VERSION}-source.tar.gz)
  execute_process(COMMAND ${GIT} -C ${SOURCE_DIR} archive --format=tar.gz --prefix=terrava-${VERSION}/
                          -o ${OUT}/${source_name} HEAD
                  RESULT_VARIABLE git_result)
  if(git_result EQUAL 0)
    list(APPEND files ${source_name})
  else()
    message(WARNING "git archive failed: the release folder has no source archive")
  endif()
else()
  message(WARNING "not a git checkout: the release folder has no source archive")
endif()

# sha256sum's format: "<hash>  <name>", one line per file.
set(sums "")
foreach(name ${files})
  file(SHA256 ${OUT}/${name} hash)
  string(APPEND sums "${hash}  ${name}\r\n")
endforeach()
file(WRITE ${OUT}/SHA256SUMS.txt "${sums}")
list(JOIN files " " listed)
message(STATUS "Release ${VERSION} in ${OUT}: ${listed} SHA256SUMS.txt")
