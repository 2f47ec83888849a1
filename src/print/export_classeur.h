#pragma once
// Exported sheets as an Excel 5 workbook (BIFF5): the workbook stream
// "Book", one worksheet per sheet with its numbers (as numbers), texts
// (Windows-1252, declared by the code-page record), number formats, bold,
// horizontal alignment, column widths and row heights; and that stream in
// its compound file, as spreadsheet programs open it.

#include <cstdint>
#include <span>
#include <string>

namespace korv::grid {
class Feuille;
}

namespace korv::print {

struct FeuilleClasseur {
    const grid::Feuille* feuille = nullptr;  // null: an empty sheet
    std::string nom;                         // Windows-1252, as spreadsheet programs accept it
};

// The workbook stream. No sheet at all gives one empty sheet "Feuille1": a
// workbook holds at least one.
std::string FluxClasseurExcel5(std::span<const FeuilleClasseur> feuilles);

// The whole file: the stream "Book" in a compound file. "" and `erreur`
// set when the container could not be made.
std::string FichierClasseurExcel5(std::span<const FeuilleClasseur> feuilles, std::string& erreur);

// Column widths: twips to the 1/256 of a character the workbook counts
// (one character of its default font is 7 pixels, with 5 pixels of margin,
// at 15 twips a pixel).
std::uint16_t LargeurColonneExcel(std::int64_t twips);

// The XF alignment code of a sheet cell's horizontal alignment.
int AlignementExcel(int alignementFeuille);

// Record numbers, for readers of what we write.
namespace enregistrement_xls {
inline constexpr std::uint16_t Bof = 0x0809;
inline constexpr std::uint16_t Eof = 0x000A;
inline constexpr std::uint16_t PageCode = 0x0042;
inline constexpr std::uint16_t Police = 0x0031;
inline constexpr std::uint16_t Format = 0x041E;
inline constexpr std::uint16_t Xf = 0x00E0;
inline constexpr std::uint16_t Style = 0x0293;
inline constexpr std::uint16_t Fenetre1 = 0x003D;
inline constexpr std::uint16_t FeuilleLiee = 0x0085;  // BOUNDSHEET
inline constexpr std::uint16_t Dimensions = 0x0200;
inline constexpr std::uint16_t InfoColonne = 0x007D;
inline constexpr std::uint16_t Ligne = 0x0208;
inline constexpr std::uint16_t Nombre = 0x0203;
inline constexpr std::uint16_t Libelle = 0x0204;
inline constexpr std::uint16_t Vide = 0x0201;
inline constexpr std::uint16_t Fenetre2 = 0x023E;
}  // namespace enregistrement_xls

}  // namespace korv::print
