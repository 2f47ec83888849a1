#pragma once
// The engine's trigger dispatch: firing a due waiting entry (its elements
// run their targets, then its one-shot events are consumed, a repeating
// timer is re-armed and the entry dropped once it waits for nothing) and
// triggering one object by the routine of its kind. The engine context owns
// one DeclencheurMoteur and uses it unless another Declencheur is injected;
// nested calls go back through moteur.Declenche(), so a recording layer put
// in front sees every object fired.

#include <cstdint>
#include <functional>
#include <string>

#include "engine/declenchement_services.h"
#include "engine/objets_affiches.h"
#include "engine/services.h"

namespace korv::platform {
class LanceurProcessus;
class OuvreurUrl;
}  // namespace korv::platform

namespace korv::engine {

class Moteur;

// Outward services of the triggers, set by `main` (or a test).
struct ConfigurationDeclenchement {
    ServicesDeclencheurs* voisins = nullptr;         // null: neutral defaults
    platform::LanceurProcessus* lanceur = nullptr;   // outside programs; null: none start
    platform::OuvreurUrl* navigateur = nullptr;      // web links; null: none opens
    // This program's own executable (system path, UTF-8), which an action
    // runs on a plan document; empty: that action runs nothing.
    std::string programme;
    TwipsParPixel twipsParPixel;
};

// Play state that belongs to the triggers.
struct EtatDeclenchement {
    // Effect of the last object shown, used when a firing copies the whole page.
    std::int16_t EffetCourant = 0;
    // One more than the page preparation count when the door of the page
    // was opened (0: never); the door stays open until the next preparation.
    std::uint64_t porteGeneration = 0;
};

class DeclencheurMoteur : public Declencheur {
public:
    explicit DeclencheurMoteur(Moteur& moteur) : moteur_(moteur) {}

    // `DeclencheObjet`: triggers (page, objet) for element `element` of
    // object `source` (0: no element, empty value). A target outside the
    // page tables is logged and ignored.
    void DeclencheObjet(int page, int objet, int element, int action, int mode, int source) override;
    // `EvenementDeclenche`: fires entry n of the waiting list.
    void EvenementDeclenche(int n) override;

    ConfigurationDeclenchement& Configuration() { return configuration_; }
    ServicesDeclencheurs& Voisins() { return configuration_.voisins ? *configuration_.voisins : voisinsNeutres_; }
    EtatDeclenchement& Etat() { return etat_; }

private:
    // Runs the elements of entry n whose events are among `survenus`;
    // false when the firing ended early (the entry went, the page changed).
    bool ExecuterElements(int n, std::int32_t survenus, const std::function<bool()>& presente,
                          const std::function<bool()>& pageQuittee);
    // Uses up the one-shot events among `survenus`, re-arms a repeating
    // timer and drops the entry once it waits for nothing.
    void Consommer(int n, std::int32_t survenus);

    Moteur& moteur_;
    ConfigurationDeclenchement configuration_;
    ServicesDeclencheursNeutres voisinsNeutres_;
    EtatDeclenchement etat_;
};

// The value an element hands to its target: the element's `Valeur`, or what
// a value keyword stands for (".TextePageNuméro", ".PasseValeur", the
// sprite positions). Empty for element 0 or an element that does not exist.
std::string ValeurElement(Moteur& moteur, int page, int source, int element);

}  // namespace korv::engine
