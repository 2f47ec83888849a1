// Any bytes given as a grid's user record are applied or refused with
// ReadError; a refused record leaves the grid as it was, and an applied one
// is written back and read again over the grid to the same record.
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <string>
#include <string_view>

#include "grid/grid_record.h"
#include "grid/tableau.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

namespace {

using namespace korv;
using namespace korv::grid;

// A grid of 3 columns and 40 rows with a formula, entries, a toggle and a merge.
std::unique_ptr<TableauClasse> Grille() {
    GrilleEnregistrement g;
    g.forme = FormeGrille::Complete;
    g.colonneNb = 3;
    g.ligneNb = 40;
    g.colonnes.resize(3);
    for (auto& x : g.colonnes) x.taille = 1200;
    g.lignes.resize(40);
    for (auto& x : g.lignes) x.taille = 500;
    g.textes.push_back({2, 1, "=1+1", std::nullopt});
    g.textes.push_back({1, 1, "Titre", std::nullopt});
    AttributCaseFichier a;
    a.colonne = 1;
    a.ligne = 2;
    a.editable = -1;
    a.couleurFond = 16777215;
    a.invalidation = 1;
    g.attributs.push_back(a);
    a.ligne = 3;
    a.editable = 0;
    a.couleurFond = -14;
    g.attributs.push_back(a);
    auto t = std::make_unique<TableauClasse>();
    t->InitialiseRectangleParent(0, 0, 5000, 5000);
    t->Charge(g, {});
    return t;
}

std::string Ecrit(const TableauClasse& t) {
    BinaryWriter w;
    t.SauverUtilisateur(w);
    return w.take();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 1) return 0;
    // The first byte chooses the reader's options.
    OptionsChargementUtilisateur o;
    const std::uint8_t choix = data[0];
    o.version = (choix & 3) == 0 ? 21 : (choix & 3) == 1 ? 22 : 300;
    o.decalage = (choix & 4) != 0;
    o.editablesSeuls = (choix & 8) != 0;
    if (choix & 16) o.colonnes = 4;
    if (choix & 32) o.lignes = 30;
    const std::string_view octets(reinterpret_cast<const char*>(data + 1), size - 1);

    auto t = Grille();
    const std::string avant = Ecrit(*t);
    try {
        BinaryReader in(octets);
        t->ChargerUtilisateur(in, o);
    } catch (const ReadError&) {
        if (Ecrit(*t) != avant) std::abort();
        return 0;
    }
    // Reading what was written over the same grid changes nothing. (A fresh
    // grid may differ: a fixed cell the user emptied is not written, and
    // takes its scene text back.)
    const std::string apres = Ecrit(*t);
    BinaryReader relu(apres);
    t->ChargerUtilisateur(relu);
    if (!relu.atEnd() || Ecrit(*t) != apres) std::abort();
    return 0;
}
