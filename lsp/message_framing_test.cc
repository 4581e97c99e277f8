#include "lsp/message_framing.h"

#include <gtest/gtest.h>

#include <sstream>

namespace sb {
namespace {

struct Read {
  FrameRead read;
  std::string body;
};

std::vector<Read> read_all(const std::string& input) {
  std::istringstream in(input);
  std::vector<Read> frames;
  for (;;) {
    Read frame{};
    frame.read = read_frame(in, &frame.body, &frame.body);
    if (frame.read == FrameRead::kEnd) return frames;
    frames.push_back(frame);
    if (frames.size() > 10) return frames;
  }
}

TEST(MessageFraming, ReadsWhatWriteFrameWrote) {
  std::ostringstream out;
  write_frame(out, "{\"a\":1}");
  write_frame(out, "é\r\n");
  EXPECT_EQ(out.str(), "Content-Length: 7\r\n\r\n{\"a\":1}Content-Length: 4\r\n\r\né\r\n");
  const std::vector<Read> frames = read_all(out.str());
  ASSERT_EQ(frames.size(), 2u);
  EXPECT_EQ(frames[0].body, "{\"a\":1}");
  EXPECT_EQ(frames[1].body, "é\r\n");
}

TEST(MessageFraming, TakesOtherHeadersAnyCaseAndBareLineFeeds) {
  const std::vector<Read> frames = read_all(
      "content-length:  2 \nContent-Type: application/vscode-jsonrpc; charset=utf-8\n\n{}");
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].read, FrameRead::kMessage);
  EXPECT_EQ(frames[0].body, "{}");
}

TEST(MessageFraming, BadFramesSayWhyAndReadingGoesOn) {
  struct Case {
    std::string input;
    std::string why;
  };
  const Case cases[] = {
      {"Content-Type: x\r\n\r\n", "a frame has no Content-Length header"},
      {"Content-Length: two\r\n\r\n", "a frame's Content-Length is not a byte count"},
      {"Content-Length: -1\r\n\r\n", "a frame's Content-Length is not a byte count"},
      {"Content-Length: 99999999999\r\n\r\n",
       "a frame of 99999999999 bytes is larger than the 67108864 taken"},
  };
  for (const Case& c : cases) {
    const std::vector<Read> frames = read_all(c.input + "Content-Length: 2\r\n\r\n[]");
    ASSERT_GE(frames.size(), 1u) << c.input;
    EXPECT_EQ(frames[0].read, FrameRead::kBad) << c.input;
    EXPECT_EQ(frames[0].body, c.why) << c.input;
    if (c.why.find("larger") == std::string::npos) {
      ASSERT_EQ(frames.size(), 2u) << c.input;
      EXPECT_EQ(frames[1].body, "[]") << c.input;
    }
  }
}

TEST(MessageFraming, AStreamCutShortIsABadFrame) {
  std::vector<Read> frames = read_all("Content-Length: 10\r\n\r\n{\"a\"");
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].body, "the stream ended inside a frame's body");
  frames = read_all("Content-Length: 10\r\n");
  ASSERT_EQ(frames.size(), 1u);
  EXPECT_EQ(frames[0].body, "the stream ended inside a frame's headers");
}

}  // namespace
}  // namespace sb
