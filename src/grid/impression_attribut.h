#pragma once
// Print attributes of one row or column (`ImpressionTableauAttribut`):
// eight Integers, all 0 in a new object, stored as a 16-byte record.

#include <array>
#include <cstdint>

namespace korv {
class BinaryReader;
class BinaryWriter;
}  // namespace korv

namespace korv::grid {

struct ImpressionTableauAttribut {
    std::int16_t ImprimeFormat = 0;
    std::int16_t Imprimable = 0;  // 1 printed, 0 left out
    std::int16_t Attribut3 = 0;
    std::int16_t Attribut4 = 0;
    std::int16_t ImprimeFond = 0;
    std::int16_t ImprimeBord = 0;
    std::int16_t LargeurMinimale = 0;
    std::int16_t Attribut8 = 0;

    // The eight fields in record order.
    std::array<std::int16_t, 8> Champs() const;
    void ChampsChange(const std::array<std::int16_t, 8>& v);

    void LitDansFichier(BinaryReader& in);
    void EcritDansFichier(BinaryWriter& out) const;

    bool operator==(const ImpressionTableauAttribut&) const = default;
};

}  // namespace korv::grid
