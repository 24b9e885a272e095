// SPDX-FileCopyrightText: 2026 The Wuselwort developers
// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>

// What the help line says while the pointer moves over a control. The panel
// Picture1 empties the line; controls that are not listed leave it alone.
struct HelpSentence {
    const char *control;
    const char *sentence;
};

inline constexpr std::array<HelpSentence, 22> helpSentences{{
    {"Command2", "Zufallstier"},
    {"Command1", "Lösung zeigen"},
    {"cmdEnde", "Programm beenden"},
    {"cmdMischen", "Bei angehaltenem Mischer einmal neu mischen"},
    {"Command4", "Mischer anhalten"},
    {"Command3", "Mischer weiterlaufen lassen"},
    {"cmdSortieren", "Das Lösungsfeld kann per Hand beschrieben werden, der Eintrag sortiert werden"},
    {"cmdErster", "Kleine Hilfen"},
    {"cmdZweiter", "Kleine Hilfen"},
    {"cmdLetzter", "Kleine Hilfen"},
    {"Label2", "Kleine Hilfen"},
    {"chkGrossbuchstaben",
     "Anfangsbuchstaben automatisch vorne in Großschrift zeigen, nur der Rest wird sortiert"},
    {"chkLetzter", "Der letzte Buchstabe wird automatisch korrekt angezeigt, nur der Rest wird sortiert"},
    {"chkMax", "Nur Tiere mit maximal 10 Buchstaben wählen"},
    {"chkStop", "Häkchen: Uhr hält an, Häkchen entfernen: Uhr läuft weiter"},
    {"Label1", "Ablaufgeschwindigkeit der Bedenkzeit von 1(kurz) bis 5 (lang) einstellen"},
    {"Text1", "Bedenkzeit 1 (kurz) bis 5 (lang)"},
    {"txtAusgabe", "Die Buchstaben werden durcheinandergewürfelt"},
    {"txtSortiert", "Die Buchstaben des Tiernamens in sortierter Reihenfolge"},
    {"txtPunkte", "Punktzahl, falls jetzt das Tier erkannt wird"},
    {"imgSchlange", "Wenn die Schlange verschwindet, ist die Bedenkzeit vorbei"},
    {"Picture1", ""},
}};
