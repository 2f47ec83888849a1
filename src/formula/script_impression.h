#pragma once
// The print and export functions of formulas and scripts (IMPRIMEPREPAREDEBUT,
// IMPRIMEMARGES, IMPRIMEENTETE, IMPRIMEPIEDDEPAGE, IMPRIMEOBJET,
// IMPRIMESAUTEPAGE, IMPRIMEPREPAREFIN, IMPRIMEOPTION, EXPORTEDEBUT,
// EXPORTEOBJET, EXPORTEFIN, EXPORTEIMPRIMEPAGE, MAJSOMMAIRE): they read
// their arguments from the evaluator's stack and pass them on to the print
// job. Other action functions go on to the next handler.

#include <cstdint>
#include <vector>

#include "formula/services.h"
#include "formula/valeur.h"

namespace korv::formula {

class ServicesScript;

// `ImpressionOptions`: filled by IMPRIMEOBJET and EXPORTEOBJET, read by
// IMPRIMEOPTION. An option count of 0 leaves the earlier elements in place.
struct OptionsImpression {
    std::vector<Valeur> elements;
    int nombre = 0;
};

// Function codes.
namespace fonction_impression {
inline constexpr int PrepareDebut = 44;
inline constexpr int PrepareFin = 45;
inline constexpr int Objet = 46;
inline constexpr int EnTete = 47;
inline constexpr int PiedDePage = 48;
inline constexpr int SautePage = 49;
inline constexpr int Marges = 50;
inline constexpr int ExporteDebut = 51;
inline constexpr int ExporteObjet = 52;
inline constexpr int ExporteFin = 53;
inline constexpr int Option = 54;
inline constexpr int ExporteImprimePage = 63;
inline constexpr int MajSommaire = 81;
}  // namespace fonction_impression

class FonctionsImpression final : public ServicesFonctionsAction {
public:
    FonctionsImpression(ServicesScene& scene, ServicesScript& services, ServicesFonctionsAction* suivant = nullptr)
        : scene_(scene), services_(services), suivant_(suivant) {}

    bool EvalueFonctionAction(int code, PileValeurs& pile, int& n) override;

    const OptionsImpression& Options() const { return options_; }
    void Suivant(ServicesFonctionsAction* suivant) { suivant_ = suivant; }

private:
    bool ModeJeu() const;
    void PrepareDebut(PileValeurs& pile, int n);
    void PrepareFin(PileValeurs& pile, int n);
    void Objet(PileValeurs& pile, int& n);
    void EnTeteOuPied(PileValeurs& pile, int& n, bool entete);
    void SautePage(PileValeurs& pile, int n);
    void Marges(PileValeurs& pile, int& n);
    void ExporteDebut(PileValeurs& pile, int n);
    void ExporteObjet(PileValeurs& pile, int& n);
    void ExporteFin(PileValeurs& pile, int n);
    void Option(PileValeurs& pile, int n);
    void ExporteImprimePage(PileValeurs& pile, int n);
    void MajSommaire(PileValeurs& pile, int& n);

    ServicesScene& scene_;
    ServicesScript& services_;
    ServicesFonctionsAction* suivant_;
    OptionsImpression options_;
};

}  // namespace korv::formula
