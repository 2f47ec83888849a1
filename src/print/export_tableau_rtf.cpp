#include "print/export_tableau_rtf.h"

#include <algorithm>
#include <cstdio>

#include "grid/feuille.h"
#include "grid/valeur_formatee.h"
#include "print/feuille_imprimee.h"
#include "print/format_cellule.h"

namespace korv::print {

namespace {

constexpr std::int32_t kBlanc = 0xFFFFFF;
constexpr std::int64_t kColonneZero = 500;  // the empty cell that opens every row
constexpr std::int64_t kMargeColonne = 200;  // per column, in the fitting estimate only

// Widths and heights travel as 64-bit values: a sheet's sizes added up
// (or a height plus 100) must not wrap.
std::int64_t Largeur(const grid::Feuille& f, int colonne) {
    const auto it = f.largeurs.find(colonne);
    return it != f.largeurs.end() ? it->second : kLargeurColonneDefaut;
}

std::int64_t Hauteur(const grid::Feuille& f, int ligne) {
    const auto it = f.hauteurs.find(ligne);
    return it != f.hauteurs.end() ? it->second : kHauteurLigneDefaut;
}

// Only a run of fixed columns that starts at column 1 repeats.
int ColonnesTitre(const grid::Feuille& f) {
    return f.colonnesFixes.first == 1 ? std::max(0, f.colonnesFixes.second) : 0;
}

bool SautColonne(const grid::Feuille& f, int colonne) {
    return std::find(f.sautsColonnes.begin(), f.sautsColonnes.end(), colonne) != f.sautsColonnes.end();
}

// `TableauRTFGris`: the fill pattern as a grey shade.
const char* Gris(int motif) {
    switch (motif) {
    case 2: return "\\clcbpat8\\clshdng6000";
    case 3: return "\\clcbpat8\\clshdng5000";
    case 4:
    case 17: return "\\clcbpat8\\clshdng4000";
    case 5: return "\\clcbpat8\\clshdng3000";
    case 6:
    case 18: return "\\clcbpat8\\clshdng2000";
    default: return "";
    }
}

// Horizontal alignment codes of the sheet model: 1 general, 2 left,
// 3 centred, 4 right, 7 centred across the run. A table cell is left
// aligned, right aligned, or centred (general included).
constexpr int kGauche = 2;
constexpr int kDroite = 4;
constexpr int kCentreSurPlusieurs = 7;

const char* AlignementRTF(int a) {
    if (a == kDroite) return "\\qr";
    if (a == kGauche) return "";
    return "\\qc";
}

constexpr const char* kTexteCellule = "\\nowidctlpar\\intbl\\adjustright \\fs16\\lang1036\\cgrid {\\f11\\cgrid0";

}  // namespace

std::string TexteCelluleRTF(std::string_view texte) {
    static constexpr char kHex[] = "0123456789abcdef";
    std::string r;
    r.reserve(texte.size());
    for (std::size_t i = 0; i < texte.size(); ++i) {
        const auto c = static_cast<unsigned char>(texte[i]);
        if (c == '\\' || c == '{' || c == '}') {
            r += '\\';
            r += static_cast<char>(c);
        } else if (c == '\t') {
            r += "\\tab ";
        } else if (c == '\r' || c == '\n') {
            if (c == '\r' && i + 1 < texte.size() && texte[i + 1] == '\n') ++i;
            r += "\\line ";
        } else if (c >= 128 || c < 32) {
            r += "\\'";
            r += kHex[c >> 4];
            r += kHex[c & 15];
        } else {
            r += static_cast<char>(c);
        }
    }
    return r;
}

std::string TexteCelluleFeuille(const grid::CelluleFeuille& cellule) {
    using Genre = grid::CelluleFeuille::Genre;
    if (cellule.genre == Genre::Texte) return cellule.texte;
    if (cellule.genre != Genre::Nombre) return {};
    if (cellule.format == "0.00") return grid::FormatDecimales(cellule.nombre, 2, false);
    if (cellule.format == "0.00%") return grid::FormatDecimales(cellule.nombre * 100, 2, false) + "%";
    char tampon[64];
    std::snprintf(tampon, sizeof tampon, "%.15g", cellule.nombre);
    std::string t = tampon;
    std::replace(t.begin(), t.end(), '.', ',');
    return t;
}

std::string EnteteDocumentTableauxRTF() {
    std::string r = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\froman\\fcharset0 Times New Roman;}"
                    "{\\f11\\fswiss\\fcharset0 Arial;}}{\\colortbl;\\red0\\green0\\blue0;\\red255\\green255\\blue255;";
    for (int i = 3; i <= 7; ++i) r += "\\red0\\green0\\blue0;";
    r += "\\red255\\green255\\blue255;}";
    return r;
}

std::string TableauBandeVersRTF(const grid::Feuille& f, ModeTableauRTF mode, int debut, int fin, bool premiereBande) {
    const int derniereLigne = f.LignesUtilisees();
    const int derniereColonne = f.ColonnesUtilisees();
    if (derniereLigne <= 0 || derniereColonne <= 0) return {};
    const int titres = ColonnesTitre(f);
    auto ecrite = [&](int c) { return c <= titres || c >= debut; };

    std::string r;
    for (int ligne = premiereBande ? 1 : 2; ligne <= derniereLigne; ++ligne) {
        std::string definition = "\\trowd";
        if (mode == ModeTableauRTF::PlanAction) {
            definition += "\\trrh-250";
        } else {
            definition += "\\trrh" + std::to_string(Hauteur(f, ligne) + 100);
        }
        std::int64_t x = kColonneZero;
        definition += "\\clvertalt\\cltxlrtb \\cellx500";
        std::string textes = std::string("\\pard\\plain ") + kTexteCellule + " \\cell }";

        for (int c = 1; c <= derniereColonne && c <= fin;) {
            if (!ecrite(c)) {
                ++c;
                continue;
            }
            const FormatCellule cellule = FormatCelluleFeuille(f, ligne, c);
            const int a = cellule.alignement;
            const grid::BordsFeuille& b = cellule.bords;
            const bool blanc = b.couleur == kBlanc;

            int derniere = c;  // the last column the cell covers
            if (a == kCentreSurPlusieurs || ligne == 1) {
                // Only the columns this band writes: a title column's span
                // does not reach over the columns of earlier bands.
                for (int c2 = c; c2 <= fin; ++c2) {
                    if (!ecrite(c2)) continue;
                    x += Largeur(f, c2);
                    derniere = c2;
                    if (ligne == 1) continue;
                    const grid::CelluleFeuille* q = f.Cellule(ligne, c2);
                    if (q && q->bords.droite >= 0) break;
                }
            } else {
                x += Largeur(f, c);
            }

            definition += "\\clvertalt";
            definition += Gris(cellule.remplissage.motif);
            if (b.haut >= 0) definition += blanc ? "\\clbrdrt\\brdrs\\brdrw10\\brdrcf2" : "\\clbrdrt\\brdrs\\brdrw10";
            if (b.bas >= 0) definition += blanc ? "\\clbrdrb\\brdrs\\brdrw10\\brdrcf2" : "\\clbrdrb\\brdrs\\brdrw10";
            if (ligne == derniereLigne && mode == ModeTableauRTF::PlanAction) definition += "\\clbrdrb\\brdrs\\brdrw10";
            if (b.gauche >= 0) definition += blanc ? "\\clbrdrl\\brdrs\\brdrw10\\brdrcf2" : "\\clbrdrl\\brdrs\\brdrw20";
            const bool finBande = derniere >= fin;
            if (b.droite >= 0) {
                definition += (c == fin || !blanc) ? "\\clbrdrr\\brdrs\\brdrw20" : "\\clbrdrr\\brdrs\\brdrw10\\brdrcf2";
            } else if (finBande && !(ligne == 1 && premiereBande) && mode != ModeTableauRTF::Identite) {
                definition += "\\clbrdrr\\brdrs\\brdrw20";
            }
            definition += "\\cltxlrtb \\cellx" + std::to_string(x);

            textes += "\\pard\\plain ";
            textes += AlignementRTF(a);
            textes += kTexteCellule;
            if (cellule.gras) textes += "\\b";
            textes += ' ';
            textes += TexteCelluleRTF(cellule.texte);
            textes += " \\cell }";

            if (ligne == 1) break;  // the title cell spans the band
            c = a == kCentreSurPlusieurs ? derniere + 1 : c + 1;
        }
        r += definition + textes + "\\pard \\nowidctlpar\\widctlpar\\intbl\\adjustright {\\cgrid0 \\row }";
    }
    r += "\\pard \\nowidctlpar\\adjustright {\\cgrid0 \\par }";
    return r;
}

std::string TableauVersRTF(const grid::Feuille& f, ModeTableauRTF mode, std::int64_t largeurUtile) {
    const int derniere = f.ColonnesUtilisees();
    if (derniere <= 0 || f.LignesUtilisees() <= 0) return {};
    const int titres = ColonnesTitre(f);
    std::int64_t fixe = kColonneZero;
    for (int i = 1; i <= titres; ++i) fixe += Largeur(f, i) + kMargeColonne;

    std::string r;
    std::int64_t cumul = fixe;
    int c = titres + 1;
    int debut = c;
    int derniereQuiTient = 0;
    int saut = 0;
    bool premiere = true;
    while (c <= derniere) {
        const std::int64_t w = Largeur(f, c);
        if (cumul + w + kMargeColonne > largeurUtile && c > debut) {
            int fin;
            if (saut != 0) {
                fin = saut;
                c = saut + 1;
                saut = 0;
            } else {
                fin = derniereQuiTient;
            }
            r += TableauBandeVersRTF(f, mode, debut, fin, premiere);
            debut = c;
            premiere = false;
            derniereQuiTient = 0;
            cumul = fixe;
            continue;
        }
        // Fits, or opens its band: a column too wide even alone takes a
        // band of its own instead of never letting the cutting advance.
        derniereQuiTient = c;
        cumul += w + kMargeColonne;
        if (SautColonne(f, c)) saut = c;
        ++c;
    }
    r += TableauBandeVersRTF(f, mode, debut, derniere, premiere);
    return r;
}

}  // namespace korv::print
