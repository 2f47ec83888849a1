// The scene's language list and the current language.

#include "engine/langues.h"

#include <gtest/gtest.h>

#include "engine/moteur.h"
#include "engine/scene.h"

namespace korv::engine {
namespace {

TEST(Langues, EntriesAndCurrentLanguage) {
    struct Cas {
        std::int16_t nombre;
        std::vector<std::string> langues;
        std::int16_t courante;
        std::vector<std::string> attendues;
        std::int16_t couranteAttendue;
    };
    const Cas cas[] = {
        {3, {"", "english", "DEUTSCH\\"}, 5, {"LANGUE1\\", "ENGLISH\\", "DEUTSCH\\"}, 3},
        {3, {"fran\xE7" "ais", "", "espa\xF1ol\\"}, 0, {"FRAN\xC7" "AIS\\", "LANGUE2\\", "ESPA\xD1OL\\"}, 1},
        {2, {"A", "B"}, 2, {"A\\", "B\\"}, 2},
        {2, {"A"}, -4, {"A\\", "LANGUE2\\"}, 1},       // fewer names than the count
        {1, {"A", "B", "C"}, 1, {"A\\"}, 1},           // more names than the count
        {0, {}, 3, {}, 1},
        {-2, {"A"}, 1, {}, 1},
    };
    for (const auto& c : cas) {
        EnteteScene h;
        h.langueNb = c.nombre;
        h.langues = c.langues;
        std::int16_t courante = c.courante;
        InitialiseListeLangues(h, courante);
        EXPECT_EQ(h.langues, c.attendues) << c.nombre;
        EXPECT_EQ(courante, c.couranteAttendue) << c.nombre;
    }
}

TEST(Langues, EngineStateIsUpdated) {
    Moteur m;
    m.scene.entete.langueNb = 2;
    m.scene.entete.langues = {"fr", "en"};
    m.jeu.LangueCourante = 9;
    InitialiseListeLangues(m);
    EXPECT_EQ(m.scene.entete.langues, (std::vector<std::string>{"FR\\", "EN\\"}));
    EXPECT_EQ(m.jeu.LangueCourante, 2);
}

}  // namespace
}  // namespace korv::engine
