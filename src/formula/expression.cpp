#include "formula/expression.h"

#include "formula/services.h"
#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

namespace korv::formula {

namespace {

constexpr std::uint8_t kCodeSomme = 12;
constexpr std::uint8_t kCodeMax = 14;

std::uint8_t Octet(std::string_view s, std::size_t i) { return static_cast<std::uint8_t>(s[i]); }

bool EstZone(std::uint8_t code) { return code >= kCodeSomme && code <= kCodeMax; }

}  // namespace

bool ProprieteKORReferenceTElleSelonValeurDAuMoinsUneCase(std::uint8_t code) {
    switch (code) {
    case 10:
    case 11:
    case 12:
    case 13:
    case 14:
    case 25:
    case 26: return true;
    default: return false;
    }
}

void ExpressionClasse::LitDansFichier(BinaryReader& in) { enr_ = LitExpressionEnregistrement(in); }

void ExpressionClasse::EcritDansFichier(BinaryWriter& out) const { EcritExpressionEnregistrement(out, enr_); }

void ExpressionClasse::LitValeursDansUDT(const ExpressionUDT& element) { enr_ = element.expression; }

void ExpressionClasse::EcritValeursDansUDT(ExpressionUDT& element) const { element.expression = enr_; }

void ExpressionClasse::ReferenceVersCree() {
    enr_.references.clear();
    for (const JetonFormule& j : enr_.jetons) {
        if (j.genre != static_cast<std::uint8_t>(GenreJeton::ReferenceObjet)) continue;
        const auto* packed = std::get_if<std::string>(&j.valeur);
        if (packed == nullptr || packed->size() < 3) continue;
        const std::uint8_t code = Octet(*packed, 2);
        if (!ProprieteKORReferenceTElleSelonValeurDAuMoinsUneCase(code)) continue;
        ExpressionReference r;
        r.page = Octet(*packed, 0);
        r.objet = Octet(*packed, 1);
        // A packed text too short for its coordinates makes no reference
        // (it cannot come from the packer; it would come from a damaged file).
        if (EstZone(code)) {
            if (packed->size() < 7) continue;
            r.colonne1 = Octet(*packed, 3);
            r.ligne1 = Octet(*packed, 4);
            r.colonne2 = Octet(*packed, 5);
            r.ligne2 = Octet(*packed, 6);
        } else {
            if (packed->size() < 5) continue;
            r.colonne1 = r.colonne2 = Octet(*packed, 3);
            r.ligne1 = r.ligne2 = Octet(*packed, 4);
        }
        enr_.references.push_back(r);
    }
}

void ExpressionClasse::AjouteReferenceDe(std::int16_t page, std::int16_t objet, std::uint8_t colonne,
                                         std::uint8_t ligne, ServicesScene& scene) const {
    for (const ExpressionReference& r : enr_.references) {
        ServiceGrille* grille = scene.Grille(r.page, r.objet);
        if (grille == nullptr) continue;
        for (int l = r.ligne1; l <= r.ligne2; ++l) {
            for (int c = r.colonne1; c <= r.colonne2; ++c) {
                grille->ReferenceDeAjoute(static_cast<std::uint8_t>(c), static_cast<std::uint8_t>(l), page, objet,
                                          colonne, ligne);
            }
        }
    }
}

void ExpressionClasse::ChangeCaseReference(std::int16_t page, std::int16_t objet, std::uint8_t colonne,
                                           std::uint8_t ligne) {
    pageProprietaire_ = page;
    objetProprietaire_ = objet;
    colonneProprietaire_ = colonne;
    ligneProprietaire_ = ligne;
}

bool ExpressionClasse::ExpressionReferenceEstElleActive(std::string_view packed) const {
    if (packed.size() < 3) return false;
    const std::uint8_t code = Octet(packed, 2);
    if (!ProprieteKORReferenceTElleSelonValeurDAuMoinsUneCase(code)) return false;
    if (Octet(packed, 0) != pageProprietaire_ || Octet(packed, 1) != objetProprietaire_) return false;
    if (EstZone(code)) {
        if (packed.size() < 7) return false;
        return Octet(packed, 3) <= colonneProprietaire_ && colonneProprietaire_ <= Octet(packed, 5) &&
               Octet(packed, 4) <= ligneProprietaire_ && ligneProprietaire_ <= Octet(packed, 6);
    }
    if (packed.size() < 5) return false;
    return colonneProprietaire_ == Octet(packed, 3) && ligneProprietaire_ == Octet(packed, 4);
}

}  // namespace korv::formula
