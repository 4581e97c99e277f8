#include "compiler/memorizza_dati.h"

#include "compiler/line_reader.h"
#include "compiler/train_reader.h"
#include "model/error_codes.h"

namespace sb {
namespace {

void record_read_failure(BuildState& state, SourceLocation::Text text, std::string detail) {
  state.error_code = kReadFailed;
  state.error_location = {text, 0, 0};
  state.error_detail = std::move(detail);
}

// On a read failure every source text that still exists is deleted.
void delete_texts(FileSystem& file_system, const SourceTexts& texts) {
  if (!texts.delete_after_reading) return;
  if (file_system.exists(texts.line_path)) file_system.remove(texts.line_path);
  if (file_system.exists(texts.train_path)) file_system.remove(texts.train_path);
}

void delete_text(FileSystem& file_system, const SourceTexts& texts, const std::string& path) {
  if (texts.delete_after_reading) file_system.remove(path);
}

// Reads the text at `path` into *read, unless its bytes were given.
bool text_of(FileSystem& file_system, const std::string& path, const std::string* given,
             std::string* read, std::string* error) {
  return given != nullptr || file_system.read_file(path, read, error);
}

}  // namespace

void memorizza_dati(BuildState& state, FileSystem& file_system, const SourceTexts& texts) {
  state.record(kScenarioRecord).text = state.scenario_name;
  state.record(kTrainRecord).text = state.train_number;

  if (texts.line_bytes == nullptr && !file_system.exists(texts.line_path)) {
    state.error_code = kLineTextMissing;
    state.error_location = {SourceLocation::Text::kLine, 0, 0};
    return;
  }
  std::string read;
  std::string error;
  if (!text_of(file_system, texts.line_path, texts.line_bytes, &read, &error)) {
    record_read_failure(state, SourceLocation::Text::kLine, error);
    delete_texts(file_system, texts);
    return;
  }
  const LineTextResult line =
      compile_line_text(state, texts.line_bytes != nullptr ? *texts.line_bytes : read);
  delete_text(file_system, texts, texts.line_path);
  if (line.outcome == TextOutcome::kReadFailure) {
    delete_texts(file_system, texts);
    return;
  }
  if (line.outcome == TextOutcome::kStopped) return;

  if (!text_of(file_system, texts.train_path, texts.train_bytes, &read, &error)) {
    record_read_failure(state, SourceLocation::Text::kTrain, error);
    delete_texts(file_system, texts);
    return;
  }
  const TextOutcome train =
      compile_train_text(state, texts.train_bytes != nullptr ? *texts.train_bytes : read,
                         line.next_board_record);
  delete_text(file_system, texts, texts.train_path);
  if (train == TextOutcome::kReadFailure) delete_texts(file_system, texts);
}

}  // namespace sb
