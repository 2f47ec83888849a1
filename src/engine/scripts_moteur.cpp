#include "engine/scripts_moteur.h"

#include <cmath>
#include <limits>
#include <random>

#include "engine/attente_boucle.h"
#include "engine/erreur.h"
#include "engine/moteur.h"
#include "engine/page_jeu.h"
#include "engine/recherche.h"
#include "formula/fonctions_texte_riche.h"
#include "formula/statut_commande.h"
#include "formula/script_impression.h"
#include "formula/script.h"
#include "formula/script_programme.h"
#include "formula/services.h"
#include "formula/services_script.h"
#include "formula/variables.h"
#include "platform/message_box.h"
#include "text/requetes.h"

namespace korv::engine {

namespace {

std::int16_t Entier16(int v) {
    if (v < std::numeric_limits<std::int16_t>::min() || v > std::numeric_limits<std::int16_t>::max()) return 0;
    return static_cast<std::int16_t>(v);
}

int Pixels(std::int32_t twips, std::int32_t twipsParPixel) {
    if (twipsParPixel <= 0) return 0;
    return static_cast<int>(std::nearbyint(static_cast<double>(twips) / twipsParPixel));
}

// The answer of a message box when the program has none (headless runs):
// its default button.
int Affiche(Moteur& moteur, std::string_view texte, int style, std::string_view titre) {
    if (auto* b = moteur.Messages()) return b->Afficher(texte, style, titre);
    return platform::Code(platform::DecodeStyle(style).ReponseDefaut());
}

// The scene tables and the play state, as formulas read and change them.
// Grids are not reached yet: every object answers "no grid".
class SceneFormule final : public formula::ServicesScene {
public:
    explicit SceneFormule(Moteur& moteur) : m_(moteur) {}

    std::int16_t NumeroDePage(std::string_view nom) const override {
        return Entier16(engine::NumeroDePage(m_.scene, nom));
    }
    std::int16_t NumeroObjet(std::int16_t page, std::string_view nom) const override {
        return Entier16(engine::NumeroObjet(m_.scene, page, nom));
    }
    std::int16_t PageNb() const override { return Entier16(m_.scene.PageNb()); }
    std::int16_t ObjetNb(std::int16_t page) const override {
        return m_.scene.PageExiste(page) ? Entier16(m_.scene.Page(page).ObjetNb()) : 0;
    }
    std::uint8_t TypeObjet(std::int16_t page, std::int16_t objet) const override {
        return m_.scene.ObjetExiste(page, objet) ? m_.scene.Page(page).Objet(objet).type : 0;
    }
    std::int16_t PageCourante() const override { return m_.jeu.PageCourante; }
    std::int16_t ModeProgramme() const override { return m_.jeu.ModeProgramme; }
    formula::ServiceGrille* Grille(std::int16_t page, std::int16_t objet) override {
        return m_.Tableaux().GrilleDe(page, objet);
    }
    std::int16_t ObjetEntierA1(std::int16_t page, std::int16_t objet) const override {
        return m_.scene.ObjetExiste(page, objet) ? m_.scene.Page(page).Objet(objet).A1 : 0;
    }
    // The object's text without its tags, "<Cr>" and page breaks as CR LF.
    std::string ObjetTexteDecode(std::int16_t page, std::int16_t objet) const override {
        return text::TexteDecodeSeul(ObjetTexte(m_.scene, page, objet), true, false);
    }
    void ObjetTexteChange(std::int16_t page, std::int16_t objet, std::string_view texte) override {
        if (m_.scene.ObjetExiste(page, objet)) m_.scene.Page(page).Objet(objet).texte = std::string(texte);
    }
    std::optional<formula::EntreeAffichee> ObjetAffiche(std::int16_t page, std::int16_t objet) const override {
        const int k = ObjetAfficheNObjetVersNAffiche(m_.affiches, page, objet);
        if (k < 1) return std::nullopt;
        const auto& a = m_.affiches.Entree(k);
        return formula::EntreeAffichee{a.clicX, a.clicY, a.morceauTexte, a.ligneTexteLong, a.ligneSelectionnee};
    }
    std::int32_t DernierSourisX() const override { return m_.souris.SourisX; }
    double EchelleEcranY() const override { return 1.0; }
    std::int16_t TexteNLigneVersNPage(std::int16_t page, std::int16_t objet, std::int32_t ligne) const override {
        return Entier16(m_.Ecran().TexteNLigneVersNPage(page, objet, ligne));
    }
    // The sprite's place on its path, in the units its triggers count in.
    std::optional<double> PositionSurChemin(std::int16_t page, std::int16_t objet) const override {
        auto& voisins = m_.Declenchement().Voisins();
        const int s = voisins.SpriteNObjetVersNSprite(page, objet);
        if (s < 1) return std::nullopt;
        const SpriteVue v = voisins.Sprite(s);
        if (v.longueurChemin < 1) return std::nullopt;
        return std::floor(v.positionSurChemin * v.longueurRelative / static_cast<double>(v.longueurChemin));
    }
    void Reaffiche(std::int16_t page, std::int16_t objet) override {
        if (!m_.scene.ObjetExiste(page, objet)) return;
        const ObjetPage& o = m_.scene.Page(page).Objet(objet);
        // A chart reads its grids again only when a script asks it here.
        if (o.Type() == TypeObjet::Graphique) {
            m_.Ecran().GraphiqueRafraichir(page, objet);
        } else {
            m_.Ecran().MajDessinObjet(page, objet, true, true, 0, 0, -1);
        }
        if (o.F1 != 0) return;
        const TwipsParPixel tpp = m_.Declenchement().Configuration().twipsParPixel;
        const int plus = o.E1 > 0 ? o.E1 : 0;
        m_.Ecran().Effet(0, Pixels(o.gauche, tpp.x), Pixels(o.haut, tpp.y), Pixels(o.largeur, tpp.x) + plus,
                         Pixels(o.hauteur, tpp.y) + plus);
    }
    void TableauxParcouruRecalculReinit() override { m_.Tableaux().ParcouruRecalculReinitTous(); }

private:
    Moteur& m_;
};

class SystemeFormule final : public formula::ServicesSysteme {
public:
    explicit SystemeFormule(Moteur& moteur) : m_(moteur), hasard_(std::random_device{}()) {}

    std::int16_t LangueCourante() const override { return m_.jeu.LangueCourante; }
    // The 32-bit tick wraps as the system's does.
    std::int32_t Temps() const override { return static_cast<std::int32_t>(static_cast<std::uint32_t>(Maintenant(m_))); }
    std::int32_t DebutPageTemps() const override {
        return static_cast<std::int32_t>(static_cast<std::uint32_t>(m_.jeu.TempsDebutPage));
    }
    double Hasard() override { return std::uniform_real_distribution<double>(0.0, 1.0)(hasard_); }
    std::int32_t BitsParPixel() const override { return 32; }
    std::int32_t Question(std::string_view message, std::int32_t boutons, std::string_view titre) override {
        return Affiche(m_, message, boutons, titre);
    }
    std::string CommandeStatutLibelle(double statut) const override { return formula::CommandeStatutLibelle(statut); }

private:
    Moteur& m_;
    std::mt19937 hasard_;
};

// What scripts do to the engine.
class ServicesScriptMoteur final : public formula::ServicesScript {
public:
    explicit ServicesScriptMoteur(Moteur& moteur) : m_(moteur) {}

    formula::TravailImpression* travail = nullptr;

    void SauteALaPage(int page) override { engine::SauteALaPage(m_, page); }
    void RetourPagePrecedente() override { engine::RetourPagePrecedente(m_); }
    std::vector<formula::ElementScript> Elements(int page, int objet) const override {
        std::vector<formula::ElementScript> r;
        if (!m_.scene.ObjetExiste(page, objet)) return r;
        for (const auto& e : m_.scene.Page(page).Objet(objet).elements) r.push_back({e.ObjetCible, e.Parametre, e.Texte});
        return r;
    }
    std::string ObjetTexte(int page, int objet) const override { return engine::ObjetTexte(m_.scene, page, objet); }
    void DeclencheObjet(int page, int objet, int element, int action, int mode, int source) override {
        m_.Declenche().DeclencheObjet(page, objet, element, action, mode, source);
    }
    void ObjetMetEnAttente(int page, int objet) override {
        (void)EvenementObjetEnAttenteDEvenementAjoute(m_, page, objet);
    }
    int Message(std::string_view texte, int style, std::string_view titre) override {
        return Affiche(m_, texte, style, titre);
    }
    bool ArretDemande() const override {
        return (m_.jeu.ModeProgramme == kModeJeu && m_.jeu.JeuFinDemande == -1) || m_.fin.demandee;
    }
    // The guided method belongs to the business-plan layer.
    std::string MethodeMenuPageNom() override { return m_.Plan().MethodeMenuPageNom(); }
    std::vector<int> EtapeTableauxPages() override { return m_.Plan().EtapeTableauxPages(); }
    void GlossaireAfficheDefinition() override { m_.Plan().GlossaireAfficheDefinition(); }
    void MethodeChanger(std::string_view argument) override { m_.Plan().MethodeChanger(argument); }
    void PlanAffaireModifieFixer(bool) override {}
    formula::TravailImpression* Impression() override { return travail; }

    formula::SuiteErreurScript ErreurSignale(std::int32_t ligne, std::string_view procedure,
                                             const std::exception& erreur) override {
        std::int32_t numero = kErreurInterne;
        if (const auto* e = dynamic_cast<const ErreurMoteur*>(&erreur)) {
            numero = e->numero();
        } else if (const auto* f = dynamic_cast<const formula::ErreurExecution*>(&erreur)) {
            numero = f->numero();
        }
        const std::string description = erreur.what();
        switch (m_.ModeErreur) {
        case 2:
        case 3:
        case 4:
            if (engine::ErreurSignale(m_, ligne, procedure, numero, description) == SuiteErreur::Relancer) {
                throw ErreurMoteur(numero, description);
            }
            return formula::SuiteErreurScript::Arreter;
        default:
            // The modes that would end the program: a script's error is
            // logged and ends that script; play goes on.
            ErreurJournaliser(m_, procedure, numero, description);
            return formula::SuiteErreurScript::Arreter;
        }
    }

private:
    Moteur& m_;
};

}  // namespace

struct ScriptsMoteur::Impl {
    explicit Impl(Moteur& m) : moteur(m), scene(m), systeme(m), services(m) {}

    Moteur& moteur;
    SceneFormule scene;
    SystemeFormule systeme;
    ServicesScriptMoteur services;
    formula::TableVariables variables;
    formula::FonctionsTexteRiche texteRiche{scene, services};
    formula::FonctionsImpression impression{scene, services, &texteRiche};
    formula::ServicesFormule formule{scene, systeme, variables, &impression};
    formula::ProgrammationInterne programme{formule, services};
};

ScriptsMoteur::ScriptsMoteur(Moteur& moteur) : impl_(std::make_unique<Impl>(moteur)) {}
ScriptsMoteur::~ScriptsMoteur() = default;

void ScriptsMoteur::ProgScriptExecute(std::string_view texte, int page, int objet, std::string_view evenement) {
    (void)Execute(texte, page, objet, evenement);
}

namespace {

// A currency conversion left open ends with the outermost run, however the
// run ends (its last line, a stop, an error passed on).
template <typename Lancer>
std::int16_t AvecFinConversion(Moteur& moteur, formula::ProgrammationInterne& programme, Lancer lancer) {
    struct FinConversion {
        Moteur* moteur;  // null for a nested run
        ~FinConversion() {
            if (moteur) moteur->ConversionMonnaieTerminer();
        }
    } fin{programme.Profondeur() == 0 ? &moteur : nullptr};
    return lancer();
}

}  // namespace

std::int16_t ScriptsMoteur::Execute(std::string_view texte, int page, int objet, std::string_view evenement) {
    return AvecFinConversion(impl_->moteur, impl_->programme,
                             [&] { return impl_->programme.ProgScriptExecute(texte, page, objet, evenement); });
}

void ScriptsMoteur::Compile(formula::ScriptClasse& script, std::string_view texte) {
    (void)impl_->programme.ScriptCompile(script, texte);
}

std::int16_t ScriptsMoteur::Execute(formula::ScriptClasse& script, int page, int objet, std::string_view evenement) {
    return AvecFinConversion(impl_->moteur, impl_->programme,
                             [&] { return impl_->programme.ScriptExecute(script, page, objet, evenement); });
}

std::string ScriptsMoteur::ProgExprEvalue(std::string_view texte) { return impl_->programme.ProgExprEvalue(texte); }

void ScriptsMoteur::VarSupprimerToutes() { impl_->variables.VarSupprimerToutes(); }
void ScriptsMoteur::VarLocalesSupprimer() { impl_->variables.VarLocalesSupprimer(); }

formula::TableVariables& ScriptsMoteur::Variables() { return impl_->variables; }
const formula::ServicesFormule& ScriptsMoteur::Formule() { return impl_->formule; }
formula::ProgrammationInterne& ScriptsMoteur::Programme() { return impl_->programme; }
void ScriptsMoteur::Impression(formula::TravailImpression* travail) { impl_->services.travail = travail; }
void ScriptsMoteur::Sommaire(formula::BoiteSommaire* boite) { impl_->texteRiche.Sommaire(boite); }
void ScriptsMoteur::FonctionsGrilles(formula::ServicesFonctionsAction* fonctions) {
    impl_->texteRiche.Suivant(fonctions);
}

}  // namespace korv::engine
