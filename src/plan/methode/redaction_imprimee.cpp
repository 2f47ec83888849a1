#include "plan/methode/redaction_imprimee.h"

#include <utility>

#include "engine/recherche.h"
#include "engine/scene.h"
#include "formula/travail_impression.h"
#include "plan/etat_plan.h"
#include "plan/methode/etapes_methode.h"
#include "plan/methode/sommaire.h"
#include "plan/methode/textes_methode.h"
#include "platform/cp1252.h"

namespace korv::plan {

namespace {

constexpr std::int16_t kActionImpression = 20;
constexpr std::int16_t kActionExport = 21;
constexpr int kCommandeSautDePage = 0;
constexpr int kCommandeEntreeSommaire = 5;
constexpr std::int16_t kModeTableauImprime = 2;
constexpr std::int16_t kModeTableauExporte = 0;
constexpr std::string_view kMarqueurNouvellePage = "<...nouvelle page...>";
constexpr std::string_view kMessageSansPageMethode =
    "La page METAUTOMET ou son objet MET manque : le plan r\xE9" "dig\xE9 ne peut \xEAtre ni imprim\xE9 ni export\xE9.";
constexpr std::string_view kMessageSansEtape = "Aucune \xE9tape de la m\xE9thode n'est choisie : rien \xE0 imprimer.";

// The object MET's text, given back when the step has been handed on: the
// method page and the plan document keep what they held.
class TexteEmprunte {
public:
    TexteEmprunte(std::string& texte, std::string nouveau) : texte_(texte), ancien_(std::move(texte)) {
        texte_ = std::move(nouveau);
    }
    ~TexteEmprunte() { texte_ = std::move(ancien_); }
    TexteEmprunte(const TexteEmprunte&) = delete;
    TexteEmprunte& operator=(const TexteEmprunte&) = delete;

private:
    std::string& texte_;
    std::string ancien_;
};

// The job's mode word, given back after a table page's script.
class ModeEmprunte {
public:
    ModeEmprunte(const ServicesRedactionImprimee& s, std::int16_t mode)
        : s_(s), ancien_(s.travail != nullptr ? s.travail->Mode() : std::int16_t{0}) {
        if (s_.modeFixer) s_.modeFixer(mode);
    }
    ~ModeEmprunte() {
        if (s_.modeFixer) s_.modeFixer(ancien_);
    }
    ModeEmprunte(const ModeEmprunte&) = delete;
    ModeEmprunte& operator=(const ModeEmprunte&) = delete;

private:
    const ServicesRedactionImprimee& s_;
    std::int16_t ancien_;
};

}  // namespace

std::string_view TableauPageGrille(std::string_view page) {
    struct Ligne {
        std::string_view page, grille;
    };
    static constexpr Ligne kTable[] = {
        {"TABSWOT", "SWOT"}, {"TABIDENT", "IDENT"}, {"TABANVAR", "RD"},  {"TABRD", "RD"},
        {"TABCONC", "CONC"}, {"TABPLANACTION", "ACTION"}, {"TABUNIT", "PU"}, {"TDBPAC", "PAC"},
        {"TABEFF", "EFF"},   {"TABREC01", "TABLEAU"}, {"TABREC0605", "RES"},
    };
    for (const Ligne& l : kTable) {
        if (l.page == page) return l.grille;
    }
    return {};
}

std::optional<std::pair<int, int>> RedactionImprimee::ObjetMethode() {
    const int page = engine::NumeroDePage(*s_.scene, "METAUTOMET");
    const int objet = page > 0 ? engine::NumeroObjet(*s_.scene, page, "MET") : 0;
    if (page > 0 && objet > 0 && s_.scene->ObjetExiste(page, objet)) return std::pair{page, objet};
    if (s_.signaler) s_.signaler(kMessageSansPageMethode);
    return std::nullopt;
}

std::vector<int> RedactionImprimee::EtapeTableauxPages(const EtapeMethode& etape) const {
    std::vector<int> pages;
    for (const std::string_view nom : MethodeEtapes::EtapeTableauxPagesNoms(etape.Code)) {
        const int p = engine::NumeroDePage(*s_.scene, nom);
        if (p < 1) return {0};
        pages.push_back(p);
    }
    if (pages.empty()) pages.push_back(0);
    return pages;
}

bool RedactionImprimee::TableauPageEstSaisie(int page) const {
    if (!s_.scene->PageExiste(page) || s_.scene->Page(page).ObjetNb() < 1) return false;
    const std::string_view grille = TableauPageGrille(formula::Majuscules(s_.scene->Page(page).Objet(1).nom));
    if (grille.empty()) return false;
    const int objet = engine::NumeroObjet(*s_.scene, page, grille);
    return objet > 0 && s_.grilleSaisie && s_.grilleSaisie(page, objet);
}

bool RedactionImprimee::TableauRempli(const EtapeMethode& etape) const {
    const std::vector<int> pages = EtapeTableauxPages(etape);
    if (pages.front() < 1) return false;
    for (const int p : pages) {
        if (TableauPageEstSaisie(p)) return true;
    }
    return false;
}

void RedactionImprimee::SommaireEtapesMarquer() {
    plan::SommaireEtapesMarquer(*s_.etapes, [this](const EtapeMethode& e) { return TableauRempli(e); });
}

void RedactionImprimee::SautDePageImprimeExporte(bool exporte) {
    if (exporte) {
        if (s_.exportTexteAjouter) s_.exportTexteAjouter(kMarqueurNouvellePage);
    } else if (s_.travail != nullptr) {
        s_.travail->ImprimeAjoutePage(kCommandeSautDePage);
    }
}

void RedactionImprimee::EtapeImprimeExporte(int etape, bool exporte, std::string_view prefixe) {
    if (etape < 1 || etape > s_.etapes->NombreEtapes()) {
        if (s_.signaler) s_.signaler(kMessageSansEtape);
        return;
    }
    const auto met = ObjetMethode();
    if (!met) return;
    const EtapeMethode& e = s_.etapes->Etape(etape);

    rtf::DocumentTravail d;
    d.InsererRtfFin(e.TitreRTF);
    if (!prefixe.empty() && e.Code != "31") d.InsererTexte(0, platform::Cp1252VersU32(prefixe));
    d.InsererTexte(d.Longueur(), U"\r\n");
    if (!e.TexteRedige.empty()) d.InsererRtfFin(e.TexteRedige);

    {
        const auto [page, objet] = *met;
        TexteEmprunte texte(s_.scene->Page(page).Objet(objet).texte, d.Rtf());
        if (s_.travail != nullptr) {
            if (exporte) {
                s_.travail->TexteRTFInsereTableaux(page, objet, true);
            } else {
                // The contents line of this step takes the page where this
                // marker lands.
                s_.travail->ImprimeAjouteObjet(-1, kCommandeEntreeSommaire, ChaineAjoutePointApresCaractere(e.Code),
                                               {});
                s_.travail->ImprimeAjouteObjet(page, objet, {}, {});
            }
        }
    }
    TableauxImprimeExporte(e, exporte);
}

void RedactionImprimee::TableauxImprimeExporte(const EtapeMethode& etape, bool exporte) {
    const std::vector<int> pages = EtapeTableauxPages(etape);
    if (pages.front() < 1) return;
    const std::int16_t type = exporte ? kActionExport : kActionImpression;
    for (const int p : pages) {
        if (!TableauPageEstSaisie(p)) continue;
        const engine::PageScene& page = s_.scene->Page(p);
        std::string script;
        for (int i = 1; i <= page.ObjetNb(); ++i) {
            const engine::ObjetPage& o = page.Objet(i);
            if (o.Type() == engine::TypeObjet::Action && o.A1 == type) {
                script = o.texte;
                break;
            }
        }
        if (script.empty() || !s_.scriptExecuter) continue;
        // Later grids of the same job are copied in the job's own mode.
        const ModeEmprunte mode(s_, exporte ? kModeTableauExporte : kModeTableauImprime);
        s_.scriptExecuter(script);
    }
}

void RedactionImprimee::RedactionImprimeExporte(std::string_view nom, bool exporte) {
    MethodeEtapes& etapes = *s_.etapes;
    if (nom == "REDACSYNTHETIQUE") {
        if (exporte) return;
        if (!ObjetMethode()) return;
        if (const int i = etapes.NumeroEtape("0"); i > 0 && TexteRicheAContenu(etapes.Etape(i).TexteRedige)) {
            EtapeImprimeExporte(i, false, {});
            SautDePageImprimeExporte(false);
        }
        for (const std::string_view code : {"11", "12"}) {
            if (const int i = etapes.NumeroEtape(code); i > 0) {
                EtapeImprimeExporte(i, false, {});
                SautDePageImprimeExporte(false);
            }
        }
        return;
    }
    if (nom != "REDACTIONNEL") return;
    if (!ObjetMethode()) return;
    SommaireEtapesMarquer();
    NumerosRubrique n;
    bool sortie = false;
    for (int i = 1; i <= etapes.NombreEtapes(); ++i) {
        const EtapeMethode& e = etapes.Etape(i);
        if (e.EnSommaire != -1 && e.AContenu != -1) continue;
        if (e.EnSommaire == -1) n.Avancer(e.Code);
        if ((e.Code.size() == 1 || e.Code == "12") && sortie) SautDePageImprimeExporte(exporte);
        EtapeImprimeExporte(i, exporte, NumeroRubriqueTexte(n.niveaux) + " ");
        sortie = true;
    }
}

void RedactionImprimee::MethodeTextesExporte(std::string_view options) {
    const bool savoirPlus = options.find("SAVOIRPLUS") != std::string_view::npos;
    const bool exemples = options.find("EXEMPLE") != std::string_view::npos;
    const auto met = ObjetMethode();
    if (!met) return;
    MethodeEtapes& etapes = *s_.etapes;
    NumerosRubrique n;
    auto lire = [this](std::string_view code, std::string_view genre) -> std::optional<std::string> {
        return s_.texteMethodeLire ? s_.texteMethodeLire(code, genre) : std::nullopt;
    };
    for (int i = 1; i <= etapes.NombreEtapes(); ++i) {
        const EtapeMethode& e = etapes.Etape(i);
        n.Avancer(e.Code);
        const std::optional<std::string> texte = lire(e.Code, "MET");
        const std::optional<std::string> exemple = exemples ? lire(e.Code, "EXP") : std::nullopt;
        const std::optional<std::string> savoir = savoirPlus ? lire(e.Code, "SAV") : std::nullopt;

        rtf::DocumentTravail d;
        // Each chapter after the first starts a page.
        if (n.niveaux[1] == 0 && n.niveaux[2] == 0 && n.niveaux[0] >= 2) {
            d.InsererTexte(0, platform::Cp1252VersU32(kMarqueurNouvellePage));
        }
        const rtf::Retouche titre{.police = std::string("Arial"), .tailleDemiPoints = 24, .gras = true,
                                  .souligne = false};
        d.InsererTexte(d.Longueur(), platform::Cp1252VersU32(NumeroRubriqueTexte(n.niveaux) + " " + e.Titre + "\r\n\r\n"),
                       titre);
        if (texte) d.InsererRtfFin(*texte);
        if (savoir) {
            d.InsererTexte(d.Longueur(), U"\r\nen savoir plus:\r\n\r\n");
            d.InsererRtfFin(*savoir);
        }
        if (exemple) {
            d.InsererTexte(d.Longueur(), U"\r\nexemple:\r\n\r\n");
            d.InsererRtfFin(*exemple);
        }
        // Page markers of the explanation files dropped, their bullets dashes.
        d.RemplacerTout(U"\u00A4", U"");
        d.RemplacerTout(U"(boule)", U"-");

        const auto [page, objet] = *met;
        TexteEmprunte emprunt(s_.scene->Page(page).Objet(objet).texte, d.Rtf());
        if (s_.travail != nullptr) s_.travail->TexteRTFInsereTableaux(page, objet, false);
    }
}

void RedactionImprimee::SommaireMettreAJour(int page, int objet, bool numeros) {
    const std::string rtf = SommaireConstruire(*s_.etapes, numeros,
                                               [this](const EtapeMethode& e) { return TableauRempli(e); }, sommaire_);
    if (s_.scene->ObjetExiste(page, objet)) s_.scene->Page(page).Objet(objet).texte = rtf;
}

}  // namespace korv::plan
