#ifndef SCENARIO_BUILDER_LSP_WORKSPACE_H_
#define SCENARIO_BUILDER_LSP_WORKSPACE_H_

#include <functional>
#include <map>
#include <optional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

#include "lsp/document.h"
#include "lsp/json_rpc.h"
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
  explicit Workspace(std::ostream& log) : log_(log) {}

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

 private:
  void mark_edited(const TextName& name);

  std::ostream& log_;
  std::map<std::string, OpenText> open_;
  std::set<GroupKey> edited_;
  // Texts closed since their last publication: each gets an empty list.
  std::vector<std::string> closed_;
};

}  // namespace sb

#endif  // SCENARIO_BUILDER_LSP_WORKSPACE_H_
