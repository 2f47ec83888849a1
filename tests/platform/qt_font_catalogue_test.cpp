#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/qt_font_catalogue.h"
#include "qt_test_app.h"

namespace korv::platform {
namespace {

// A family that several foundries make is one family, named without its
// foundry (Qt lists it as "Family [Foundry]" once per foundry): the name is
// what documents, exports and the font lists carry.
TEST(QtCataloguePolices, FamiliesAreNamedWithoutTheirFoundryOnce) {
    ApplicationTest();
    const std::vector<FamillePolice> familles = QtCataloguePolices().Familles();
    ASSERT_FALSE(familles.empty());
    std::set<std::string> vues;
    for (const FamillePolice& f : familles) {
        EXPECT_EQ(f.nom.find('['), std::string::npos) << f.nom;
        EXPECT_TRUE(vues.insert(f.nom).second) << f.nom << " twice";
    }
}

}  // namespace
}  // namespace korv::platform
