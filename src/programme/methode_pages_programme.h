#pragma once
// `PageMethodeAutoConstruire`: every page prepared for play is filled for
// the method's current step. Objects are known by name: the seen mark
// "VUPASVU", the step titles "TITREMETAUTO...", the writing panel, and on
// the method's menu pages (METMENU, METSOUSMENU, METSOUSMENU1 and their
// title-editing variants) the titles "METTITRE"/"METTITREENFANT", the list
// of sub-steps "INVISTEXTn" with their marks "INVISVUESn" and the lines
// "INVIS..." shown only while the list is that long; on the automatic pages
// (METAUTOMET, METAUTOEXP, METAUTOSAV, METAUTOTXT, EXPLICGENERIQUE) the
// title, the help title "EXPLICTITRE", the explanation "TEXTEMET" read from
// the step's file, the learn-more menu "MENUSAV" and the tab bar grid
// "ONGLETAUTO" whose columns fold for the texts the step lacks. Any other
// object, and every object of an ordinary page, is left alone.

#include <string>

namespace korv::engine {
class Moteur;
}
namespace korv::grid {
class MagasinGrilles;
}
namespace korv::plan {
class MethodeEtapes;
}

namespace korv::programme {

class RedactionProgramme;
class TextesMethodeProgramme;

class MethodePagesProgramme {
public:
    MethodePagesProgramme(engine::Moteur& moteur, plan::MethodeEtapes& etapes, grid::MagasinGrilles& grilles,
                          RedactionProgramme& redaction, TextesMethodeProgramme& textes);
    MethodePagesProgramme(const MethodePagesProgramme&) = delete;
    MethodePagesProgramme& operator=(const MethodePagesProgramme&) = delete;

    void PageMethodeAutoConstruire(int page);
    // `EtapeImageVuPasVu`: the object shows the current step's mark.
    void EtapeImageVuPasVu(int page, int objet);

private:
    void MenuConstruire(int page, bool menuPrincipal);
    void AutoConstruire(int page, const std::string& nomPage);
    void TexteMetCharger(int page, int objet, const std::string& nomPage);
    void OngletsPlier(int page, int objet);

    engine::Moteur& moteur_;
    plan::MethodeEtapes& etapes_;
    grid::MagasinGrilles& grilles_;
    RedactionProgramme& redaction_;
    TextesMethodeProgramme& textes_;
};

}  // namespace korv::programme
