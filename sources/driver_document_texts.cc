#include "sources/driver_documents.h"
#include "sources/line_list_writer.h"

namespace sb {
namespace {

// Rows repeated to fill the two tables down to their bottom rule.
constexpr std::string_view kCardRule =
    " |_____|_____|__________|_____|____________________________|________________|_____|";
constexpr std::string_view kCardBlankRow =
    " |     |     |          |     |                            |                |     |";
constexpr std::string_view kFormRule =
    " |___|____________________________|____________|__________|_________|____________|";
constexpr std::string_view kFormBlankRow =
    " |   |                            |            |          |         |            |";

}  // namespace

// The timetable card: a header box, a box with the train's class and braked
// mass, and the timetable of its stops and points, 83 characters wide.
const std::vector<std::string_view>& timetable_card_text() {
  static const std::vector<std::string_view> lines = {
      "",
      "",
      "  ___________________                                               ______________",
      " |                   |                    SCHEDA 1/2               |              |",
      " |   TRENO n. 37924  |                   da: Valmira Centrale      |    V160 B    |",
      " |___________________|                    a: Lunerio               |     105%     |",
      "                                                                   |______________|",
      "  ___________________                ___________________",
      " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
      " |     REGIONALE     |              |      180T         |",
      " |___________________|              |___________________|",
      "",
      "",
      "  ________________________________________________________________________________",
      " | Vel.| Vel.| Progr Km |  No |   Localita' di  Servizio   |     Orario     | Rec |",
      " | Lim.|Marc.|          |  Rs |                            |                |     |",
      kCardRule,
      kCardBlankRow,
      " |  65 |  65 |  349+970 |     | VALMIRA CENTRALE           |          12.39 |     |",
      " | 115 | 115 |  351+310 |     | VALMIRA P.N.               |  12.41 - 12.42 |     |",
      " | 150 | 140 |  353+753 |     | Imb.Sud Galleria S.Eraldo  |                |     |",
      " |     |     |  359+100 |     | MIRAVELLINA                |  12.46 - 12.47 |     |",
      " |     |     |  364+360 |     | DUNTA                      |  12.51 - 12.52 |     |",
      " | 125 | 125 |  367+000 |     | Cippo Km 367+000           |                |     |",
      " |  95 |  95 |  370+662 |     | Km 370+662                 |                |     |",
      " |     |     |  371+880 |     | SELMIA                     |  12.57 - 12.58 | 0.5 |",
      " | 150 | 150 |  372+500 |     | Km 372+500                 |                |     |",
      " |     |     |  379+137 |     | SAN LIBO MARCENTO          |  13.02 - 13.03 |     |",
      " |     |     |  389+410 |     | BRAVENTINA-COLLE DI MORESCA|  13.10 - 13.11 | 0.5 |",
      " |     | 140 |  397+000 |     | Km 397+000                 |                |     |",
      " |     |     |  398+910 |     | ROVENZANELLO               |  13.18 - 13.19 | 1.0 |",
      " |     |     |  404+970 |     | PORTO DI LUDRA             |  13.24 - 13.25 | 0.5 |",
      " |     |     |  416+400 |     | LUDRA-SAN VELDO            |  13.32 - 13.33 | 1.0 |",
      " |     |     |  427+030 |     | ROCCAVERN-SALTERONDA       |  13.39 - 13.40 | 1.0 |",
      " |  95 |  95 |  437+500 |     | Segn. Avv. Lunerio         |                |     |",
      " |     |     |  439+440 |     | LUNERIO                    |  13.51         | 1.0 |",
      kCardBlankRow,
      kCardBlankRow,
      kCardBlankRow,
      kCardBlankRow,
      kCardBlankRow,
      kCardBlankRow,
      kCardBlankRow,
      kCardBlankRow,
      kCardBlankRow,
      kCardBlankRow,
      kCardBlankRow,
      kCardBlankRow,
      kCardBlankRow,
      kCardRule,
      "    ",
      kEndMarker,
  };
  return lines;
}

// The slow-order form with the train's two slowdowns, its table 82
// characters wide, and the key of the special prescriptions.
const std::vector<std::string_view>& slow_order_form_text() {
  static const std::vector<std::string_view> lines = {
      "",
      "                               Modulo M. 3",
      "                           ORDINE DI RALLENTAMENTO",
      " ________________________________________________________________________________",
      "  Linea  VALMIRA CENTRALE - LUNERIO",
      "",
      "  Si ordina al macchinista del treno 37924 di effettuare i seguenti rallentamenti",
      "  _______________________________________________________________________________",
      " |   |                            |Inizio dopo |          |         |            |",
      " | N.|      FRA LE STAZIONI       | il cippo   | Velocita'|Lunghezza|Prescrizioni|",
      " |   |   (o nelle Stazioni di)    |chilometrico|          |   metri | specifiche |",
      kFormRule,
      kFormBlankRow,
      " | 1 | VALMIRA P.N. - MIRAVELLINA |     352    |     60   |   700   |    ----    |",
      " | 2 | ROCCAVERN S. - LUNERIO     |     427    |    100   |   500   |    ----    |",
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormBlankRow,
      kFormRule,
      "",
      "              Prescrizioni specifiche",
      " A - Da rispettare con tutto il treno (per i treni viaggiatori)",
      " B - Interessa anche la stazione di.......",
      " D - Rallentamneto N. ... e N. ...  sono contigui",
      " C - Da rispettare dalle ore ....  alle ore ..... di tutti",
      "     i giorni esclusi i seguenti:.........",
      kEndMarker,
  };
  return lines;
}

// The notes on the line and the timetable, signed.
const std::vector<std::string_view>& notes_text() {
  static const std::vector<std::string_view> lines = {
      "Simulazione del treno regionale 37924 Valmira-Lunerio",
      "",
      "La linea simulata comprende la nuova variante di tracciato tra SELMIA e",
      "ROVENZANELLO e anche la seconda nuova variante, la cui apertura \xE8 prevista fra",
      "un paio di anni, tra PORTO DI LUDRA e LUDRA-SAN VELDO. Le nuove gallerie di",
      "entrambe le varianti si riconoscono dal cartello indicatore che ne riporta il",
      "nome e la lunghezza in metri.",
      "La stazione di BRAVENTINA-COLLE DI MORESCA ha due segnali di protezione successivi:",
      "quello esterno protegge la comunicazione dal binario dispari al tratto a binario",
      "unico, riprodotta da un posto di comunicazione nella galleria S. Teodosia, dove ",
      "il treno non devia realmente sul binario unico per un limite dell'editor degli",
      "scenari. ",
      "Gli orari della scheda treno non seguono l'orario reale: in realt\xE0 i treni",
      "regionali percorrono ancora la vecchia linea, con tempi di percorrenza maggiori, ",
      "e con quell'orario il treno simulato arriverebbe in alcune stazioni molto in",
      "anticipo.",
      "                 ",
      "                 Buon divertimento",
      "                 Anselmo Quarzetti",
      "                 Valmira",
      "Orario Giugno 2001",
      "4A",
      kEndMarker,
  };
  return lines;
}

}  // namespace sb
