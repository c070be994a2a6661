#pragma once
// Reads a fuzzer's bytes as option values followed by a message: the options come off the
// front, a byte or a few at a time, and whatever is left is the message. Past the end every
// read gives zero, so every input means something.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace linnet::fuzz {

class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, size_t size) : data_(data), size_(size) {}

  std::uint8_t Byte() { return at_ < size_ ? data_[at_++] : 0; }
  // A value in [0, count).
  int Pick(int count) { return count > 0 ? Byte() % count : 0; }
  bool Flag() { return (Byte() & 1) != 0; }
  template <class T>
  T Raw() {
    T value{};
    const size_t n = std::min(sizeof(T), size_ - at_);
    std::memcpy(&value, data_ + at_, n);
    at_ += n;
    return value;
  }
  // Up to `length` bytes as text.
  std::string Text(size_t length) {
    const size_t n = std::min(length, size_ - at_);
    std::string text(reinterpret_cast<const char*>(data_ + at_), n);
    at_ += n;
    return text;
  }
  std::string Rest() { return Text(size_ - at_); }

 private:
  const std::uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

}  // namespace linnet::fuzz
