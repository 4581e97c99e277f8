#include "platform/window.h"

namespace sb {
namespace {

class ConsoleWindow : public Window {
 public:
  explicit ConsoleWindow(std::ostream& out) : out_(out) {}
  void show_waiting() override { out_ << "Attendere" << std::endl; }
  void show_message(const std::string& text) override { out_ << text << std::endl; }
  void close() override {}

 private:
  std::ostream& out_;
};

}  // namespace

std::unique_ptr<Window> make_console_window(std::ostream& out) {
  return std::make_unique<ConsoleWindow>(out);
}

}  // namespace sb
