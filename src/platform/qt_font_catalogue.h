#pragma once
// CataloguePolices over QFontDatabase. Families whose name the code page
// cannot hold are left out: the program could not name them again.

#include "platform/font_catalogue.h"

namespace korv::platform {

class QtCataloguePolices final : public CataloguePolices {
public:
    std::vector<FamillePolice> Familles() const override;
};

}  // namespace korv::platform
