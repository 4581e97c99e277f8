#include "app/bare_run.h"

#include <gtest/gtest.h>
#include <openssl/evp.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "format/records.h"
#include "platform/file_system.h"
#include "util/little_endian.h"

namespace sb {
namespace {

namespace fs = std::filesystem;

std::string sha256_hex(const std::string& bytes) {
  unsigned char digest[EVP_MAX_MD_SIZE];
  unsigned int length = 0;
  EVP_Digest(bytes.data(), bytes.size(), digest, &length, EVP_sha256(), nullptr);
  static const char digits[] = "0123456789abcdef";
  std::string text;
  for (unsigned int i = 0; i < length; ++i) {
    text += digits[digest[i] >> 4];
    text += digits[digest[i] & 15];
  }
  return text;
}

std::string read_bytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

class BareRun : public ::testing::Test {
 protected:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("bare-run-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
                  "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory_);
    fs::create_directories(directory_);
  }
  void TearDown() override { fs::remove_all(directory_); }

  int run(bool keep_sources = false) {
    std::unique_ptr<Window> window = make_console_window(notices_);
    return bare_run({directory_.string(), keep_sources}, disk_file_system(), *window, diagnostics_);
  }

  std::map<std::string, std::string> files() const {
    std::map<std::string, std::string> found;
    for (const auto& entry : fs::directory_iterator(directory_)) {
      found[entry.path().filename().string()] = read_bytes(entry.path());
    }
    return found;
  }

  fs::path directory_;
  std::ostringstream notices_;
  std::ostringstream diagnostics_;
};

template <typename T>
T value_at(const std::string& bytes, size_t offset) {
  return load_le<T>(bytes.data() + offset);
}

// Offset of record `index` in the records file, walking the texts before it.
size_t record_offset(const std::string& records, int index) {
  size_t offset = 0;
  for (int i = 0; i < index; ++i) {
    offset += kRecordBytesWithoutText + value_at<uint16_t>(records, offset + 14);
  }
  return offset;
}

TEST_F(BareRun, LeavesTheDocumentsAndTheBinaryFilesAndNothingElse) {
  ASSERT_EQ(run(), 0) << diagnostics_.str();
  EXPECT_EQ(diagnostics_.str(), "");
  EXPECT_EQ(notices_.str(), "Attendere\n");
  const auto found = files();
  std::vector<std::string> names;
  for (const auto& [name, bytes] : found) names.push_back(name);
  EXPECT_EQ(names, (std::vector<std::string>{
                       "Valmira_Lunerio_37924.dat", "Valmira_Lunerio_37924.sim",
                       "Valmira_Lunerio_37924_note.txt", "Valmira_Lunerio_37924_rallentamenti.txt",
                       "Valmira_Lunerio_37924_scheda_treno.txt", "Valmira_Lunerio_linea.dat"}));

  const std::string& records = found.at("Valmira_Lunerio_37924.sim");
  const std::string& cells = found.at("Valmira_Lunerio_37924.dat");
  EXPECT_EQ(records.size(), 3362u);
  EXPECT_EQ(cells.size(), 92895u);
  EXPECT_EQ(found.at("Valmira_Lunerio_linea.dat").size(), 6191964u);

  const size_t scenario = record_offset(records, 85);
  const size_t text_length = value_at<uint16_t>(records, scenario + 14);
  EXPECT_EQ(records.substr(scenario + 16, text_length), "Valmira_Lunerio");
  EXPECT_EQ(records.substr(scenario + 16 + text_length, 2), "\x62\x02");
  EXPECT_EQ(value_at<int32_t>(records, scenario + 30 + text_length), 32990);
  EXPECT_EQ(cells.substr(16, 2), "\x01\x14");
  EXPECT_EQ(value_at<int16_t>(cells, 18), 2363);
}

TEST_F(BareRun, TheFilesAreExactlyThePinnedOnes) {
  // With the two source texts kept, as an author starts from them.
  ASSERT_EQ(run(/*keep_sources=*/true), 0) << diagnostics_.str();
  // Any change to these bytes must be deliberate: update the digests with it.
  const std::map<std::string, std::string> expected = {
      {"Valmira_Lunerio_37924-.txt",
       "a31a2903151d2244009454ff30e3adc9b7c07c2a107a467bd19cf4aa9e730f99"},
      {"Valmira_Lunerio_37924.dat",
       "5e57e0d0268c1f6b2b355c3386a387569a36cb497392474c8593c59f22421c6a"},
      {"Valmira_Lunerio_37924.sim",
       "bf4da383b54a48d6aea3aed06d0d034b0a82c81b2416e63473dd6f2e32007550"},
      {"Valmira_Lunerio_37924_note.txt",
       "84110187b8bf0790f6e5cc4810af00fd1ae812207b583e69d85ac096f5fe4404"},
      {"Valmira_Lunerio_37924_rallentamenti.txt",
       "f0b733494de3241d34dbd728ac13ec006578068e3cf3e3bd25625ed81e0a6737"},
      {"Valmira_Lunerio_37924_scheda_treno.txt",
       "70196a4c026c15b75b71a0de60ab8e1ebe4751496e83423c23863cecb2d4016b"},
      {"Valmira_Lunerio_linea.dat",
       "ff79f73dac803fd9315a8c3ea8d99609e9785c3c33ce5f967dda7cf38b7b1bb2"},
      {"Valmira_Lunerio_linea.txt",
       "c3c200a2bf696bedc9da9e4501b3c1066473e9b0f266248fb3fa005e11faf1f9"},
  };
  const auto found = files();
  EXPECT_EQ(found.size(), expected.size());
  for (const auto& [name, bytes] : found) {
    ASSERT_EQ(expected.count(name), 1u) << name;
    EXPECT_EQ(sha256_hex(bytes), expected.at(name)) << name;
  }
}

TEST_F(BareRun, KeepSourcesLeavesTheTwoTexts) {
  ASSERT_EQ(run(/*keep_sources=*/true), 0) << diagnostics_.str();
  const auto found = files();
  EXPECT_EQ(found.count("Valmira_Lunerio_linea.txt"), 1u);
  EXPECT_EQ(found.count("Valmira_Lunerio_37924-.txt"), 1u);
}

TEST_F(BareRun, ASecondRunReplacesEveryFileWhole) {
  const std::string cells = (directory_ / "Valmira_Lunerio_37924.dat").string();
  std::ofstream(cells, std::ios::binary) << std::string(200000, 'x');
  ASSERT_EQ(run(), 0);
  const auto first = files();
  ASSERT_EQ(run(), 0);
  EXPECT_EQ(files(), first);
  EXPECT_EQ(first.at("Valmira_Lunerio_37924.dat").size(), 92895u);
}

TEST_F(BareRun, AnEditedSourceTextIsRenamedAsideAndTheRunGoesOnAsBefore) {
  ASSERT_EQ(run(), 0);
  const auto clean = files();
  ASSERT_EQ(run(/*keep_sources=*/true), 0);
  const fs::path line = directory_ / "Valmira_Lunerio_linea.txt";
  const std::string edited = read_bytes(line) + "an author's edit\r\n";
  std::ofstream(line, std::ios::binary) << edited;
  std::ofstream(directory_ / "Valmira_Lunerio_linea.txt.bak", std::ios::binary) << "older";

  diagnostics_.str("");
  ASSERT_EQ(run(), 0) << diagnostics_.str();
  EXPECT_EQ(diagnostics_.str(), "scenario-builder: " + line.string() +
                                    " differs from the built-in text: kept as " + line.string() +
                                    ".2.bak\nscenario-builder: to compile the kept text: "
                                    "scenario-builder compile " +
                                    line.string() + ".2.bak " +
                                    (directory_ / "Valmira_Lunerio_37924-.txt").string() +
                                    " --scenario Valmira_Lunerio --train-number 37924 (run with "
                                    "--keep-sources to keep the built-in train text)\n");
  auto found = files();
  EXPECT_EQ(found["Valmira_Lunerio_linea.txt.bak"], "older");
  EXPECT_EQ(found["Valmira_Lunerio_linea.txt.2.bak"], edited);
  found.erase("Valmira_Lunerio_linea.txt.bak");
  found.erase("Valmira_Lunerio_linea.txt.2.bak");
  // The unchanged train text was the run's own: written again and deleted.
  EXPECT_EQ(found, clean);
}

TEST_F(BareRun, CreatesAMissingDirectoryWithTheOnesAbove) {
  const fs::path nested = directory_ / "a" / "b";
  std::unique_ptr<Window> window = make_console_window(notices_);
  ASSERT_EQ(bare_run({nested.string(), false}, disk_file_system(), *window, diagnostics_), 0)
      << notices_.str();
  EXPECT_TRUE(fs::exists(nested / "Valmira_Lunerio_37924.sim"));
}

}  // namespace
}  // namespace sb
