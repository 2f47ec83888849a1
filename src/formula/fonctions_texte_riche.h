#pragma once
// The functions of formulas and scripts that look at rich texts:
// TEXTEESTILVIDE (whether a rich-text object holds any character),
// CHAPITREESTILVIDE (whether every method page of a chapter has an empty
// writing text) and TEXTERECHERCHEPAGE (finds a text in the table-of-contents
// box and selects it, going on from the last match). Other action functions
// go on to the next handler.

#include <cstdint>
#include <string>

#include "formula/services.h"

namespace korv::formula {

class ServicesScript;

namespace fonction_texte_riche {
inline constexpr int TexteRecherchePage = 39;
inline constexpr int TexteEstIlVide = 65;
inline constexpr int ChapitreEstIlVide = 66;
}  // namespace fonction_texte_riche

// The rich-text box of the main window that the table of contents is
// written into; the business-plan layer provides it. Positions are 0-based
// characters of its plain text.
class BoiteSommaire {
public:
    virtual ~BoiteSommaire() = default;
    virtual std::u32string TexteBrut() const = 0;
    virtual std::int32_t SelectionDebut() const = 0;
    virtual void Selectionner(std::int32_t debut, std::int32_t longueur) = 0;
};

// Whether a rich-text object's text (RTF, or plain text) holds no character;
// a text our reader refuses is not empty.
bool TexteRicheEstVide(std::string_view texte);

// `EvalueFoncTexteRecherchePage` on a box: the search of `texte` (Windows-
// 1252, no case distinction) from after the selection start, wrapping round
// once; a match is selected, else the selection keeps its start with
// length 0.
void TexteRecherchePage(BoiteSommaire& boite, std::string_view texte);

class FonctionsTexteRiche final : public ServicesFonctionsAction {
public:
    FonctionsTexteRiche(ServicesScene& scene, ServicesScript& services, ServicesFonctionsAction* suivant = nullptr)
        : scene_(scene), services_(services), suivant_(suivant) {}

    bool EvalueFonctionAction(int code, PileValeurs& pile, int& n) override;

    void Suivant(ServicesFonctionsAction* suivant) { suivant_ = suivant; }
    // Not owned; null: TEXTERECHERCHEPAGE is not available.
    void Sommaire(BoiteSommaire* boite) { sommaire_ = boite; }

private:
    // The plain text of that object of kind 13 is empty (or there is no such object).
    bool ObjetVide(std::int16_t page, std::int16_t objet) const;
    void TexteEstIlVide(PileValeurs& pile, int& n);
    void ChapitreEstIlVide(PileValeurs& pile, int& n);

    ServicesScene& scene_;
    ServicesScript& services_;
    ServicesFonctionsAction* suivant_;
    BoiteSommaire* sommaire_ = nullptr;
};

}  // namespace korv::formula
