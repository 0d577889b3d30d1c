// The texture list's decoding worker and its hand-over to the GL thread.
#include "image/texture_list_decoder.h"

#include <utility>

TextureListDecoder::TextureListDecoder(std::vector<TextureDecodeJob> jobs)
    : jobs_(std::move(jobs)), decoded_(jobs_.size()), worker_(&TextureListDecoder::DecodeAll, this) {}

TextureListDecoder::~TextureListDecoder() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    stopping_ = true;
  }
  changed_.notify_all();
  worker_.join();
}

std::unique_ptr<DecodedTexture> TextureListDecoder::Take(size_t i) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return decodedCount_ > i; });
  takenCount_ = i + 1;
  changed_.notify_all();
  return std::move(decoded_[i]);
}

bool TextureListDecoder::WaitForRoom(size_t i) {
  std::unique_lock<std::mutex> lock(mutex_);
  changed_.wait(lock, [&] { return stopping_ || i < takenCount_ + kDecodedAhead; });
  return !stopping_;
}

void TextureListDecoder::DecodeAll() {
  for (size_t i = 0; i < jobs_.size(); ++i) {
    if (!WaitForRoom(i)) return;
    std::unique_ptr<DecodedTexture> texture(new DecodedTexture);
    DecodeTexture(jobs_[i].kind, jobs_[i].path.c_str(), texture.get());
    std::lock_guard<std::mutex> lock(mutex_);
    decoded_[i] = std::move(texture);
    decodedCount_ = i + 1;
    changed_.notify_all();
  }
}
