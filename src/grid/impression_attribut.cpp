#include "grid/impression_attribut.h"

#include "platform/binary_reader.h"
#include "platform/binary_writer.h"

namespace korv::grid {

std::array<std::int16_t, 8> ImpressionTableauAttribut::Champs() const {
    return {ImprimeFormat, Imprimable, Attribut3, Attribut4, ImprimeFond, ImprimeBord, LargeurMinimale, Attribut8};
}

void ImpressionTableauAttribut::ChampsChange(const std::array<std::int16_t, 8>& v) {
    ImprimeFormat = v[0];
    Imprimable = v[1];
    Attribut3 = v[2];
    Attribut4 = v[3];
    ImprimeFond = v[4];
    ImprimeBord = v[5];
    LargeurMinimale = v[6];
    Attribut8 = v[7];
}

void ImpressionTableauAttribut::LitDansFichier(BinaryReader& in) {
    std::array<std::int16_t, 8> v{};
    for (auto& x : v) x = in.i16();
    ChampsChange(v);
}

void ImpressionTableauAttribut::EcritDansFichier(BinaryWriter& out) const {
    for (auto x : Champs()) out.i16(x);
}

}  // namespace korv::grid
