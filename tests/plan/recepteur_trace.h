#pragma once
// A page receiver that records what reaches it, for the surface and window
// tests.

#include <functional>
#include <string>
#include <vector>

#include "plan/entree_page.h"

namespace korv::plan::test {

struct EvenementSouris {
    int genre, bouton, maj, x, y;
    bool operator==(const EvenementSouris&) const = default;
};

struct Touche {
    int code, maj;
    bool operator==(const Touche&) const = default;
};

class RecepteurTrace : public RecepteurPage {
public:
    bool ModeJeu() override { return enJeu; }
    void Souris(int genre, int bouton, int maj, int x, int y) override {
        souris.push_back({genre, bouton, maj, x, y});
        if (surSouris) surSouris();
    }
    // Each tooltip rule call notes how many mouse events came before it.
    void DeplacementBulle() override { bulles.push_back(static_cast<int>(souris.size())); }
    void ToucheEnfoncee(int code, int maj) override {
        enfoncees.push_back({code, maj});
        if (surTouche) surTouche();
    }
    void ToucheRelachee(int code, int maj) override { relachees.push_back({code, maj}); }
    void ToucheCaractere(int caractere) override {
        caracteres.push_back(caractere);
        // The key-down of a key comes first.
        caracteresApres.push_back(static_cast<int>(enfoncees.size()));
    }
    void Defilement(int x, int y) override { defilements.push_back({x, y}); }
    void Redimensionnement() override { ++redimensionnements; }
    bool DemandeFermeture() override {
        ++demandesFermeture;
        if (surFermeture) surFermeture();
        return accepteFermeture;
    }
    void MenuQuitter() override { ++quitter; }
    void MenuFichier(CommandeFichier commande) override { fichier.push_back(commande); }
    std::vector<CommandeFichier> fichier;
    void MenuPlan(CommandePlan commande) override { plan.push_back(commande); }
    void LienInternet(std::string_view adresse) override { liens.emplace_back(adresse); }
    std::vector<std::string> liens;
    std::vector<CommandePlan> plan;
    void ErreurInterceptee(std::exception_ptr erreur) noexcept override {
        try {
            std::rethrow_exception(erreur);
        } catch (const std::exception& e) {
            erreurs.push_back(e.what());
        } catch (...) {
            erreurs.push_back("?");
        }
    }

    bool enJeu = true;
    bool accepteFermeture = true;
    std::function<void()> surSouris;
    std::function<void()> surTouche;
    std::function<void()> surFermeture;
    std::vector<EvenementSouris> souris;
    std::vector<int> bulles;
    std::vector<Touche> enfoncees;
    std::vector<Touche> relachees;
    std::vector<int> caracteres;
    std::vector<int> caracteresApres;  // key-downs received before each character
    std::vector<Touche> defilements;  // x, y in pixels
    int redimensionnements = 0;
    int demandesFermeture = 0;
    int quitter = 0;
    std::vector<std::string> erreurs;
};

}  // namespace korv::plan::test
