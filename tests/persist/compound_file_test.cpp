#include "platform/storage/compound_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "persist/control_persistence.h"
#include "persist/persist_fixtures.h"
#include "support/run_command.h"

namespace linnet {
namespace {

using Bytes = std::vector<std::uint8_t>;

Bytes SavedFile(CQlnBarcode& control) {
  Bytes file;
  EXPECT_EQ(persist::SaveToCompoundFile(control, file), S_OK);
  return file;
}

TEST(CompoundFile, RoundTripsEveryPersistedProperty) {
  CQlnBarcode original;
  testing::Apply(original, testing::EveryPersistedPropertyChanged());
  const Bytes file = SavedFile(original);
  CQlnBarcode loaded;
  ASSERT_EQ(persist::LoadFromCompoundFile(loaded, file), S_OK);
  testing::ExpectSamePersistedValues(original, loaded);
  testing::ExpectExtensionsAtCreation(loaded);

  // "Contents" holds exactly the stream form.
  MemoryStream stream;
  ASSERT_EQ(persist::SaveToStream(original, stream, false), S_OK);
  Bytes contents;
  Guid classId;
  ASSERT_EQ(storage::ReadCompoundFileStream(file, "Contents", contents, &classId), S_OK);
  EXPECT_EQ(contents, stream.Bytes());
  EXPECT_EQ(classId, persist::kControlClassId);
}

TEST(CompoundFile, AnIndependentReaderSeesContentsAndTheClass) {
  CQlnBarcode control;
  const Bytes file = SavedFile(control);
  const std::string dir = testing::MakeTempDir();
  const std::string path = dir + "/control.stg";
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(file.data()), static_cast<std::streamsize>(file.size()));
  const char* script =
      "import olefile, sys\n"
      "ole = olefile.OleFileIO(sys.argv[1])\n"
      "print(ole.listdir())\n"
      "print(ole.root.clsid)\n"
      "print(ole.get_size('Contents'))\n";
  const auto result = testing::RunCommand({"/usr/bin/python3", "-c", script, path});
  ASSERT_EQ(result.exitCode, 0) << result.err;
  MemoryStream stream;
  ASSERT_EQ(persist::SaveToStream(control, stream, false), S_OK);
  EXPECT_EQ(result.out,
            "[['Contents']]\nCE4E8A38-9FB0-408E-B2DF-FEDC1E5086B4\n" + std::to_string(stream.Bytes().size()) + "\n");
}

TEST(CompoundFile, ClassIdentifierIsNotChecked) {
  CQlnBarcode source;
  source.put_BarHeight(4321);
  MemoryStream stream;
  ASSERT_EQ(persist::SaveToStream(source, stream, false), S_OK);
  Bytes file;
  ASSERT_EQ(storage::WriteCompoundFile(Guid{1, 2, 3, {4}}, "Contents", stream.Bytes(), file), S_OK);
  CQlnBarcode control;
  EXPECT_EQ(persist::LoadFromCompoundFile(control, file), S_OK);
  EXPECT_EQ(control.Properties().barHeight, 4321);
}

TEST(CompoundFile, MalformedFiles) {
  CQlnBarcode source;
  const Bytes valid = SavedFile(source);
  Bytes otherStream;
  ASSERT_EQ(storage::WriteCompoundFile(persist::kControlClassId, "Other", Bytes(40, 7), otherStream), S_OK);
  Bytes emptyContents;
  ASSERT_EQ(storage::WriteCompoundFile(persist::kControlClassId, "Contents", {}, emptyContents), S_OK);
  Bytes garbage(4096);
  for (std::size_t i = 0; i < garbage.size(); ++i) {
    garbage[i] = static_cast<std::uint8_t>(i * 37 + 11);
  }
  // The signature of a compound file, then garbage: the header's sector counts and offsets
  // point anywhere.
  // The directory entry of "Contents" claims two gigabytes (its size field is at byte 120).
  Bytes hugeContents = valid;
  const char16_t name[] = u"Contents";
  const auto nameAt = std::search(hugeContents.begin(), hugeContents.end(), reinterpret_cast<const std::uint8_t*>(name),
                                  reinterpret_cast<const std::uint8_t*>(name) + 16);
  ASSERT_NE(nameAt, hugeContents.end());
  std::fill(nameAt + 120, nameAt + 124, 0x7F);
  // Its first sector (at byte 116) lies far beyond the mini stream.
  Bytes contentsOutside = valid;
  const auto entryAt = contentsOutside.begin() + (nameAt - hugeContents.begin());
  std::fill(entryAt + 116, entryAt + 119, 0x7F);
  Bytes badHeader = garbage;
  const std::uint8_t signature[] = {0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1};
  std::copy(std::begin(signature), std::end(signature), badHeader.begin());
  const struct {
    const char* what;
    Bytes file;
    HRESULT expected;
  } cases[] = {
      {"empty", {}, storage::STG_E_INVALIDHEADER},
      {"garbage", garbage, storage::STG_E_INVALIDHEADER},
      {"signature then garbage", badHeader, storage::STG_E_INVALIDHEADER},
      {"half a file", Bytes(valid.begin(), valid.begin() + static_cast<std::ptrdiff_t>(valid.size() / 2)), 0},
      {"no Contents", otherStream, storage::STG_E_FILENOTFOUND},
      {"empty Contents", emptyContents, E_FAIL},
      {"Contents larger than the file", hugeContents, 0},
      {"Contents starting outside the file", contentsOutside, 0},
  };
  // What the storage library says about a damaged file belongs in the diagnostic log, never
  // on the host's standard error.
  ::testing::internal::CaptureStderr();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    CQlnBarcode control;
    const HRESULT hr = persist::LoadFromCompoundFile(control, c.file);
    if (c.expected != 0) {
      EXPECT_EQ(hr, c.expected);
    } else {
      EXPECT_TRUE(Failed(hr));
    }
    EXPECT_FALSE(control.IsLoading());
    EXPECT_EQ(control.Properties().barHeight, 1000);
  }
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");
}

TEST(CompoundFile, EveryTruncationFailsCleanly) {
  CQlnBarcode source;
  const Bytes valid = SavedFile(source);
  // Every sector boundary and a few offsets inside the header.
  for (std::size_t length = 0; length < valid.size(); length += (length < 512 ? 61 : 512)) {
    SCOPED_TRACE(length);
    CQlnBarcode control;
    EXPECT_TRUE(Failed(persist::LoadFromCompoundFile(control, std::span(valid.data(), length))));
  }
}

}  // namespace
}  // namespace linnet
