// The copy between two grids through the copy buffer: attributes, source
// texts (formulas included) and scripts, shifted by the move when asked.

#include <memory>
#include <string>

#include "formula/expression.h"
#include "grid/formule_decale.h"
#include "grid/tableau.h"
#include "platform/message_box.h"

namespace korv::grid {

namespace {

constexpr std::string_view kPointInvalide = "Impossible de coller, le point d'insertion est invalide.";
constexpr std::string_view kRienAColler =
    "Le presse-papier ne contient aucune donn\xe9"
    "e valide pour effectuer cette op\xe9ration";

bool EstFormule(std::string_view texte) { return !texte.empty() && texte.front() == '='; }

// A formula read from the scene's formula block keeps no source text.
bool FormuleSansSource(std::string_view texte) { return texte == "=#"; }

void AttributsCopie(CaseTableau& destination, const CaseTableau* source) {
    // A cell equal to the defaults keeps sharing them.
    if (!source || !source->AttributPropre()) {
        destination.AttributPartage();
        return;
    }
    destination.AttributModifiable().Copie(source->Attribut());
}

void Compile(CaseTableau& x, const formula::ServicesFormule& services) {
    auto f = std::make_unique<formula::ExpressionClasse>();
    (void)f->Code(x.Texte.substr(1), services);
    f->ReferenceVersCree();
    x.Formule = std::move(f);
}

}  // namespace

void TableauClasse::ContenuCopie(int c, int r, const TableauClasse& source, int cs, int rs) {
    CaseTableau* x = CaseAChanger(c, r);
    if (!x) return;
    const CaseTableau* s = source.Case(cs, rs);
    x->Texte = s ? s->Texte : std::string();
    x->Valeur = s ? s->Valeur : std::string();
    // The formula the cell held no longer matches its text; the paste
    // compiles the new one. One without a source text can only be copied.
    x->Formule.reset();
    if (s && s->Formule && FormuleSansSource(s->Texte)) {
        x->Formule = std::make_unique<formula::ExpressionClasse>(s->Formule->Enregistrement());
    }
    CaseResultatTypeChange(c, r, s ? s->ResultatType : resultat::kEntree);
}

void TableauClasse::CopierPlageAffichee(const TableauClasse& source, int c1, int r1, int c2, int r2) {
    origineCopieColonne_ = static_cast<std::uint8_t>(source.ColonneAfficheeVersStockee(c1));
    origineCopieLigne_ = static_cast<std::uint8_t>(source.LigneAfficheeVersStockee(r1));
    int d = 0;
    // Displayed position 0 holds nothing and is passed over.
    for (int c = c1; c <= c2; ++c) {
        if (c == 0) continue;
        ++d;
        int e = 0;
        for (int r = r1; r <= r2; ++r) {
            if (r == 0) continue;
            ++e;
            CaseTableau* x = CaseAChanger(d, e);
            if (!x) continue;
            const int cs = source.ColonneAfficheeVersStockee(c);
            const int rs = source.LigneAfficheeVersStockee(r);
            AttributsCopie(*x, source.Case(cs, rs));
            ContenuCopie(d, e, source, cs, rs);
        }
    }
    aEteCopie_ = -1;
}

void TableauClasse::Coller(bool decaler, platform::BoiteMessage& messages) {
    const std::string noms = ListeFonctionsADecaler();
    const SelectionTableau& s = selection_;
    const int c0 = ColonneAfficheeVersStockee(s.HautGaucheColonne);
    const int r0 = LigneAfficheeVersStockee(s.HautGaucheLigne);
    // A top-left cell shown nowhere would shift the whole paste.
    if (s.HautGaucheColonne == 0 || s.HautGaucheLigne == 0 || s.Valide == 0 || !DansGrille(c0, r0)) {
        messages.Afficher(kPointInvalide, platform::style::Ok);
        return;
    }
    // The buffer pasted onto itself would read cells it has just written.
    const TableauClasse* tampon = env_ ? env_->Grille(0, 1) : nullptr;
    if (!tampon || tampon == this || !tampon->AEteCopie()) {
        messages.Afficher(kRienAColler, platform::style::Ok);
        return;
    }
    const DecalageZone zone{0, 0, kMaxLignesColonnes, kMaxLignesColonnes, c0 - tampon->OrigineCopieColonne(),
                            r0 - tampon->OrigineCopieLigne()};
    int cd = c0;
    for (int bc = 1; bc <= tampon->ColonneNb(); ++bc, ++cd) {
        int rd = r0;
        for (int br = 1; br <= tampon->LigneNb(); ++br, ++rd) {
            if (!DansGrille(cd, rd)) continue;
            AttributsCopie(CaseInterne(cd, rd), tampon->Case(bc, br));
            ContenuCopie(cd, rd, *tampon, bc, br);
            const std::string texte = CaseInterne(cd, rd).Texte;
            const bool aCompiler = EstFormule(texte) && !FormuleSansSource(texte);
            if (decaler) {
                // The new text is compiled as it is stored.
                if (aCompiler) CaseEditeurChange(cd, rd, FormuleDecale(texte, noms, ".", zone, false));
                CaseScriptChange(cd, rd, FormuleDecale(CaseScript(cd, rd), noms, ".", zone, false));
            } else if (aCompiler) {
                Compile(CaseInterne(cd, rd), Contexte().Formules());
            }
        }
    }
}

void TableauClasse::ChargeAsciiPrecalculExpression() {
    for (int c = 1; c <= colonneNb_; ++c) {
        for (int r = 1; r <= ligneNb_; ++r) {
            CaseTableau& x = CaseInterne(c, r);
            if (EstFormule(x.Texte) && !FormuleSansSource(x.Texte)) Compile(x, Contexte().Formules());
        }
    }
}

}  // namespace korv::grid
