#ifndef SCENARIO_BUILDER_APP_VERSION_H_
#define SCENARIO_BUILDER_APP_VERSION_H_

namespace sb {

// The program's version, as --version and the machine-readable reports give it.
inline constexpr char kProgramVersion[] = "0.1.0";

}  // namespace sb

#endif  // SCENARIO_BUILDER_APP_VERSION_H_
