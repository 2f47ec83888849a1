#pragma once
// The currency functions of formulas: the entries of the currency table
// (CONVNOM, CONVTX, CONVUSERNOM, CONVUSERTAUX) and the bracket of a
// conversion of grid amounts (CONVINIT ... CONVFIN), which puts the rates
// of two currencies in place of the reference rates of the settings store
// and shows a progress window. A bracket left open is ended by the engine
// (ConversionTerminer) when the script run that opened it or play ends, so
// the reference rates always come back and the window always closes.

#include <cstdint>
#include <functional>
#include <string_view>
#include <utility>

#include "engine/services.h"
#include "formula/services.h"
#include "grid/fonctions_grille.h"

namespace korv::formula {
class TableMonnaies;
}
namespace korv::platform {
class MagasinReglages;
}

namespace korv::grid {

// Function codes.
namespace fonction_monnaie {
inline constexpr int Taux = 71;
inline constexpr int UtilisateurTaux = 74;
inline constexpr int Debut = 75;
inline constexpr int Nom = 76;
inline constexpr int Fin = 77;
inline constexpr int UtilisateurNom = 78;
}  // namespace fonction_monnaie

inline constexpr std::string_view kConversionTitre = "Conversion de l'unit\xE9 mon\xE9taire";
inline constexpr std::string_view kConversionTexte = "En cours...";

struct ServicesMonnaie {
    formula::TableMonnaies& monnaies;
    // Where the reference rates live; null: no store, nothing saved or written.
    platform::MagasinReglages* reglages = nullptr;
    // `ConversionEnCours` of the engine.
    std::int16_t& conversionEnCours;
    // The progress window (`MessageFenetreOuvre`, `MessageFenetreFerme`).
    std::function<void(std::string_view titre, std::string_view texte)> fenetreOuvre;
    std::function<void()> fenetreFerme;
};

class FonctionsMonnaie final : public formula::ServicesFonctionsAction, public engine::ConversionMonnaie {
public:
    FonctionsMonnaie(const AccesGrilles& acces, ServicesMonnaie services,
                     formula::ServicesFonctionsAction* suivant = nullptr)
        : acces_(acces), services_(std::move(services)), suivant_(suivant) {}

    bool EvalueFonctionAction(int code, formula::PileValeurs& pile, int& n) override;
    void Suivant(formula::ServicesFonctionsAction* suivant) { suivant_ = suivant; }

    void ConversionTerminer() noexcept override;
    // Between CONVINIT and its end: the reference rates are the conversion's.
    bool ConversionOuverte() const { return ouverte_; }

private:
    void Debut(formula::PileValeurs& pile, int& n);
    void Fin();
    void FenetreFerme();

    AccesGrilles acces_;
    ServicesMonnaie services_;
    formula::ServicesFonctionsAction* suivant_;
    bool ouverte_ = false;
    bool fenetreOuverte_ = false;
};

}  // namespace korv::grid
