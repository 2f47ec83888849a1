#pragma once
// The one composition of the program: an engine context connected to every
// real module (page display, scripts, trigger dispatch, plan state) and to
// the platform edge it is given. `main` composes it on the Qt platform; the
// headless play driver on the platform fakes.

#include <functional>
#include <memory>
#include <vector>

#include "programme/plateforme.h"

namespace korv::formula {
class BoiteSommaire;
}
namespace korv::engine {
class Moteur;
}
namespace korv::display {
class AffichagePage;
class GraphiquesPage;
}
namespace korv::grid {
class MagasinGrilles;
}
namespace korv::print {
struct ImpressionTravail;
class Imprimante;
}  // namespace korv::print
namespace korv::plan {
class BarresRTF;
class DocumentPlan;
class EtatPlan;
class MethodeEtapes;
class RecepteurPage;
class Redaction;
struct NoeudArbre;
}  // namespace korv::plan

namespace korv::programme {

class Programme {
public:
    Programme(engine::Moteur& moteur, const Plateforme& plateforme);
    ~Programme();
    Programme(const Programme&) = delete;
    Programme& operator=(const Programme&) = delete;

    engine::Moteur& Moteur() noexcept;
    display::AffichagePage& Affichage() noexcept;
    display::GraphiquesPage& Graphiques() noexcept;
    plan::EtatPlan& Plan() noexcept;
    // What the main window hands over goes here.
    plan::RecepteurPage& Recepteur() noexcept;
    // The plan tree's nodes from the method's current outline.
    std::vector<plan::NoeudArbre> ArbrePlan();
    // Called with the tree's nodes at the plan layer's start-up.
    void SurArbrePlan(std::function<void(const std::vector<plan::NoeudArbre>&)> remplir);
    // The scene's grids (the end of a cell edit goes there).
    grid::MagasinGrilles& Grilles() noexcept;
    // The two rich-text toolbars, as their controls drive them.
    plan::BarresRTF& Barres() noexcept;
    // The writing box, as the plan document reaches it.
    plan::Redaction& Redaction() noexcept;
    // The print job as scripts built and paginated it.
    const print::ImpressionTravail& TravailImpression() const noexcept;
    // The table-of-contents box that TEXTERECHERCHEPAGE searches.
    formula::BoiteSommaire& BoiteSommaire() noexcept;
    // The printer the jobs print on (the File menu's printer set-up).
    print::Imprimante& Imprimante() noexcept;
    // The plan document's operations (the File menu's commands) and the
    // method's steps.
    plan::DocumentPlan& Document() noexcept;
    plan::MethodeEtapes& Etapes() noexcept;

private:
    struct Modules;
    std::unique_ptr<Modules> m_;
};

}  // namespace korv::programme
