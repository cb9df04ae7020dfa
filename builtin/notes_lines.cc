// The notes for the driver. Line 2 names the one station where the train does not stop;
// line 5 the station after which the signal repetition starts (10550 m).
#include "builtin/document_lines.h"

namespace {

constexpr std::string_view kLines[] = {
    "Treno impostato in rango B - la locomotiva è un E646.",
    "Il treno ferma in tutte le stazioni tranne San Dorigo: serve per mettere alla prova la "
    "propria abilità di 'frenatore'.",
    "Non vi sono rallentamenti.",
    "Alcune stazioni non si trovano su tratto pianeggiante, per cui, se si effettua fermata, "
    "bisogna evitare il movimento del treno.",
    "Come nella realtà, la ripetizione segnali è attiva solo dopo la stazione di Castrelle: "
    "all'uscita da Zenvro bisogna fare attenzione ai segnali.",
    "Ci sono tre variazioni della progressiva chilometrica.",
    "L'orario è un pò 'tirato', non credo si riesca ad arrivare puntualissimi a Quarvel.",
    "",
    "Scenario a cura del gruppo scenari.",
    "Per segnalazioni e suggerimenti: scenari@example.org",
};

}  // namespace

std::span<const std::string_view> notes_lines() { return kLines; }
