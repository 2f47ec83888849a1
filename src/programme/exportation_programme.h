#pragma once
// The export run of the program: EXPORTEDEBUT, EXPORTEOBJET and EXPORTEFIN
// reach it through the print job's functions. It reads the scene through
// the print job's sources and gives the run its platform edge: the progress
// window, the save dialog, the overwrite question, the message of a failed
// write, the current page shown again and the printer's width for tables.
//
// The method driver adds to the same run: `TexteRTFInsereTableaux` for a
// page object (a step's composed text, a grid into the text or as a sheet),
// `SautDePageAjouter` for its page-break marker; the mode word it sets and
// reads is the print job's (`ImpressionProgramme::TravailModifiable`).

#include <cstdint>
#include <string>
#include <string_view>

#include "print/exportation.h"

namespace korv::engine {
class Moteur;
}
namespace korv::display {
class AffichagePage;
}
namespace korv::platform {
class BoiteMessage;
class DialogueFichier;
}  // namespace korv::platform
namespace korv::print {
class Imprimante;
}

namespace korv::programme {

class ImpressionProgramme;

class ExportationProgramme final {
public:
    ExportationProgramme(engine::Moteur& moteur, display::AffichagePage& affichage, ImpressionProgramme& impression,
                         platform::BoiteMessage* messages, platform::DialogueFichier* dialogues);

    void ExportationFenetreOuvre(std::int16_t mode) { run_.ExportationFenetreOuvre(mode); }
    void TexteRTFInsereTableaux(int page, int objet, bool dansTexte) {
        run_.TexteRTFInsereTableaux(page, objet, dansTexte);
    }
    // `SautDePageImprimeExporte` while exporting: the page-break marker at
    // the end of the gathered text.
    void SautDePageAjouter();
    void ExporteTextesOuTableaux(std::int16_t genre) { run_.ExporteTextesOuTableaux(genre); }
    const print::Exportation& Run() const { return run_; }

private:
    print::EnvironnementExport Environnement(engine::Moteur& moteur, display::AffichagePage& affichage,
                                             print::Imprimante& imprimante, platform::BoiteMessage* messages,
                                             platform::DialogueFichier* dialogues);
    print::Exportation run_;
};

// `TableauLargeurUtileRTF`: the printer's scale right edge less its left
// physical offset (millimetres at 56.7 twips each), in twips.
std::int64_t LargeurUtileTableaux(print::Imprimante& imprimante);

}  // namespace korv::programme
