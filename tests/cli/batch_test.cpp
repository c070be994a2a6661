// linnet batch through the built binary: rows to files, failures per row, identical output
// whatever the worker count or shard, the output template, and --verify.
#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>
#include <vector>

#include "support/run_command.h"
#include "support/symbol_image.h"

namespace linnet {
namespace {

namespace fs = std::filesystem;
using testing::LinnetBinary;
using testing::ReadFile;
using testing::RunCommand;
using testing::RunLinnet;

void WriteAll(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Every file under `dir` by its path relative to it, with its bytes.
std::map<std::string, std::string> FilesUnder(const std::string& dir) {
  std::map<std::string, std::string> files;
  if (!fs::exists(dir)) {
    return files;
  }
  for (const auto& e : fs::recursive_directory_iterator(dir)) {
    if (e.is_regular_file()) {
      files[fs::relative(e.path(), dir).string()] = ReadFile(e.path().string());
    }
  }
  return files;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to) {
  for (auto at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
  }
  return text;
}

// Rows of several families, so that encoders of every kind run side by side.
std::string MixedRows(int count) {
  static const char* const kKinds[] = {"code128", "ean_13", "datamatrix", "pdf417", "code39", "databarexpanded"};
  static const char* const kMessages[] = {"LNT-%04d",      "400638133%03d", "Batch %d",
                                          "PDF417 row %d", "C39-%d",        "(01)9501234567890%d"};
  std::string csv = "Symbology,Message,BarHeight\n";
  for (int i = 0; i < count; ++i) {
    char message[64];
    std::snprintf(message, sizeof message, kMessages[i % 6], i % 6 == 5 ? 3 : i);
    csv += std::string(kKinds[i % 6]) + ",\"" + message + "\"," + (i % 4 == 0 ? "1200" : "") + "\n";
  }
  return csv;
}

TEST(LinnetBatch, BadRowsAreReportedAndEveryGoodRowIsWritten) {
  const std::string dir = testing::MakeTempDir();
  WriteAll(dir + "/rows.csv",
           "Symbology,Message,BarHeight,Colour\n"
           "code128,GOOD-1,,\n"
           "upc_a,12345,,\n"
           "code128,GOOD-3,,red\n"
           "code128,GOOD-4,-5,\n"
           "upc_a,01234567890,,\n");
  const auto r = RunLinnet(
      {"batch", dir + "/rows.csv", "-o", dir + "/out/{row}.png", "--report", dir + "/report.csv", "-j", "2", "-q"});
  EXPECT_EQ(r.exitCode, 3);
  const std::string report = Replaced(ReadFile(dir + "/report.csv"), dir, "D");
  EXPECT_EQ(report,
            "row,output,status,error,message\r\n"
            "1,D/out/1.png,ok,,\r\n"
            "2,D/out/2.png,failed,6112,message=12345 refused: error 6112: The current symbology required fixed "
            "length. The length you specified does not meet this requirement.\r\n"
            "3,D/out/3.png,failed,,no settable property named 'Colour' (see linnet show)\r\n"
            "4,D/out/4.png,failed,6116,BarHeight=-5 refused: error 6116: Invalid value for BarHeight property.\r\n"
            "5,D/out/5.png,ok,,\r\n");
  EXPECT_EQ(Replaced(r.err, dir, "D"),
            "linnet: row 2 (D/out/2.png): message=12345 refused: error 6112: The current symbology required fixed "
            "length. The length you specified does not meet this requirement.\n"
            "linnet: row 3 (D/out/3.png): no settable property named 'Colour' (see linnet show)\n"
            "linnet: row 4 (D/out/4.png): BarHeight=-5 refused: error 6116: Invalid value for BarHeight property.\n");
  const auto files = FilesUnder(dir + "/out");
  EXPECT_EQ(files.size(), 2U);
  EXPECT_EQ(testing::ZxingRead(dir + "/out/1.png", "Code128"), "GOOD-1");
  EXPECT_EQ(testing::ZxingRead(dir + "/out/5.png", "UPC-A"), "012345678905");
}

TEST(LinnetBatch, WorkerCountsAndShardsWriteTheSameFiles) {
  const std::string dir = testing::MakeTempDir();
  WriteAll(dir + "/rows.csv", MixedRows(36));
  const auto run = [&](const std::string& out, std::vector<std::string> extra) {
    std::vector<std::string> args = {"batch", dir + "/rows.csv", "-o", dir + "/" + out + "/{row:03}.png", "-q"};
    args.insert(args.end(), extra.begin(), extra.end());
    const auto r = RunLinnet(args);
    EXPECT_EQ(r.exitCode, 0) << r.err;
  };
  run("one", {"-j", "1"});
  run("eight", {"-j", "8"});
  for (const char* shard : {"1/3", "2/3", "3/3"}) {
    run("sharded", {"-j", "2", "--shard", shard});
  }
  const auto one = FilesUnder(dir + "/one");
  EXPECT_EQ(one.size(), 36U);
  EXPECT_TRUE(one == FilesUnder(dir + "/eight"));
  EXPECT_TRUE(one == FilesUnder(dir + "/sharded"));
  const auto r = RunLinnet({"batch", dir + "/rows.csv", "-o", dir + "/part/{row:03}.png", "-q", "--shard", "2/3"});
  const auto part = FilesUnder(dir + "/part");
  ASSERT_EQ(part.size(), 12U);
  EXPECT_EQ(part.begin()->first, "002.png");
  EXPECT_EQ(part.rbegin()->first, "035.png");
}

TEST(LinnetBatch, ShardFromTheJobRunnersEnvironment) {
  const std::string dir = testing::MakeTempDir();
  WriteAll(dir + "/rows.csv", "Message\nA\nB\nC\nD\nE\nF\n");
  const struct {
    const char* what;
    std::vector<std::pair<const char*, const char*>> env;
    int exitCode;
    std::vector<std::string> files;
  } cases[] = {
      {"Kubernetes indexed Job", {{"JOB_COMPLETION_INDEX", "1"}, {"LINNET_SHARD_COUNT", "3"}}, 0, {"B.png", "E.png"}},
      {"Slurm array from 0",
       {{"SLURM_ARRAY_TASK_ID", "0"}, {"SLURM_ARRAY_TASK_COUNT", "2"}},
       0,
       {"A.png", "C.png", "E.png"}},
      {"Slurm array from 5",
       {{"SLURM_ARRAY_TASK_ID", "7"}, {"SLURM_ARRAY_TASK_COUNT", "3"}, {"SLURM_ARRAY_TASK_MIN", "5"}},
       0,
       {"C.png", "F.png"}},
      {"an index without a count", {{"JOB_COMPLETION_INDEX", "1"}}, 1, {}},
      {"an index beyond the count", {{"JOB_COMPLETION_INDEX", "3"}, {"LINNET_SHARD_COUNT", "3"}}, 1, {}},
      {"nothing set", {}, 1, {}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    for (const char* name : {"JOB_COMPLETION_INDEX", "LINNET_SHARD_COUNT", "SLURM_ARRAY_TASK_ID",
                             "SLURM_ARRAY_TASK_COUNT", "SLURM_ARRAY_TASK_MIN"}) {
      unsetenv(name);
    }
    for (const auto& [name, value] : c.env) {
      setenv(name, value, 1);
    }
    fs::remove_all(dir + "/out");
    const auto r = RunLinnet(
        {"batch", dir + "/rows.csv", "-o", dir + "/out/{Message}.png", "-b", "code128", "-q", "--shard-from-env"});
    EXPECT_EQ(r.exitCode, c.exitCode) << r.err;
    std::vector<std::string> names;
    for (const auto& [name, bytes] : FilesUnder(dir + "/out")) {
      names.push_back(name);
    }
    EXPECT_EQ(names, c.files);
    for (const auto& [name, value] : c.env) {
      unsetenv(name);
    }
  }
}

TEST(LinnetBatch, OutputTemplateAndInputs) {
  const struct {
    const char* what;
    std::string input;  // written to rows.csv / rows.jsonl, or fed to standard input for "-"
    std::string inputFile;
    std::vector<std::string> args;  // after INPUT; "D" stands for the test's folder
    int exitCode;
    std::vector<std::string> files;  // under D/out
    std::string err;                 // "..." ends a prefix
  } cases[] = {
      {"values made safe for a file name",
       "Message,Comment\n../up,a/b\n.hidden,x\n",
       "rows.csv",
       {"-o", "D/out/{Message}-{row:02}.png"},
       0,
       {"_._up-01.png", "_hidden-02.png"},
       ""},
      {"a column only the template names",
       "sku,Message\nA1,one\nB2,two\n",
       "rows.csv",
       {"-o", "D/out/{sku}.svg"},
       0,
       {"A1.svg", "B2.svg"},
       ""},
      {"two rows, one name: the second fails",
       "Message\nsame\nsame\n",
       "rows.csv",
       {"-o", "D/out/{Message}.png"},
       3,
       {"same.png"},
       "linnet: row 2 (D/out/same.png): row 1 writes D/out/same.png already\n"},
      {"a value the template names is missing",
       "Message,sku\nA,x\nB\n",
       "rows.csv",
       {"-o", "D/out/{sku}.png"},
       3,
       {"x.png"},
       "linnet: row 2: the row has no value for {sku} of the output template\n"},
      {"JSON Lines from standard input",
       "{\"Message\":\"J1\"}\n{\"Symbology\":\"datamatrix\",\"Message\":\"J2\"}\n",
       "-",
       {"--input-format", "jsonl", "-o", "D/out/{row}.bmp"},
       0,
       {"1.bmp", "2.bmp"},
       ""},
      {"an unknown key fails its row only",
       "{\"Message\":\"J1\"}\n{\"Mesage\":\"J2\"}\n",
       "rows.jsonl",
       {"-o", "D/out/{row}.png"},
       3,
       {"1.png"},
       "linnet: row 2 (D/out/2.png): no settable property named 'Mesage' (see linnet show)\n"},
      {"header only", "Message\n", "rows.csv", {"-o", "D/out/{row}.png"}, 0, {}, ""},
      {"empty input",
       "",
       "rows.csv",
       {"-o", "D/out/{row}.png"},
       1,
       {},
       "linnet: D/rows.csv: the input is empty: a header row of property names comes first\n"},
      {"an unclosed brace",
       "Message\nA\n",
       "rows.csv",
       {"-o", "D/out/{row.png"},
       1,
       {},
       "linnet: a '{' without '}' in the output template (write {{ for a brace). Try 'linnet batch --help'.\n"},
      {"a bad width",
       "Message\nA\n",
       "rows.csv",
       {"-o", "D/out/{row:0}.png"},
       1,
       {},
       "linnet: {row:0} in the output..."},
      {"a bad shard",
       "Message\nA\n",
       "rows.csv",
       {"-o", "D/out/{row}.png", "--shard", "4/3"},
       1,
       {},
       "linnet: --shard takes K/N with 1 <= K <= N, not '4/3'. Try 'linnet batch --help'.\n"},
      {"no workers", "Message\nA\n", "rows.csv", {"-o", "D/out/{row}.png", "-j", "0"}, 1, {}, "linnet: -j takes..."},
      {"fail-fast stops at the first failure",
       "Message,BarHeight\nA,\nB,-1\nC,\nD,\n",
       "rows.csv",
       {"-o", "D/out/{Message}.png", "--fail-fast", "-j", "1"},
       3,
       {"A.png"},
       "linnet: row 2 (D/out/B.png): ..."},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    const std::string dir = testing::MakeTempDir();
    std::vector<std::string> args = {"batch", c.inputFile == "-" ? "-" : dir + "/" + c.inputFile, "-q", "-b",
                                     "code128"};
    if (c.inputFile != "-") {
      WriteAll(dir + "/" + c.inputFile, c.input);
    }
    for (const auto& a : c.args) {
      args.push_back(Replaced(a, "D", dir));
    }
    const auto r = RunLinnet(args, c.inputFile == "-" ? c.input : "");
    EXPECT_EQ(r.exitCode, c.exitCode);
    std::vector<std::string> names;
    for (const auto& [name, bytes] : FilesUnder(dir + "/out")) {
      names.push_back(name);
    }
    EXPECT_EQ(names, c.files);
    const std::string err = Replaced(r.err, dir, "D");
    if (c.err.ends_with("...")) {
      EXPECT_EQ(err.substr(0, c.err.size() - 3), c.err.substr(0, c.err.size() - 3));
    } else {
      EXPECT_EQ(err, c.err);
    }
  }
}

TEST(LinnetBatch, ExistingFilesAreReplacedOnlyWithForce) {
  const std::string dir = testing::MakeTempDir();
  WriteAll(dir + "/rows.csv", "Message\nNEW\n");
  fs::create_directories(dir + "/out");
  WriteAll(dir + "/out/1.png", "old");
  const std::vector<std::string> args = {"batch", dir + "/rows.csv", "-o", dir + "/out/{row}.png", "-q",
                                         "-b",    "code128"};
  const auto refused = RunLinnet(args);
  EXPECT_EQ(refused.exitCode, 3);
  EXPECT_EQ(Replaced(refused.err, dir, "D"), "linnet: row 1 (D/out/1.png): D/out/1.png exists (--force replaces it)\n");
  EXPECT_EQ(ReadFile(dir + "/out/1.png"), "old");
  std::vector<std::string> forced = args;
  forced.emplace_back("--force");
  EXPECT_EQ(RunLinnet(forced).exitCode, 0);
  EXPECT_EQ(testing::ZxingRead(dir + "/out/1.png", "Code128"), "NEW");
}

TEST(LinnetBatch, VerifyReadsEveryLabelBack) {
  const std::string dir = testing::MakeTempDir();
  WriteAll(
      dir + "/rows.csv",
      "Symbology,Message,ShowComment\ncode128,VERIFY-1,\nean_13,400638133393,\ndatamatrix,Matrix 3,\npostnet,12345,\n"
      "datamatrix,Matrix 5,true\n");
  const auto r = RunLinnet({"batch", dir + "/rows.csv", "-o", dir + "/out/{row}.png", "--verify", "--report",
                            dir + "/report.csv", "-q", "--set", "ShowComment=false"});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_EQ(Replaced(ReadFile(dir + "/report.csv"), dir, "D"),
            "row,output,status,error,message\r\n"
            "1,D/out/1.png,verified,,\r\n"
            "2,D/out/2.png,verified,,\r\n"
            "3,D/out/3.png,verified,,\r\n"
            "4,D/out/4.png,not verifiable,,no reader reads symbology 20\r\n"
            "5,D/out/5.png,failed,,verification failed: the reader found no symbol\r\n");
  EXPECT_FALSE(fs::exists(dir + "/out/5.png"));  // the comment beside the matrix defeats the reader

  const auto exported = RunLinnet({"export", "-b", "code128", "-d", "EXPORT-1", "-o", dir + "/e.png", "--verify"});
  EXPECT_EQ(exported.exitCode, 0) << exported.err;
  EXPECT_EQ(exported.err, "");
}

TEST(LinnetBatch, AReaderThatDiesFailsItsRowsOnly) {
  const std::string dir = testing::MakeTempDir();
  WriteAll(dir + "/rows.csv", "Message\nDIES-1\nDIES-2\n");
  const auto r = RunCommand({"/usr/bin/env", "LINNET_MODULE_DIR=" LINNET_CRASHING_READER_DIR, LinnetBinary(), "batch",
                             dir + "/rows.csv", "-o", dir + "/out/{row}.png", "-b", "code128", "--verify", "--report",
                             dir + "/report.csv", "-q"});
  EXPECT_EQ(r.exitCode, 3) << r.err;
  EXPECT_EQ(Replaced(ReadFile(dir + "/report.csv"), dir, "D"),
            "row,output,status,error,message\r\n"
            "1,D/out/1.png,failed,,verification failed: the reader stopped with signal 6\r\n"
            "2,D/out/2.png,failed,,verification failed: the reader stopped with signal 6\r\n");
  EXPECT_FALSE(fs::exists(dir + "/out/1.png"));
}

}  // namespace
}  // namespace linnet
