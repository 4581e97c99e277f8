#ifndef SCENARIO_BUILDER_LIVE_BROWSER_H_
#define SCENARIO_BUILDER_LIVE_BROWSER_H_

#include <string>

namespace sb {

// Asks the desktop to show `url` in the user's browser (xdg-open), without
// waiting for it; false and *error when it cannot be started.
bool open_in_browser(const std::string& url, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_LIVE_BROWSER_H_
