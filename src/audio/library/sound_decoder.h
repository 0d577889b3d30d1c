// Decoding of the sound formats the library reads from memory: Ogg Vorbis
// (through stb_vorbis) and RIFF WAVE with integer or float PCM. Each decoder
// fills a PcmSound with 16-bit frames of one or two channels and leaves it
// empty on failure. Input is untrusted: every length is checked against the
// bytes present, and sizes are bounded by the limits in pcm_sound.h.
#pragma once

#include <cstdint>

#include "audio/library/pcm_sound.h"

// Picks the decoder by signature ("OggS", or "RIFF" with "WAVE").
// kAudioErrorFileFormat for anything else or for corrupt data.
AudioError DecodeSound(const uint8_t* data, uint32_t size, PcmSound* out);

// Ogg Vorbis, the whole track (the library itself plays Ogg Vorbis through a
// VorbisStream); streams of more than two channels are mixed down to stereo,
// and frames a damaged stream does not deliver before its stated length are
// silence.
AudioError DecodeVorbis(const uint8_t* data, uint32_t size, PcmSound* out);

// RIFF WAVE, format PCM (8, 16, 24 or 32 bits), IEEE float (32 bits) or
// the extensible form of either, one or two channels. A data chunk that
// claims more bytes than the file holds is cut to the whole frames present.
AudioError DecodeWav(const uint8_t* data, uint32_t size, PcmSound* out);
