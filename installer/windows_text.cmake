# write_windows_text(SRC DEST FILL): writes the text file SRC to DEST with
# CRLF line ends, filling in @TERRAVA_VERSION@ from VERSION when FILL is
# set, and with a UTF-8 byte order mark when it holds non-ASCII text, so
# that Notepad on Windows 7 shows it properly. Included by the release and
# user guide scripts (cmake -P).
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
