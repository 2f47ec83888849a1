#pragma once
// Test doubles of the services the formula language calls: a scene of
// named pages and objects with grids, a system with fixed answers, and an
// environment that bundles them with a variable table.

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "formula/services.h"
#include "formula/valeur.h"
#include "formula/variables.h"

namespace korv::formula {

// Readable values in test failures.
inline void PrintTo(const Valeur& v, std::ostream* os) {
    static const char* const kTypes[] = {"Vide", "Nul", "Booleen", "Entier", "Long", "Double", "Date", "Chaine",
                                         "Erreur"};
    *os << kTypes[static_cast<int>(v.type())] << "(" << v.EnTexte() << ")";
}

}  // namespace korv::formula

namespace korv::formula::test {

struct AppelGrille {
    std::string quoi;
    std::vector<int> args;
    std::string texte;
    bool operator==(const AppelGrille&) const = default;
};

class FakeGrille : public ServiceGrille {
public:
    std::uint8_t colonnes = 10;
    std::uint8_t lignes = 10;
    std::map<std::pair<int, int>, Valeur> valeurs;  // (column, row)
    std::map<std::pair<int, int>, std::uint8_t> resultatTypes;
    std::map<std::pair<int, int>, std::uint8_t> invalidations;
    std::map<std::pair<int, int>, std::string> affichages;
    std::map<std::string, CaseCoord> noms;  // upper-case names
    std::vector<AppelGrille> appels;        // actions, in order
    std::uint8_t decalageColonne = 1;
    std::uint8_t decalageLigne = 1;

    void Met(int c, int l, Valeur v) { valeurs[{c, l}] = std::move(v); }

    std::uint8_t ColonneNb() const override { return colonnes; }
    std::uint8_t LigneNb() const override { return lignes; }
    Valeur CaseValeurInternePendantCalcul(std::uint8_t c, std::uint8_t l) override {
        const auto it = valeurs.find({c, l});
        return it == valeurs.end() ? Valeur{} : it->second;
    }
    std::uint8_t CaseType(std::uint8_t, std::uint8_t) override { return 1; }
    std::uint8_t CaseResultatType(std::uint8_t c, std::uint8_t l) override { return Lit(resultatTypes, c, l); }
    std::uint8_t CaseInvalidationCalculee(std::uint8_t c, std::uint8_t l) override {
        return Lit(invalidations, c, l);
    }
    std::string CaseValeurAAfficher(std::uint8_t c, std::uint8_t l) override {
        const auto it = affichages.find({c, l});
        return it == affichages.end() ? CaseValeurInternePendantCalcul(c, l).EnTexte() : it->second;
    }
    std::optional<CaseCoord> CaseNomCoordonnees(std::string_view nom) override {
        const auto it = noms.find(std::string(nom));
        if (it == noms.end()) return std::nullopt;
        return it->second;
    }
    void CaseUtilisateurChange(std::uint8_t c, std::uint8_t l, std::string_view t, bool d) override {
        Note("CaseUtilisateurChange", {c, l, d ? -1 : 0}, t);
        valeurs[{c, l}] = Valeur::Chaine(std::string(t));
    }
    void CaseFichierChange(std::uint8_t c, std::uint8_t l, std::string_view t) override {
        Note("CaseFichierChange", {c, l}, t);
    }
    void CaseCouleurTexteChange(std::uint8_t c, std::uint8_t l, std::int32_t k) override {
        Note("CaseCouleurTexteChange", {c, l, k});
    }
    void CaseCouleurFondChange(std::uint8_t c, std::uint8_t l, std::int32_t k) override {
        Note("CaseCouleurFondChange", {c, l, k});
    }
    void RecalculSansInit() override { Note("RecalculSansInit", {}); }
    void ReferenceDeAjoute(std::uint8_t c, std::uint8_t l, std::int16_t p, std::int16_t o, std::uint8_t pc,
                           std::uint8_t pl) override {
        Note("ReferenceDeAjoute", {c, l, p, o, pc, pl});
    }
    void ZonePlier(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) override {
        Note("ZonePlier", {a, b, c, d});
    }
    void ZoneDeplier(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) override {
        Note("ZoneDeplier", {a, b, c, d});
    }
    void ZoneRendVisible(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) override {
        Note("ZoneRendVisible", {a, b, c, d});
    }
    void ZoneRendInvisible(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) override {
        Note("ZoneRendInvisible", {a, b, c, d});
    }
    void InvalidationZoneRendInvalide(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) override {
        Note("InvalidationZoneRendInvalide", {a, b, c, d});
    }
    void InvalidationZoneRendValide(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) override {
        Note("InvalidationZoneRendValide", {a, b, c, d});
    }
    std::uint8_t DecalageColonne() const override { return decalageColonne; }
    std::uint8_t DecalageLigne() const override { return decalageLigne; }
    void DecalageColonneChange(std::int16_t c) override { Note("DecalageColonneChange", {c}); }
    void DecalageLigneChange(std::uint8_t l) override { Note("DecalageLigneChange", {l}); }
    void ColonneTriChoisir(std::int16_t c) override { Note("ColonneTriChoisir", {c}); }
    void ColonneBloquer(std::uint8_t a, std::uint8_t b) override { Note("ColonneBloquer", {a, b}); }
    void ColonneDebloquer(std::uint8_t c) override { Note("ColonneDebloquer", {c}); }
    void MemorisePliageLigne() override { Note("MemorisePliageLigne", {}); }
    void LigneDefileAuto() override { Note("LigneDefileAuto", {}); }

private:
    static std::uint8_t Lit(const std::map<std::pair<int, int>, std::uint8_t>& m, int c, int l) {
        const auto it = m.find({c, l});
        return it == m.end() ? 0 : it->second;
    }
    void Note(const char* quoi, std::vector<int> args, std::string_view texte = {}) {
        appels.push_back({quoi, std::move(args), std::string(texte)});
    }
};

struct FakeObjet {
    std::string nom;  // upper case
    std::uint8_t type = 2;
    std::string texte;
    std::int16_t a1 = 0;
    std::optional<EntreeAffichee> affiche;
    std::optional<double> positionSurChemin;
    std::unique_ptr<FakeGrille> grille;  // for type 12
};

struct FakePage {
    std::string nom;  // upper case
    std::vector<FakeObjet> objets;
};

class FakeScene : public ServicesScene {
public:
    std::vector<FakePage> pages;
    std::int16_t pageCourante = 1;
    std::int16_t modeProgramme = 3;
    std::int32_t dernierSourisX = 0;
    double echelleEcranY = 1.0;
    std::vector<std::pair<int, int>> reaffiches;
    int reinitRecalculs = 0;

    // Adds a page; returns its number.
    std::int16_t AjoutePage(std::string nom) {
        pages.push_back({std::move(nom), {}});
        return static_cast<std::int16_t>(pages.size());
    }
    // Adds an object to page `page`; returns its number.
    std::int16_t AjouteObjet(std::int16_t page, std::string nom, std::uint8_t type = 2) {
        FakeObjet o;
        o.nom = std::move(nom);
        o.type = type;
        if (type == 12) o.grille = std::make_unique<FakeGrille>();
        auto& objets = pages.at(static_cast<std::size_t>(page - 1)).objets;
        objets.push_back(std::move(o));
        return static_cast<std::int16_t>(objets.size());
    }
    FakeObjet& Objet(std::int16_t page, std::int16_t objet) {
        return pages.at(static_cast<std::size_t>(page - 1)).objets.at(static_cast<std::size_t>(objet - 1));
    }
    FakeGrille& GrilleDe(std::int16_t page, std::int16_t objet) { return *Objet(page, objet).grille; }

    std::int16_t NumeroDePage(std::string_view nom) const override {
        for (std::size_t i = 0; i < pages.size(); ++i) {
            if (pages[i].nom == nom) return static_cast<std::int16_t>(i + 1);
        }
        return 0;
    }
    std::int16_t NumeroObjet(std::int16_t page, std::string_view nom) const override {
        const FakePage* p = Page(page);
        if (p == nullptr) return 0;
        for (std::size_t i = 0; i < p->objets.size(); ++i) {
            if (p->objets[i].nom == nom) return static_cast<std::int16_t>(i + 1);
        }
        return 0;
    }
    std::int16_t PageNb() const override { return static_cast<std::int16_t>(pages.size()); }
    std::int16_t ObjetNb(std::int16_t page) const override {
        const FakePage* p = Page(page);
        return p == nullptr ? 0 : static_cast<std::int16_t>(p->objets.size());
    }
    std::uint8_t TypeObjet(std::int16_t page, std::int16_t objet) const override {
        const FakeObjet* o = Obj(page, objet);
        return o == nullptr ? 0 : o->type;
    }
    std::int16_t PageCourante() const override { return pageCourante; }
    std::int16_t ModeProgramme() const override { return modeProgramme; }
    ServiceGrille* Grille(std::int16_t page, std::int16_t objet) override {
        const FakeObjet* o = Obj(page, objet);
        return o == nullptr ? nullptr : o->grille.get();
    }
    std::int16_t ObjetEntierA1(std::int16_t page, std::int16_t objet) const override {
        const FakeObjet* o = Obj(page, objet);
        return o == nullptr ? 0 : o->a1;
    }
    std::string ObjetTexteDecode(std::int16_t page, std::int16_t objet) const override {
        const FakeObjet* o = Obj(page, objet);
        return o == nullptr ? std::string() : o->texte;
    }
    void ObjetTexteChange(std::int16_t page, std::int16_t objet, std::string_view texte) override {
        Objet(page, objet).texte = std::string(texte);
    }
    std::optional<EntreeAffichee> ObjetAffiche(std::int16_t page, std::int16_t objet) const override {
        const FakeObjet* o = Obj(page, objet);
        return o == nullptr ? std::nullopt : o->affiche;
    }
    std::int32_t DernierSourisX() const override { return dernierSourisX; }
    double EchelleEcranY() const override { return echelleEcranY; }
    std::int16_t TexteNLigneVersNPage(std::int16_t, std::int16_t, std::int32_t ligne) const override {
        return static_cast<std::int16_t>(ligne / 10 + 1);
    }
    std::optional<double> PositionSurChemin(std::int16_t page, std::int16_t objet) const override {
        const FakeObjet* o = Obj(page, objet);
        return o == nullptr ? std::nullopt : o->positionSurChemin;
    }
    void Reaffiche(std::int16_t page, std::int16_t objet) override { reaffiches.emplace_back(page, objet); }
    void TableauxParcouruRecalculReinit() override { ++reinitRecalculs; }

private:
    const FakePage* Page(std::int16_t page) const {
        if (page < 1 || page > static_cast<std::int16_t>(pages.size())) return nullptr;
        return &pages[static_cast<std::size_t>(page - 1)];
    }
    const FakeObjet* Obj(std::int16_t page, std::int16_t objet) const {
        const FakePage* p = Page(page);
        if (p == nullptr || objet < 1 || objet > static_cast<std::int16_t>(p->objets.size())) return nullptr;
        return &p->objets[static_cast<std::size_t>(objet - 1)];
    }
};

class FakeSysteme : public ServicesSysteme {
public:
    std::int16_t langue = 1;
    std::int32_t temps = 100000;
    std::int32_t debutPage = 99000;
    std::vector<double> tirages{0.5};  // Hasard answers, repeated from the last
    std::size_t prochainTirage = 0;
    std::int32_t bitsParPixel = 32;
    std::int32_t reponseQuestion = 6;
    struct Question {
        std::string message;
        std::int32_t boutons;
        std::string titre;
    };
    std::vector<Question> questions;

    std::int16_t LangueCourante() const override { return langue; }
    std::int32_t Temps() const override { return temps; }
    std::int32_t DebutPageTemps() const override { return debutPage; }
    double Hasard() override {
        const double r = tirages.at(std::min(prochainTirage, tirages.size() - 1));
        ++prochainTirage;
        return r;
    }
    std::int32_t BitsParPixel() const override { return bitsParPixel; }
    std::int32_t Question(std::string_view m, std::int32_t b, std::string_view t) override {
        questions.push_back({std::string(m), b, std::string(t)});
        return reponseQuestion;
    }
    std::string CommandeStatutLibelle(double statut) const override {
        return "statut " + std::to_string(static_cast<int>(statut));
    }
};

// Counts the action functions that reach the hook; answers none.
class FakeActions : public ServicesFonctionsAction {
public:
    std::vector<int> codes;
    bool disponible = false;
    bool EvalueFonctionAction(int code, PileValeurs&, int&) override {
        codes.push_back(code);
        return disponible;
    }
};

// A fresh set of services for one test.
struct Environnement {
    FakeScene scene;
    FakeSysteme systeme;
    TableVariables variables;
    FakeActions actions;
    ServicesFormule services{scene, systeme, variables, &actions};
};

}  // namespace korv::formula::test
