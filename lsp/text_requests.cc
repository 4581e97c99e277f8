#include "lsp/text_requests.h"

#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include "lsp/completion.h"
#include "lsp/hover.h"
#include "lsp/outline.h"
#include "lsp/quick_fixes.h"
#include "lsp/source_view.h"
#include "util/text.h"

namespace sb {
namespace {

// The protocol's numbers: CompletionItemKind, InsertTextFormat, SymbolKind.
constexpr int kKeywordItem = 14;
constexpr int kSnippetFormat = 2;
constexpr int kModuleSymbol = 2;
constexpr int kConstantSymbol = 14;
constexpr int kStringSymbol = 15;
constexpr int kKeySymbol = 20;
constexpr int kEventSymbol = 24;

// An open scenario text a request is about, read by the front end.
struct Target {
  const OpenText* text = nullptr;
  std::optional<SourceView> view;
  PositionEncoding encoding = PositionEncoding::kUtf16;

  const Document& document() const { return text->document; }
  Json position(size_t offset) const {
    const Position at = document().position(offset, encoding);
    return {{"line", at.line}, {"character", at.character}};
  }
  Json range(size_t from, size_t to) const {
    return {{"start", position(from)}, {"end", position(std::max(from, to))}};
  }
  // The byte at a protocol position; nothing outside the text (a line past
  // the last, a character past its line's end).
  std::optional<size_t> offset(const Json& at) const {
    const Position position{at.at("line").get<uint32_t>(), at.at("character").get<uint32_t>()};
    const std::optional<size_t> byte = document().offset(position, encoding);
    if (!byte || document().position(*byte, encoding) != position) return std::nullopt;
    return byte;
  }
};

std::optional<Target> target_of(const Json& params, Workspace& workspace,
                                PositionEncoding encoding) {
  const OpenText* text = workspace.find(params.at("textDocument").at("uri").get<std::string>());
  if (text == nullptr || text->name.kind == TextName::Kind::kOther) return std::nullopt;
  Target target;
  target.text = text;
  target.encoding = encoding;
  target.view.emplace(text->document, text->name.kind == TextName::Kind::kLine
                                          ? SourceLocation::Text::kLine
                                          : SourceLocation::Text::kTrain);
  return target;
}

Json hover(const Target& target, const Json& params, Workspace& workspace) {
  const std::optional<size_t> offset = target.offset(params.at("position"));
  if (!offset) return nullptr;
  const std::shared_ptr<const PairCheck> check = workspace.compiled(target.text->uri);
  const std::optional<HoverText> text =
      hover_at(*target.view, *offset, check ? check->state.get() : nullptr);
  if (!text) return nullptr;
  const TextField& field = target.view->entries().fields[text->field];
  return {{"contents", {{"kind", "markdown"}, {"value", text->markdown}}},
          {"range", target.range(field.start, field.stop)}};
}

Json completion(const Target& target, const Json& params, Workspace&) {
  const std::optional<size_t> offset = target.offset(params.at("position"));
  if (!offset) return Json::array();
  const std::optional<KeywordCompletion> keywords = keywords_at(*target.view, *offset);
  if (!keywords) return Json::array();
  Json items = Json::array();
  for (const Entry* entry : keywords->entries) {
    items.push_back({{"label", entry->keyword},
                     {"kind", kKeywordItem},
                     {"detail", entry->title},
                     {"filterText", entry->keyword},
                     {"insertTextFormat", kSnippetFormat},
                     {"textEdit",
                      {{"range", target.range(keywords->from, keywords->to)},
                       {"newText", entry_snippet(*entry)}}}});
  }
  return items;
}

Json signature_help(const Target& target, const Json& params, Workspace&) {
  const std::optional<size_t> offset = target.offset(params.at("position"));
  if (!offset) return nullptr;
  const std::optional<ValueAtCursor> value = value_at(*target.view, *offset);
  if (!value) return nullptr;
  const Signature signature = entry_signature(*value->entry);
  Json parameters = Json::array();
  for (size_t i = 0; i < signature.values.size(); ++i) {
    const Slot& slot = value->entry->slots[i];
    std::string documentation;
    if (!slot.unit.empty()) documentation.append("(").append(slot.unit).append(") ");
    documentation.append(slot.meaning);
    parameters.push_back(
        {{"label", Json::array({signature.values[i].first, signature.values[i].second})},
         {"documentation", documentation}});
  }
  return {{"signatures", Json::array({{{"label", signature.label},
                                       {"documentation", value->entry->title},
                                       {"parameters", parameters}}})},
          {"activeSignature", 0},
          {"activeParameter", value->slot}};
}

int symbol_kind(OutlineItem::Kind kind) {
  switch (kind) {
    case OutlineItem::Kind::kSection: return kModuleSymbol;
    case OutlineItem::Kind::kStation: return kKeySymbol;
    case OutlineItem::Kind::kSignal: return kConstantSymbol;
    case OutlineItem::Kind::kBoard: return kStringSymbol;
    case OutlineItem::Kind::kSlowdown: return kEventSymbol;
  }
  return kModuleSymbol;
}

Json symbol(const Target& target, const OutlineItem& item) {
  Json children = Json::array();
  for (const OutlineItem& child : item.children) children.push_back(symbol(target, child));
  Json result = {{"name", item.name},
                 {"kind", symbol_kind(item.kind)},
                 {"range", target.range(item.from, item.to)},
                 {"selectionRange", target.range(item.name_from, item.name_to)}};
  if (item.kind == OutlineItem::Kind::kSection) result["children"] = std::move(children);
  return result;
}

Json document_symbols(const Target& target, const Json&, Workspace&) {
  Json symbols = Json::array();
  for (const OutlineItem& section : text_outline(*target.view)) {
    symbols.push_back(symbol(target, section));
  }
  return symbols;
}

Json inlay_hints(const Target& target, const Json& params, Workspace& workspace) {
  const Json& range = params.at("range");
  const Position start{range.at("start").at("line").get<uint32_t>(),
                       range.at("start").at("character").get<uint32_t>()};
  const Position end{range.at("end").at("line").get<uint32_t>(),
                     range.at("end").at("character").get<uint32_t>()};
  const size_t from = target.document().offset(start, target.encoding).value_or(0);
  const size_t to =
      target.document().offset(end, target.encoding).value_or(target.document().bytes().size());
  const std::shared_ptr<const PairCheck> check = workspace.compiled(target.text->uri);
  Json hints = Json::array();
  if (!check) return hints;
  for (const PositionValue& value : position_values(*target.view)) {
    if (value.end < from || value.end > to) continue;
    hints.push_back({{"position", target.position(value.end)},
                     {"label", "km " + chainage_at(*check->state, value.position)},
                     {"paddingLeft", true}});
  }
  return hints;
}

bool contains(const Json& range, const Json& at) {
  const auto key = [](const Json& p) {
    return std::make_pair(p.at("line").get<int64_t>(), p.at("character").get<int64_t>());
  };
  return key(range.at("start")) <= key(at) && key(at) <= key(range.at("end"));
}

// From a diagnostic at the cursor to the other entry it names.
Json definition(const Target& target, const Json& params, Workspace& workspace) {
  if (!target.offset(params.at("position"))) return Json::array();
  Json locations = Json::array();
  for (const Json& diagnostic : workspace.published(target.text->uri)) {
    if (!contains(diagnostic.at("range"), params.at("position"))) continue;
    for (const Json& related : diagnostic.value("relatedInformation", Json::array())) {
      if (std::find(locations.begin(), locations.end(), related.at("location")) ==
          locations.end()) {
        locations.push_back(related.at("location"));
      }
    }
  }
  return locations;
}

Json quick_fix(const std::string& uri, const std::string& title, Json range,
               const std::string& text, const Json& diagnostic) {
  return {
      {"title", title},
      {"kind", "quickfix"},
      {"diagnostics", Json::array({diagnostic})},
      {"isPreferred", true},
      {"edit",
       {{"changes", {{uri, Json::array({{{"range", std::move(range)}, {"newText", text}}})}}}}}};
}

// A misspelt keyword becomes the one its warning suggests; a value out of
// range, the nearest legal one.
Json code_actions(const Target& target, const Json& params, Workspace&) {
  Json actions = Json::array();
  const std::string& uri = target.text->uri;
  for (const Json& diagnostic : params.at("context").value("diagnostics", Json::array())) {
    const std::string name = diagnostic.value("/data/name"_json_pointer, std::string());
    if (name == "unknown-keyword") {
      const std::optional<std::string> keyword =
          suggested_keyword(diagnostic.value("message", std::string()));
      if (keyword) {
        actions.push_back(quick_fix(uri, "Change to `" + *keyword + "`", diagnostic.at("range"),
                                    *keyword, diagnostic));
      }
    } else if (name == "range" || name == "wrapped") {
      const std::optional<size_t> at = target.offset(diagnostic.at("range").at("start"));
      if (!at) continue;
      for (const QuickFix& fix : range_fixes(*target.view, *at)) {
        actions.push_back(quick_fix(uri, fix.title, target.range(fix.from, fix.to),
                                    cp1252_to_utf8(fix.text), diagnostic));
      }
    }
  }
  return actions;
}

using Answer = std::function<Json(const Target&, const Json&, Workspace&)>;

const std::map<std::string, Answer>& answers() {
  static const std::map<std::string, Answer> kAnswers = {
      {"textDocument/hover", hover},
      {"textDocument/completion", completion},
      {"textDocument/signatureHelp", signature_help},
      {"textDocument/documentSymbol", document_symbols},
      {"textDocument/inlayHint", inlay_hints},
      {"textDocument/definition", definition},
      {"textDocument/codeAction", code_actions},
  };
  return kAnswers;
}

// What a request gets for a text it cannot be about.
Json empty_answer(const std::string& method) {
  if (method == "textDocument/hover" || method == "textDocument/signatureHelp") return nullptr;
  return Json::array();
}

}  // namespace

bool is_text_request(const std::string& method) { return answers().count(method) != 0; }

Json text_request_capabilities() {
  return {{"hoverProvider", true},
          {"completionProvider", {{"triggerCharacters", Json::array()}}},
          {"signatureHelpProvider", {{"triggerCharacters", Json::array({","})}}},
          {"documentSymbolProvider", true},
          {"inlayHintProvider", true},
          {"definitionProvider", true},
          {"codeActionProvider", {{"codeActionKinds", Json::array({"quickfix"})}}}};
}

Json answer_text_request(const std::string& method, const Json& params, Workspace& workspace,
                         PositionEncoding encoding) {
  const auto answer = answers().find(method);
  if (answer == answers().end()) return nullptr;
  const std::optional<Target> target = target_of(params, workspace, encoding);
  if (!target) return empty_answer(method);
  return answer->second(*target, params, workspace);
}

}  // namespace sb
