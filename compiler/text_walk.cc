#include "compiler/text_walk.h"

#include <utility>

namespace sb {

void TextWalk::begin_entry(const TextEntry& entry) {
  entry_ = &entry;
  next_value_ = 0;
  note_keyword(entries_.keyword(entry));
}

const TextField* TextWalk::next_value() {
  if (entry_ == nullptr || next_value_ >= entry_->values) return nullptr;
  const TextField& field = entries_.fields[entry_->first_value + next_value_++];
  here_ = entries_.location(field);
  return &field;
}

Flow TextWalk::fail(ReadCause cause, std::string detail, SourceLocation location) {
  findings_.push_back(sb::read_failure(cause, std::move(detail), location));
  return Flow::kReadFailure;
}

Flow TextWalk::refuse(Finding finding, int32_t position) {
  finding.location = keyword_;
  finding.position = position;
  findings_.push_back(std::move(finding));
  return Flow::kStop;
}

Flow TextWalk::stop(ErrorCode code, int64_t value) {
  Finding finding = failure_of(code, keyword_);
  finding.value = value;
  findings_.push_back(std::move(finding));
  return Flow::kStop;
}

Flow TextWalk::end_outside_the_line(int32_t position) {
  refuse(outside_the_line(state_), position);
  return Flow::kEnd;
}

}  // namespace sb
