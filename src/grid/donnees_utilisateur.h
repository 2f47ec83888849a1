#pragma once
// The user's share of a grid in the plan document (`TableauDonneesUtilisateur`):
// scroll offsets, folds and six sparse cell lists. The record carries no
// counts of its own, so it is parsed against the grid it belongs to; the
// whole record is read and checked before anything of the grid changes.

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace korv {
class BinaryReader;
}

namespace korv::grid {

class TableauClasse;

// The reader's options (older documents and their converter).
struct OptionsChargementUtilisateur {
    std::int32_t version = 300;  // the document's version word
    std::uint8_t colonnes = 0;   // column count in the record; 0 = the grid's own
    std::uint8_t lignes = 0;     // row count in the record; 0 = the grid's own
    bool decalage = false;       // rows 34 and beyond of the first four lists moved down by 5
    bool editablesSeuls = false; // entries of cells that are not editable are dropped
    // Records written for another size (older documents): cells outside the
    // grid are read and dropped instead of refusing the record.
    bool horsGrilleIgnorees = false;

    // Documents of version 2.30 (`PlanVersion230`), with the page being read
    // (`PageEnChargement`) and the plan's employer-charge rate text.
    bool version230 = false;
    std::int16_t pageEnChargement = 0;
    std::string* tauxChargePatronale = nullptr;
    // Evaluates the formula of a cell and gives its value as text; needed
    // for the employer-charge rate of version 2.30 documents.
    std::function<std::string(TableauClasse&, int colonne, int ligne)> evalueFormule;
};

struct CaseTexteUtilisateur {
    std::uint8_t colonne = 0;
    std::uint8_t ligne = 0;
    std::string texte;
    bool operator==(const CaseTexteUtilisateur&) const = default;
};

struct CaseResultatUtilisateur {
    std::uint8_t colonne = 0;
    std::uint8_t ligne = 0;
    std::uint8_t type = 0;
    std::string valeur;
    bool operator==(const CaseResultatUtilisateur&) const = default;
};

struct CaseValeurUtilisateur {
    std::uint8_t colonne = 0;
    std::uint8_t ligne = 0;
    std::int32_t valeur = 0;
    bool operator==(const CaseValeurUtilisateur&) const = default;
};

// One record as read, rows already shifted.
struct DonneesUtilisateur {
    std::uint8_t decalageColonne = 0;
    std::uint8_t decalageLigne = 0;
    std::vector<std::int16_t> plisColonnes;
    std::vector<std::int16_t> plisLignes;
    std::vector<CaseTexteUtilisateur> entrees;
    std::vector<CaseResultatUtilisateur> resultats;
    std::vector<CaseTexteUtilisateur> fichiers;
    std::vector<CaseValeurUtilisateur> invalidees;  // valeur unused
    std::vector<CaseValeurUtilisateur> couleurs;
    std::vector<CaseValeurUtilisateur> fusions;
};

// Reads one record of `colonnes` × `lignes` folds whose cells must lie in a
// grid of `colonnesGrille` × `lignesGrille`. Throws korv::ReadError on a
// truncated record, a cell outside the grid, a shifted row past the grid
// (both read and dropped with `horsGrilleIgnorees`), a result type or merge
// mark the grid does not know.
DonneesUtilisateur LitDonneesUtilisateur(BinaryReader& in, int colonnes, int lignes, int colonnesGrille,
                                         int lignesGrille, const OptionsChargementUtilisateur& options);

}  // namespace korv::grid
