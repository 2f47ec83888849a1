// A grid store the program did not give a service it needs says so by the
// member and the cause (a programming error), never as work still to come.

#include <gtest/gtest.h>

#include <functional>
#include <stdexcept>
#include <string>

#include "engine/scene.h"
#include "grid/magasin_grilles.h"

namespace korv::grid {
namespace {

TEST(ServiceAbsent, AMissingServiceIsAProgrammingErrorNamingTheMember) {
    struct Cas {
        const char* membre;
        std::function<void(MagasinGrilles&)> appel;
    };
    const engine::Scene scene;
    const Cas cas[] = {
        {"PageCourante", [](MagasinGrilles& m) { m.PageCouranteRecalculSansInit(); }},
        {"ReferencesRecreer", [&scene](MagasinGrilles& m) { m.ReferencesRecreer(scene); }},
        {"BoutonAscenseurMaj", [](MagasinGrilles& m) { m.BoutonAscenseurMaj(1, 1); }},
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.membre);
        MagasinGrilles magasin{ServicesGrilles{}};
        try {
            c.appel(magasin);
            ADD_FAILURE() << "no error";
        } catch (const std::logic_error& e) {
            const std::string message = e.what();
            EXPECT_NE(message.find(c.membre), std::string::npos) << message;
            EXPECT_NE(message.find("erreur de programmation"), std::string::npos) << message;
            EXPECT_EQ(message.find("construit"), std::string::npos) << message;
        }
    }
}

}  // namespace
}  // namespace korv::grid
