#include "util/text.h"

#include <array>

namespace sb {

namespace {

constexpr char lower_of(unsigned char u) {
  if (u >= 'A' && u <= 'Z') return static_cast<char>(u + 0x20);
  if (u >= 0xC0 && u <= 0xDE && u != 0xD7) return static_cast<char>(u + 0x20);
  switch (u) {
    case 0x8A: return static_cast<char>(0x9A);  // Š
    case 0x8C: return static_cast<char>(0x9C);  // Œ
    case 0x8E: return static_cast<char>(0x9E);  // Ž
    case 0x9F: return static_cast<char>(0xFF);  // Ÿ
    default: return static_cast<char>(u);
  }
}

// The lower case of every byte, looked up by the keyword tests of every
// field of the source texts.
constexpr std::array<char, 256> kLowerCase = [] {
  std::array<char, 256> table{};
  for (int u = 0; u < 256; ++u)
    table[static_cast<size_t>(u)] = lower_of(static_cast<unsigned char>(u));
  return table;
}();

char lower(char c) { return kLowerCase[static_cast<unsigned char>(c)]; }

}  // namespace

char cp1252_lower(char c) { return lower(c); }

std::string cp1252_lower(std::string_view text) {
  std::string lower_text(text);
  for (char& c : lower_text) c = lower(c);
  return lower_text;
}

bool contains(std::string_view field, std::string_view word) {
  return field.find(word) != std::string_view::npos;
}

bool contains_ignoring_case(std::string_view field, std::string_view word) {
  if (word.empty()) return true;
  if (word.size() > field.size()) return false;
  const char first = lower(word[0]);
  for (size_t at = 0; at + word.size() <= field.size(); ++at) {
    if (lower(field[at]) != first) continue;
    size_t k = 1;
    while (k < word.size() && lower(field[at + k]) == lower(word[k])) ++k;
    if (k == word.size()) return true;
  }
  return false;
}

namespace {

// Characters of the bytes 0x80 to 0x9F; 0 where the byte has none.
constexpr char32_t kHighControls[32] = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178,
};

bool cp1252_byte_of(char32_t code_point, char* byte) {
  if (code_point < 0x80 || (code_point >= 0xA0 && code_point <= 0xFF)) {
    *byte = static_cast<char>(code_point);
    return true;
  }
  for (int i = 0; i < 32; ++i) {
    if (kHighControls[i] != 0 && kHighControls[i] == code_point) {
      *byte = static_cast<char>(0x80 + i);
      return true;
    }
  }
  return false;
}

// Decodes one UTF-8 sequence at `pos`; false when it is malformed.
bool next_code_point(std::string_view utf8, size_t* pos, char32_t* code_point) {
  const unsigned char lead = static_cast<unsigned char>(utf8[*pos]);
  const int extra = lead < 0x80           ? 0
                    : (lead >> 5) == 0x06 ? 1
                    : (lead >> 4) == 0x0E ? 2
                    : (lead >> 3) == 0x1E ? 3
                                          : -1;
  if (extra < 0 || *pos + static_cast<size_t>(extra) >= utf8.size()) return false;
  char32_t value = extra == 0 ? lead : lead & (0x3F >> extra);
  for (int i = 1; i <= extra; ++i) {
    const unsigned char next = static_cast<unsigned char>(utf8[*pos + static_cast<size_t>(i)]);
    if ((next >> 6) != 2) return false;
    value = (value << 6) | (next & 0x3F);
  }
  *pos += static_cast<size_t>(extra) + 1;
  *code_point = value;
  return true;
}

void append_utf8(char32_t c, std::string* out) {
  if (c < 0x80) {
    out->push_back(static_cast<char>(c));
  } else if (c < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (c >> 6)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xE0 | (c >> 12)));
    out->push_back(static_cast<char>(0x80 | ((c >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (c & 0x3F)));
  }
}

}  // namespace

bool utf8_to_cp1252(std::string_view utf8, std::string* cp1252) {
  cp1252->clear();
  size_t pos = 0;
  while (pos < utf8.size()) {
    char32_t code_point = 0;
    char byte = 0;
    if (!next_code_point(utf8, &pos, &code_point) || !cp1252_byte_of(code_point, &byte)) {
      return false;
    }
    cp1252->push_back(byte);
  }
  return true;
}

std::string cp1252_to_utf8(std::string_view cp1252) {
  std::string utf8;
  for (char c : cp1252) {
    const unsigned char u = static_cast<unsigned char>(c);
    char32_t code_point = u;
    if (u >= 0x80 && u < 0xA0)
      code_point = kHighControls[u - 0x80] ? kHighControls[u - 0x80] : 0xFFFD;
    append_utf8(code_point, &utf8);
  }
  return utf8;
}

Cp1252Text utf8_to_cp1252_text(std::string_view utf8) {
  Cp1252Text text;
  text.bytes.reserve(utf8.size());
  text.starts.reserve(utf8.size() + 1);
  size_t pos = 0;
  while (pos < utf8.size()) {
    text.starts.push_back(static_cast<uint32_t>(pos));
    char32_t code_point = 0;
    char byte = 0;
    const size_t start = pos;
    if (!next_code_point(utf8, &pos, &code_point)) {
      pos = start + 1;
    } else if (cp1252_byte_of(code_point, &byte)) {
      text.bytes.push_back(byte);
      continue;
    }
    text.lacking.push_back(static_cast<uint32_t>(text.bytes.size()));
    text.bytes.push_back('?');
  }
  text.starts.push_back(static_cast<uint32_t>(utf8.size()));
  return text;
}

size_t utf8_length(std::string_view utf8) {
  size_t length = 0;
  for (const char c : utf8) {
    if ((static_cast<unsigned char>(c) & 0xC0) != 0x80) ++length;
  }
  return length;
}

}  // namespace sb
