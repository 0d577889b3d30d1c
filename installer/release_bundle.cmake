# Fills the release folder OUT (cmake -P, run by the `release` target):
# terrava.scr, terrava-setup.exe, README.txt (from README.txt.in with the
# version filled in), LICENSE.txt and CREDITS.txt from the repository root,
# the corresponding source as terrava-VERSION-source.tar.gz, and
# SHA256SUMS.txt over all of them. Text files get CRLF line ends, and a
# UTF-8 byte order mark when they hold non-ASCII text, so that Notepad on
# Windows 7 shows them properly. The folder is emptied first, so nothing
# stale from an earlier release stays in it.
foreach(var VERSION SCR SETUP README SOURCE_DIR OUT)
  if(NOT DEFINED ${var})
    message(FATAL_ERROR "release_bundle.cmake needs -D${var}=...")
  endif()
endforeach()

# Writes the text file SRC to DEST with CRLF line ends, filling in
# @TERRAVA_VERSION@ when FILL is set.
function(write_windows_text src dest fill)
  file(READ ${src} text)
  if(fill)
    string(REPLACE "@TERRAVA_VERSION@" "${VERSION}" text "${text}")
  endif()
  string(REPLACE "\r\n" "\n" text "${text}")
  string(REPLACE "\n" "\r\n" text "${text}")
  string(ASCII 1 first_ascii)
  string(ASCII 127 last_ascii)
  string(ASCII 239 187 191 bom)
  if(text MATCHES "[^${first_ascii}-${last_ascii}]" AND NOT text MATCHES "^${bom}")
    string(PREPEND text "${bom}")
  endif()
  file(WRITE ${dest} "${text}")
endfunction()

file(REMOVE_RECURSE ${OUT})
file(MAKE_DIRECTORY ${OUT})
file(COPY ${SCR} ${SETUP} DESTINATION ${OUT})
write_windows_text(${README} ${OUT}/README.txt TRUE)
set(files terrava.scr terrava-setup.exe README.txt)

# The licence and the credits of the third-party code and content inside.
foreach(name LICENSE CREDITS)
  if(EXISTS ${SOURCE_DIR}/${name})
    write_windows_text(${SOURCE_DIR}/${name} ${OUT}/${name}.txt FALSE)
    list(APPEND files ${name}.txt)
  else()
    message(WARNING "${SOURCE_DIR}/${name} is missing: the release folder has no ${name}.txt")
  endif()
endforeach()

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
