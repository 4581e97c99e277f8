#include "app/watch_command.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <functional>
#include <mutex>
#include <sstream>
#include <thread>

#include "app/exit_status.h"
#include "app/new_command.h"

namespace sb {
namespace {

namespace fs = std::filesystem;

// What the watch prints, readable while it runs.
class SharedText : public std::streambuf {
 public:
  std::string text() {
    std::lock_guard<std::mutex> lock(mutex_);
    return text_;
  }

 protected:
  int overflow(int c) override {
    if (c == traits_type::eof()) return traits_type::not_eof(c);
    const char byte = static_cast<char>(c);
    xsputn(&byte, 1);
    return c;
  }
  std::streamsize xsputn(const char* data, std::streamsize size) override {
    std::lock_guard<std::mutex> lock(mutex_);
    text_.append(data, static_cast<size_t>(size));
    return size;
  }

 private:
  std::mutex mutex_;
  std::string text_;
};

size_t count_of(const std::string& text, const std::string& part) {
  size_t count = 0;
  for (size_t at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) ++count;
  return count;
}

std::string read(const fs::path& path) {
  std::ifstream file(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void write(const fs::path& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

class WatchCommandTest : public ::testing::Test {
 public:
  void SetUp() override {
    directory_ = fs::temp_directory_path() /
                 ("watch-" + std::to_string(::getpid()) + "-" +
                  ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(directory_);
    NewOptions starter;
    starter.scenario_name = "Mia";
    starter.train_number = "101";
    starter.directory = (directory_ / "texts").string();
    std::ostringstream ignored;
    ASSERT_EQ(new_command(starter, disk_file_system(), ignored, ignored), kExitClean);
    line_ = read(line_path());
    train_ = read(train_path());
  }
  void TearDown() override {
    stop_watch();
    fs::remove_all(directory_);
  }

  fs::path line_path() const { return directory_ / "texts" / "Mia_linea.txt"; }
  fs::path train_path() const { return directory_ / "texts" / "Mia_101-.txt"; }
  fs::path output(const char* name) const { return directory_ / "out" / name; }

  void start_watch(WatchOptions options = {}) {
    options.compile.line_text = line_path().string();
    options.compile.train_text = train_path().string();
    options.compile.output_directory = (directory_ / "out").string();
    options.stop = [this] { return stop_.load(); };
    watch_ = std::thread([this, options] {
      std::ostream out(&printed_);
      status_ = watch_command(options, disk_file_system(), out);
    });
  }
  void stop_watch() {
    stop_ = true;
    if (watch_.joinable()) watch_.join();
  }
  // Waits, within a patience only a failing test exhausts, until the watch
  // has printed `part` `times` times.
  bool printed(const std::string& part, size_t times) {
    for (int i = 0; i < 1000; ++i) {
      if (count_of(printed_.text(), part) >= times) return true;
      ::usleep(10 * 1000);
    }
    ADD_FAILURE() << "never printed " << times << " times: " << part << "\n" << printed_.text();
    return false;
  }
  // What `compile` writes for the texts as they stand.
  std::string compiled(const char* name) {
    CompileOptions options;
    options.line_text = line_path().string();
    options.train_text = train_path().string();
    options.output_directory = (directory_ / "compiled").string();
    std::ostringstream ignored;
    compile_command(options, disk_file_system(), ignored);
    return read(directory_ / "compiled" / name);
  }

  fs::path directory_;
  std::string line_;
  std::string train_;
  SharedText printed_;
  std::atomic<bool> stop_{false};
  std::thread watch_;
  int status_ = -1;
};

constexpr const char* kOutputs[] = {"Mia_linea.dat", "Mia_101.sim", "Mia_101.dat"};
constexpr char kWrote[] = "scenario-builder: wrote ";

TEST_F(WatchCommandTest, EachSaveRecompilesWhatCompileWrites) {
  const struct {
    const char* how;
    std::function<void(WatchCommandTest&)> save;
  } saves[] = {
      {"in place", [](WatchCommandTest& t) { write(t.train_path(), t.train_ + "\r\n"); }},
      {"by a new file renamed over the text",
       [](WatchCommandTest& t) {
         const fs::path fresh = t.line_path().string() + ".new";
         write(fresh, t.line_ + "\r\n\r\n");
         fs::rename(fresh, t.line_path());
       }},
  };
  start_watch();
  ASSERT_TRUE(printed(kWrote, 1));
  size_t compiles = 1;
  for (const auto& save : saves) {
    SCOPED_TRACE(save.how);
    for (const char* name : kOutputs) fs::remove(output(name));
    save.save(*this);
    ASSERT_TRUE(printed(kWrote, ++compiles));
    for (const char* name : kOutputs) EXPECT_EQ(read(output(name)), compiled(name)) << name;
  }
  stop_watch();
  EXPECT_EQ(status_, kExitClean);
  EXPECT_EQ(count_of(printed_.text(), "] compiling "), compiles);
  EXPECT_NE(printed_.text().find("scenario-builder: stopped watching\n"), std::string::npos);
}

TEST_F(WatchCommandTest, AnErrorKeepsTheLastGoodFilesAndAFixWritesAgain) {
  start_watch();
  ASSERT_TRUE(printed(kWrote, 1));
  const std::string good_cells = read(output("Mia_101.dat"));
  const std::string line_path_text = line_path().string();
  std::string broken = line_;
  const size_t length = broken.find("lunghezza percorso,    6000");
  ASSERT_NE(length, std::string::npos);
  broken.replace(length, 27, "lunghezza percorso,    2000000");
  write(line_path(), broken);
  ASSERT_TRUE(printed("are left as they were\n", 1));
  const std::string text = printed_.text();
  EXPECT_NE(text.find(line_path_text +
                      ":6:1: error E1: the route length 2000000 m is outside 0 to 1000000 m\n"),
            std::string::npos)
      << text;
  EXPECT_NE(text.find("1 error, 0 warnings\nscenario-builder: the files in " +
                      (directory_ / "out").string() + " are left as they were\n"),
            std::string::npos)
      << text;
  EXPECT_EQ(read(output("Mia_101.dat")), good_cells);

  write(line_path(), line_ + "\r\n");
  ASSERT_TRUE(printed(kWrote, 2));
  const std::string after_fix = printed_.text().substr(text.size());
  EXPECT_NE(after_fix.find("scenario-builder: no errors in "), std::string::npos) << after_fix;
  EXPECT_EQ(after_fix.find(": error "), std::string::npos) << after_fix;
  EXPECT_EQ(read(output("Mia_101.dat")), compiled("Mia_101.dat"));
}

TEST_F(WatchCommandTest, TextsThatCannotBeReadAtTheStartEndIt) {
  fs::remove(train_path());
  WatchOptions options;
  options.compile.line_text = line_path().string();
  options.compile.train_text = train_path().string();
  options.stop = [] { return false; };
  std::ostringstream out;
  EXPECT_EQ(watch_command(options, disk_file_system(), out), kExitUsage);
  EXPECT_NE(out.str().find("scenario-builder: cannot read " + train_path().string()),
            std::string::npos)
      << out.str();
  EXPECT_FALSE(fs::exists(directory_ / "texts" / "Mia_101.sim"));
}

// What the watch tells of one compile.
struct Told {
  nlohmann::ordered_json report;
  std::vector<std::string> written;
  std::string cells;  // the built cells, as the teller was given them
};

TEST_F(WatchCommandTest, TellsEachCompileItsDiagnosticsAndTheFilesItWrote) {
  std::mutex mutex;
  std::vector<Told> told;
  WatchOptions options;
  options.compiled = [&](const nlohmann::ordered_json& report, FileSystem& built,
                         const std::vector<std::string>& written) {
    Told one{report, written, ""};
    std::string error;
    if (!written.empty())
      built.read_file(written.back(), {uint64_t{1} << 30, "a file"}, &one.cells, &error);
    std::lock_guard<std::mutex> lock(mutex);
    told.push_back(one);
  };
  start_watch(options);
  ASSERT_TRUE(printed(kWrote, 1));
  std::string broken = line_;
  broken.replace(broken.find("lunghezza percorso,    6000"), 27, "lunghezza percorso,    2000000");
  write(line_path(), broken);
  ASSERT_TRUE(printed("are left as they were\n", 1));
  stop_watch();
  ASSERT_EQ(told.size(), 2U);
  const std::string out = (directory_ / "out").string();
  EXPECT_EQ(told[0].written, (std::vector<std::string>{out + "/Mia_linea.dat", out + "/Mia_101.sim",
                                                       out + "/Mia_101.dat"}));
  EXPECT_EQ(told[0].report["diagnostics"].dump(), "[]");
  EXPECT_EQ(told[0].report["timetable"]["stations"][0]["name"], "PARTENZA");
  EXPECT_EQ(told[0].cells, read(output("Mia_101.dat")));
  EXPECT_TRUE(told[1].written.empty());
  const nlohmann::ordered_json& error = told[1].report["diagnostics"][0];
  EXPECT_EQ(error["file"], line_path().string());
  EXPECT_EQ(error["line"], 6);
  EXPECT_EQ(error["severity"], "error");
  EXPECT_EQ(error["code"], "E1");
}

}  // namespace
}  // namespace sb
