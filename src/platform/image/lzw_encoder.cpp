#include "platform/image/lzw_encoder.h"

#include <algorithm>

namespace linnet::image {

namespace {

constexpr std::uint32_t kClear = 256;
constexpr std::uint32_t kEnd = 257;
constexpr std::uint32_t kFirst = 258;
constexpr int kMinWidth = 9;
constexpr int kMaxWidth = 12;
constexpr std::uint32_t kCodes = 1U << kMaxWidth;
constexpr std::uint16_t kNotARun = 256;
constexpr size_t kRunSlots = kCodes + 1;  // a run is at most as long as the table has codes

}  // namespace

LzwEncoder::LzwEncoder(LzwDialect dialect, std::vector<std::uint8_t>& out)
    : dialect_(dialect),
      out_(out),
      child_(static_cast<size_t>(kCodes) * 256, 0),
      runValue_(kCodes, kNotARun),
      runLength_(kCodes, 0),
      runCode_(256 * kRunSlots, 0),
      longestRun_(256, 1) {
  used_.reserve(kCodes);
  for (std::uint32_t value = 0; value < 256; ++value) {
    runValue_[value] = static_cast<std::uint16_t>(value);
    runLength_[value] = 1;
    runCode_[value * kRunSlots + 1] = static_cast<std::uint16_t>(value);
  }
}

void LzwEncoder::Put(std::uint32_t code) {
  if (dialect_ == LzwDialect::Gif) {
    pending_ |= static_cast<std::uint64_t>(code) << pendingBits_;
    pendingBits_ += width_;
    while (pendingBits_ >= 8) {
      out_.push_back(static_cast<std::uint8_t>(pending_));
      pending_ >>= 8;
      pendingBits_ -= 8;
    }
  } else {
    pending_ = (pending_ << width_) | code;
    pendingBits_ += width_;
    while (pendingBits_ >= 8) {
      pendingBits_ -= 8;
      out_.push_back(static_cast<std::uint8_t>(pending_ >> pendingBits_));
    }
    pending_ &= (std::uint64_t{1} << pendingBits_) - 1;
  }
}

void LzwEncoder::ResetTable() {
  for (const std::uint32_t slot : used_) {
    child_[slot] = 0;
  }
  used_.clear();
  std::fill(longestRun_.begin(), longestRun_.end(), 1);
  next_ = kFirst;
  width_ = kMinWidth;
}

void LzwEncoder::Start() {
  ResetTable();
  Put(kClear);
}

void LzwEncoder::Add(std::uint32_t prefix, std::uint8_t value) {
  const std::uint32_t code = next_++;
  const std::uint32_t slot = prefix * 256 + value;
  child_[slot] = static_cast<std::uint16_t>(code);
  used_.push_back(slot);
  if (runValue_[prefix] == value) {
    // The table is closed under prefixes, so this run is one longer than the longest held.
    const std::uint16_t length = static_cast<std::uint16_t>(runLength_[prefix] + 1);
    runValue_[code] = value;
    runLength_[code] = length;
    runCode_[value * kRunSlots + length] = static_cast<std::uint16_t>(code);
    longestRun_[value] = length;
  } else {
    runValue_[code] = kNotARun;
  }
}

// The string matched so far cannot take `value`: its code goes out, the table learns the
// longer string, and matching starts again at `value`.
void LzwEncoder::Miss(std::uint8_t value) {
  const auto prefix = static_cast<std::uint32_t>(current_);
  Put(prefix);
  if (dialect_ == LzwDialect::Gif) {
    if (next_ >= (1U << width_) && width_ < kMaxWidth) {
      ++width_;
    }
    if (next_ >= kCodes - 1) {
      Put(kClear);
      ResetTable();
    } else {
      Add(prefix, value);
    }
  } else {
    Add(prefix, value);
    if (next_ == kCodes - 2) {
      Put(kClear);
      ResetTable();
    } else if (next_ > (1U << width_) - 1) {
      ++width_;
    }
  }
  current_ = value;
}

void LzwEncoder::Run(std::uint8_t value, size_t count) {
  if (count == 0) {
    return;
  }
  if (current_ < 0) {
    Start();
    current_ = value;
    --count;
  }
  while (count > 0) {
    const auto code = static_cast<std::uint32_t>(current_);
    if (runValue_[code] == value) {
      const size_t length = runLength_[code];
      const size_t longest = longestRun_[value];
      if (length + count <= longest) {
        current_ = runCode_[value * kRunSlots + length + count];
        return;
      }
      current_ = runCode_[value * kRunSlots + longest];
      count -= longest - length;
    } else if (const std::uint16_t child = child_[code * 256 + value]; child != 0) {
      current_ = child;
      --count;
      continue;
    }
    Miss(value);
    --count;
  }
}

void LzwEncoder::Finish() {
  if (current_ < 0) {
    Start();
  } else {
    Put(static_cast<std::uint32_t>(current_));
    // The decoder adds one more string on reading that code; the end code takes the width
    // the table has then.
    if (dialect_ == LzwDialect::Gif) {
      if (next_ >= (1U << width_) && width_ < kMaxWidth) {
        ++width_;
      }
    } else if (next_ + 1 == kCodes - 2) {
      Put(kClear);
      width_ = kMinWidth;
    } else if (next_ + 1 > (1U << width_) - 1) {
      ++width_;
    }
  }
  Put(kEnd);
  if (pendingBits_ > 0) {
    out_.push_back(static_cast<std::uint8_t>(dialect_ == LzwDialect::Gif ? pending_ : pending_ << (8 - pendingBits_)));
  }
  pending_ = 0;
  pendingBits_ = 0;
  current_ = -1;
}

}  // namespace linnet::image
