#include "sources/driver_documents.h"

#include "platform/paths.h"
#include "sources/line_list_writer.h"

namespace sb {
namespace {

std::string document_name(const std::string& scenario_name, const std::string& train_number,
                          const char* ending) {
  return scenario_name + "_" + train_number + "_" + ending;
}

}  // namespace

std::string notes_name(const std::string& scenario_name, const std::string& train_number) {
  return document_name(scenario_name, train_number, "note.txt");
}

std::string slow_order_form_name(const std::string& scenario_name,
                                 const std::string& train_number) {
  return document_name(scenario_name, train_number, "rallentamenti.txt");
}

std::string timetable_card_name(const std::string& scenario_name, const std::string& train_number) {
  return document_name(scenario_name, train_number, "scheda_treno.txt");
}

bool dati_note(FileSystem& fs, const std::string& directory, const std::string& scenario_name,
               const std::string& train_number, std::string* error) {
  return write_line_list(fs, join_path(directory, notes_name(scenario_name, train_number)),
                         notes_text(), error);
}

bool dati_rallentamenti(FileSystem& fs, const std::string& directory,
                        const std::string& scenario_name, const std::string& train_number,
                        std::string* error) {
  return write_line_list(fs,
                         join_path(directory, slow_order_form_name(scenario_name, train_number)),
                         slow_order_form_text(), error);
}

bool dati_scheda(FileSystem& fs, const std::string& directory, const std::string& scenario_name,
                 const std::string& train_number, std::string* error) {
  return write_line_list(fs, join_path(directory, timetable_card_name(scenario_name, train_number)),
                         timetable_card_text(), error);
}

}  // namespace sb
