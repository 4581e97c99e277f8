// Writes the source texts of a generated scenario for the whole-run scale
// series: generate_scenario LENGTH_METRES DIR writes DIR/Generato_linea.txt
// and DIR/Generato_12345-.txt, ready for `scenario-builder compile`.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "bench/generated_scenario.h"
#include "format/file_names.h"

namespace {

bool write_file(const std::string& path, const std::string& bytes) {
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: generate_scenario LENGTH_METRES DIR\n");
    return 2;
  }
  const long length = std::strtol(argv[1], nullptr, 10);
  if (length < 10000 || length > 1000000) {
    std::fprintf(stderr, "generate_scenario: the length must lie in 10000 to 1000000 m\n");
    return 2;
  }
  const std::string dir = argv[2];
  const std::string name = sb::kGeneratedScenarioName;
  const sb::GeneratedScenario scenario = sb::generate_scenario(static_cast<int32_t>(length));
  const std::string line_path = dir + "/" + sb::line_text_name(name);
  const std::string train_path = dir + "/" + sb::train_text_name(name, sb::kGeneratedTrainNumber);
  if (!write_file(line_path, scenario.line_text) || !write_file(train_path, scenario.train_text)) {
    std::fprintf(stderr, "generate_scenario: cannot write into %s\n", dir.c_str());
    return 1;
  }
  return 0;
}
