/* The stb_vorbis decoder (Debian's libstb-dev), compiled into the audio
 * library from memory only: no stdio, no push-data API. Third-party code,
 * so its warnings are silenced for this file alone (see CMakeLists.txt). */
#define STB_VORBIS_NO_STDIO
#define STB_VORBIS_NO_PUSHDATA_API
#include <stb_vorbis.h>
