#include "lsp/workspace.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <sstream>

#include "lsp/file_uri.h"
#include "lsp/lsp_diagnostics.h"
#include "lsp/pair_check.h"

namespace sb {
namespace {

// A text of a pair: the open buffer, else the file on disk, else nothing
// (an empty text).
struct PairMember {
  std::string path;
  std::string uri;
  const OpenText* open = nullptr;
  Document disk;

  const Document& document() const { return open ? open->document : disk; }
};

bool read_disk_text(const std::string& path, std::string* bytes) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

std::unique_ptr<PairMember> member(const std::string& path,
                                   const std::map<std::string, OpenText>& open) {
  auto text = std::make_unique<PairMember>();
  text->path = path;
  text->uri = file_uri_of_path(path);
  for (const auto& [uri, candidate] : open) {
    if (path_of_file_uri(uri) == path) {
      text->open = &candidate;
      text->uri = uri;
      return text;
    }
  }
  std::string bytes;
  if (read_disk_text(path, &bytes)) text->disk = Document::from_bytes(std::move(bytes));
  return text;
}

// The paths of the train texts of `group`: those open and those on disk.
std::vector<std::string> train_paths(const GroupKey& group,
                                     const std::map<std::string, OpenText>& open) {
  std::vector<std::string> paths;
  for (const auto& [uri, text] : open) {
    if (text.name.kind == TextName::Kind::kTrain && group_of(text.name) == group) {
      paths.push_back(*path_of_file_uri(uri));
    }
  }
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(group.first, error)) {
    const std::string path = entry.path().generic_string();
    const TextName name = text_name_of(path);
    if (name.kind == TextName::Kind::kTrain && group_of(name) == group) paths.push_back(path);
  }
  std::sort(paths.begin(), paths.end());
  paths.erase(std::unique(paths.begin(), paths.end()), paths.end());
  return paths;
}

Json publication(const OpenText& text, Json diagnostics) {
  return {{"uri", text.uri}, {"version", text.version}, {"diagnostics", std::move(diagnostics)}};
}

// The diagnostics of one text of a checked pair: check's, then the
// characters its buffer holds that Windows-1252 lacks.
Json diagnostics_of(SourceLocation::Text which, const PairCheck& check, const PairMember& line,
                    const PairMember& train, PositionEncoding encoding) {
  const CheckedText line_text{line.path, line.uri, &line.document()};
  const CheckedText train_text{train.path, train.uri, &train.document()};
  Json list = Json::array();
  for (const Diagnostic& diagnostic : check.diagnostics) {
    const SourceLocation::Text own = diagnostic.location.text == SourceLocation::Text::kNone
                                         ? SourceLocation::Text::kLine
                                         : diagnostic.location.text;
    if (own == which) list.push_back(lsp_diagnostic(diagnostic, line_text, train_text, encoding));
  }
  const PairMember& self = which == SourceLocation::Text::kLine ? line : train;
  for (uint32_t byte : self.document().lacking()) {
    list.push_back(lacking_character_diagnostic(self.document(), byte, encoding));
  }
  return list;
}

// The path of the train text a line text of `group` is checked with when
// none is at hand.
std::string empty_train_path(const GroupKey& group) {
  return (std::filesystem::path(group.first) / (group.second + "_1-.txt")).generic_string();
}

// The train text the line text's diagnostics come from: the first open one,
// else the first on disk; null when there is none.
const PairMember* line_partner(const std::vector<std::unique_ptr<PairMember>>& trains) {
  for (const auto& train : trains) {
    if (train->open) return train.get();
  }
  return trains.empty() ? nullptr : trains.front().get();
}

}  // namespace

std::shared_ptr<const PairCheck> Workspace::check_texts(const std::string& line_path,
                                                        const std::string& train_path,
                                                        const std::string& line,
                                                        const std::string& train) {
  CachedCheck& cached = checks_[{line_path, train_path}];
  if (cached.check && cached.line == line && cached.train == train) return cached.check;
  auto check = std::make_shared<PairCheck>(check_pair({line_path, train_path, line, train}));
  // The hovers read records and cells only: the trace is let go.
  check->state->line_trace = LineTrace();
  cached = {line, train, check};
  return check;
}

std::shared_ptr<const PairCheck> Workspace::compiled(const std::string& uri) {
  const OpenText* text = find(uri);
  if (text == nullptr || text->name.kind == TextName::Kind::kOther) return nullptr;
  const GroupKey group = group_of(text->name);
  const std::unique_ptr<PairMember> line = member(line_text_path(group), open_);
  std::vector<std::unique_ptr<PairMember>> trains;
  for (const std::string& path : train_paths(group, open_)) trains.push_back(member(path, open_));
  const PairMember* train = nullptr;
  if (text->name.kind == TextName::Kind::kTrain) {
    for (const auto& candidate : trains) {
      if (candidate->open == text) train = candidate.get();
    }
  } else {
    train = line_partner(trains);
  }
  PairMember empty;
  empty.path = empty_train_path(group);
  if (train == nullptr) train = &empty;
  return check_texts(line->path, train->path, line->document().bytes(), train->document().bytes());
}

const Json& Workspace::published(const std::string& uri) const {
  static const Json kNone = Json::array();
  const auto found = published_.find(uri);
  return found == published_.end() ? kNone : found->second;
}

void Workspace::open(const std::string& uri, int version, std::string utf8) {
  OpenText& text = open_[uri];
  text.uri = uri;
  text.name = text_name_of(path_of_file_uri(uri).value_or(std::string()));
  text.version = version;
  text.document = Document::from_editor(std::move(utf8));
  closed_.erase(std::remove(closed_.begin(), closed_.end(), uri), closed_.end());
  mark_edited(text.name);
}

OpenText* Workspace::find(const std::string& uri) {
  const auto found = open_.find(uri);
  return found == open_.end() ? nullptr : &found->second;
}

void Workspace::changed(const std::string& uri, int version) {
  OpenText* text = find(uri);
  if (text == nullptr) return;
  text->version = version;
  mark_edited(text->name);
}

void Workspace::close(const std::string& uri) {
  const auto found = open_.find(uri);
  if (found == open_.end()) return;
  const TextName name = found->second.name;
  open_.erase(found);
  closed_.push_back(uri);
  mark_edited(name);
}

void Workspace::mark_edited(const TextName& name) {
  if (name.kind != TextName::Kind::kOther) edited_.insert(group_of(name));
}

bool Workspace::check_edited(PositionEncoding encoding, const std::function<bool()>& edits_waiting,
                             const Publish& publish) {
  for (const std::string& uri : closed_) {
    published_.erase(uri);
    publish({{"uri", uri}, {"diagnostics", Json::array()}});
  }
  closed_.clear();
  const auto check_members = [&](const PairMember& line, const PairMember& train) {
    return check_texts(line.path, train.path, line.document().bytes(), train.document().bytes());
  };
  while (!edited_.empty()) {
    const GroupKey group = *edited_.begin();
    const std::unique_ptr<PairMember> line = member(line_text_path(group), open_);
    const bool line_found =
        line->open || !line->disk.bytes().empty() || std::filesystem::exists(line->path);
    std::vector<Json> publications;
    std::vector<std::unique_ptr<PairMember>> trains;
    for (const std::string& path : train_paths(group, open_)) trains.push_back(member(path, open_));
    // The line text is checked with its first open train text, else the
    // first on disk, else an empty one.
    const PairMember* partner = line_partner(trains);
    for (const auto& train : trains) {
      if (!train->open) continue;
      const std::shared_ptr<const PairCheck> check = check_members(*line, *train);
      Json list = diagnostics_of(SourceLocation::Text::kTrain, *check, *line, *train, encoding);
      if (!line_found) {
        list.push_back({{"range",
                         {{"start", {{"line", 0}, {"character", 0}}},
                          {"end", {{"line", 0}, {"character", 0}}}}},
                        {"severity", 2},
                        {"source", "scenario-builder"},
                        {"message", "no line text " + line->path +
                                        " beside this train text: it is checked against an "
                                        "empty one"}});
      }
      publications.push_back(publication(*train->open, std::move(list)));
      if (line->open && train.get() == partner) {
        publications.push_back(publication(
            *line->open,
            diagnostics_of(SourceLocation::Text::kLine, *check, *line, *train, encoding)));
      }
    }
    if (line->open && (partner == nullptr || !partner->open)) {
      PairMember empty;
      empty.path = empty_train_path(group);
      const PairMember& train = partner ? *partner : empty;
      const std::shared_ptr<const PairCheck> check = check_members(*line, train);
      publications.push_back(
          publication(*line->open,
                      diagnostics_of(SourceLocation::Text::kLine, *check, *line, train, encoding)));
    }
    if (edits_waiting()) return false;
    for (const Json& params : publications) {
      published_[params["uri"].get<std::string>()] = params["diagnostics"];
      publish(params);
    }
    edited_.erase(group);
  }
  return true;
}

}  // namespace sb
