#pragma once
// The font families the screen offers, for the font lists of the rich-text
// bar and the default text font. Names are Windows-1252 bytes.

#include <string>
#include <vector>

namespace korv::platform {

struct FamillePolice {
    std::string nom;
    bool matricielle = false;  // bitmap only: not offered for rich text
    bool operator==(const FamillePolice&) const = default;
};

class CataloguePolices {
public:
    virtual ~CataloguePolices() = default;
    // Every family, in the system's order.
    virtual std::vector<FamillePolice> Familles() const = 0;
};

// Catalogue for tests: the families it is given.
class CataloguePolicesFactice final : public CataloguePolices {
public:
    std::vector<FamillePolice> Familles() const override { return familles; }
    std::vector<FamillePolice> familles;
};

}  // namespace korv::platform
