#ifndef SCENARIO_BUILDER_SOURCES_DRIVER_DOCUMENTS_H_
#define SCENARIO_BUILDER_SOURCES_DRIVER_DOCUMENTS_H_

#include <string>
#include <string_view>
#include <vector>

#include "platform/file_system.h"

namespace sb {

// The three documents left beside the program for the driver of the
// built-in train.  Their text is fixed; only the file names take the
// scenario name and the train number: NAME_N_note.txt,
// NAME_N_rallentamenti.txt and NAME_N_scheda_treno.txt.
std::string notes_name(const std::string& scenario_name, const std::string& train_number);
std::string slow_order_form_name(const std::string& scenario_name, const std::string& train_number);
std::string timetable_card_name(const std::string& scenario_name, const std::string& train_number);

// The line lists, end marker last: notes 22 lines, slow-order form 46,
// timetable card 51.
const std::vector<std::string_view>& notes_text();
const std::vector<std::string_view>& slow_order_form_text();
const std::vector<std::string_view>& timetable_card_text();

// Write one document into `directory`, replacing a file of the same name.
// False and *error (naming the file) when it cannot be written; the old file
// then stays.
bool dati_note(FileSystem& fs, const std::string& directory, const std::string& scenario_name,
               const std::string& train_number, std::string* error);
bool dati_rallentamenti(FileSystem& fs, const std::string& directory,
                        const std::string& scenario_name, const std::string& train_number,
                        std::string* error);
bool dati_scheda(FileSystem& fs, const std::string& directory, const std::string& scenario_name,
                 const std::string& train_number, std::string* error);

}  // namespace sb

#endif  // SCENARIO_BUILDER_SOURCES_DRIVER_DOCUMENTS_H_
