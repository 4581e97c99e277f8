#include "platform/overlapping_files.h"

namespace sb {

bool no_input_is_an_output(FileSystem& file_system, const std::vector<std::string>& inputs,
                           const std::vector<std::string>& outputs, std::string* error) {
  for (const std::string& input : inputs) {
    for (const std::string& output : outputs) {
      if (file_system.same_file(input, output)) {
        *error = "the input " + input;
        *error += " is the same file as the output ";
        *error += output;
        return false;
      }
    }
  }
  return true;
}

}  // namespace sb
