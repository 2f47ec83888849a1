#pragma once
// The scene's header and page tables: the engine's central data, filled once
// by the scene loader and read by every subsystem. Pages and objects are
// 1-based in every interface; the vectors hold element 1 at index 0.

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "formula/formula_record.h"
#include "grid/grid_record.h"

namespace korv::engine {

// Object kinds (`TypeObjet`); 11 is not used.
enum class TypeObjet : std::uint8_t {
    Fond = 1,
    Image = 2,
    Bouton = 3,
    Texte = 4,
    Video = 5,
    Son = 6,
    Chrono = 7,
    Polyligne = 8,
    Action = 9,
    Sprite = 10,
    Tableau = 12,
    TexteRtf = 13,
    Graphique = 14,
};

inline constexpr std::int32_t kMagic1 = 0x02F84410;
inline constexpr std::int32_t kMagic2 = 0x0B5FF740;
inline constexpr std::int32_t kVersionBloc = 4600;
inline constexpr std::int32_t kVersionChamps = 4500;

struct EnteteScene {
    std::int32_t version = kVersionBloc;
    std::int16_t pageNb = 0;
    std::int16_t pageLargeur = 640;  // pixels
    std::int16_t pageHauteur = 480;
    std::int16_t langueNb = 0;
    std::int16_t reserve1 = 0;
    std::int16_t pagesCompilees = 0;  // Boolean
    std::int32_t reserve2 = 0;
    std::int16_t modeEsc = 0;  // 0 quit at once, 1 ask first, other: nothing
    std::string programmeDemarrage;
    std::array<std::uint8_t, 8> reserve3{};  // its first word is cleared at start-up
    std::vector<std::string> langues;        // element 1 .. langueNb
    std::vector<std::int16_t> reserve4;
    std::string repertoireScene;
    std::string cheminScene;
    std::array<std::int32_t, 16> couleursPerso{};
    std::uint8_t octetDisposition = 0;
    std::array<std::uint8_t, 14> reserve5{};  // word at bytes 8-9 cleared after loading
    std::string fichierPalette;
    bool operator==(const EnteteScene&) const = default;
};

struct ObjetPageElement {
    std::int16_t PageCible = 0;
    std::int16_t ObjetCible = 0;
    std::int16_t Parametre = 0;
    std::string Valeur;
    std::string Texte;
    std::int32_t Evenements = 0;
    bool operator==(const ObjetPageElement&) const = default;
};

struct PolylignePoint {
    std::int16_t x = 0;  // page pixels
    std::int16_t y = 0;
    bool operator==(const PolylignePoint&) const = default;
};

// An object's path: open line or closed polygon. The point count is stored
// beside the arrays and must agree with them.
struct Polyligne {
    std::vector<PolylignePoint> points;
    std::vector<std::int16_t> longueurs;  // cumulative, twips / 100
    double longueurTotale = 0.0;          // twips
    std::int16_t fermee = 0;              // Boolean
    bool operator==(const Polyligne&) const = default;
};

struct ObjetPage {
    // Block form: the four bytes stored before the kind (the run-time word
    // and its companion); kept so that a file reads back byte for byte.
    std::array<std::uint8_t, 4> enteteBloc{};
    std::uint8_t type = 0;          // TypeObjet
    std::int16_t gauche = 0, haut = 0, largeur = 0, hauteur = 0;  // twips
    std::int16_t gaucheInitial = 0, hautInitial = 0, largeurInitial = 0, hauteurInitial = 0;
    std::int16_t A1 = 0, A2 = 0;  // kind 9: A1 is the action type
    std::int16_t A1Initial = 0, A2Initial = 0;
    std::int16_t A3 = 0, A4 = 0;
    std::uint8_t B1 = 0;  // 4500 form only
    std::int16_t B2 = 0;  // 4500 form only
    std::int16_t B3 = 0;
    std::vector<ObjetPageElement> elements;
    std::int16_t C1 = 0, C2 = 0, C3 = 0;
    std::int32_t D1 = 0, D2 = 0;
    std::int16_t E1 = 0;
    std::int16_t E2 = 0;  // 4500 form only
    std::uint8_t F1 = 0;
    // G1: drawing position; G2 of object 1: page flags; G3: flags;
    // G4: 3 / 4 next / previous page button. G5, G6 only in the 4500 form.
    std::array<std::int16_t, 6> G{};
    std::uint8_t H1 = 0, H2 = 0, H3 = 0;
    std::int16_t drapeauGrille = 0;  // -1: quick grid record without blocks
    std::int16_t I1 = 0;             // 4500 form only
    std::int16_t I2 = 0;
    std::string nom;
    Polyligne chemin;
    Polyligne cheminSecond;  // 4600 form only, never used
    Polyligne cheminInitial;
    std::uint8_t J1 = 0;  // 4500 form only
    std::string fichier;
    std::string texte;
    std::uint8_t decoupe = 0;  // 1 rectangle clip, 2 path clip
    std::array<std::uint8_t, 2> K1{};
    std::uint8_t K2 = 0;  // 4500 form only
    std::int16_t K3 = 0;  // 4500 form only
    // Kind 12: the grid's stored record and, in the block form, the formulas
    // the page's formula block gives this object.
    std::optional<grid::GrilleEnregistrement> grille;
    std::vector<formula::ExpressionUDT> formules;

    TypeObjet Type() const { return static_cast<TypeObjet>(type); }
    bool operator==(const ObjetPage&) const = default;
};

struct PageScene {
    std::int16_t sousEnregistrementMot = 0;
    std::vector<std::int16_t> sousEnregistrementTableau;
    std::int16_t entier1 = 0;
    std::int16_t entier2 = 0;  // set to 0 after loading
    std::vector<ObjetPage> objets;

    int ObjetNb() const { return static_cast<int>(objets.size()); }
    // 1-based access; the caller checks the number.
    ObjetPage& Objet(int n) { return objets[static_cast<std::size_t>(n - 1)]; }
    const ObjetPage& Objet(int n) const { return objets[static_cast<std::size_t>(n - 1)]; }
    bool operator==(const PageScene&) const = default;
};

struct Scene {
    EnteteScene entete;
    std::vector<PageScene> pages;  // `TablePages`

    int PageNb() const { return static_cast<int>(pages.size()); }
    bool PageExiste(int n) const { return n >= 1 && n <= PageNb(); }
    bool ObjetExiste(int page, int objet) const {
        return PageExiste(page) && objet >= 1 && objet <= Page(page).ObjetNb();
    }
    PageScene& Page(int n) { return pages[static_cast<std::size_t>(n - 1)]; }
    const PageScene& Page(int n) const { return pages[static_cast<std::size_t>(n - 1)]; }
    bool operator==(const Scene&) const = default;
};

}  // namespace korv::engine
