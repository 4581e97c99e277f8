#ifndef SCENARIO_BUILDER_PLATFORM_WINDOW_H_
#define SCENARIO_BUILDER_PLATFORM_WINDOW_H_

#include <memory>
#include <ostream>
#include <string>

namespace sb {

// The program's face: the waiting notice shown during the build and the
// message box of a stopped build.
class Window {
 public:
  virtual ~Window() = default;
  // Shows "Attendere" once; nothing services the window afterwards.
  virtual void show_waiting() = 0;
  // Shows a message (" Errore n. 1250") and waits until it is dismissed.
  virtual void show_message(const std::string& text) = 0;
  // Takes the window away at the end of the program.
  virtual void close() = 0;
  // Keeps the window on screen `seconds` longer when it is closed, so that
  // it can be looked at; a window with nothing to look at ignores it.
  virtual void linger(int /*seconds*/) {}
};

// Stand-in that writes the notice and the messages to `out` (standard error).
std::unique_ptr<Window> make_console_window(std::ostream& out);

// The program's real window: a native one on Windows, the console stand-in
// writing to `err` elsewhere.
std::unique_ptr<Window> make_platform_window(std::ostream& err);

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_WINDOW_H_
