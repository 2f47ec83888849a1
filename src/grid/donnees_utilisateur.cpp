// Parsing of a grid's user record, checked against the grid's size.

#include "grid/donnees_utilisateur.h"

#include <string>

#include "grid/case_tableau.h"
#include "platform/binary_reader.h"

namespace korv::grid {

namespace {

constexpr int kLigneDecalee = 34;
constexpr int kDecalageLignes = 5;
constexpr std::uint8_t kFusionMax = 2;

struct Lecteur {
    BinaryReader& in;
    int colonnesGrille;
    int lignesGrille;
    bool decalage;
    bool horsGrilleIgnorees;

    // Next cell of a list, false at the list's closing 0. `decale` applies
    // the row shift of older documents. `garde` false: a cell outside the
    // grid that the caller lets through, whose data is read and dropped.
    bool Case(std::uint8_t& c, std::uint8_t& r, bool& garde, bool decale, const char* liste) {
        const std::size_t debut = in.position();
        c = in.u8();
        if (c == 0) return false;
        int ligne = in.u8();
        if (decale && decalage && ligne >= kLigneDecalee) ligne += kDecalageLignes;
        garde = c <= colonnesGrille && ligne >= 1 && ligne <= lignesGrille;
        if (!garde && !horsGrilleIgnorees) {
            throw ReadError(std::string("case hors de la grille dans la liste ") + liste, debut);
        }
        r = static_cast<std::uint8_t>(garde ? ligne : 0);
        return true;
    }
};

}  // namespace

DonneesUtilisateur LitDonneesUtilisateur(BinaryReader& in, int colonnes, int lignes, int colonnesGrille,
                                         int lignesGrille, const OptionsChargementUtilisateur& options) {
    DonneesUtilisateur d;
    Lecteur l{in, colonnesGrille, lignesGrille, options.decalage, options.horsGrilleIgnorees};
    d.decalageColonne = in.u8();
    d.decalageLigne = in.u8();
    // Two bytes per flag: a count the record cannot hold fails before allocating.
    in.checkedCount(colonnes + lignes, 2, 2 * 255, "plis");
    d.plisColonnes.reserve(static_cast<std::size_t>(colonnes));
    for (int c = 0; c < colonnes; ++c) d.plisColonnes.push_back(in.i16());
    d.plisLignes.reserve(static_cast<std::size_t>(lignes));
    for (int r = 0; r < lignes; ++r) d.plisLignes.push_back(in.i16());

    std::uint8_t c = 0, r = 0;
    bool garde = true;
    while (l.Case(c, r, garde, true, "des entrées")) {
        std::string texte = in.fileString();
        if (garde) d.entrees.push_back({c, r, std::move(texte)});
    }
    while (l.Case(c, r, garde, true, "des résultats")) {
        const std::size_t pos = in.position();
        const std::uint8_t type = in.u8();
        if (type > resultat::kErreur) throw ReadError("type de résultat inconnu", pos);
        std::string valeur = in.fileString();
        if (garde) d.resultats.push_back({c, r, type, std::move(valeur)});
    }
    while (l.Case(c, r, garde, true, "des fichiers")) {
        std::string nom = in.fileString();
        if (garde) d.fichiers.push_back({c, r, std::move(nom)});
    }
    while (l.Case(c, r, garde, true, "des invalidations")) {
        if (garde) d.invalidees.push_back({c, r, 0});
    }
    if (options.version != 2 && options.version != 21) {
        while (l.Case(c, r, garde, false, "des couleurs")) {
            const std::int32_t couleur = in.i32();
            if (garde) d.couleurs.push_back({c, r, couleur});
        }
    }
    if (options.version > 22) {
        while (l.Case(c, r, garde, false, "des fusions")) {
            const std::size_t pos = in.position();
            const std::uint8_t marque = in.u8();
            if (marque > kFusionMax) throw ReadError("marque de fusion inconnue", pos);
            if (garde) d.fusions.push_back({c, r, marque});
        }
    }
    return d;
}

}  // namespace korv::grid
