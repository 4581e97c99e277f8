#include "platform/program_handover.h"

#ifndef _WIN32
#include <unistd.h>

#include <cerrno>
#include <cstring>
#endif

namespace sb {

#ifdef _WIN32

HandoverFailure hand_over_to(const std::string&, const std::vector<std::string>&) {
  return {false, "not possible on this platform"};
}

#else

HandoverFailure hand_over_to(const std::string& program,
                             const std::vector<std::string>& arguments) {
  std::vector<std::string> words{program};
  words.insert(words.end(), arguments.begin(), arguments.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  execv(program.c_str(), argv.data());
  const int error_number = errno;
  return {error_number == ENOENT, std::strerror(error_number)};  // NOLINT(concurrency-mt-unsafe)
}

#endif

}  // namespace sb
