// The timetable sheet of train 2417. Its rows (lines 17 to 39) follow the train in running
// order; the departure times of the stops are those of the train file's station rows, and the
// first rows' speeds and positions are its speed limits. The progressive column is the line's
// kilometre progressive, which changes at Castrelle, after Rocca Velante and after Cavrente.
// Three rows end with one blank after the last "|", as the sheet has always had them.
#include "builtin/document_lines.h"

namespace {

constexpr std::string_view kLines[] = {
    "",
    " ",
    "  ___________________                                                ______________",
    " |                   |                  SCHEDA                      |              |",
    " |   TRENO n. 2417   |                da: ZENVRO C.le               |    V160 B    |",
    " |___________________|                 a: QUARVEL                   |     120%     |",
    "                                                                    |______________|",
    "  ___________________                ___________________ ",
    " |  CLASSIFICAZIONE  |              |  MASSA BLOCCATA   |       ",
    " |  INTERREGIONALE   |              |      400T         |",
    " |___________________|              |___________________|  ",
    "",
    "  ________________________________________________________________________________",
    " | Vel.| Vel.| Progr Km | No  |  Localita' di Servizio     |    Orario      | Rec |",
    " | Lim.|Marc.|          | Rs  |                            |                |     |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    " |  30 |  30 |    0.000 |  30 | ZENVRO C.LE                |           8.25 |     |",
    " |  95 |  95 |    1.200 |  95 | Deviatoio di uscita        |       8.26     |     |",
    " | 105 |     |    2.000 | 105 | Cippo chilometro 2.000     |       8.27     |     |",
    " | 120 | 120 |    4.500 | 120 | Passaggio a livello        |       8.29     |     |",
    " |     |     |    6.000 |     | MORLENO                    |  8.31     8.32 |     |",
    " |     |     |    9.300 |     | BIVIO CASTRELLE            |       8.35     |     |",
    " | 150 | 150 |    0.450 | 150 | CASTRELLE                  |  8.36     8.37 |     |",
    " |     |     |    6.950 |     | PIEVE OSSARO               |  8.43     8.44 |     |",
    " | 130 | 130 |   12.450 | 130 | Inizio curve Valtressa     |       8.48     |     | ",
    " |     |     |   13.450 |     | VALTRESSA                  |  8.50     8.51 |     |",
    " | 150 | 150 |   16.950 | 150 | Fine curve Valtressa       |       8.54     |     |",
    " |     |     |   19.950 |     | SAN DORIGO                 |       8.56     |     |",
    " |  95 |  95 |   24.800 |  95 | Inizio curve del Passo     |       8.58     |     |",
    " |     |     |   25.950 |     | PASSO FERRENE              |  9.00     9.01 |     |",
    " | 150 | 150 |   27.450 | 150 | Fine curve del Passo       |       9.03     |     |",
    " |     |     |   21.700 |     | ROCCA VELANTE              |  9.07     9.08 | 0.5 |",
    " |     |     |   15.200 |     | OLMASCO DI SOPRA           |  9.14     9.15 |     | ",
    " |     |     |    8.700 |     | MELVARIO ALTO              |  9.20     9.21 |     |",
    " |     |     |    1.200 |     | CAVRENTE SCALO             |  9.27     9.28 |     | ",
    " | 160 | 160 |   37.650 | 160 | Rettifilo di Cavrente      |       9.30     |     |",
    " |     |     |   30.800 |     | LUSIGNO TERME              |  9.34     9.35 |     |",
    " |  80 |  80 |   22.900 |  80 | Deviatoio di ingresso      |       9.40     |     |",
    " |     |     |   21.910 |     | QUARVEL                    |  9.42          | 0.5 |",
    " |_____|_____|__________|_____|____________________________|________________|_____|",
    "",
    "",
};

}  // namespace

std::span<const std::string_view> timetable_lines() { return kLines; }
