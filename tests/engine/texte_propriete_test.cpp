#include <gtest/gtest.h>

#include "engine/moteur.h"
#include "engine/scripts_moteur.h"

namespace korv::engine {
namespace {

// The `Texte` property of a formula reads the object's text without its tags.
TEST(TextePropriete, SansBalisesEtRetoursALaLigne) {
    Moteur m;
    m.scene.pages.resize(1);
    ObjetPage fond;
    fond.type = static_cast<std::uint8_t>(TypeObjet::Fond);
    fond.nom = "DEBUT";
    ObjetPage texte;
    texte.type = static_cast<std::uint8_t>(TypeObjet::Texte);
    texte.nom = "T";
    texte.texte = "<Zone300><LigneNumero1><X0><Y225><BaseLine180><Gras1>Un<Cr><LigneNumero2><Y450>deux";
    m.scene.pages[0].objets = {fond, texte};
    EXPECT_EQ(m.ScriptsDuMoteur().ProgExprEvalue("DEBUT.T.Texte"), "'Un\r\ndeux'");
}

}  // namespace
}  // namespace korv::engine
