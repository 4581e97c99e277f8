#include "compiler/memorizza_dati.h"

#include <utility>

#include "compiler/line_reader.h"
#include "compiler/train_reader.h"
#include "format/file_names.h"
#include "model/error_codes.h"

namespace sb {
namespace {

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
  return given != nullptr ||
         file_system.read_file(path, {kMostSourceTextBytes, kSourceTextKind}, read, error);
}

}  // namespace

Findings memorizza_dati(BuildState& state, FileSystem& file_system, const SourceTexts& texts) {
  Findings findings;
  state.record(kScenarioRecord).text = state.scenario_name;
  state.record(kTrainRecord).text = state.train_number;

  if (texts.line_bytes == nullptr && !file_system.exists(texts.line_path)) {
    findings.push_back(failure_of(kLineTextMissing, {SourceLocation::Text::kLine, 0, 0}));
    return findings;
  }
  std::string read;
  std::string error;
  if (!text_of(file_system, texts.line_path, texts.line_bytes, &read, &error)) {
    findings.push_back(
        read_failure(ReadCause::kUnreadable, error, {SourceLocation::Text::kLine, 0, 0}));
    delete_texts(file_system, texts);
    return findings;
  }
  const LineTextResult line =
      compile_line_text(state, texts.line_bytes != nullptr ? *texts.line_bytes : read, findings);
  delete_text(file_system, texts, texts.line_path);
  if (line.outcome == TextOutcome::kReadFailure) {
    delete_texts(file_system, texts);
    return findings;
  }
  if (line.outcome == TextOutcome::kStopped) return findings;

  if (!text_of(file_system, texts.train_path, texts.train_bytes, &read, &error)) {
    findings.push_back(
        read_failure(ReadCause::kUnreadable, error, {SourceLocation::Text::kTrain, 0, 0}));
    delete_texts(file_system, texts);
    return findings;
  }
  const TextOutcome train = compile_train_text(
      state, texts.train_bytes != nullptr ? *texts.train_bytes : read, line, findings);
  delete_text(file_system, texts, texts.train_path);
  if (train == TextOutcome::kReadFailure) delete_texts(file_system, texts);
  return findings;
}

}  // namespace sb
