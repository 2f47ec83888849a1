#include "programme/fonctions_cases_programme.h"

#include "engine/moteur.h"
#include "programme/modules_a_venir.h"

namespace korv::programme {

MarqueVuAVenir::MarqueVuAVenir(ModulesAVenir& modules) : modules_(modules) { modules.Declarer(module::Methode); }
void MarqueVuAVenir::EtapeVuBascule() {
    if (bascule) {
        bascule();
    } else {
        modules_.Signaler(module::Methode, "EtapeVuBascule");
    }
}
void MarqueVuAVenir::EtapeImageVuPasVu(std::int16_t page, std::int16_t objet) {
    if (image) {
        image(page, objet);
    } else {
        modules_.Signaler(module::Methode, "EtapeImageVuPasVu");
    }
}

EnTetePiedAVenir::EnTetePiedAVenir(ModulesAVenir& modules) : modules_(modules) {
    modules.Declarer(module::Impression);
}
void EnTetePiedAVenir::SelectionVider() { modules_.Signaler(module::Impression, "EnTetePiedSelectionVider"); }
void EnTetePiedAVenir::SelectionRemplacer(std::string_view) {
    modules_.Signaler(module::Impression, "EnTetePiedSelectionRemplacer");
}

FonctionsCasesProgramme::FonctionsCasesProgramme(engine::Moteur& moteur, const grid::AccesGrilles& acces,
                                                 platform::BoiteMessage& messages, ModulesAVenir& aVenir,
                                                 grid::DocumentPlanPartie& document)
    : marqueVu_(aVenir),
      enTetePied_(aVenir),
      plan_(acces, document),
      cases_(acces, messages, marqueVu_, enTetePied_,
             [&moteur](std::int16_t page, std::int16_t objet) {
                 return moteur.scene.ObjetExiste(page, objet) ? moteur.scene.Page(page).Objet(objet).nom
                                                              : std::string();
             },
             &plan_) {}

}  // namespace korv::programme
