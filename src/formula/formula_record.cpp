#include "formula/formula_record.h"

#include <stdexcept>
#include <string>

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

namespace korv::formula {

namespace {

// Smallest stored token: kind byte, tag, one data byte.
constexpr std::size_t kMinJeton = 4;
constexpr std::size_t kTailleReference = 8;

ExpressionReference LitReference(BinaryReader& in) {
    ExpressionReference r;
    r.page = in.i16();
    r.objet = in.i16();
    r.colonne1 = in.u8();
    r.ligne1 = in.u8();
    r.colonne2 = in.u8();
    r.ligne2 = in.u8();
    return r;
}

void EcritReference(BinaryWriter& out, const ExpressionReference& r) {
    out.i16(r.page);
    out.i16(r.objet);
    out.u8(r.colonne1);
    out.u8(r.ligne1);
    out.u8(r.colonne2);
    out.u8(r.ligne2);
}

std::int16_t Compte16(std::size_t n, const char* what) {
    if (n > 32767) throw std::length_error(std::string("trop de ") + what + " dans une formule");
    return static_cast<std::int16_t>(n);
}

DescripteurTableau Descripteur(const ArrayShape& forme) {
    return DescripteurTableau{forme.lowerBound, forme.count == 0 && forme.dimensions == 1};
}

// Reads a token into its place in the list: the list is already reserved,
// and its string values are built where they are kept.
void LitJetonDans(BinaryReader& in, JetonFormule& j) {
    j.genre = in.u8();
    const std::uint16_t tag = in.u16();
    switch (tag) {
    case kTagOctet: j.valeur = in.u8(); break;
    case kTagDouble: j.valeur = in.f64(); break;
    case kTagChaine:
        // Appended to an empty string in place: emplacing from the bytes
        // would build a temporary string and move it.
        j.valeur.emplace<std::string>().append(in.shortStringView());
        break;
    default: in.fail("type de valeur de jeton inconnu " + std::to_string(tag));
    }
}

}  // namespace

JetonFormule LitJeton(BinaryReader& in) {
    JetonFormule j;
    LitJetonDans(in, j);
    return j;
}

void EcritJeton(BinaryWriter& out, const JetonFormule& j) {
    out.u8(j.genre);
    if (const auto* b = std::get_if<std::uint8_t>(&j.valeur)) {
        out.u16(kTagOctet);
        out.u8(*b);
    } else if (const auto* d = std::get_if<double>(&j.valeur)) {
        out.u16(kTagDouble);
        out.f64(*d);
    } else {
        out.u16(kTagChaine);
        out.shortString(std::get<std::string>(j.valeur));
    }
}

ExpressionEnregistrement LitExpressionEnregistrement(BinaryReader& in) {
    ExpressionEnregistrement e;
    const auto n = in.checkedCount(in.i16(), kMinJeton, 32767, "jetons");
    e.jetons.reserve(static_cast<std::size_t>(n));
    for (int i = 0; i < n; ++i) LitJetonDans(in, e.jetons.emplace_back());
    e.contientSi = in.i16();
    const auto m = in.checkedCount(in.i16(), kTailleReference, 32767, "références");
    e.references.reserve(static_cast<std::size_t>(m));
    for (int i = 0; i < m; ++i) e.references.push_back(LitReference(in));
    return e;
}

void EcritExpressionEnregistrement(BinaryWriter& out, const ExpressionEnregistrement& e) {
    out.i16(Compte16(e.jetons.size(), "jetons"));
    for (const auto& j : e.jetons) EcritJeton(out, j);
    out.i16(e.contientSi);
    out.i16(Compte16(e.references.size(), "références"));
    for (const auto& r : e.references) EcritReference(out, r);
}

ExpressionUDT LitExpressionUDT(BinaryReader& in) {
    ExpressionUDT u;
    LitExpressionUDTDans(in, u);
    return u;
}

void LitExpressionUDTDans(BinaryReader& in, ExpressionUDT& u) {
    u.colonne = in.u8();
    u.ligne = in.u8();
    const std::int16_t nJetons = in.i16();
    const ArrayShape jetons = in.arrayShape(kMinJeton);
    // The count field and the array must agree; an empty array is written
    // with no dimension at all.
    if (nJetons != jetons.count) in.fail("nombre de jetons incohérent");
    u.tableauJetons = Descripteur(jetons);
    u.expression.jetons.reserve(static_cast<std::size_t>(jetons.count));
    for (int i = 0; i < jetons.count; ++i) LitJetonDans(in, u.expression.jetons.emplace_back());
    u.expression.contientSi = in.i16();
    const std::int16_t nRefs = in.i16();
    const ArrayShape refs = in.arrayShape(kTailleReference);
    if (nRefs != refs.count) in.fail("nombre de références incohérent");
    u.tableauReferences = Descripteur(refs);
    u.expression.references.reserve(static_cast<std::size_t>(refs.count));
    for (int i = 0; i < refs.count; ++i) u.expression.references.push_back(LitReference(in));
}

void EcritExpressionUDT(BinaryWriter& out, const ExpressionUDT& u) {
    out.u8(u.colonne);
    out.u8(u.ligne);
    out.i16(Compte16(u.expression.jetons.size(), "jetons"));
    out.arrayShape(u.expression.jetons.size(), u.tableauJetons.borneInferieure, u.tableauJetons.videDecrit);
    for (const auto& j : u.expression.jetons) EcritJeton(out, j);
    out.i16(u.expression.contientSi);
    out.i16(Compte16(u.expression.references.size(), "références"));
    out.arrayShape(u.expression.references.size(), u.tableauReferences.borneInferieure,
                   u.tableauReferences.videDecrit);
    for (const auto& r : u.expression.references) EcritReference(out, r);
}

}  // namespace korv::formula
