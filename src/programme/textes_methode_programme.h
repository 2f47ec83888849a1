#pragma once
// The mouse over the method texts of a method page in play: the learn-more
// menu ("MENUSAV") turns the method text ("TEXTEMET") to the section that
// holds the clicked line, a glossary word of the method text shows its
// definition in the tooltip, and both show the pointing hand over what
// reacts. The texts are drawn into the page as the display draws them, so
// the character under the mouse is found on the same layout. Also the
// method text's sprites (`ObjetsSpriteMethodeMaj`) and the glossary bubble
// of the script statement VAPAGE "$GLOSSAIRE".

#include <cstdint>
#include <optional>
#include <string_view>

#include "engine/services.h"
#include "engine/services_neutres.h"

namespace korv::engine {
class Moteur;
}
namespace korv::display {
class AffichagePage;
class TableSprites;
}  // namespace korv::display
namespace korv::platform {
class FenetreBulle;
}
namespace korv::rtf {
struct Document;
}

namespace korv::programme {

class TextesMethodeProgramme {
public:
    TextesMethodeProgramme(engine::Moteur& moteur, display::AffichagePage& affichage, display::TableSprites& sprites,
                           platform::FenetreBulle* bulle);

    // Mouse handlers (page twips), as the engine calls them over "MENUSAV"
    // and "TEXTEMET"; a move answers 255 over a reacting line or word.
    void MousedownTexteMethode(std::int32_t x, std::int32_t y);
    int MouseMoveTexteMethode(std::int32_t x, std::int32_t y);
    void MousedownTexteGlossaire(std::int32_t x, std::int32_t y);
    int MouseMoveTexteGlossaire(std::int32_t x, std::int32_t y);

    // `GlossaireBulleAfficher`: the word's entry of the glossary page's
    // text, shown at that point of the page (twips).
    void GlossaireBulleAfficher(std::u32string_view mot, std::int32_t x, std::int32_t y);
    // `GlossaireAfficheDefinition`: the piece of the glossary text numbered
    // by the script variable MOTGLOSSAIRE, at the last click.
    void GlossaireAfficheDefinition();

    // `ObjetsSpriteMethodeMaj`: the sprites that follow the method text's
    // scrolling (condition word 16) go back to the top of their track,
    // created first when they are not.
    void ObjetsSpriteMethodeMaj();

    // Whether the current page shows a method menu or a method text.
    bool MenuSavVisible() const;
    bool TexteMethodeVisible() const;

private:
    // The shown object of the current page with that name under the point
    // (else the first shown one), as entry of the shown list; 0 when none.
    int Affiche(std::string_view nom, std::int32_t x, std::int32_t y) const;
    // The character under the point in the text that entry shows, and the
    // text; -1 when none.
    std::int32_t CaractereAuPoint(int affiche, std::int32_t x, std::int32_t y, rtf::Document& texte) const;
    void BulleMontrer(const rtf::Document& definition, std::int32_t x, std::int32_t y);

    engine::Moteur& moteur_;
    display::AffichagePage& affichage_;
    display::TableSprites& sprites_;
    platform::FenetreBulle* bulle_;
};

// The platform's main window as the engine sees it, with the method texts'
// visibility answered by the page (the texts are drawn into it).
class FenetrePrincipaleProgramme final : public engine::FenetrePrincipale {
public:
    FenetrePrincipaleProgramme(engine::FenetrePrincipale* fenetre, const TextesMethodeProgramme& textes)
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
    bool MenuSavVisible() override { return textes_.MenuSavVisible() || f_.MenuSavVisible(); }
    bool TexteMethodeVisible() override { return textes_.TexteMethodeVisible() || f_.TexteMethodeVisible(); }
    std::int32_t TexteMethodeHauteurTexte() override { return f_.TexteMethodeHauteurTexte(); }
    void TexteMethodeDefiler(std::int32_t y) override { f_.TexteMethodeDefiler(y); }
    void PanneauPlanVisible(bool v) override { f_.PanneauPlanVisible(v); }
    bool PanneauPlanEstVisible() override { return f_.PanneauPlanEstVisible(); }

private:
    engine::FenetrePrincipaleNeutre neutre_;
    engine::FenetrePrincipale& f_;
    const TextesMethodeProgramme& textes_;
};

}  // namespace korv::programme
