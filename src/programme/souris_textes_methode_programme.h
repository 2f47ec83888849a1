#pragma once
// The mouse over the method texts of a method page in play, as the main
// window's two method-text boxes show them: a line of the learn-more menu
// ("MENUSAV") turns the method text ("TEXTEMET") to the section that holds
// it, a glossary word of the method text shows its definition in the
// tooltip, and both show the pointing hand over what reacts. The character
// under the mouse comes from the box's own layout. Also the method text's
// sprites (`ObjetsSpriteMethodeMaj`) and the glossary bubble of the script
// statement VAPAGE "$GLOSSAIRE".

#include <cstdint>
#include <string_view>

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

class TextesMethodeProgramme;

class SourisTextesMethodeProgramme {
public:
    SourisTextesMethodeProgramme(engine::Moteur& moteur, display::AffichagePage& affichage,
                                 display::TableSprites& sprites, const TextesMethodeProgramme& boites,
                                 platform::FenetreBulle* bulle);

    // Mouse handlers (page twips), as play calls them over "MENUSAV" and
    // "TEXTEMET"; a move answers 255 over a reacting line or word.
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

private:
    void BulleMontrer(const rtf::Document& definition, std::int32_t x, std::int32_t y);

    engine::Moteur& moteur_;
    display::AffichagePage& affichage_;
    display::TableSprites& sprites_;
    const TextesMethodeProgramme& boites_;
    platform::FenetreBulle* bulle_;
};

}  // namespace korv::programme
