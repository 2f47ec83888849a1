#pragma once

#include <cstdint>

#include "engine/services.h"
#include "engine/services_neutres.h"
#include "programme/textes_methode_programme.h"

namespace korv::programme {

// The platform's main window as play sees it, with the method-text boxes
// answered by the program's own (the platform's window does not hold them).
class FenetrePrincipaleProgramme final : public engine::FenetrePrincipale {
public:
    FenetrePrincipaleProgramme(engine::FenetrePrincipale* fenetre, TextesMethodeProgramme& textes)
        : f_(fenetre ? *fenetre : neutre_), textes_(textes) {}

    void MenuVisible(engine::Menu m, bool v) override { f_.MenuVisible(m, v); }
    void MenuActif(engine::Menu m, bool v) override { f_.MenuActif(m, v); }
    void MenuCoche(engine::Menu m, bool v) override { f_.MenuCoche(m, v); }
    void Montrer() override { f_.Montrer(); }
    void AfficherBarreMenu(bool v) override { f_.AfficherBarreMenu(v); }
    void AfficherBarreTitre(bool v) override { f_.AfficherBarreTitre(v); }
    void EffacerSurfaces() override { f_.EffacerSurfaces(); }
    void TimerTableauReferenceEfface() override { f_.TimerTableauReferenceEfface(); }
    void CacherBulleEtChronos() override { f_.CacherBulleEtChronos(); }
    void FinDuJeuControles() override { f_.FinDuJeuControles(); }
    void DecharguerSplash() override { f_.DecharguerSplash(); }
    void OublierCiblesEdition() override { f_.OublierCiblesEdition(); }
    void FermerFenetres(bool decharger) override { f_.FermerFenetres(decharger); }
    void DefinirCurseurDefaut() override { f_.DefinirCurseurDefaut(); }
    void DefinirCurseur(engine::FormeCurseur forme) override { f_.DefinirCurseur(forme); }
    bool MenuSavVisible() override { return textes_.MenuSavVisible(); }
    bool TexteMethodeVisible() override { return textes_.TexteMethodeVisible(); }
    std::int32_t TexteMethodeHauteurTexte() override { return textes_.TexteMethodeHauteurTexte(); }
    void TexteMethodeDefiler(std::int32_t y) override { textes_.TexteMethodeDefiler(y); }
    void PanneauPlanVisible(bool v) override { f_.PanneauPlanVisible(v); }
    bool PanneauPlanEstVisible() override { return f_.PanneauPlanEstVisible(); }

private:
    engine::FenetrePrincipaleNeutre neutre_;
    engine::FenetrePrincipale& f_;
    TextesMethodeProgramme& textes_;
};

}  // namespace korv::programme
