#include "print/export_classeur.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <map>
#include <vector>

#include "grid/feuille.h"
#include "print/export_ole.h"
#include "print/feuille_imprimee.h"

namespace korv::print {

namespace {

namespace e = enregistrement_xls;

// The limits of the format: 16384 rows, 256 columns, 255 bytes a text.
constexpr int kLignesMax = 16384;
constexpr int kColonnesMax = 256;
constexpr std::size_t kTexteMax = 255;
constexpr std::uint16_t kXfCelluleDefaut = 15;
constexpr std::uint16_t kPoliceNormale = 0;
constexpr std::uint16_t kPoliceGrasse = 1;

class Enregistrement {
public:
    explicit Enregistrement(std::uint16_t numero) { u16(numero), u16(0); }
    Enregistrement& u8(std::uint8_t v) {
        o_.push_back(static_cast<char>(v));
        return *this;
    }
    Enregistrement& u16(std::uint16_t v) { return u8(static_cast<std::uint8_t>(v & 0xFF)).u8(static_cast<std::uint8_t>(v >> 8)); }
    Enregistrement& u32(std::uint32_t v) {
        return u16(static_cast<std::uint16_t>(v & 0xFFFF)).u16(static_cast<std::uint16_t>(v >> 16));
    }
    Enregistrement& f64(double v) {
        const auto b = std::bit_cast<std::uint64_t>(v);
        return u32(static_cast<std::uint32_t>(b & 0xFFFFFFFFu)).u32(static_cast<std::uint32_t>(b >> 32));
    }
    // A text of at most 255 bytes after its 8-bit length.
    Enregistrement& texte8(std::string_view t) {
        t = t.substr(0, kTexteMax);
        u8(static_cast<std::uint8_t>(t.size()));
        o_ += t;
        return *this;
    }
    std::string Fin() {
        const auto n = o_.size() - 4;
        o_[2] = static_cast<char>(n & 0xFF);
        o_[3] = static_cast<char>(n >> 8);
        return std::move(o_);
    }

private:
    std::string o_;
};

std::string Bof(std::uint16_t genre) {
    return Enregistrement(e::Bof).u16(0x0500).u16(genre).u16(0x0DBB).u16(0x07CC).Fin();
}

std::string Eof() { return Enregistrement(e::Eof).Fin(); }

std::string Police(bool gras) {
    Enregistrement r(e::Police);
    r.u16(200).u16(0).u16(0x7FFF).u16(gras ? 700 : 400).u16(0).u8(0).u8(2).u8(0).u8(0);
    r.texte8("Arial");
    return r.Fin();
}

std::string Format(std::uint16_t numero, std::string_view texte) {
    return Enregistrement(e::Format).u16(numero).texte8(texte).Fin();
}

// The format, font and alignment that make a cell's XF.
struct CleXf {
    std::uint16_t police = kPoliceNormale;
    std::uint16_t format = 0;
    int alignement = 0;
    auto operator<=>(const CleXf&) const = default;
};

std::string Xf(std::uint16_t police, std::uint16_t format, std::uint16_t type, int alignement, std::uint8_t utilises) {
    Enregistrement r(e::Xf);
    // Vertical alignment at the bottom; patterns in the window colours.
    r.u16(police).u16(format).u16(type).u8(static_cast<std::uint8_t>(alignement | 0x20)).u8(utilises);
    r.u32(0x000020C0).u32(0);
    return r.Fin();
}

std::uint16_t NumeroFormat(const std::string& f) {
    if (f == "0.00") return 2;
    if (f == "0.00%") return 10;
    return 0;
}

CleXf CleDe(const grid::CelluleFeuille& c) {
    CleXf k;
    k.police = c.police && c.police->gras ? kPoliceGrasse : kPoliceNormale;
    k.format = NumeroFormat(c.format);
    k.alignement = AlignementExcel(c.alignement);
    return k;
}

std::int64_t Largeur(const grid::Feuille& f, int colonne) {
    const auto it = f.largeurs.find(colonne);
    return it != f.largeurs.end() ? it->second : kLargeurColonneDefaut;
}

std::string Feuille(const grid::Feuille* f, const std::map<CleXf, std::uint16_t>& xfs, bool premiere) {
    const int lignes = f ? std::min(f->LignesUtilisees(), kLignesMax) : 0;
    const int colonnes = f ? std::min(f->ColonnesUtilisees(), kColonnesMax) : 0;
    std::string r = Bof(0x0010);
    r += Enregistrement(e::Dimensions)
             .u16(0)
             .u16(static_cast<std::uint16_t>(lignes))
             .u16(0)
             .u16(static_cast<std::uint16_t>(colonnes))
             .u16(0)
             .Fin();
    for (int c = 1; c <= colonnes; ++c) {
        const auto n = static_cast<std::uint16_t>(c - 1);
        r += Enregistrement(e::InfoColonne)
                 .u16(n)
                 .u16(n)
                 .u16(LargeurColonneExcel(Largeur(*f, c)))
                 .u16(kXfCelluleDefaut)
                 .u16(0)
                 .u16(0)
                 .Fin();
    }
    for (int l = 1; l <= lignes; ++l) {
        const auto it = f->hauteurs.find(l);
        if (it == f->hauteurs.end()) continue;
        const auto hauteur = static_cast<std::uint16_t>(std::clamp<std::int64_t>(it->second, 0, 8192));
        r += Enregistrement(e::Ligne)
                 .u16(static_cast<std::uint16_t>(l - 1))
                 .u16(0)
                 .u16(static_cast<std::uint16_t>(colonnes))
                 .u16(hauteur)
                 .u16(0)
                 .u16(0)
                 .u16(0x0140)  // a height of its own
                 .u16(kXfCelluleDefaut)
                 .Fin();
    }
    using Genre = grid::CelluleFeuille::Genre;
    for (int l = 1; l <= lignes; ++l) {
        for (int c = 1; c <= colonnes; ++c) {
            const grid::CelluleFeuille* x = f->Cellule(l, c);
            if (x == nullptr) continue;
            const auto it = xfs.find(CleDe(*x));
            const std::uint16_t xf = it != xfs.end() ? it->second : kXfCelluleDefaut;
            const auto rl = static_cast<std::uint16_t>(l - 1), rc = static_cast<std::uint16_t>(c - 1);
            if (x->genre == Genre::Nombre && std::isfinite(x->nombre)) {
                r += Enregistrement(e::Nombre).u16(rl).u16(rc).u16(xf).f64(x->nombre).Fin();
            } else if (x->genre == Genre::Texte && !x->texte.empty()) {
                const std::string_view t = std::string_view(x->texte).substr(0, kTexteMax);
                Enregistrement z(e::Libelle);
                z.u16(rl).u16(rc).u16(xf).u16(static_cast<std::uint16_t>(t.size()));
                for (const char ch : t) z.u8(static_cast<std::uint8_t>(ch));
                r += z.Fin();
            } else if (xf != kXfCelluleDefaut) {
                r += Enregistrement(e::Vide).u16(rl).u16(rc).u16(xf).Fin();
            }
        }
    }
    r += Enregistrement(e::Fenetre2).u16(premiere ? 0x06B6 : 0x00B6).u16(0).u16(0).u32(0).Fin();
    r += Eof();
    return r;
}

}  // namespace

std::uint16_t LargeurColonneExcel(std::int64_t twips) {
    const double pixels = static_cast<double>(std::max<std::int64_t>(twips, 0)) / 15.0;
    const double caracteres = std::max(0.0, (pixels - 5.0) / 7.0);
    return static_cast<std::uint16_t>(std::min(65535.0, std::round(caracteres * 256.0)));
}

int AlignementExcel(int a) {
    switch (a) {
    case 2: return 1;  // left
    case 3: return 2;  // centre
    case 4: return 3;  // right
    case 7: return 6;  // centred across the cells
    default: return 0;  // general
    }
}

std::string FluxClasseurExcel5(std::span<const FeuilleClasseur> entree) {
    std::vector<FeuilleClasseur> feuilles(entree.begin(), entree.end());
    if (feuilles.empty()) feuilles.push_back({nullptr, "Feuille1"});

    // The cell formats in use, numbered after the 16 every workbook has.
    std::map<CleXf, std::uint16_t> xfs;
    xfs[CleXf{}] = kXfCelluleDefaut;
    for (const auto& f : feuilles) {
        if (f.feuille == nullptr) continue;
        for (int l = 1; l <= std::min(f.feuille->LignesUtilisees(), kLignesMax); ++l) {
            for (int c = 1; c <= std::min(f.feuille->ColonnesUtilisees(), kColonnesMax); ++c) {
                if (const grid::CelluleFeuille* x = f.feuille->Cellule(l, c)) {
                    xfs.try_emplace(CleDe(*x), static_cast<std::uint16_t>(16 + xfs.size() - 1));
                }
            }
        }
    }

    std::string globaux = Bof(0x0005);
    globaux += Enregistrement(e::PageCode).u16(1252).Fin();
    globaux += Enregistrement(e::Fenetre1)
                   .u16(0x0168)
                   .u16(0x001E)
                   .u16(0x3A5C)
                   .u16(0x2328)
                   .u16(0x0038)
                   .u16(0)
                   .u16(0)
                   .u16(1)
                   .u16(0x0258)
                   .Fin();
    // Four fonts: font number 4 does not exist in this format.
    globaux += Police(false) + Police(true) + Police(false) + Police(false);
    globaux += Format(0, "General") + Format(2, "0.00") + Format(10, "0.00%");
    for (int i = 0; i < 15; ++i) globaux += Xf(0, 0, 0xFFF5, 0, i == 0 ? 0x00 : 0xF4);
    std::vector<std::pair<std::uint16_t, CleXf>> parNumero;
    for (const auto& [k, n] : xfs) parNumero.emplace_back(n, k);
    std::sort(parNumero.begin(), parNumero.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [n, k] : parNumero) {
        globaux += Xf(k.police, k.format, 0x0001, k.alignement, n == kXfCelluleDefaut ? 0x00 : 0xFC);
    }
    globaux += Enregistrement(e::Style).u16(0x8000).u8(0).u8(0xFF).Fin();

    std::vector<std::string> corps;
    for (std::size_t i = 0; i < feuilles.size(); ++i) corps.push_back(Feuille(feuilles[i].feuille, xfs, i == 0));
    // Each sheet's entry gives where its stream starts: after the globals,
    // their sheet entries and their end.
    std::size_t tailleGlobaux = globaux.size() + 4;
    for (const auto& f : feuilles) tailleGlobaux += 4 + 6 + 1 + std::min(f.nom.size(), kTexteMax);
    std::size_t position = tailleGlobaux;
    for (std::size_t i = 0; i < feuilles.size(); ++i) {
        globaux += Enregistrement(e::FeuilleLiee)
                       .u32(static_cast<std::uint32_t>(position))
                       .u16(0)
                       .texte8(feuilles[i].nom)
                       .Fin();
        position += corps[i].size();
    }
    globaux += Eof();
    for (const auto& c : corps) globaux += c;
    return globaux;
}

std::string FichierClasseurExcel5(std::span<const FeuilleClasseur> feuilles, std::string& erreur) {
    return FichierComposeUnFlux("Book", FluxClasseurExcel5(feuilles), erreur);
}

}  // namespace korv::print
