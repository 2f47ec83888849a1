#pragma once
// The "|"-separated filter of the open and save dialogs
// ("scènes (*.sce)|*.SCE|Tous (*.*)|*.*") turned into Qt name filters.
// Windows matches patterns without regard to case; Qt on Linux does not, so
// every letter of a pattern becomes a [xX] class.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace korv::platform {

struct FiltreFichier {
    std::string libelle;              // as written, trimmed (Windows-1252)
    std::vector<std::string> motifs;  // as written, trimmed; never empty
};

// Pairs of label and ";"-separated patterns. A label without patterns (odd
// count) stands for all files; empty pairs are skipped; "*.*" becomes "*"
// (on Linux "*.*" would hide names without a dot, which Windows shows).
std::vector<FiltreFichier> AnalyseFiltre(std::string_view filtre);

// Qt wildcard matching `motif` whatever the case: "*.SCE" -> "*.[sS][cC][eE]".
// Characters Qt's filter syntax cannot carry become '?'.
std::string MotifSansCasse(std::string_view motif);

// Qt name filters, one per pair: label + " (" + case-free patterns + ")".
// Shown with QFileDialog::HideNameFilterDetails, the user reads the label as
// the scene wrote it ("scènes (*.sce)"). Windows-1252 bytes.
std::vector<std::string> FiltresQt(std::string_view filtre);

// The extension a save dialog adds to a name typed without one while this
// filter is chosen, as the Windows dialogs do: that of its first pattern
// when it is "*.ext" with a plain extension; "" otherwise ("*", "*.*",
// "a*.t?t"), and then the caller's default extension holds.
std::string ExtensionDuFiltre(const FiltreFichier& filtre);

// 0-based position in a list of `nombre` filters for the 1-based IndexFiltre;
// out of range gives the first.
std::size_t PositionFiltre(std::int32_t indexFiltre, std::size_t nombre) noexcept;

}  // namespace korv::platform
