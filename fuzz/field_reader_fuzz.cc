// The field reader on any bytes, read as any mix of texts and numbers.  The
// first byte chooses the mix: four reads of two bits each, repeated.

#include <cstddef>
#include <cstdint>
#include <string>

#include "frontend/field_reader.h"
#include "fuzz/fuzz_checks.h"

namespace {

enum Read : uint8_t { kText, kLong, kShort, kByte };

bool read_one(sb::FieldReader& reader, Read read) {
  switch (read) {
    case kText: {
      std::string field;
      if (!reader.read_text(&field)) return false;
      FUZZ_CHECK(field.size() <= 65535);
      FUZZ_CHECK(field.find_first_of("\r\n") == std::string::npos);
      return true;
    }
    case kLong: {
      int32_t value = 0;
      return reader.read_long(&value);
    }
    case kShort: {
      int16_t value = 0;
      return reader.read_short(&value);
    }
    case kByte: {
      uint8_t value = 0;
      return reader.read_byte(&value);
    }
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const uint8_t mix = data[0];
  const std::string_view text = sb::fuzz::as_text(data + 1, size - 1);
  sb::FieldReader reader(text);
  // Every read that succeeds consumes at least one byte, so the text is
  // done after at most one read per byte.
  size_t reads = 0;
  while (true) {
    const Read read = static_cast<Read>((mix >> (2 * (reads % 4))) & 3);
    const bool was_at_end = reader.at_end();
    if (!read_one(reader, read)) {
      FUZZ_CHECK(!reader.failure().empty());
      break;
    }
    FUZZ_CHECK(!was_at_end);
    FUZZ_CHECK(reader.line() >= 1 && reader.column() >= 1);
    ++reads;
    FUZZ_CHECK(reads <= text.size());
  }
  return 0;
}
