#pragma once
// The print job and the export driver, as the print and export functions of
// formulas and scripts drive them. The printing subsystem implements it;
// tests record the calls. Texts are Windows-1252 bytes; pages and objects
// are numbered from 1.

#include <cstdint>
#include <span>
#include <string_view>

#include "formula/valeur.h"

namespace korv::formula {

class TravailImpression {
public:
    virtual ~TravailImpression() = default;

    // --- the print job -------------------------------------------------------
    // Starts a new job: stores the mode word, opens the progress window,
    // clears headers and footers, empties the list of items to print.
    virtual void ImprimePrepareDebut(std::uint8_t mode) = 0;
    // Left, top, right, bottom, footer distance, header distance, in millimetres.
    virtual void ImprimeMargesFixe(double gauche, double haut, double droite, double bas, double pied,
                                   double entete) = 0;
    virtual void ImprimeEnTeteFixe(std::string_view texte, bool affiche, bool premierePage) = 0;
    virtual void ImprimePiedDePageFixe(std::string_view texte, bool affiche, bool premierePage) = 0;
    virtual void ImpressionPremierNumeroFixe(std::int32_t numero) = 0;
    virtual void ApercuDejaPrepare(bool prepare) = 0;
    // Adds one page object; `options` are the counted elements of the
    // option list, element 1 first (the last option written in the call).
    virtual void ImprimeAjouteObjet(int page, int objet, std::string_view texte,
                                    std::span<const Valeur> options) = 0;
    virtual void ImprimeAjoutePage(std::uint8_t argument) = 0;
    // The modal preview; returns when it closes.
    virtual void Imprime() = 0;
    // Closes the progress window opened by ImprimePrepareDebut.
    virtual void MessageFenetreFerme() = 0;
    // The job's mode word: 1 printing, 3 and 4 exporting, 2 while a method
    // step's page script runs, 0 otherwise.
    virtual std::int16_t Mode() const = 0;

    // --- export --------------------------------------------------------------
    virtual void ExportationFenetreOuvre(std::int16_t mode) = 0;
    virtual void ExporteTextesOuTableaux(std::int16_t option) = 0;
    // The texts of all method steps.
    virtual void MethodeTextesExporte(std::string_view texte) = 0;
    // A rich text (rtf) or plain text object of a page, with its tables.
    virtual void TexteRTFInsereTableaux(int page, int objet, bool rtf) = 0;

    // --- the written plan and the method ---------------------------------------
    // "REDACTIONNEL" or "REDACSYNTHETIQUE".
    virtual void RedactionImprimeExporte(std::string_view variante, bool exporte) = 0;
    // The method step whose code is `code` (an empty code: the current
    // step); 0 when there is none.
    virtual std::int16_t NumeroEtape(std::string_view code) = 0;
    // Step 0 is no step: the user is told.
    virtual void EtapeImprimeExporte(std::int16_t etape, bool exporte) = 0;
    // Rebuilds the plan's table of contents in that page object; `numeros`
    // 1 ends each line with its page-number placeholder, any other value
    // leaves them out (the on-screen contents).
    virtual void SommaireMettreAJour(int page, int objet, std::int16_t numeros) = 0;
};

}  // namespace korv::formula
