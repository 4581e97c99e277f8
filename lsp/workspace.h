#ifndef SCENARIO_BUILDER_LSP_WORKSPACE_H_
#define SCENARIO_BUILDER_LSP_WORKSPACE_H_

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "lsp/document.h"
#include "lsp/json_rpc.h"
#include "lsp/pair_check.h"
#include "lsp/text_names.h"

namespace sb {

// A text the editor has open: the editor's text is the truth for it.
struct OpenText {
  std::string uri;
  TextName name;  // what its file name makes it
  int version = 0;
  Document document;
};

// The open texts, and the pairs their edits left to be checked.  A line
// text and the train texts of the same NAME in the same folder belong
// together, whatever the editor calls their language; a text of the pair
// that is not open is read from disk.
class Workspace {
 public:
  void open(const std::string& uri, int version, std::string utf8);
  // Edits in order; null when the text is not open.
  OpenText* find(const std::string& uri);
  void changed(const std::string& uri, int version);
  void close(const std::string& uri);

  // A publishDiagnostics notification's parameters.
  using Publish = std::function<void(const Json& params)>;
  // Checks each pair left to be checked and publishes its open texts'
  // diagnostics, asking `edits_waiting` before each publication; returns
  // false, the pair left to be checked, when edits wait.
  bool check_edited(PositionEncoding encoding, const std::function<bool()>& edits_waiting,
                    const Publish& publish);

  // The check of the pair an open text belongs to (a train text with its
  // line text; a line text with the partner its diagnostics come from),
  // made again when a text of the pair changed since; null for a text that
  // is neither a line text nor a train text.
  std::shared_ptr<const PairCheck> compiled(const std::string& uri);

  // The diagnostics last published for `uri` (an empty list when none).
  const Json& published(const std::string& uri) const;

 private:
  struct CachedCheck {
    std::string line;
    std::string train;
    std::shared_ptr<const PairCheck> check;
  };
  void mark_edited(const TextName& name);
  std::shared_ptr<const PairCheck> check_texts(const std::string& line_path,
                                               const std::string& train_path,
                                               const std::string& line, const std::string& train);

  std::map<std::string, OpenText> open_;
  std::set<GroupKey> edited_;
  // Texts closed since their last publication: each gets an empty list.
  std::vector<std::string> closed_;
  // The last check of each pair, by the paths of its texts.
  std::map<std::pair<std::string, std::string>, CachedCheck> checks_;
  std::map<std::string, Json> published_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_WORKSPACE_H_
