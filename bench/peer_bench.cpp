// Side by side with a peer encoder library (libzint): for each symbology a pair of
// (ours, peer) timings, once for encoding only and once for the whole label written as a
// PNG file with the module at the same pixel size (ours at 150 dots per inch, where the
// default 13-mil module is 2 pixels; the peer at scale 1, also 2 pixels). Nothing of the
// peer is used beyond its public API. Ratios ours / peer: scripts in the README.
#include <benchmark/benchmark.h>
#include <unistd.h>
#include <zint.h>

#include <cstdio>
#include <string>
#include <vector>

#include "control/matrix_dispatch.h"
#include "control/qln_barcode.h"
#include "control/symbology_dispatch.h"
#include "render/export_image.h"

namespace {

struct Pair {
  const char* name;
  int ours;             // SymbologyEnum
  int peer;             // the peer's symbology number
  std::string message;  // as ours takes it
  std::string peerMessage;
  int peerOption1 = -1;  // the peer's option_1 (MaxiCode mode), -1 default
};

std::string Repeated(const std::string& piece, size_t length) {
  std::string text;
  while (text.size() < length) {
    text += piece;
  }
  text.resize(length);
  return text;
}

const std::string kText300 = Repeated("The quick brown fox jumps over the lazy dog, order 4711 of 2024-06-11. ", 300);
const std::string kMaxi = Repeated("Mixed case Text, digits 123456789012345678 and more text for mode four. ", 90);

const Pair kPairs[] = {
    {"Code39", 0, BARCODE_CODE39, "QUILLON-12345", "QUILLON-12345"},
    {"Code128", 5, BARCODE_CODE128, "Linnet-12345", "Linnet-12345"},
    {"GS1_128", 6, BARCODE_GS1_128, "(01)00614141000036(10)ABC123", "[01]00614141000036[10]ABC123"},
    {"EAN13", 10, BARCODE_EANX, "400638133393", "400638133393"},
    {"UPCA", 8, BARCODE_UPCA, "03600029145", "03600029145"},
    {"ITF", 7, BARCODE_C25INTER, "1234567890", "1234567890"},
    {"DataBar", 33, BARCODE_DBAR_OMN, "0061414100003", "0061414100003"},
    {"DataBarExpanded", 38, BARCODE_DBAR_EXP, "(01)98898765432106(3202)012345(15)991231",
     "[01]98898765432106[3202]012345[15]991231"},
    {"PDF417_300", 40, BARCODE_PDF417, kText300, kText300},
    {"DataMatrix_300", 41, BARCODE_DATAMATRIX, kText300, kText300},
    {"MaxiCodeMode4", 42, BARCODE_MAXICODE, kMaxi, kMaxi, 4},
};

std::string OutputPath(const char* who) {
  const char* dir = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
  return std::string(dir) + "/peer_bench_" + who + "_" + std::to_string(getpid()) + ".png";
}

void Configure(linnet::CQlnBarcode& control, const Pair& pair) {
  control.put_Symbology(pair.ours);
  if (pair.ours == 42) {
    control.put_MaxicodeMode(4);
  }
  control.put_Message(std::u16string(pair.message.begin(), pair.message.end()));
  control.put_ShowComment(linnet::VARIANT_FALSE);
  control.put_RasterImageResolution(150);
}

zint_symbol* PeerSymbol(const Pair& pair) {
  zint_symbol* symbol = ZBarcode_Create();
  symbol->symbology = pair.peer;
  symbol->scale = 1.0F;
  if (pair.peerOption1 >= 0) {
    symbol->option_1 = pair.peerOption1;
  }
  return symbol;
}

void OursEncode(benchmark::State& state, const Pair& pair) {
  linnet::CQlnBarcode control;
  Configure(control, pair);
  const bool matrix = pair.ours >= 40;
  for (auto _ : state) {
    if (matrix) {
      benchmark::DoNotOptimize(linnet::EncodeMatrixRows(control));
    } else {
      benchmark::DoNotOptimize(linnet::EncodeLinearSymbol(control));
    }
  }
}

void PeerEncode(benchmark::State& state, const Pair& pair) {
  zint_symbol* symbol = PeerSymbol(pair);
  const auto* data = reinterpret_cast<const unsigned char*>(pair.peerMessage.data());
  for (auto _ : state) {
    ZBarcode_Clear(symbol);
    if (ZBarcode_Encode(symbol, data, static_cast<int>(pair.peerMessage.size())) >= ZINT_ERROR) {
      state.SkipWithError(symbol->errtxt);
      break;
    }
  }
  ZBarcode_Delete(symbol);
}

void OursPng(benchmark::State& state, const Pair& pair) {
  linnet::CQlnBarcode control;
  Configure(control, pair);
  const std::string path = OutputPath("ours");
  for (auto _ : state) {
    if (linnet::ExportImageToFile(control, path, linnet::qlxFormatPNG) != linnet::S_OK) {
      state.SkipWithError("export failed");
      break;
    }
  }
  std::remove(path.c_str());
}

void PeerPng(benchmark::State& state, const Pair& pair) {
  zint_symbol* symbol = PeerSymbol(pair);
  const std::string path = OutputPath("peer");
  const auto* data = reinterpret_cast<const unsigned char*>(pair.peerMessage.data());
  for (auto _ : state) {
    ZBarcode_Clear(symbol);
    std::snprintf(symbol->outfile, sizeof symbol->outfile, "%s", path.c_str());
    if (ZBarcode_Encode_and_Print(symbol, data, static_cast<int>(pair.peerMessage.size()), 0) >= ZINT_ERROR) {
      state.SkipWithError(symbol->errtxt);
      break;
    }
  }
  ZBarcode_Delete(symbol);
  std::remove(path.c_str());
}

// Registered in pairs, ours first, so the two timings of a pair stand together.
const bool kRegistered = [] {
  for (const Pair& pair : kPairs) {
    const std::string name = pair.name;
    benchmark::RegisterBenchmark(("Encode/" + name + "/ours").c_str(), OursEncode, pair);
    benchmark::RegisterBenchmark(("Encode/" + name + "/peer").c_str(), PeerEncode, pair);
  }
  for (const Pair& pair : kPairs) {
    const std::string name = pair.name;
    benchmark::RegisterBenchmark(("Png/" + name + "/ours").c_str(), OursPng, pair);
    benchmark::RegisterBenchmark(("Png/" + name + "/peer").c_str(), PeerPng, pair);
  }
  return true;
}();

}  // namespace
