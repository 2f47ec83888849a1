#include "print/export_texte_delimite.h"

#include <algorithm>
#include <set>

#include "grid/feuille.h"
#include "print/export_tableau_rtf.h"

namespace korv::print {

namespace {

constexpr std::size_t kLongueurNomMax = 31;

std::string SurUneLigne(std::string t) {
    std::string r;
    for (std::size_t i = 0; i < t.size(); ++i) {
        const char c = t[i];
        if (c == '\r' && i + 1 < t.size() && t[i + 1] == '\n') continue;
        r += (c == '\t' || c == '\r' || c == '\n') ? ' ' : c;
    }
    return r;
}

}  // namespace

std::string TexteDelimite(std::span<const grid::Feuille* const> feuilles) {
    std::string r;
    bool premiere = true;
    for (const grid::Feuille* f : feuilles) {
        if (!premiere) r += "\r\n";
        premiere = false;
        if (!f) continue;
        const int colonnes = f->ColonnesUtilisees();
        for (int ligne = 1; ligne <= f->LignesUtilisees(); ++ligne) {
            for (int c = 1; c <= colonnes; ++c) {
                if (c > 1) r += '\t';
                if (const grid::CelluleFeuille* x = f->Cellule(ligne, c)) r += SurUneLigne(TexteCelluleFeuille(*x));
            }
            r += "\r\n";
        }
    }
    return r;
}

std::vector<std::string> NomsFeuillesExport(std::span<const std::string> titres) {
    std::vector<std::string> noms;
    std::set<std::string> pris;  // compared without case, as spreadsheet programs do
    auto cle = [](std::string s) {
        std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) {
            return static_cast<char>(c >= 'a' && c <= 'z' ? c - 32 : c);
        });
        return s;
    };
    for (std::size_t i = 0; i < titres.size(); ++i) {
        std::string nom;
        for (const char c : titres[i]) {
            if (std::string_view(":\\/?*[]").find(c) != std::string_view::npos) continue;
            if (static_cast<unsigned char>(c) < 32) continue;
            nom += c;
        }
        while (!nom.empty() && nom.front() == ' ') nom.erase(0, 1);
        while (!nom.empty() && nom.back() == ' ') nom.pop_back();
        if (nom.empty()) nom = "Feuille" + std::to_string(i + 1);
        nom.resize(std::min(nom.size(), kLongueurNomMax));
        std::string essai = nom;
        for (int n = 2; pris.count(cle(essai)) != 0; ++n) {
            const std::string suffixe = " (" + std::to_string(n) + ")";
            essai = nom.substr(0, std::min(nom.size(), kLongueurNomMax - suffixe.size())) + suffixe;
        }
        pris.insert(cle(essai));
        noms.push_back(essai);
    }
    return noms;
}

}  // namespace korv::print
