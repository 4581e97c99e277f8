#include "platform/overlapping_files.h"

namespace sb {

std::string input_that_is_an_output(FileSystem& file_system, const std::vector<std::string>& inputs,
                                    const std::vector<std::string>& outputs) {
  for (const std::string& input : inputs) {
    for (const std::string& output : outputs) {
      if (file_system.same_file(input, output)) {
        std::string message = "the input " + input;
        message += " is the same file as the output ";
        message += output;
        return message;
      }
    }
  }
  return {};
}

}  // namespace sb
