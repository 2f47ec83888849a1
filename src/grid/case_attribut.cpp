#include "grid/case_attribut.h"

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

namespace korv::grid {

const TableauCaseAttributClasse& AttributDefaut() {
    static const TableauCaseAttributClasse defaut;
    return defaut;
}

bool TableauCaseAttributClasse::EstStandard() const {
    const auto& d = AttributDefaut();
    return Invalidation == d.Invalidation && SousFormat == d.SousFormat && Invisible == d.Invisible &&
           Bulle == d.Bulle && Editable == d.Editable && Nom == d.Nom && TypeAffichage == d.TypeAffichage &&
           Script == d.Script && Fichier == d.Fichier && CouleurFond == d.CouleurFond &&
           CouleurTexte == d.CouleurTexte && Fusion == d.Fusion;
}

bool TableauCaseAttributClasse::EstComplet() const {
    if (EstStandard()) return false;
    return !(CouleurTexte == 0 && Script.empty() && Fichier.empty() && Nom.empty() && Bulle.empty() &&
             Invisible == 0 && Fusion == 0);
}

bool TableauCaseAttributClasse::EstPartiel() const { return !EstStandard() && !EstComplet(); }

bool TableauCaseAttributClasse::EstReduit() const {
    if (EstStandard()) return false;
    if (TypeAffichage == 0 && CouleurFond == kBlanc && SousFormat == 0) return !Nom.empty();
    return true;
}

void TableauCaseAttributClasse::Copie(const TableauCaseAttributClasse& s) {
    Editable = s.Editable;
    TypeAffichage = s.TypeAffichage;
    Script = s.Script;
    Nom = s.Nom;
    Fichier = s.Fichier;
    CouleurFond = s.CouleurFond;
    CouleurTexte = s.CouleurTexte;
    Bulle = s.Bulle;
    SousFormat = s.SousFormat;
    Invisible = s.Invisible;
    Invalidation = s.Invalidation;
    Fusion = s.Fusion;
}

void TableauCaseAttributClasse::LitDansFichier(BinaryReader& in) {
    TableauCaseAttributClasse a;  // the object changes only when the whole record was read
    a.Editable = in.i16();
    a.TypeAffichage = in.u8();
    a.Script = in.fileString();
    a.Fichier = in.fileString();
    a.CouleurFond = in.i32();
    a.CouleurTexte = in.i32();
    a.Nom = in.fileString();
    a.SousFormat = in.i16();
    a.Invisible = in.u8();
    a.Bulle = in.fileString();
    a.Invalidation = in.u8();
    a.Fusion = in.u8();
    *this = std::move(a);
}

void TableauCaseAttributClasse::EcritDansFichier(BinaryWriter& out) const {
    out.i16(Editable);
    out.u8(TypeAffichage);
    out.fileString(Script);
    out.fileString(Fichier);
    out.i32(CouleurFond);
    out.i32(CouleurTexte);
    out.fileString(Nom);
    out.i16(SousFormat);
    out.u8(Invisible);
    out.fileString(Bulle);
    out.u8(Invalidation);
    out.u8(Fusion);
}

}  // namespace korv::grid
