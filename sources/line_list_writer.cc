#include "sources/line_list_writer.h"

#include "platform/file_set_writer.h"

namespace sb {
namespace {

// Makes sure the message says which file failed.
std::string naming_the_file(const std::string& path, const std::string& error) {
  if (error.find(path) != std::string::npos) return error;
  if (error.empty()) return "cannot write " + path;
  return "cannot write " + path + ": " + error;
}

}  // namespace

std::string line_list_bytes(const std::vector<std::string_view>& lines) {
  std::string bytes;
  for (std::string_view line : lines) {
    if (line == kEndMarker) break;
    bytes.append(line);
    bytes.append("\r\n");
  }
  return bytes;
}

bool write_line_list(FileSystem& file_system, const std::string& path,
                     const std::vector<std::string_view>& lines, std::string* error) {
  FileSetWriter files(file_system);
  BufferedWriter* writer = files.add(path);
  if (writer != nullptr) writer->put(line_list_bytes(lines));
  if (files.commit()) return true;
  *error = naming_the_file(path, files.error());
  return false;
}

}  // namespace sb
