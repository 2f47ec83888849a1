#pragma once
// What the page-script interpreter asks of the rest of the program besides
// the formula services: page jumps, firing and queuing objects, message
// boxes, the end-of-play request, the guided method, the print job and the
// error reporter. The engine implements it; tests use a recording fake.
// Pages and objects are numbered from 1; texts are Windows-1252 bytes.

#include <cstdint>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace korv::formula {

class TravailImpression;

// One element of an object's element list, as DECLENCHE reads it.
struct ElementScript {
    int objetCible = 0;
    int parametre = 0;   // the element's action code
    std::string texte;   // the event name it answers to
    bool operator==(const ElementScript&) const = default;
};

// What a script does after a run-time error has been reported.
enum class SuiteErreurScript : std::uint8_t {
    Arreter,   // the script ends; its caller goes on
    Relancer,  // the error goes on to the script's caller
};

class ServicesScript {
public:
    virtual ~ServicesScript() = default;

    // --- pages -----------------------------------------------------------------
    virtual void SauteALaPage(int page) = 0;
    virtual void RetourPagePrecedente() = 0;

    // --- objects ---------------------------------------------------------------
    // Empty for an object that does not exist.
    virtual std::vector<ElementScript> Elements(int page, int objet) const = 0;
    // The object's text field as stored (tags included); "" when none.
    virtual std::string ObjetTexte(int page, int objet) const = 0;
    // `DeclencheObjet`: mode 1 single, 2 batch.
    virtual void DeclencheObjet(int page, int objet, int element, int action, int mode, int source) = 0;
    // `EvenementObjetEnAttenteDEvenementAjoute` with an empty link zone.
    virtual void ObjetMetEnAttente(int page, int objet) = 0;

    // --- the user --------------------------------------------------------------
    // Modal message box (classic style bits); returns the button's code. An
    // empty title stands for the application's own.
    virtual int Message(std::string_view texte, int style, std::string_view titre) = 0;
    // Checked before each line: the end of play was requested during play,
    // or the program is ending.
    virtual bool ArretDemande() const = 0;

    // --- the guided method and the plan ------------------------------------------
    // Name of the page of the method's menu for the current step.
    virtual std::string MethodeMenuPageNom() = 0;
    // The table pages printed with the current step ($OUTILMET jumps to the first).
    virtual std::vector<int> EtapeTableauxPages() = 0;
    // Shows the glossary definition of the word under the mouse.
    virtual void GlossaireAfficheDefinition() = 0;
    virtual void MethodeChanger(std::string_view argument) = 0;
    virtual void PlanAffaireModifieFixer(bool modifie) = 0;

    // --- printing ----------------------------------------------------------------
    // The print job; null when there is none (print functions then only
    // handle their arguments).
    virtual TravailImpression* Impression() = 0;

    // --- errors ------------------------------------------------------------------
    // Reports a run-time error of line `ligne` of a script, as the error mode
    // says. May itself throw to pass the error on.
    virtual SuiteErreurScript ErreurSignale(std::int32_t ligne, std::string_view procedure,
                                            const std::exception& erreur) = 0;
};

}  // namespace korv::formula
