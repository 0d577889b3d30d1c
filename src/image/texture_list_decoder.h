// TextureListDecoder: decodes the textures of a list, in list order, on one
// worker thread, so that the GL thread uploads texture i (and draws the
// loader screen) while the worker decodes the ones after it. The worker
// stays at most kDecodedAhead textures ahead of the uploads, which bounds
// the decoded pixels held at once. It reads the data archive through the
// process-wide reader: while a decoder lives, no other thread may open
// archive members.
#pragma once

#include <condition_variable>
#include <cstddef>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "image/decoded_texture.h"

// One texture to decode: how (by the listed name's ending) and from where.
struct TextureDecodeJob {
  TextureKind kind = TextureKind::kNone;
  std::string path;  // archive member
};

class TextureListDecoder {
 public:
  // Starts the worker on jobs.
  explicit TextureListDecoder(std::vector<TextureDecodeJob> jobs);
  ~TextureListDecoder();  // stops the worker after its current texture and frees what was not taken
  TextureListDecoder(const TextureListDecoder&) = delete;
  TextureListDecoder& operator=(const TextureListDecoder&) = delete;

  // Waits until job i (taken in order: 0, 1, 2, ...) is decoded and hands it
  // over; lets the worker go on to the next.
  std::unique_ptr<DecodedTexture> Take(size_t i);

 private:
  // Decoded textures held beyond the one being uploaded.
  static constexpr size_t kDecodedAhead = 2;

  void DecodeAll();
  // Waits until job i may be decoded; false once the decoder is stopping.
  bool WaitForRoom(size_t i);

  std::vector<TextureDecodeJob> jobs_;
  std::vector<std::unique_ptr<DecodedTexture>> decoded_;  // per job, until taken
  size_t decodedCount_ = 0;                               // jobs done, in order
  size_t takenCount_ = 0;                                 // jobs handed over, in order
  bool stopping_ = false;
  std::mutex mutex_;
  std::condition_variable changed_;  // a job decoded or taken, or stopping
  std::thread worker_;               // started last, once the fields above exist
};
