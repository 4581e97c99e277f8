#ifndef SCENARIO_BUILDER_FORMAT_FILE_NAMES_H_
#define SCENARIO_BUILDER_FORMAT_FILE_NAMES_H_

#include <cstdint>
#include <string>
#include <string_view>

namespace sb {

// The files of scenario NAME with train N: two source texts, NAME_linea.txt
// and NAME_N-.txt, and three compiled files, NAME_linea.dat (the line
// trace), NAME_N.sim (the records) and NAME_N.dat (the cells).  NAME and N
// are Windows-1252 bytes, as the file names hold them.
inline constexpr std::string_view kLineTextSuffix = "_linea.txt";
inline constexpr std::string_view kTrainTextSuffix = "-.txt";
inline constexpr std::string_view kLineTraceSuffix = "_linea.dat";
inline constexpr std::string_view kRecordsSuffix = ".sim";
inline constexpr std::string_view kCellsSuffix = ".dat";

// The most bytes a source text is read to (64 MiB, some fifty times the
// largest text a route of 1,000 km needs): an endless input (a device, a
// pipe that never closes) is refused there.
inline constexpr uint64_t kMostSourceTextBytes = uint64_t{64} << 20;
inline constexpr char kSourceTextKind[] = "a source text";

inline std::string line_text_name(const std::string& scenario_name) {
  return scenario_name + std::string(kLineTextSuffix);
}
inline std::string train_text_name(const std::string& scenario_name,
                                   const std::string& train_number) {
  return scenario_name + "_" + train_number + std::string(kTrainTextSuffix);
}
inline std::string line_trace_file_name(const std::string& scenario_name) {
  return scenario_name + std::string(kLineTraceSuffix);
}
inline std::string records_file_name(const std::string& scenario_name,
                                     const std::string& train_number) {
  return scenario_name + "_" + train_number + std::string(kRecordsSuffix);
}
inline std::string cells_file_name(const std::string& scenario_name,
                                   const std::string& train_number) {
  return scenario_name + "_" + train_number + std::string(kCellsSuffix);
}

}  // namespace sb

#endif  // SCENARIO_BUILDER_FORMAT_FILE_NAMES_H_
