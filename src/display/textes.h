#pragma once
// Tagged texts on the page: button captions and text objects drawn through
// the tagged-text drawing, their coding for the current width (literal
// texts in the object, long file texts in coded-text files of the per-user
// cache), and the engine's questions about them (pages, the line under the
// mouse, search). One instance lives beside the page display and plugs
// itself into its hooks.

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "display/texte_affiche.h"
#include "display/texte_police.h"
#include "text/balises.h"

namespace korv::display {

class AffichagePage;
class Surface;

struct ReglagesTextes {
    // Where coded-text files are kept, one folder per scene under it.
    std::filesystem::path dossierCache;
    // `PoliceParDefaut`: the upper-case default font name.
    std::string policeDefaut = "TIMES NEW ROMAN";
};

// The per-user cache folder of coded texts (`QStandardPaths::CacheLocation`).
std::filesystem::path DossierCacheTextes();

class TextesPage {
public:
    TextesPage(AffichagePage& affichage, ReglagesTextes reglages);
    TextesPage(const TextesPage&) = delete;
    TextesPage& operator=(const TextesPage&) = delete;

    // Sets the display's text hooks to this instance.
    void Brancher();

    // `FormatageDefaut`: what every text starts from.
    text::FormatageTexte FormatageDefaut;

    void ObjetTexteDessine(int page, int objet, bool legende);
    void BoutonLegendeDessine(Surface& tampon, int page, int objet, int mode);
    int TexteNbPage(int page, int objet);
    int NLigneTexteObjetY(int page, int objet, std::int32_t y, int morceau, std::int32_t ligne);
    int TexteNLigneVersNPage(int page, int objet, std::int32_t ligne);
    int TexteRecherche(int page, int objet, std::string_view cherche, int depuisLigne);

    // `TexteRecodeFichierOuLiteral`: the object's text coded for its width.
    void TexteRecodeFichierOuLiteral(int page, int objet);
    // `TexteEstTexteLong` and `TexteFichierTexteLong` for the current language.
    bool TexteEstTexteLong(int page, int objet);
    std::filesystem::path TexteFichierTexteLong(int page, int objet);
    // The folder of this scene's coded-text files.
    std::filesystem::path DossierScene() const;

private:
    int NbLangues() const;
    int Langue() const;
    // The text to draw or query: a piece of the coded file of a long text,
    // else the current language's variant of the object's text.
    std::string TexteCourant(int page, int objet, std::int64_t morceau, std::int64_t ligne);

    AffichagePage& a_;
    ReglagesTextes r_;
    ChoixPolices polices_;
};

}  // namespace korv::display
