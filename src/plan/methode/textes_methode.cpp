#include "plan/methode/textes_methode.h"

#include <array>
#include <fstream>
#include <iterator>

#include "engine/texte_casse.h"
#include "platform/path_resolver.h"
#include "rtf/document.h"
#include "rtf/ecrivain.h"
#include "rtf/marqueurs.h"

namespace korv::plan {

namespace {
constexpr std::string_view kBoule = "(boule)";

void Remplacer(std::string& texte, std::string_view ancien, std::string_view nouveau) {
    for (std::size_t p = texte.find(ancien); p != std::string::npos; p = texte.find(ancien, p + nouveau.size())) {
        texte.replace(p, ancien.size(), nouveau);
    }
}
}  // namespace

std::string EtapeFichierTexteChemin(std::string_view dossierScene, std::string_view code, std::string_view genre) {
    std::string chemin(dossierScene);
    if (genre == "AIDE") {
        chemin += "..\\TEXTES\\aide\\";
    } else {
        chemin += "..\\TEXTES\\V21\\";
        chemin += genre;
    }
    chemin += code;
    chemin += ".RTF";
    return chemin;
}

std::string SceneRemonter(std::string nom) {
    Remplacer(nom, "\\SCENE\\..\\", "\\");
    return nom;
}

std::string ImageMethodeChemin(std::string_view dossierScene, std::string_view relatif) {
    std::string chemin(dossierScene);
    chemin += relatif;
    return SceneRemonter(engine::MajusculeCp1252(chemin));
}

std::string FichierMethodeLire(std::string_view nom) {
    if (nom.empty() || !platform::FichierExiste(nom)) return {};
    const auto chemin = platform::ResoudreChemin(nom);
    if (!chemin) return {};
    std::ifstream f(*chemin, std::ios::binary);
    if (!f) return {};
    std::string octets{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    if (f.bad()) return {};
    return octets;
}

std::string BouleFichierChemin(std::string_view dossierProgramme) {
    std::string chemin(dossierProgramme);
    chemin += "/boulertf.txt";
    return chemin;
}

MenuSavTextes MenuSavConstruire(const rtf::Document& texte, std::string_view boule) {
    const std::u32string brut = texte.TexteBrut();
    const rtf::PositionsMorceau p = rtf::TexteMarqueurPosition(brut, 1);
    MenuSavTextes r;
    if (p.debut >= 1 && p.fin >= 1) {
        rtf::Document menu = rtf::Extrait(texte, p.debut - 1, p.fin);
        // The menu ends with a paragraph end of its own.
        menu.paragraphes.push_back(rtf::Paragraphe{menu.paragraphes.back().format, {}, false});
        r.menu = rtf::EcrireRtf(menu);
    } else {
        r.menu = rtf::EcrireRtf(texte);
    }
    Remplacer(r.menu, kBoule, boule);
    // What follows the first marker (0-based p.fin is the marker).
    r.sections = rtf::EcrireRtf(rtf::Extrait(texte, p.fin + 1, -1));
    return r;
}

std::string NumeroRubriqueTexte(std::span<const int> niveaux) {
    std::string r;
    for (const int n : niveaux) {
        if (n == 0) break;
        r += std::to_string(n);
        r += '.';
    }
    return r;
}

bool EtapeAOutils(std::string_view code) {
    static constexpr std::array<std::string_view, 9> kCodes = {"7", "423", "342", "5", "433", "61", "443", "11", "441"};
    for (const std::string_view c : kCodes) {
        if (c == code) return true;
    }
    return false;
}

}  // namespace korv::plan
