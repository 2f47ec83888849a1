#pragma once
// Reading back what the workbook writer wrote: the stream out of its
// compound file (libgsf's reader), and the records our tests check that
// libfreexl does not expose (fonts, XF formats and alignments, column
// widths, row heights, which XF each cell uses, each sheet's window).

#include <gsf/gsf-infile-msole.h>
#include <gsf/gsf-infile.h>
#include <gsf/gsf-input-memory.h>
#include <gsf/gsf-input.h>

#include <freexl.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korv::print::test {

// The named stream of a compound file, or nothing.
inline std::optional<std::string> FluxDuFichierCompose(const std::string& fichier, const char* nom) {
    GsfInput* entree = gsf_input_memory_new(reinterpret_cast<const guint8*>(fichier.data()),
                                            static_cast<gsf_off_t>(fichier.size()), FALSE);
    if (entree == nullptr) return std::nullopt;
    GsfInfile* ole = gsf_infile_msole_new(entree, nullptr);
    std::optional<std::string> r;
    if (ole != nullptr) {
        if (GsfInput* flux = gsf_infile_child_by_name(ole, nom)) {
            const auto n = static_cast<std::size_t>(gsf_input_size(flux));
            std::string octets(n, '\0');
            if (n == 0 || gsf_input_read(flux, n, reinterpret_cast<guint8*>(octets.data())) != nullptr) r = octets;
            g_object_unref(flux);
        }
        g_object_unref(ole);
    }
    g_object_unref(entree);
    return r;
}

struct XfLu {
    std::uint16_t police = 0;
    std::uint16_t format = 0;
    int alignement = 0;
};

struct FeuilleLue {
    std::map<int, std::uint16_t> largeurs;                  // column (0-based) -> 1/256 character
    std::map<int, std::uint16_t> hauteurs;                  // row (0-based) -> twips
    std::map<std::pair<int, int>, std::uint16_t> xfCellule;  // (row, column) -> XF
    std::optional<std::uint16_t> fenetre;                   // the window's option flags
};

struct ClasseurLu {
    std::uint16_t pageCode = 0;
    std::vector<bool> policesGrasses;  // by font record order
    std::map<std::uint16_t, std::string> formats;
    std::vector<XfLu> xfs;
    std::vector<FeuilleLue> feuilles;
    bool complet = false;  // every record within the stream

    bool Gras(const XfLu& x) const {
        // Font number 4 is skipped: record k >= 4 is font k + 1.
        const std::size_t k = x.police >= 5 ? x.police - 1u : x.police;
        return k < policesGrasses.size() && policesGrasses[k];
    }
    const XfLu* XfDe(std::size_t feuille, int ligne, int colonne) const {
        const auto& m = feuilles.at(feuille).xfCellule;
        const auto it = m.find({ligne, colonne});
        return it == m.end() || it->second >= xfs.size() ? nullptr : &xfs[it->second];
    }
};

inline ClasseurLu LireClasseur(const std::string& flux) {
    ClasseurLu r;
    auto u16 = [&](std::size_t p) {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(flux[p]) |
                                          (static_cast<unsigned char>(flux[p + 1]) << 8));
    };
    std::size_t p = 0;
    int bofs = 0;
    while (p + 4 <= flux.size()) {
        const std::uint16_t numero = u16(p), n = u16(p + 2);
        const std::size_t d = p + 4;
        if (d + n > flux.size()) return r;
        switch (numero) {
        case 0x0809:
            if (++bofs > 1) r.feuilles.emplace_back();
            break;
        case 0x0042: r.pageCode = u16(d); break;
        case 0x0031: r.policesGrasses.push_back(u16(d + 6) >= 700); break;
        case 0x041E: r.formats[u16(d)] = flux.substr(d + 3, static_cast<unsigned char>(flux[d + 2])); break;
        case 0x00E0: r.xfs.push_back({u16(d), u16(d + 2), static_cast<unsigned char>(flux[d + 6]) & 7}); break;
        case 0x007D:
            for (int c = u16(d); c <= u16(d + 2); ++c) r.feuilles.back().largeurs[c] = u16(d + 4);
            break;
        case 0x0208: r.feuilles.back().hauteurs[u16(d)] = u16(d + 6); break;
        case 0x023E: r.feuilles.back().fenetre = u16(d); break;
        case 0x0203:
        case 0x0204:
        case 0x0201: r.feuilles.back().xfCellule[{u16(d), u16(d + 2)}] = u16(d + 4); break;
        default: break;
        }
        p = d + n;
    }
    r.complet = p == flux.size();
    return r;
}

// What libfreexl reads of a workbook file: each sheet's name (UTF-8), its
// size and its values, numbers as "n:" + the number, texts as "t:" + UTF-8.
struct FeuilleFreexl {
    std::string nom;
    unsigned lignes = 0;
    unsigned short colonnes = 0;
    std::map<std::pair<unsigned, unsigned short>, std::string> valeurs;
};
struct LectureFreexl {
    int code = -1;  // FREEXL_OK when the file was read
    unsigned biff = 0;
    unsigned pageCode = 0;
    std::vector<FeuilleFreexl> feuilles;
};

inline LectureFreexl LireAvecFreexl(const std::string& chemin) {
    LectureFreexl r;
    const void* h = nullptr;
    r.code = freexl_open(chemin.c_str(), &h);
    if (r.code == FREEXL_OK) {
        unsigned n = 0;
        freexl_get_info(h, FREEXL_BIFF_VERSION, &r.biff);
        freexl_get_info(h, FREEXL_BIFF_CODEPAGE, &r.pageCode);
        freexl_get_info(h, FREEXL_BIFF_SHEET_COUNT, &n);
        for (unsigned short i = 0; i < n; ++i) {
            FeuilleFreexl f;
            const char* nom = nullptr;
            if (freexl_get_worksheet_name(h, i, &nom) == FREEXL_OK && nom != nullptr) f.nom = nom;
            freexl_select_active_worksheet(h, i);
            freexl_worksheet_dimensions(h, &f.lignes, &f.colonnes);
            for (unsigned l = 0; l < f.lignes; ++l) {
                for (unsigned short c = 0; c < f.colonnes; ++c) {
                    FreeXL_CellValue v;
                    if (freexl_get_cell_value(h, l, c, &v) != FREEXL_OK) continue;
                    char tampon[64];
                    switch (v.type) {
                    case FREEXL_CELL_INT: f.valeurs[{l, c}] = "n:" + std::to_string(v.value.int_value); break;
                    case FREEXL_CELL_DOUBLE:
                        std::snprintf(tampon, sizeof tampon, "n:%.15g", v.value.double_value);
                        f.valeurs[{l, c}] = tampon;
                        break;
                    case FREEXL_CELL_TEXT:
                    case FREEXL_CELL_SST_TEXT: f.valeurs[{l, c}] = std::string("t:") + v.value.text_value; break;
                    case FREEXL_CELL_NULL: break;
                    default: f.valeurs[{l, c}] = "?"; break;
                    }
                }
            }
            r.feuilles.push_back(std::move(f));
        }
    }
    if (h != nullptr) freexl_close(h);
    return r;
}

}  // namespace korv::print::test
