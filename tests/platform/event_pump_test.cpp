#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/clock.h"
#include "platform/event_pump_fake.h"

namespace korv::platform {
namespace {

struct Banc {
    HorlogeFactice horloge{1000};
    PompeEvenementsFactice pompe{horloge};
    std::vector<std::string> journal;

    void Programme(std::int64_t t, std::string nom) {
        pompe.Programmer(t, [this, t, nom] { journal.push_back(nom + "@" + std::to_string(horloge.Maintenant())); });
    }
};

TEST(PompeFactice, AttenteAvanceVersEcheanceOuEntreeLaPlusProche) {
    struct Cas {
        const char* nom;
        std::int64_t echeance;
        std::vector<std::int64_t> entrees;
        std::int64_t heureAttendue;
        std::vector<std::string> livrees;
    };
    const std::vector<Cas> cas = {
        {"échéance seule", 1500, {}, 1500, {}},
        {"entrée avant l'échéance", 1500, {1200}, 1200, {"e0@1200"}},
        {"entrée à l'échéance", 1500, {1500}, 1500, {"e0@1500"}},
        {"entrée après l'échéance, gardée", 1500, {1800}, 1500, {}},
        {"entrées d'un même instant, dans l'ordre", 1500, {1300, 1300}, 1300, {"e0@1300", "e1@1300"}},
        {"sans échéance : l'entrée", kJamais, {4000}, 4000, {"e0@4000"}},
        {"échéance passée : l'heure ne bouge pas", 900, {}, 1000, {}},
        {"entrée déjà passée : livrée sans bouger", 5000, {800}, 1000, {"e0@1000"}},
    };
    for (const auto& c : cas) {
        SCOPED_TRACE(c.nom);
        Banc b;
        for (std::size_t i = 0; i < c.entrees.size(); ++i) b.Programme(c.entrees[i], std::string("e").append(std::to_string(i)));
        b.pompe.AttendreJusqua(c.echeance, b.horloge);
        EXPECT_EQ(b.horloge.Maintenant(), c.heureAttendue);
        EXPECT_EQ(b.journal, c.livrees);
    }
}

TEST(PompeFactice, LivraisonsDansLOrdreDuTempsMemeProgrammeesEnDesordre) {
    Banc b;
    b.Programme(3000, "c");
    b.Programme(2000, "a");
    b.Programme(2000, "b");
    b.pompe.TraiterEnAttente();  // nothing due at 1000
    EXPECT_TRUE(b.journal.empty());
    while (b.pompe.EntreesEnAttente() > 0) b.pompe.AttendreJusqua(10000, b.horloge);
    EXPECT_EQ(b.journal, (std::vector<std::string>{"a@2000", "b@2000", "c@3000"}));
    EXPECT_EQ(b.horloge.Maintenant(), 3000);
}

TEST(PompeFactice, UneLivraisonPeutProgrammerEtReveiller) {
    Banc b;
    b.pompe.Programmer(1100, [&] {
        b.journal.push_back("clic");
        b.Programme(1100, "relance");  // same instant: delivered in the same wait
        b.pompe.Reveiller();
    });
    b.pompe.AttendreJusqua(9000, b.horloge);
    EXPECT_EQ(b.journal, (std::vector<std::string>{"clic", "relance@1100"}));
    // The wake-up was taken by the wait it happened in.
    b.pompe.AttendreJusqua(1400, b.horloge);
    EXPECT_EQ(b.horloge.Maintenant(), 1400);
}

TEST(PompeFactice, ReveilAvantAttenteNeBougePasLHorloge) {
    Banc b;
    b.pompe.Reveiller();
    b.pompe.AttendreJusqua(5000, b.horloge);
    EXPECT_EQ(b.horloge.Maintenant(), 1000);
    b.pompe.AttendreJusqua(5000, b.horloge);
    EXPECT_EQ(b.horloge.Maintenant(), 5000);
    EXPECT_EQ(b.pompe.NombreAttentes(), 2);
}

TEST(PompeFactice, ArretVoitLInstantViseEtLaisseLHorloge) {
    Banc b;
    b.Programme(1200, "e");
    std::vector<std::int64_t> vus;
    int arrets = 0;
    b.pompe.arreter = [&](std::int64_t vise) {
        vus.push_back(vise);
        return vise > 1100;
    };
    b.pompe.surArret = [&] { ++arrets; };
    b.pompe.TraiterEnAttente();              // asks with the current time
    b.pompe.AttendreJusqua(2000, b.horloge);  // would go to the input at 1200
    EXPECT_EQ(vus, (std::vector<std::int64_t>{1000, 1200}));
    EXPECT_EQ(arrets, 1);
    EXPECT_EQ(b.horloge.Maintenant(), 1000);
    EXPECT_TRUE(b.journal.empty());
    EXPECT_EQ(b.pompe.EntreesEnAttente(), 1u);
    b.pompe.arreter = [](std::int64_t vise) { return vise > 1500; };
    b.pompe.AttendreJusqua(2000, b.horloge);
    EXPECT_EQ(b.journal, (std::vector<std::string>{"e@1200"}));
}

TEST(PompeFactice, AttenteSansFinOuSurUneAutreHorlogeRefusee) {
    Banc b;
    EXPECT_THROW(b.pompe.AttendreJusqua(kJamais, b.horloge), std::logic_error);
    EXPECT_EQ(b.horloge.Maintenant(), 1000);
    HorlogeFactice autre;
    EXPECT_THROW(b.pompe.AttendreJusqua(2000, autre), std::logic_error);
    EXPECT_THROW(b.pompe.Programmer(2000, nullptr), std::invalid_argument);
    // With a stop hook the endless wait is the hook's to end.
    bool arrete = false;
    b.pompe.arreter = [](std::int64_t vise) { return vise == kJamais; };
    b.pompe.surArret = [&] { arrete = true; };
    b.pompe.AttendreJusqua(kJamais, b.horloge);
    EXPECT_TRUE(arrete);
}

}  // namespace
}  // namespace korv::platform
