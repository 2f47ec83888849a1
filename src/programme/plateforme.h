#pragma once
// The platform edge the program is composed on: the Qt services in the
// program, scripted fakes in the headless play driver. Nothing here is
// owned by the composition.

#include <cstdint>
#include <filesystem>
#include <string>

namespace korv::platform {
class BoiteEdition;
class ChronoBulleTableau;
class ChronoDefilementTableau;
class DialogueCouleur;
class FenetreBulle;
class BoiteMessage;
class CataloguePolices;
class DialogueFichier;
class Horloge;
class LanceurProcessus;
class MagasinReglages;
class OuvreurUrl;
class PompeEvenements;
class PressePapier;
class FichiersDocument;
}  // namespace korv::platform

namespace korv::plan {
class FenetreDocument;
}

namespace korv::engine {
class FenetrePrincipale;
}

namespace korv::plan {
class BoiteMethode;
class BoiteTexteRiche;
class PanneauRedaction;
}  // namespace korv::plan
namespace korv::print {
class Imprimante;
class MesureurTexte;
class FenetreApercu;
}  // namespace korv::print

namespace korv::display {
class FenetreAffichage;
}

namespace korv::programme {

struct Plateforme {
    platform::Horloge* horloge = nullptr;
    platform::PompeEvenements* pompe = nullptr;
    platform::BoiteMessage* messages = nullptr;
    platform::DialogueFichier* dialogues = nullptr;
    platform::MagasinReglages* reglages = nullptr;
    platform::LanceurProcessus* lanceur = nullptr;
    platform::OuvreurUrl* navigateur = nullptr;
    // The main window, as the engine drives it and as the page display
    // lays it out and shows the page in it.
    engine::FenetrePrincipale* fenetre = nullptr;
    display::FenetreAffichage* fenetreAffichage = nullptr;
    // The edit box over the page surface.
    platform::BoiteEdition* boiteEdition = nullptr;
    // The same box as a rich-text box, for the edit of a rich-text object.
    plan::BoiteTexteRiche* boiteEditionRiche = nullptr;
    // The writing panel over the page.
    plan::PanneauRedaction* redaction = nullptr;
    // The method-text boxes over a method page (explanation, learn-more
    // menu); none: the page draws those texts itself.
    plan::BoiteMethode* texteMethode = nullptr;
    plan::BoiteMethode* menuSav = nullptr;
    // The colour dialog (the rich-text toolbars' colour button).
    platform::DialogueCouleur* couleur = nullptr;
    // The main window's tooltip.
    platform::FenetreBulle* bulle = nullptr;
    // The main window's grid scrolling timer.
    platform::ChronoDefilementTableau* chronoDefilement = nullptr;
    // The main window's tooltip timer, for the grids' cells.
    platform::ChronoBulleTableau* chronoBulle = nullptr;
    // The system clipboard (text).
    platform::PressePapier* pressePapier = nullptr;
    // The fonts installed on the machine.
    platform::CataloguePolices* polices = nullptr;
    // Where coded texts are kept; empty: the user's cache folder.
    std::filesystem::path dossierCache;
    // The printer, and the measurer of rich texts on its page.
    print::Imprimante* imprimante = nullptr;
    print::MesureurTexte* mesureur = nullptr;
    // Plan documents on disk; null: the composition's own disk access.
    platform::FichiersDocument* fichiers = nullptr;
    // The main window's caption, "Enregistrer" item and page focus.
    plan::FenetreDocument* fenetreDocument = nullptr;
    // The preview window, shown at the end of a print script; none: the job
    // is paginated without a window.
    print::FenetreApercu* apercu = nullptr;
    // The screen: twips per pixel.
    std::int32_t twipsParPixel = 15;
    // This program's executable (UTF-8), which an action may run on a plan
    // document.
    std::string executable;
};

}  // namespace korv::programme
