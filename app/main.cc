#include <iostream>

#include "app/cli.h"
#include "platform/file_system.h"
#include "platform/standard_streams.h"
#include "platform/window.h"

int main(int argc, char** argv) {
  sb::hold_closed_standard_streams();
  std::unique_ptr<sb::Window> window = sb::make_platform_window(std::cerr);
  return sb::run_cli(argc, argv, sb::disk_file_system(), *window, std::cout, std::cerr);
}
