#ifndef _WIN32

#include "platform/window.h"

namespace sb {

// Linux has no window to show: the notice and messages go to the console.
std::unique_ptr<Window> make_platform_window(std::ostream& err) { return make_console_window(err); }

}  // namespace sb

#endif  // _WIN32
