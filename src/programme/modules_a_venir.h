#pragma once
// The modules the program does not have yet, each stood in for by one
// explicit object of the composition. A stand-in answers neutrally and
// writes one ERROR.TXT record the first time each of its operations is
// used, so that a missing feature is never silent. `Noms` lists the modules
// stood in for; a test keeps that list short and true.

#include <cstdint>
#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>

#include "engine/declenchement_services.h"
#include "engine/services.h"
#include "formula/travail_impression.h"

namespace korv::engine {
class Moteur;
}
namespace korv::grid {
class MagasinGrilles;
}

namespace korv::programme {

// Names of the modules to come, as the list test spells them.
namespace module {
inline constexpr std::string_view Grilles = "affichage et souris des grilles";
inline constexpr std::string_view Edition = "edition de texte";
inline constexpr std::string_view DocumentPlan = "document du plan";
inline constexpr std::string_view Methode = "methode guidee";
inline constexpr std::string_view Impression = "impression et exportation";
}  // namespace module

class ModulesAVenir {
public:
    explicit ModulesAVenir(engine::Moteur& moteur) : moteur_(moteur) {}

    // Records that the composition stands in for `nom`.
    void Declarer(std::string_view nom) { noms_.emplace(nom); }
    const std::set<std::string, std::less<>>& Noms() const noexcept { return noms_; }

    // The first use of `operation` of module `nom` goes to ERROR.TXT.
    void Signaler(std::string_view nom, std::string_view operation);

private:
    engine::Moteur& moteur_;
    std::set<std::string, std::less<>> noms_;
    std::set<std::pair<std::string, std::string>, std::less<>> signales_;
};

// The grids of the scene are built, computed and reached by formulas;
// their display and mouse and keyboard interaction are still to come.
class GrillesProgramme final : public engine::Grilles {
public:
    GrillesProgramme(grid::MagasinGrilles& magasin, ModulesAVenir& modules);
    void GrillesConstruire(const engine::Scene& scene) override;
    formula::ServiceGrille* GrilleDe(int page, int objet) override;
    void ParcouruRecalculReinitTous() override;
    void ReferencesRecreer(const engine::Scene& scene) override;
    void PreparerPourPage(int page, int objet) override;
    void BoutonAscenseurMaj(int, int) override { Signaler("BoutonAscenseurMaj"); }
    bool ASelection(int, int) override { return false; }
    void AppuieTouche(int, int, int, int) override { Signaler("AppuieTouche"); }
    void SelectionnerRien(int, int) override { Signaler("SelectionnerRien"); }
    void Affiche(int, int) override { Signaler("Affiche"); }
    void MouseDownConsultation(int, int, int, int, std::int32_t, std::int32_t) override {
        Signaler("MouseDownConsultation");
    }
    void MouseMoveConsultation(int, int, int, std::int32_t, std::int32_t) override {}
    void MouseUpConsultation(int, int, std::int32_t, std::int32_t) override { Signaler("MouseUpConsultation"); }
    int QuelCurseurDeSouris(int, int, std::int32_t, std::int32_t) override { return 0; }

private:
    void Signaler(std::string_view operation) { modules_.Signaler(module::Grilles, operation); }
    grid::MagasinGrilles& magasin_;
    ModulesAVenir& modules_;
};

class EditionAVenir final : public engine::EditionTexte {
public:
    explicit EditionAVenir(ModulesAVenir& modules);
    bool EditionVisible() override { return false; }
    void TexteEditeParUtilisateurCommence(int, int, std::string_view) override {
        modules_.Signaler(module::Edition, "TexteEditeParUtilisateurCommence");
    }
    // Nothing is ever being edited, so there is nothing to end.
    void TexteEditeParUtilisateurFin() override {}

private:
    ModulesAVenir& modules_;
};

// The print job and the export driver.
class ImpressionAVenir final : public formula::TravailImpression {
public:
    explicit ImpressionAVenir(ModulesAVenir& modules);
    void ImprimePrepareDebut(std::uint8_t) override { Signaler("ImprimePrepareDebut"); }
    void ImprimeMargesFixe(double, double, double, double, double, double) override { Signaler("ImprimeMargesFixe"); }
    void ImprimeEnTeteFixe(std::string_view, bool, bool) override { Signaler("ImprimeEnTeteFixe"); }
    void ImprimePiedDePageFixe(std::string_view, bool, bool) override { Signaler("ImprimePiedDePageFixe"); }
    void ImpressionPremierNumeroFixe(std::int32_t) override { Signaler("ImpressionPremierNumeroFixe"); }
    void ApercuDejaPrepare(bool) override { Signaler("ApercuDejaPrepare"); }
    void ImprimeAjouteObjet(int, int, std::string_view, std::span<const formula::Valeur>) override {
        Signaler("ImprimeAjouteObjet");
    }
    void ImprimeAjoutePage(std::uint8_t) override { Signaler("ImprimeAjoutePage"); }
    void Imprime() override { Signaler("Imprime"); }
    void MessageFenetreFerme() override {}
    std::int16_t Mode() const override { return 0; }
    void ExportationFenetreOuvre(std::int16_t) override { Signaler("ExportationFenetreOuvre"); }
    void ExporteTextesOuTableaux(std::int16_t) override { Signaler("ExporteTextesOuTableaux"); }
    void MethodeTextesExporte(std::string_view) override { Signaler("MethodeTextesExporte"); }
    void TexteRTFInsereTableaux(int, int, bool) override { Signaler("TexteRTFInsereTableaux"); }
    void RedactionImprimeExporte(std::string_view, bool) override { Signaler("RedactionImprimeExporte"); }
    std::int16_t NumeroEtape(std::string_view) override { return 0; }
    void EtapeImprimeExporte(std::int16_t, bool) override { Signaler("EtapeImprimeExporte"); }
    void SommaireMettreAJour(int, int, std::int16_t) override { Signaler("SommaireMettreAJour"); }

private:
    void Signaler(std::string_view operation) { modules_.Signaler(module::Impression, operation); }
    ModulesAVenir& modules_;
};

}  // namespace korv::programme
