#ifndef SCENARIO_BUILDER_PLATFORM_STANDARD_STREAMS_H_
#define SCENARIO_BUILDER_PLATFORM_STANDARD_STREAMS_H_

namespace sb {

// Puts a stand-in on each standard stream the program was started without
// (the descriptor closed), one that refuses what the stream is used for:
// otherwise the first file the program opens would take the stream's
// descriptor and receive its output.  A program's output to a stream that
// was closed then fails, as a write to it should.  Does nothing on Windows.
void hold_closed_standard_streams();

// Makes standard input and output carry bytes as they are (on Windows they
// would turn CR LF into LF and back); does nothing elsewhere.
void use_binary_standard_streams();

}  // namespace sb

#endif  // SCENARIO_BUILDER_PLATFORM_STANDARD_STREAMS_H_
