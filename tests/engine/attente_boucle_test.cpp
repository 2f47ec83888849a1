// The waiting list: registration, the rotating wait with its timing, removal.

#include "engine/attente_boucle.h"

#include <gtest/gtest.h>

#include "engine/moteur.h"
#include "platform/clock.h"
#include "platform/event_pump.h"

namespace korv::engine {
namespace {

// A pump whose waits jump the fake clock straight to their deadline; a wait
// with no deadline at all ends play, as nothing else could happen.
class PompeSaut : public platform::PompeEvenements {
public:
    PompeSaut(platform::HorlogeFactice& h, std::int16_t& fin) : horloge_(h), fin_(fin) {}
    void TraiterEnAttente() override {}
    void AttendreJusqua(std::int64_t echeance, const platform::Horloge&) override {
        ++attentes;
        if (echeance == platform::kJamais) {
            jamais = true;
            fin_ = -1;
            return;
        }
        if (echeance > horloge_.Maintenant()) horloge_.Regler(echeance);
    }
    void Reveiller() override {}
    int attentes = 0;
    bool jamais = false;

private:
    platform::HorlogeFactice& horloge_;
    std::int16_t& fin_;
};

struct Banc {
    Banc() : pompe(horloge, m.jeu.JeuFinDemande) {
        m.Services().horloge = &horloge;
        m.Services().pompe = &pompe;
        auto& p = m.scene.pages.emplace_back();
        p.objets.emplace_back().type = 1;
        m.scene.entete.pageNb = 1;
    }
    int Objet(std::uint8_t type, std::vector<std::int32_t> masques, std::string texte = "") {
        auto& o = m.scene.Page(1).objets.emplace_back();
        o.type = type;
        o.texte = std::move(texte);
        for (auto masque : masques) o.elements.push_back({1, 1, 0, "", "", masque});
        return m.scene.Page(1).ObjetNb();
    }
    // Waits once; returns (time, object) of the entry that became due.
    std::pair<std::int64_t, int> Attendre() {
        EvenementAttendre(m);
        const int n = m.jeu.AttenteNumeroDeclenche;
        return {horloge.Maintenant(), n >= 1 && n <= m.attente.Nombre() ? m.attente.Entree(n).Objet : 0};
    }
    platform::HorlogeFactice horloge;
    Moteur m;
    PompeSaut pompe;
};

TEST(Attente, RegistrationCollectsMasksAndRefusesDuplicates) {
    Banc b;
    const int bouton = b.Objet(3, {2, 256});
    const int rien = b.Objet(3, {0});
    const int video = b.Objet(5, {});
    EXPECT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, bouton));
    EXPECT_EQ(b.m.attente.Entree(1).EvenementsAttendus, 2 | 256);
    EXPECT_FALSE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, bouton)) << "same object, same mask";
    EXPECT_FALSE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, rien)) << "waits for nothing";
    EXPECT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, video));
    EXPECT_EQ(b.m.attente.Entree(2).EvenementsAttendus, 4) << "media always await their end";
    EXPECT_EQ(b.m.attente.Nombre(), 2);

    // An entry marked for removal does not block registering the object again.
    b.m.attente.Entree(1).Etat = -1;
    EXPECT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, bouton));
    EXPECT_EQ(b.m.attente.Nombre(), 3);
    EXPECT_FALSE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 9, 1)) << "an object outside the tables";
}

TEST(Attente, TextLinksRegisterTheirOwnZones) {
    Banc b;
    const int texte = b.Objet(4, {});
    auto& o = b.m.scene.Page(1).Objet(texte);
    o.elements = {{1, 1, 0, "", "lien", 2}, {1, 1, 0, "", "", 256}};
    ZoneTexteLien z;
    z.Texte = "lien";
    z.Numero = 2;
    z.Gauche1 = 100, z.Droite1 = 400, z.Haut1 = 50, z.Bas1 = 80;
    z.Gauche2 = 20, z.Droite2 = 300, z.Bas2 = 110;
    EXPECT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, texte, z));
    EXPECT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, texte, z)) << "zones are never duplicates";
    const auto& e = b.m.attente.Entree(1);
    EXPECT_EQ(e.TypeObjet, kTypeZoneLien);
    EXPECT_EQ(e.EvenementsAttendus, 2 | 256);
    EXPECT_EQ(e.Gauche, 20);
    EXPECT_EQ(e.Haut, 50);
    EXPECT_EQ(e.Largeur, 380);
    EXPECT_EQ(e.Hauteur, 60);
    EXPECT_EQ(e.Zone.Haut2, 80) << "the second rectangle is stacked under the first";
    EXPECT_EQ(e.TexteLien, "lien");
}

TEST(Attente, TimerIsDueAtItsFirstInterval) {
    Banc b;
    b.horloge.Regler(5000);
    const int chrono = b.Objet(7, {8}, "1000,500");
    ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, chrono));
    EXPECT_EQ(b.m.attente.Entree(1).Gauche, 1000);
    EXPECT_EQ(b.m.attente.Entree(1).Haut, 5000);
    EXPECT_EQ(b.Attendre(), std::make_pair(std::int64_t{6000}, chrono));
    EXPECT_EQ(b.pompe.attentes, 1) << "one sleep until the due time, no polling";
    EXPECT_EQ(ChronoPlage(b.m, 1, 0), 1000);
    EXPECT_EQ(ChronoPlage(b.m, 1, 3), 500);
    EXPECT_EQ(ChronoPlage(b.m, 1, 4), 1000) << "intervals wrap around the list";
}

TEST(Attente, TimerStartTimesWorkAtAnyClockValue) {
    // A monotonic clock far beyond 32 bits keeps timers alive.
    Banc b;
    b.horloge.Regler(std::int64_t{5} << 32);
    const int chrono = b.Objet(7, {8}, "250");
    ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, chrono));
    EXPECT_EQ(b.Attendre().first, (std::int64_t{5} << 32) + 250);
}

TEST(Attente, FinishedOrNegativeTimers) {
    Banc b;
    const int negatif = b.Objet(7, {8}, "-5");
    ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, negatif));
    EXPECT_EQ(b.Attendre(), std::make_pair(std::int64_t{0}, negatif));
    b.m.attente.Entree(1).EvenementsSurvenus = 0;
    b.m.attente.Entree(1).Haut = -1;  // finished
    b.m.jeu.JeuFinDemande = 0;
    EvenementAttendre(b.m);
    EXPECT_TRUE(b.pompe.jamais) << "a finished timer is never due again";
}

TEST(Attente, HeldButtonRepeatsAfter520ThenEvery20) {
    Banc b;
    const int bouton = b.Objet(3, {1024});
    ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, bouton));
    auto& e = b.m.attente.Entree(1);
    e.EvenementsSurvenus = 1024;
    e.ProchaineRepetition = -1;  // just pressed
    std::vector<std::int64_t> temps;
    for (int i = 0; i < 4; ++i) temps.push_back(b.Attendre().first);
    EXPECT_EQ(temps, (std::vector<std::int64_t>{0, 521, 542, 563}));
}

TEST(Attente, EntriesDueTogetherFireInListOrderRoundRobin) {
    Banc b;
    std::vector<int> objets;
    for (int i = 0; i < 3; ++i) {
        objets.push_back(b.Objet(3, {1}));
        ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, objets.back()));
    }
    std::vector<int> ordre;
    for (int i = 0; i < 4; ++i) ordre.push_back(b.Attendre().second);
    EXPECT_EQ(ordre, (std::vector<int>{objets[0], objets[1], objets[2], objets[0]}));
}

TEST(Attente, EmptyListWaitsUntilPlayEnds) {
    Banc b;
    b.m.jeu.JeuFinDemande = -1;
    EvenementAttendre(b.m);
    EXPECT_EQ(b.pompe.attentes, 0);
}

TEST(Attente, RemovalMovesTheLastEntryIntoTheGap) {
    Banc b;
    for (int i = 0; i < 5; ++i) {
        const int o = b.Objet(3, {2});
        ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, o));
    }
    b.m.jeu.AttenteNumeroDeclenche = 5;
    EvenementEnlever(b.m, 2);
    ASSERT_EQ(b.m.attente.Nombre(), 4);
    EXPECT_EQ(b.m.attente.Entree(2).Objet, 6) << "entry 5 (object 6) took place 2";
    EXPECT_EQ(b.m.jeu.AttenteNumeroDeclenche, 4);
    EvenementEnlever(b.m, 9);
    EXPECT_EQ(b.m.attente.Nombre(), 4);

    b.m.attente.Entree(1).Etat = -1;
    b.m.attente.Entree(4).Etat = -1;
    EvenementEnleverSiDemande(b.m);
    ASSERT_EQ(b.m.attente.Nombre(), 2);
    EXPECT_EQ(b.m.attente.Entree(1).Objet, 4);
    EXPECT_EQ(b.m.attente.Entree(2).Objet, 6);

    b.m.attente.Entree(1).EvenementsAttendus = 0;
    EvenementEnleverSiPlusDeConditionAttendues(b.m, 2);
    EXPECT_EQ(b.m.attente.Nombre(), 2);
    EvenementEnleverSiPlusDeConditionAttendues(b.m, 1);
    EXPECT_EQ(b.m.attente.Nombre(), 1);
    EXPECT_EQ(EvenementNObjetVersNEve(b.m, 1, 6), 1);
    EvenementEnleverTous(b.m);
    EXPECT_EQ(b.m.attente.Nombre(), 0);
    EXPECT_EQ(b.m.jeu.AttenteNumeroDeclenche, 0);
}

}  // namespace
}  // namespace korv::engine

namespace korv::engine {
namespace {

TEST(Attente, MouseOverRepeatsAtAPaceNotAtEveryPass) {
    Banc b;
    const int zone = b.Objet(3, {8192});
    ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, zone));
    b.m.attente.Entree(1).EvenementsSurvenus = 8192;  // the mouse stays over it
    std::vector<std::int64_t> temps;
    for (int i = 0; i < 3; ++i) temps.push_back(b.Attendre().first);
    EXPECT_EQ(temps, (std::vector<std::int64_t>{0, 21, 42}));
    EXPECT_EQ(b.pompe.attentes, 2) << "it sleeps between two firings";
}

}  // namespace
}  // namespace korv::engine

namespace korv::engine {
namespace {

TEST(Attente, ATimerWithoutIntervalFiresAtMostOncePerMillisecond) {
    Banc b;
    const int chrono = b.Objet(7, {8}, "0");
    ASSERT_TRUE(EvenementObjetEnAttenteDEvenementAjoute(b.m, 1, chrono));
    std::vector<std::int64_t> temps;
    for (int i = 0; i < 3; ++i) temps.push_back(b.Attendre().first);
    EXPECT_EQ(temps, (std::vector<std::int64_t>{0, 1, 2}));
}

}  // namespace
}  // namespace korv::engine
