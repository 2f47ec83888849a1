#pragma once
// Grids that compute for the tests: pages "P1".."Pn" holding grids
// "T1".."Tm", formulas compiled by the formula language, cell scripts
// recorded instead of run (their text and event, with a scripted answer).

#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "formula/services.h"
#include "formula/variables.h"
#include "grid/contexte_calcul.h"
#include "grid/tableau.h"
#include "grille_fabrique.h"
#include "services_formule_neutres.h"

namespace korv::grid::test {

class BancCalcul final : public SceneSansAffichage, public SystemeFixe, public ContexteCalcul {
public:
    // Adds a c × r grid as object `objet` of page `page`.
    TableauClasse& Ajoute(std::int16_t page, std::int16_t objet, int c, int r) {
        auto g = test::Grille(Enregistrement(c, r));
        g->Identite(page, objet);
        g->Environnement(&environnement);
        g->Calcul(this);
        g->EtatCalculPartage(&etat);
        auto& ref = *g;
        grilles[{page, objet}] = std::move(g);
        return ref;
    }
    // Every dependants list rebuilt, as play start does.
    void ReferencesRecreer() {
        for (auto& [cle, g] : grilles) g->ReferenceDeSupprimerToutes();
        for (auto& [cle, g] : grilles) g->ReferenceDeCreer(cle.first, cle.second, *this);
    }
    void MarquesReinit() { ++etat.generation; }

    // What the scripts were asked to run: (script, event); the texts compiled.
    std::vector<std::pair<std::string, std::string>> evenements;
    std::vector<std::string> compilations;
    std::int16_t reponseScript = 0;
    bool conversion = false;
    bool chargement = false;
    int copiesFenetre = 0;
    int validations = 0;
    std::int32_t reponseQuestion = 6;
    std::vector<std::string> questions;
    EtatCalcul etat;
    std::map<std::pair<std::int16_t, std::int16_t>, std::unique_ptr<TableauClasse>> grilles;
    formula::TableVariables variables;
    formula::ServicesFormule services{*this, *this, variables, nullptr};

    // ContexteCalcul
    const formula::ServicesFormule& Formules() override { return services; }
    std::shared_ptr<ScriptCase> ScriptCaseCompile(std::string_view script) override {
        compilations.emplace_back(script);
        return std::make_shared<ScriptEnregistre>(*this, std::string(script));
    }
    void MajFenetreJeu() override { ++copiesFenetre; }
    void EditionValider() override { ++validations; }
    bool ChargementPlanEnCours() const override { return chargement; }
    bool ConversionMonnaieEnCours() const override { return conversion; }

    struct ScriptEnregistre final : ScriptCase {
        ScriptEnregistre(BancCalcul& b, std::string t) : banc(b), texte(std::move(t)) {}
        BancCalcul& banc;
        std::string texte;
        std::int16_t Execute(std::string_view evenement) override {
            banc.evenements.emplace_back(texte, std::string(evenement));
            return banc.reponseScript;
        }
    };

    struct Environnement final : EnvironnementGrille {
        explicit Environnement(BancCalcul& b) : banc(b) {}
        BancCalcul& banc;
        bool EnJeu() const override { return true; }
        TableauClasse* Grille(std::int16_t page, std::int16_t objet) override {
            const auto it = banc.grilles.find({page, objet});
            return it == banc.grilles.end() ? nullptr : it->second.get();
        }
        void RedessineSiAffiche(std::int16_t, std::int16_t) override {}
        void TableauxReferencesRecreer() override { banc.ReferencesRecreer(); }
        void PageCouranteRecalculSansInit() override {
            for (auto& [cle, g] : banc.grilles) {
                if (cle.first == banc.PageCourante()) g->RecalculSansInit();
            }
        }
    } environnement{*this};

    // ServicesScene: names "P<n>" and "T<n>".
    std::int16_t NumeroDePage(std::string_view nom) const override { return Numero(nom, 'P'); }
    std::int16_t NumeroObjet(std::int16_t, std::string_view nom) const override { return Numero(nom, 'T'); }
    std::int16_t PageNb() const override { return 200; }
    std::int16_t ObjetNb(std::int16_t) const override { return 200; }
    std::uint8_t TypeObjet(std::int16_t page, std::int16_t objet) const override {
        return grilles.count({page, objet}) ? 12 : 0;
    }
    std::int16_t ModeProgramme() const override { return 3; }
    formula::ServiceGrille* Grille(std::int16_t page, std::int16_t objet) override {
        const auto it = grilles.find({page, objet});
        return it == grilles.end() ? nullptr : it->second.get();
    }
    void TableauxParcouruRecalculReinit() override { MarquesReinit(); }

    // ServicesSysteme
    std::int32_t Question(std::string_view m, std::int32_t, std::string_view) override {
        questions.emplace_back(m);
        return reponseQuestion;
    }

private:
    static std::int16_t Numero(std::string_view nom, char lettre) {
        if (nom.size() < 2 || nom[0] != lettre) return 0;
        int n = 0;
        for (char ch : nom.substr(1)) {
            if (ch < '0' || ch > '9') return 0;
            n = n * 10 + (ch - '0');
            if (n > 999) return 0;
        }
        return static_cast<std::int16_t>(n);
    }
};

}  // namespace korv::grid::test
