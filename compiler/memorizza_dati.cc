#include "compiler/memorizza_dati.h"

#include <utility>

#include "compiler/line_reader.h"
#include "compiler/train_reader.h"
#include "format/file_names.h"
#include "model/error_codes.h"

namespace sb {
namespace {

// Told nothing: the reading on its own.
class Unheeded : public ReadingProgress {
 public:
  void text_taken(const std::string& /*path*/) override {}
  void reading_failed() override {}
};

// Reads the text at `path` into *read, unless its bytes were given.
bool text_of(FileSystem& file_system, const std::string& path, const std::string* given,
             std::string* read, std::string* error) {
  return given != nullptr ||
         file_system.read_file(path, {kMostSourceTextBytes, kSourceTextKind}, read, error);
}

}  // namespace

Findings memorizza_dati(BuildState& state, FileSystem& file_system, const SourceTexts& texts) {
  Unheeded unheeded;
  return memorizza_dati(state, file_system, texts, unheeded);
}

Findings memorizza_dati(BuildState& state, FileSystem& file_system, const SourceTexts& texts,
                        ReadingProgress& progress) {
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
    progress.reading_failed();
    return findings;
  }
  const LineTextResult line =
      compile_line_text(state, texts.line_bytes != nullptr ? *texts.line_bytes : read, findings);
  progress.text_taken(texts.line_path);
  if (line.flow == Flow::kReadFailure) {
    progress.reading_failed();
    return findings;
  }
  if (line.flow == Flow::kStop) return findings;

  if (!text_of(file_system, texts.train_path, texts.train_bytes, &read, &error)) {
    findings.push_back(
        read_failure(ReadCause::kUnreadable, error, {SourceLocation::Text::kTrain, 0, 0}));
    progress.reading_failed();
    return findings;
  }
  const Flow train = compile_train_text(
      state, texts.train_bytes != nullptr ? *texts.train_bytes : read, line, findings);
  progress.text_taken(texts.train_path);
  if (train == Flow::kReadFailure) progress.reading_failed();
  return findings;
}

}  // namespace sb
