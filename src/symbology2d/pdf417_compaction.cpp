// Message syntax and the choice of compaction mode for every run of a segment.
#include <string>

#include "platform/log.h"
#include "symbology2d/pdf417_encoder.h"

namespace Quillon::BrindleLib {

using pdf417::Codewords;
using pdf417::CompactionMode;
using pdf417::TextSubmode;

namespace {

constexpr std::size_t kNumericRunMinimum = 13;
constexpr std::size_t kTextRunMinimum = 5;
constexpr long kMaxGli = 811799;

bool IsDigit(unsigned char c) {
  return c >= '0' && c <= '9';
}

// The value of `count` decimal digits at `text + start`, or -1 when they are not all there.
long DigitsValue(const char* text, std::size_t length, std::size_t start, std::size_t count) {
  if (start + count > length) {
    return -1;
  }
  long value = 0;
  for (std::size_t i = start; i < start + count; ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (!IsDigit(c)) {
      return -1;
    }
    value = value * 10 + (c - '0');
  }
  return value;
}

void AppendGli(long value, Codewords& stream) {
  if (value <= 899) {
    stream.insert(stream.end(), {pdf417::kGliCharacterSet, static_cast<std::uint16_t>(value)});
  } else if (value <= 810899) {
    stream.insert(stream.end(), {pdf417::kGliGeneralPurpose, static_cast<std::uint16_t>(value / 900 - 1),
                                 static_cast<std::uint16_t>(value % 900)});
  } else {
    stream.insert(stream.end(), {pdf417::kGliUserDefined, static_cast<std::uint16_t>(value - 810900)});
  }
}

}  // namespace

void CPDF417Encoder2::CDataEncodationBuilder::EncodeMessage(const char* text, std::size_t length, Codewords& stream) {
  data.clear();
  codewords.clear();
  stream.clear();
  stream.push_back(0);
  CompactionMode mode = CompactionMode::kText;
  std::size_t i = 0;
  while (i < length) {
    const char c = text[i];
    if (c != '~' || i + 1 == length) {
      data.push_back(static_cast<std::uint8_t>(c));
      ++i;
      continue;
    }
    const char escape = text[i + 1];
    if (escape >= '@' && escape <= 'Z') {
      data.push_back(static_cast<std::uint8_t>(escape - '@'));
      i += 2;
    } else if (escape == '~') {
      data.push_back('~');
      i += 2;
    } else if (const long byte = escape == 'd' ? DigitsValue(text, length, i + 2, 3) : -1; byte >= 0 && byte <= 255) {
      data.push_back(static_cast<std::uint8_t>(byte));
      i += 5;
    } else if (escape == '7') {
      const long gli = DigitsValue(text, length, i + 2, 6);
      if (gli < 0 || gli > kMaxGli) {
        throw pdf417_error(40, "GLI must be 6 digits in the range between 0 and 811,799.");
      }
      FlushSegment(mode, stream);
      AppendGli(gli, stream);
      mode = CompactionMode::kUnsettled;
      i += 8;
    } else if (escape == '2') {
      FlushSegment(mode, stream);
      EncodeControlBlock(std::string_view(text + i, length - i));
      stream.insert(stream.end(), codewords.begin(), codewords.end());
      codewords.clear();
      return;  // the length descriptor is written once the grid is known
    } else {
      // Not an escape: the tilde is data, and so is the byte after it.
      data.push_back('~');
      ++i;
    }
  }
  FlushSegment(mode, stream);
  stream[0] = static_cast<std::uint16_t>(stream.size());
}

void CPDF417Encoder2::CDataEncodationBuilder::SetData(std::string_view bytes) {
  data.insert(data.end(), bytes.begin(), bytes.end());
}

void CPDF417Encoder2::CDataEncodationBuilder::FlushSegment(CompactionMode& mode, Codewords& stream) {
  mode = CompactSegment(mode);
  stream.insert(stream.end(), codewords.begin(), codewords.end());
  codewords.clear();
  data.clear();
}

CompactionMode CPDF417Encoder2::CDataEncodationBuilder::CompactSegment(CompactionMode mode) {
  TextSubmode submode = pdf417::kAlpha;
  std::size_t p = 0;
  while (p < data.size()) {
    if (const std::size_t digits = DigitRunLength(p); digits >= kNumericRunMinimum) {
      TraceRun("numeric", p);
      if (mode != CompactionMode::kNumeric) {
        Emit(pdf417::kLatchNumeric);
      }
      CompactNumeric(p, digits);
      mode = CompactionMode::kNumeric;
      p += digits;
      continue;
    }
    if (const std::size_t text = TextRunLength(p); text >= kTextRunMinimum) {
      TraceRun("text", p);
      if (mode != CompactionMode::kText) {
        Emit(pdf417::kLatchText);
        submode = pdf417::kAlpha;
      }
      submode = CompactText(p, text, submode);
      mode = CompactionMode::kText;
      p += text;
      continue;
    }
    const std::size_t bytes = ByteRunLength(p);
    TraceRun("binary", p);
    if (bytes == 1 && mode == CompactionMode::kText) {
      Emit(pdf417::kShiftByte);
      CompactBytes(p, 1);
    } else {
      if (mode != CompactionMode::kByte) {
        Emit(bytes % 6 == 0 ? pdf417::kLatchByteSix : pdf417::kLatchByte);
      }
      CompactBytes(p, bytes);
      mode = CompactionMode::kByte;
    }
    p += bytes;
  }
  return mode;
}

pdf417::TextClassEntry CPDF417Encoder2::CDataEncodationBuilder::TextClass(std::size_t position) const {
  if (position >= data.size()) {
    return {};
  }
  return pdf417::TextClassOf(data[position]);
}

std::size_t CPDF417Encoder2::CDataEncodationBuilder::DigitRunLength(std::size_t position) const {
  std::size_t q = position;
  while (q < data.size() && IsDigit(data[q])) {
    ++q;
  }
  return q - position;
}

std::size_t CPDF417Encoder2::CDataEncodationBuilder::TextRunLength(std::size_t position) const {
  return BoundedTextRunLength(position, data.size());
}

std::size_t CPDF417Encoder2::CDataEncodationBuilder::BoundedTextRunLength(std::size_t position,
                                                                          std::size_t limit) const {
  std::size_t q = position;
  while (q < data.size() && q - position < limit) {
    if (IsDigit(data[q])) {
      // No digit inside a shorter run can start a long one, so the run is skipped whole.
      const std::size_t digits = DigitRunLength(q);
      if (digits >= kNumericRunMinimum) {
        break;
      }
      q += digits;
    } else if (pdf417::TextClassOf(data[q]).Compactible()) {
      ++q;
    } else {
      break;
    }
  }
  return q - position;
}

std::size_t CPDF417Encoder2::CDataEncodationBuilder::ByteRunLength(std::size_t position) const {
  std::size_t q = position;
  while (q < data.size()) {
    if (IsDigit(data[q]) && DigitRunLength(q) >= kNumericRunMinimum) {
      break;
    }
    if (pdf417::TextClassOf(data[q]).Compactible() && BoundedTextRunLength(q, kTextRunMinimum) >= kTextRunMinimum) {
      break;
    }
    ++q;
  }
  return q - position;
}

void CPDF417Encoder2::CDataEncodationBuilder::TraceRun(const char* modeName, std::size_t start) const {
  // A diagnostic like any other: never on standard output, where it would corrupt an image
  // written there.
  if (!linnet::log::Enabled()) {
    return;
  }
  std::string line = "Entering " + std::string(modeName) + " mode (" + std::to_string(start) + ") (";
  for (std::size_t i = 0; i < 5; ++i) {
    line.push_back(start + i < data.size() ? static_cast<char>(data[start + i]) : '\0');
  }
  linnet::log::Write("", line + ")\n");
}

}  // namespace Quillon::BrindleLib
