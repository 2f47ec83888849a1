#include "programme/impression_programme.h"

#include <exception>
#include <stdexcept>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "display/affichage.h"
#include "display/zone.h"
#include "engine/page_jeu.h"
#include "engine/scripts_moteur.h"
#include "formula/fonctions_texte_riche.h"
#include "plan/methode/etapes_methode.h"
#include "plan/methode/lignes_page.h"
#include "plan/methode/redaction_imprimee.h"
#include "plan/methode/textes_methode.h"
#include "engine/liste_std.h"
#include "engine/fichier_nom.h"
#include "engine/moteur.h"
#include "engine/recherche.h"
#include "formula/monnaies.h"
#include "grid/copie_feuille.h"
#include "grid/feuille.h"
#include "grid/graphique.h"
#include "grid/magasin_grilles.h"
#include "grid/tableau.h"
#include "platform/message_box.h"
#include "platform/path_resolver.h"
#include "print/apercu.h"
#include "print/imprimante.h"
#include "print/mesureur.h"
#include "print/pagination.h"
#include "programme/exportation_programme.h"
#include "rtf/texte_balise.h"

namespace korv::programme {

namespace {

constexpr int kGrille = 12;
constexpr int kGraphique = 14;
constexpr std::int16_t kModePageImprimee = 2;
constexpr std::int16_t kModePageExportee = 4;
constexpr std::string_view kTitre = "Corvanne Rarevive Zaru";

std::vector<std::string> Elements(std::string_view liste, char separateur) {
    std::vector<std::string> r(1);
    for (char c : liste) {
        if (c == separateur) {
            r.emplace_back();
        } else {
            r.back() += c;
        }
    }
    return r;
}

}  // namespace

// The scene's objects, grids and charts as the job reads them.
class ImpressionProgramme::Sources final : public print::SourcesExport {
public:
    Sources(engine::Moteur& moteur, grid::MagasinGrilles& magasin, display::AffichagePage& affichage,
            print::ImpressionTravail& travail)
        : moteur_(moteur), magasin_(magasin), affichage_(affichage), travail_(travail) {}

    int NombreObjets(int page) override {
        return moteur_.scene.PageExiste(page) ? moteur_.scene.Page(page).ObjetNb() : 0;
    }

    std::optional<Objet> ObjetPage(int page, int objet) override {
        if (!moteur_.scene.ObjetExiste(page, objet)) return std::nullopt;
        const engine::ObjetPage& o = moteur_.scene.Page(page).Objet(objet);
        return Objet{o.type, o.G[2], o.texte, o.fichier};
    }

    std::optional<std::string> FichierLu(std::string_view fichier) override {
        const auto chemin = platform::ResoudreChemin(fichier);
        if (!chemin) return std::nullopt;
        std::ifstream f(*chemin, std::ios::binary);
        if (!f) return std::nullopt;
        return std::string(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    }

    std::optional<CopieGrille> CopierGrille(int page, int objet) override {
        grid::TableauClasse* g = magasin_.Cherche(page, objet);
        if (g == nullptr) return std::nullopt;
        auto classeur = std::make_unique<grid::Classeur>();
        grid::ContexteCopie ctx;
        ctx.mode = travail_.ModeImpressionExport;
        ctx.monnaie = Monnaie();
        ctx.twipsParPixelX = affichage_.PageTampon.TwipsParPixelX();
        ctx.twipsParPixelY = affichage_.PageTampon.TwipsParPixelY();
        ctx.texteAffiche = [this](grid::TableauClasse& t, int c, int r) { return magasin_.TexteAffiche(t, c, r); };
        {
            // While the grid's print event runs, scripts read the export
            // modes 3 and 4 as 0 and 2.
            const std::int16_t mode = travail_.ModeImpressionExport;
            if (mode == 3) travail_.ModeImpressionExport = 0;
            if (mode == 4) travail_.ModeImpressionExport = 2;
            struct Retablir {
                print::ImpressionTravail& t;
                std::int16_t mode;
                ~Retablir() { t.ModeImpressionExport = mode; }
            } retablir{travail_, mode};
            grid::CopierVersBook(*g, *classeur, 1, ctx);
        }
        TaillesDeLaGrille(*g, classeur->FeuilleNumero(1), ctx.mode);
        CopieGrille r;
        r.titre = grid::TitreImpressionFeuille(g->ImprimeTitreRetourne(), ctx.monnaie);
        r.feuille = print::FeuilleDuClasseur(std::move(classeur), 1);
        return r;
    }

    grid::ContenuGraphique CopierGraphique(int page, int objet) override {
        const engine::Scene& scene = moteur_.scene;
        // The chart shows the current values of its page's grids.
        for (int k = 1; k <= NombreObjets(page); ++k) {
            if (scene.Page(page).Objet(k).type != kGrille) continue;
            if (grid::TableauClasse* g = magasin_.Cherche(page, k)) g->RecalculSansInit();
        }
        grid::EnvironnementGraphique env;
        env.grille = [this, &scene](std::string_view nomPage, std::string_view nomObjet) -> grid::TableauClasse* {
            const int p = engine::NumeroDePage(scene, nomPage);
            if (p < 1) return nullptr;
            const int n = engine::NumeroObjet(scene, p, nomObjet);
            return n < 1 ? nullptr : magasin_.Cherche(p, n);
        };
        const std::string dossier = std::filesystem::path(scene.entete.cheminScene).parent_path().string();
        env.nomAbsolu = [dossier](std::string_view f) { return engine::NomFichierAbsolu(f, dossier); };
        env.fichierExiste = [](const std::string& f) { return platform::ResoudreChemin(f).has_value(); };
        const std::string& texte = scene.Page(page).Objet(objet).texte;
        grid::GraphiqueClasse c;
        c.MajDonnees(engine::ListeStdElementValeur(texte, 1), engine::ListeStdElementValeur(texte, 2), true, env);
        return c.Contenu();
    }

    std::optional<std::string> CaseReferenceValeur(std::string_view reference) override {
        const auto e = Elements(reference, ',');
        if (e.size() < 3) return std::nullopt;
        const engine::Scene& scene = moteur_.scene;
        const int page = engine::NumeroDePage(scene, e[0]);
        if (page < 1) return std::nullopt;
        const int objet = engine::NumeroObjet(scene, page, e[1]);
        if (objet < 1 || scene.Page(page).Objet(objet).type != kGrille) return std::nullopt;
        grid::TableauClasse* g = magasin_.Cherche(page, objet);
        if (g == nullptr) return std::nullopt;
        const auto coord = g->CaseNomCoordonnees(e[2]);
        if (!coord || coord->colonne < 1 || coord->ligne < 1) return std::nullopt;
        return g->CaseValeurAAfficher(coord->colonne, coord->ligne);
    }

    std::string NomObjet(int page, int objet) override {
        return moteur_.scene.ObjetExiste(page, objet) ? moteur_.scene.Page(page).Objet(objet).nom : std::string();
    }

    rtf::Document TexteBaliseRtf(std::string_view texte) override {
        return rtf::TexteInterneVersRTF(texte, policeDefaut, affichage_.PageTampon.TwipsParPixelY());
    }

    // The font a tagged text starts in.
    std::string policeDefaut = "Arial";

private:
    // The plan's currency symbol, from cell (1, 2) of PREVISION.COMPTE.
    std::string Monnaie() {
        const engine::Scene& scene = moteur_.scene;
        const int page = engine::NumeroDePage(scene, "PREVISION");
        if (page < 1) return {};
        const int objet = engine::NumeroObjet(scene, page, "COMPTE");
        grid::TableauClasse* g = objet < 1 ? nullptr : magasin_.Cherche(page, objet);
        if (g == nullptr || g->ColonneNb() < 1 || g->LigneNb() < 2) return {};
        return formula::TableMonnaies::MonnaieSymboleDuNom(g->CaseValeurInternePendantCalcul(1, 2).EnTexte());
    }

    // Rows and columns the copy gave no size keep the grid's own.
    static void TaillesDeLaGrille(grid::TableauClasse& g, grid::Feuille& f, int mode) {
        const bool sansPlis = mode == 2 || mode == 4;
        int n = 0;
        for (int c = 1; c <= g.ColonneNb(); ++c) {
            const auto& x = g.Colonne(c);
            if (x.AttributImpression.Imprimable == 0 || (sansPlis && x.Pliee == -1)) continue;
            ++n;
            if (x.Taille > 0) f.largeurs.try_emplace(n, x.Taille);
        }
        n = f.titreImpression.empty() ? 0 : 1;
        for (int r = 1; r <= g.LigneNb(); ++r) {
            const auto& x = g.Ligne(r);
            if (x.AttributImpression.Imprimable == 0 || (sansPlis && x.Pliee == -1)) continue;
            ++n;
            if (x.Taille > 0) f.hauteurs.try_emplace(n, x.Taille);
        }
    }

    engine::Moteur& moteur_;
    grid::MagasinGrilles& magasin_;
    display::AffichagePage& affichage_;
    print::ImpressionTravail& travail_;
};

// The contents box: the contents last built, and the selection that
// TEXTERECHERCHEPAGE moves over it.
class ImpressionProgramme::Sommaire final : public formula::BoiteSommaire {
public:
    explicit Sommaire(ImpressionProgramme& p) : p_(p) {}
    std::u32string TexteBrut() const override {
        return p_.redaction_ ? p_.redaction_->Sommaire().TexteBrut() : std::u32string();
    }
    std::int32_t SelectionDebut() const override { return debut_; }
    void Selectionner(std::int32_t debut, std::int32_t) override { debut_ = debut; }
    // A new contents puts the caret back at its start.
    void Remplace() { debut_ = 0; }

private:
    ImpressionProgramme& p_;
    std::int32_t debut_ = 0;
};

ImpressionProgramme::ImpressionProgramme(engine::Moteur& moteur, grid::MagasinGrilles& magasin,
                                         display::AffichagePage& affichage,
                                         platform::BoiteMessage* messages, print::Imprimante& imprimante,
                                         print::MesureurTexte& mesureur)
    : moteur_(moteur),
      magasin_(magasin),
      affichage_(affichage),
      messages_(messages),
      imprimante_(imprimante),
      mesureur_(mesureur),
      sources_(std::make_unique<Sources>(moteur, magasin, affichage, travail_)),
      ajout_(travail_, *sources_),
      sommaire_(std::make_unique<Sommaire>(*this)) {}

ImpressionProgramme::~ImpressionProgramme() = default;

void ImpressionProgramme::ImprimePrepareDebut(std::uint8_t mode) {
    display::MessageFenetreOuvre(affichage_, "Pr\xE9paration aper\xE7u", "En cours...");
    print::ImprimePrepareDebut(travail_, mode, imprimante_.Caracteristiques());
}

void ImpressionProgramme::ImprimeMargesFixe(double gauche, double haut, double droite, double bas, double pied,
                                            double entete) {
    print::ImprimeMargesFixe(travail_, gauche, haut, droite, bas, pied, entete);
}

void ImpressionProgramme::ImprimeEnTeteFixe(std::string_view texte, bool affiche, bool premierePage) {
    print::ImprimeEnTeteFixe(travail_, std::string(texte), affiche, premierePage);
}

void ImpressionProgramme::ImprimePiedDePageFixe(std::string_view texte, bool affiche, bool premierePage) {
    print::ImprimePiedDePageFixe(travail_, std::string(texte), affiche, premierePage);
}

void ImpressionProgramme::ImprimeAjouteObjet(int page, int objet, std::string_view texte,
                                             std::span<const formula::Valeur> options) {
    ajout_.ImprimeAjouteObjet(page, objet, texte, options);
}

void ImpressionProgramme::ImprimeAjoutePage(std::uint8_t argument) {
    ajout_.ImprimeAjouteObjet(-1, argument, {}, {});
}

void ImpressionProgramme::Imprime() {
    if (apercu_ != nullptr) {
        print::ContexteApercu c{travail_, [this] {
                                    Paginer();
                                    return travail_.NombreDePages;
                                }};
        apercu_->Montrer(c);
        return;
    }
    Paginer();
}

void ImpressionProgramme::Paginer() {
    if (travail_.ApercuPrepare) return;
    try {
        print::ApercuPaginer(travail_, mesureur_, affichage_.PageTampon.TwipsParPixelY());
    } catch (const std::exception& e) {
        if (messages_) {
            messages_->Afficher(std::string("Erreur pendant l'impression\r\n") + e.what(), platform::style::Ok,
                                "Corvanne Rarevive Zaru");
        }
    }
}

void ImpressionProgramme::MessageFenetreFerme() { display::MessageFenetreFerme(affichage_); }

print::SourcesExport& ImpressionProgramme::SourcesExport() { return *sources_; }
void ImpressionProgramme::PoliceTexteBalise(std::string police) { sources_->policeDefaut = std::move(police); }

void ImpressionProgramme::ExportationFenetreOuvre(std::int16_t mode) { Exportation().ExportationFenetreOuvre(mode); }
void ImpressionProgramme::ExporteTextesOuTableaux(std::int16_t option) {
    Exportation().ExporteTextesOuTableaux(option);
}
void ImpressionProgramme::MethodeTextesExporte(std::string_view texte) {
    if (redaction_) redaction_->MethodeTextesExporte(texte);
}
void ImpressionProgramme::TexteRTFInsereTableaux(int page, int objet, bool rtf) {
    Exportation().TexteRTFInsereTableaux(page, objet, rtf);
}

ExportationProgramme& ImpressionProgramme::Exportation() {
    if (exportation_ == nullptr) throw std::logic_error("export run without its module");
    return *exportation_;
}
void ImpressionProgramme::RedactionImprimeExporte(std::string_view variante, bool exporte) {
    if (redaction_) redaction_->RedactionImprimeExporte(variante, exporte);
}
std::int16_t ImpressionProgramme::NumeroEtape(std::string_view code) {
    if (plan_.etapes == nullptr) return 0;
    return static_cast<std::int16_t>(plan_.etapes->NumeroEtape(code.empty() ? plan_.etapes->EtapeCouranteCode() : code));
}
void ImpressionProgramme::EtapeImprimeExporte(std::int16_t etape, bool exporte) {
    if (redaction_) redaction_->EtapeImprimeExporte(etape, exporte, {});
}
void ImpressionProgramme::SommaireMettreAJour(int page, int objet, std::int16_t numeros) {
    if (!redaction_) return;
    redaction_->SommaireMettreAJour(page, objet, numeros == 1);
    sommaire_->Remplace();
}

formula::BoiteSommaire& ImpressionProgramme::BoiteSommaire() { return *sommaire_; }

void ImpressionProgramme::Message(std::string_view texte) {
    if (messages_) messages_->Afficher(texte, platform::style::Ok, kTitre);
}

void ImpressionProgramme::Brancher(Plan plan) {
    plan_ = std::move(plan);
    plan::ServicesRedactionImprimee s;
    s.scene = &moteur_.scene;
    s.etapes = plan_.etapes;
    s.travail = this;
    s.modeFixer = [this](std::int16_t mode) { travail_.ModeImpressionExport = mode; };
    s.scriptExecuter = [this](std::string_view script) {
        moteur_.ScriptsDuMoteur().ProgScriptExecute(script, moteur_.jeu.PageCourante, -1, "");
    };
    s.grilleSaisie = [this](int page, int objet) {
        const grid::TableauClasse* g = magasin_.Cherche(page, objet);
        return g != nullptr && g->TableauEstIlSaisi();
    };
    // The export's only plain text is the page-break marker.
    s.exportTexteAjouter = [this](std::string_view) { Exportation().SautDePageAjouter(); };
    s.texteMethodeLire = [this](std::string_view code, std::string_view genre) {
        // Named from an empty folder, then resolved against the scene's own.
        const std::string nom = plan::EtapeFichierTexteChemin("", code, genre);
        return sources_->FichierLu(engine::NomFichierAbsolu(nom, moteur_.scene.entete.repertoireScene));
    };
    s.signaler = [this](std::string_view texte) { Message(texte); };
    redaction_ = std::make_unique<plan::RedactionImprimee>(std::move(s));
}

void ImpressionProgramme::ScriptsPageCourante(std::initializer_list<std::string_view> scripts, std::int16_t mode) {
    travail_.ModeImpressionExport = mode;
    const int page = moteur_.jeu.PageCourante;
    for (const std::string_view script : scripts) moteur_.ScriptsDuMoteur().ProgScriptExecute(script, page, -1, "");
    travail_.ModeImpressionExport = 0;
    // A chart is drawn again by going to its page; anything else by a redraw.
    const engine::Scene& scene = moteur_.scene;
    if (scene.PageExiste(page)) {
        for (const engine::ObjetPage& o : scene.Page(page).objets) {
            if (o.type == kGraphique) {
                engine::SauteALaPage(moteur_, page);
                return;
            }
        }
    }
    display::PageJeuReafficheEnEntier(affichage_);
}

void ImpressionProgramme::PageCouranteImprimer() {
    if (plan_.editionValider) plan_.editionValider();
    const engine::Scene& scene = moteur_.scene;
    const int page = moteur_.jeu.PageCourante;
    if (!scene.PageExiste(page)) return;
    const std::string code = plan_.etapes ? plan_.etapes->EtapeCouranteCode() : std::string();
    const plan::LignesPage l = plan::LignesImpressionPage(scene.Page(page), code);
    if (l.panneau > 0 && plan_.redactionSauver) plan_.redactionSauver(std::string(scene.Page(page).Objet(l.panneau).texte));
    if (l.lignes.empty()) {
        Message("Cette page ne contient pas d'objet imprimable en dehors d'un dossier");
        return;
    }
    // The scene's own start and end of a print job around the page's lines.
    const int p = engine::NumeroDePage(scene, "IMPRIMEPAGE");
    if (p < 1) return;
    const int d = engine::NumeroObjet(scene, p, "DEBUT");
    if (d < 1) return;
    const int f = engine::NumeroObjet(scene, p, "FIN");
    if (f < 1) return;
    const std::string debut = scene.Page(p).Objet(d).texte;
    const std::string fin = scene.Page(p).Objet(f).texte;
    ScriptsPageCourante({debut, l.lignes, fin}, kModePageImprimee);
}

void ImpressionProgramme::PageCouranteExporteRTF() {
    if (plan_.editionValider) plan_.editionValider();
    const engine::Scene& scene = moteur_.scene;
    const int page = moteur_.jeu.PageCourante;
    if (!scene.PageExiste(page)) return;
    const std::string code = plan_.etapes ? plan_.etapes->EtapeCouranteCode() : std::string();
    const plan::LignesPage l = plan::ScriptExportPage(scene.Page(page), code);
    if (l.panneau > 0 && plan_.redactionSauver) plan_.redactionSauver(std::string(scene.Page(page).Objet(l.panneau).texte));
    if (l.lignes.empty()) {
        Message("Cette page ne contient pas d'objet exportable en dehors d'un dossier");
        return;
    }
    ScriptsPageCourante({l.lignes}, kModePageExportee);
}

}  // namespace korv::programme
