#include "plan/methode/etapes_methode.h"

#include "plan/etat_plan.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"
#include "platform/cp1252.h"
#include "rtf/document.h"
#include "rtf/ecrivain.h"

namespace korv::plan {

namespace {

struct LigneOutline {
    std::string_view code;
    std::string_view titre;  // UTF-8 here
    std::int16_t enfants;
};

// Step 42 declares 5 children and has 4: only "more than 0" matters.
// Step 343 has two blanks before "en oeuvre".
constexpr LigneOutline kOutline[] = {
    {"0", "Introduction", 0},
    {"1", "Présentation générale du projet", 2},
    {"11", "Executive Summary", 0},
    {"12", "Fiche d'identité de l'entreprise", 0},
    {"2", "L'entreprise au ../../..", 3},
    {"21", "Historique", 0},
    {"22", "Le management", 0},
    {"23", "Le produit", 0},
    {"3", "Le Marché", 5},
    {"31", "L'étude de marché", 0},
    {"32", "L'environnement", 2},
    {"321", "L'état de l'art de la technologie", 0},
    {"322", "Le Contexte", 0},
    {"33", "La demande", 3},
    {"331", "Les chiffres: potentiel et tendances", 0},
    {"332", "Analyse qualitative et segmentation", 0},
    {"333", "Les résultats terrain", 0},
    {"34", "La concurrence", 3},
    {"341", "La pénétration du marché", 0},
    {"342", "Les produits analyse comparative", 0},
    {"343", "Les stratégies commerciales et les moyens mis  en oeuvre", 0},
    {"35", "Opportunité de développement / Avantages concurrentiels", 0},
    {"4", "Stratégies de développement et plans d'action", 4},
    {"41", "Le business model", 0},
    {"42", "La stratégie produit", 5},
    {"421", "Adéquation produit/marché", 0},
    {"422", "Positionnement et prix", 0},
    {"423", "Programme de R&D", 0},
    {"424", "Protection industrielle", 0},
    {"43", "La stratégie de production", 3},
    {"431", "Organisation", 0},
    {"432", "Politique d'achat", 0},
    {"433", "Budget de production et Coût de revient unitaire", 0},
    {"44", "Stratégie commerciale", 3},
    {"441", "Objectifs commerciaux", 0},
    {"442", "Organisation de la mise sur le marché", 0},
    {"443", "Plan d'action commercial", 0},
    {"5", "Le calendrier du projet", 0},
    {"6", "L'organisation des moyens à mettre en oeuvre", 3},
    {"61", "Organisation et moyens humains", 0},
    {"62", "Les moyens techniques", 0},
    {"63", "La structure juridique", 0},
    {"7", "Bilan des risques et des opportunités", 0},
    {"8", "Conclusion", 0},
    {"9", "Annexes", 0},
};

constexpr std::string_view kPrefixeTitre = "TITREMETAUTO";

std::string_view SansBlancs(std::string_view s) {
    while (!s.empty() && s.front() == ' ') s.remove_prefix(1);
    while (!s.empty() && s.back() == ' ') s.remove_suffix(1);
    return s;
}

}  // namespace

std::string TexteRtfArial10(std::string_view texte, bool gras) {
    rtf::Document d = rtf::DocumentDepuisTexte(platform::Cp1252VersU32(texte));
    for (auto& p : d.paragraphes) {
        if (p.morceaux.empty()) p.morceaux.emplace_back();
        for (auto& m : p.morceaux) {
            m.format.taille = 20;
            m.format.gras = gras;
        }
    }
    return rtf::EcrireRtf(d);
}

void MethodeEtapes::MethodePlanDefautCreer() {
    // Once: step indexes are stable for the life of the program.
    if (!etapes_.empty()) return;
    for (const auto& l : kOutline) EtapeAjouter(l.code, platform::Utf8VersCp1252(l.titre), l.enfants);
}

void MethodeEtapes::EtapeAjouter(std::string_view code, std::string_view titre, std::int16_t enfants) {
    EtapeMethode e;
    e.Code = std::string(code);
    e.Titre = std::string(titre);
    e.TitreRTF = TexteRtfArial10(titre, false);
    e.NombreEnfants = enfants;
    e.Parent = code.empty() ? std::int16_t{0} : static_cast<std::int16_t>(NumeroEtape(code.substr(0, code.size() - 1)));
    e.Numerote = !(code == "0" || code == "11" || code == "12" || code == "31");
    etapes_.push_back(std::move(e));
}

int MethodeEtapes::NumeroEtape(std::string_view code) const {
    if (code.empty()) return 0;
    for (std::size_t i = 0; i < etapes_.size(); ++i) {
        if (etapes_[i].Code == code) return static_cast<int>(i + 1);
    }
    return 0;
}

int MethodeEtapes::EtapeNumeroDepuisObjet(std::string_view nom) const {
    if (nom.substr(0, kPrefixeTitre.size()) != kPrefixeTitre) return 0;
    std::string_view reste = SansBlancs(nom.substr(kPrefixeTitre.size()));
    if (reste.substr(0, 4) == "SOUS") return NumeroEtape(EtapeCouranteCode() + std::string(SansBlancs(reste.substr(4))));
    return NumeroEtape(reste);
}

void MethodeEtapes::EtapeTitreFixer(std::string_view nomObjet, std::string_view texte) {
    if (const int i = EtapeNumeroDepuisObjet(nomObjet); i >= 1) Etape(i).TitreRTF = std::string(texte);
}

void MethodeEtapes::EtapeTexteFixer(std::string_view code, std::string_view texte) {
    if (const int i = NumeroEtape(code); i > 0) Etape(i).TexteRedige = std::string(texte);
}

std::string MethodeEtapes::EtapeNumeroTexte(int i) const {
    if (i < 1 || i > NombreEtapes()) return {};
    const EtapeMethode& e = Etape(i);
    if (!e.Numerote) return e.Titre;
    std::string code = e.Code;
    if (code.size() >= 2 && code[0] == '3' && code[1] >= '1' && code[1] <= '9') code[1] = static_cast<char>(code[1] - 1);
    return ChaineAjoutePointApresCaractere(code) + ' ' + e.Titre;
}

std::int16_t MethodeEtapes::EtapeVuCalcule(int i) {
    if (Etape(i).Vu != -1) return Etape(i).Vu;
    for (int j = 1; j <= NombreEtapes(); ++j) {
        EtapeMethode& enfant = Etape(j);
        if (enfant.Parent != i) continue;
        if (enfant.Vu == -1) enfant.Vu = EtapeVuCalcule(j);
        if (enfant.Vu == 0) return 0;
    }
    return 1;
}

void MethodeEtapes::EtapesVuMaj() {
    for (auto& e : etapes_) {
        if (e.NombreEnfants > 0) e.Vu = -1;
    }
    for (int i = 1; i <= NombreEtapes(); ++i) Etape(i).Vu = EtapeVuCalcule(i);
}

bool MethodeEtapes::EtapeVuBascule() {
    const int i = NumeroEtape(EtapeCouranteCode());
    if (i == 0) return false;
    EtapeMethode& e = Etape(i);
    if (e.Vu == 0) {
        e.Vu = 1;
    } else if (e.Vu == 1) {
        e.Vu = 0;
    }
    EtapesVuMaj();
    return true;
}

void MethodeEtapes::MethodeChanger(std::string_view argument) {
    std::string s(argument);
    const std::string& courant = EtapeCouranteCode();
    if (s == "SURMET") s = courant.size() >= 2 ? courant.substr(0, courant.size() - 1) : std::string();
    std::string debut = s.substr(0, 7);
    for (char& c : debut) c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (debut == "SOUSMET") s = courant + s.substr(7);
    if (const auto virgule = s.find(','); virgule != std::string::npos) {
        const auto fin = s.find(',', virgule + 1);
        ExplicationTitre = s.substr(virgule + 1, fin == std::string::npos ? std::string::npos : fin - virgule - 1);
        s.resize(virgule);
    }
    EtapeCouranteCode() = std::move(s);
}

std::string_view MethodeEtapes::MethodeMenuPageNom() const {
    const std::string& courant = EtapeCouranteCode();
    for (const auto& e : etapes_) {
        if (e.Code != courant) continue;
        if (e.NombreEnfants < 1) return "METAUTOMET";
        return courant == "1" ? "METSOUSMENU1" : "METSOUSMENU";
    }
    return "METMENU";
}

std::vector<std::string_view> MethodeEtapes::EtapeTableauxPagesNoms(std::string_view code) {
    struct Ligne {
        std::string_view code;
        std::vector<std::string_view> pages;
    };
    static const Ligne kTable[] = {
        {"7", {"TABSWOT"}},        {"12", {"TABIDENT"}}, {"423", {"TABRD", "TABANVAR"}}, {"342", {"TABCONC"}},
        {"5", {"TABPLANACTION"}},  {"433", {"TABUNIT"}}, {"443", {"TDBPAC"}},            {"61", {"TABEFF"}},
        {"11", {"TABREC01"}},      {"441", {"TABREC0605"}},
    };
    for (const auto& l : kTable) {
        if (l.code == code) return l.pages;
    }
    return {};
}

void MethodeEtapes::PolicesDefautInitialiser() {
    const std::string vide = TexteRtfArial10({}, false);
    for (auto& e : etapes_) {
        e.Vu = 0;
        e.TitreRTF = TexteRtfArial10(e.Titre, true);
        e.TexteRedige = vide;
    }
}

void MethodeEtapes::EtapesEcrireFichier(BinaryWriter& out) const {
    for (const auto& e : etapes_) {
        out.fileString(e.TexteRedige);
        out.fileString(e.TitreRTF);
        out.i16(e.Vu);
    }
}

std::vector<EtapeLue> MethodeEtapes::EtapesLireFichier(BinaryReader& in) const {
    std::vector<EtapeLue> lues;
    for (std::size_t i = 0; i < etapes_.size() && !in.atEnd(); ++i) {
        EtapeLue e;
        e.texteRedige = in.fileString();
        e.titreRTF = in.fileString();
        const std::size_t pos = in.position();
        e.vu = in.i16();
        if (e.vu < -1 || e.vu > 1) throw ReadError("marque vu inconnue", pos);
        lues.push_back(std::move(e));
    }
    return lues;
}

void MethodeEtapes::EtapesAppliquer(const std::vector<EtapeLue>& lues) {
    for (std::size_t i = 0; i < lues.size() && i < etapes_.size(); ++i) {
        etapes_[i].TexteRedige = lues[i].texteRedige;
        etapes_[i].TitreRTF = lues[i].titreRTF;
        etapes_[i].Vu = lues[i].vu;
    }
}

}  // namespace korv::plan
