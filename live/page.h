#ifndef SCENARIO_BUILDER_LIVE_PAGE_H_
#define SCENARIO_BUILDER_LIVE_PAGE_H_

#include <string_view>

namespace sb {

// The page of the live preview: one HTML document with its script and
// styles inside.
std::string_view live_page();

}  // namespace sb

#endif  // SCENARIO_BUILDER_LIVE_PAGE_H_
