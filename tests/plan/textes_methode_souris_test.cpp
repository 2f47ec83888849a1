#include "plan/methode/textes_methode_souris.h"

#include <gtest/gtest.h>

#include "platform/cp1252.h"
#include "rtf/lecteur.h"

namespace korv::plan {
namespace {

rtf::Document Lu(std::string_view rtf) {
    auto d = rtf::LireTexteRiche(rtf);
    EXPECT_TRUE(d.has_value()) << rtf;
    return d.value_or(rtf::Document{});
}

std::u32string U(std::string_view utf8) { return platform::Cp1252VersU32(platform::Utf8VersCp1252(utf8)); }
std::string Utf8(std::u32string_view t) { return platform::Cp1252VersUtf8(platform::U32VersCp1252(t)); }

std::int32_t Position(const std::u32string& t, std::string_view morceau, int decalage = 0) {
    const auto p = t.find(U(morceau));
    EXPECT_NE(p, std::u32string::npos) << morceau;
    return static_cast<std::int32_t>(p) + decalage;
}

TEST(TextesMethodeSouris, AMenuLineIsTheRunOfPrintableCharactersAroundThePosition) {
    const std::u32string t = U("Intro\r\n  Marché cible \r\n\r\nConcurrence");
    struct Cas {
        std::int32_t position;
        const char* ligne;
    };
    const Cas cas[] = {
        {0, "Intro"},                                     // the first line, from its first character
        {4, "Intro"},
        {5, ""},                                          // its CR
        {6, ""},                                          // its LF
        {Position(t, "cible"), "  Marché cible "},        // blanks kept (the caller trims)
        {Position(t, "\r\n\r\n", 2), ""},                 // an empty line
        {Position(t, "rence", 4), "Concurrence"},         // the last character of the text
        {static_cast<std::int32_t>(t.size()), ""},        // past the end
    };
    for (const Cas& c : cas) EXPECT_EQ(Utf8(MenuSavLigneTexte(t, c.position)), c.ligne) << c.position;

    EXPECT_EQ(MenuSavSurvol(t, 0), kSurvolActif);
    EXPECT_EQ(MenuSavSurvol(t, 5), 0);
    EXPECT_EQ(MenuSavSurvol(t, -1), 0);
    EXPECT_EQ(MenuSavSurvol(t, static_cast<std::int32_t>(t.size())), 0);
}

TEST(TextesMethodeSouris, AMenuLineLeadsToTheSectionThatHoldsIt) {
    const std::u32string t = U("Avant tout¤\r\nLe marché visé¤\r\nLes CONCURRENTS directs¤\r\nFin");
    struct Cas {
        const char* ligne;
        std::optional<int> section;
    };
    const Cas cas[] = {
        {"Avant tout", 1},           // before the first marker
        {"  Le marché visé ", 2},    // trimmed
        {"les concurrents", 3},      // any case
        {"LE MARCHÉ", 2},            // accented capitals too
        {"Fin", 4},
        {"", 1},                     // an empty line is found at the start
        {"Absente", std::nullopt},
    };
    for (const Cas& c : cas) EXPECT_EQ(MenuSavSection(t, U(c.ligne)), c.section) << c.ligne;
}

// Glossary words are red and underlined; underlined alone, red alone or
// blue and underlined are not.
constexpr std::string_view kTexte =
    R"({\rtf1\ansi{\colortbl;\red255\green0\blue0;\red0\green0\blue255;})"
    R"({\cf1\ul Seuil} de {\cf1\ul rentabilit\'e9} et {\ul soulign\'e9} et {\cf1 rouge} et {\cf2\ul bleu})"
    R"(\par {\cf1\ul mar}{\ul ge} brute})";

TEST(TextesMethodeSouris, AGlossaryWordIsTheUnderlinedRunAroundARedUnderlinedCharacter) {
    const rtf::Document d = Lu(kTexte);
    const std::u32string t = d.TexteBrut();
    struct Cas {
        std::int32_t position;
        std::optional<std::string> mot;
    };
    const Cas cas[] = {
        {0, std::nullopt},                              // the very first character is never clicked
        {1, "Seuil"},                                   // a word beginning the text is found whole
        {Position(t, "abilit"), "rentabilité"},
        {Position(t, "é", 0), "rentabilité"},           // on its accented letter
        {Position(t, "souligné", 2), std::nullopt},     // underlined, not red
        {Position(t, "rouge", 1), std::nullopt},        // red, not underlined
        {Position(t, "bleu", 1), std::nullopt},
        {Position(t, " de"), std::nullopt},             // between words
        {Position(t, "mar", 1), "marge"},               // the scans follow the underline alone
        {Position(t, "ge brute"), std::nullopt},        // clicked where it is not red
        {Position(t, "\r\n"), std::nullopt},
    };
    for (const Cas& c : cas) {
        const auto mot = GlossaireMot(d, c.position);
        EXPECT_EQ(mot ? std::optional<std::string>(Utf8(*mot)) : std::nullopt, c.mot) << c.position;
        EXPECT_EQ(GlossaireSurvol(d, c.position) == kSurvolActif, GlossaireMarque(d, c.position)) << c.position;
    }
    EXPECT_EQ(GlossaireSurvol(d, 0), kSurvolActif);  // a move over the first character does react
    EXPECT_EQ(GlossaireSurvol(d, -1), 0);
}

TEST(TextesMethodeSouris, AWordsDefinitionIsItsEntryBetweenTheColonAndTheMarker) {
    const rtf::Document g = Lu(
        R"({\rtf1\ansi Marge brute* (f.) : ce qui reste {\b apr\'e8s} les achats.\'a4\par )"
        R"(seuil* : le chiffre d'affaires qui couvre les charges.\'a4\par )"
        R"(Vide*:\'a4\par SansFin* : jamais close\par SansDeuxPoints* rien})");
    using E = DefinitionGlossaire::Etat;
    struct Cas {
        const char* mot;
        E etat;
        const char* definition;
    };
    const Cas cas[] = {
        {"MARGE BRUTE", E::Trouvee, " ce qui reste après les achats."},
        {"Seuil", E::Trouvee, " le chiffre d'affaires qui couvre les charges."},  // capitals find small letters
        {"seuil ", E::MotAbsent, ""},          // "*" must follow the word
        {"Marge", E::MotAbsent, ""},
        {"Absent", E::MotAbsent, ""},
        {"Vide", E::Incomplete, ""},          // the marker right after the colon
        {"SansFin", E::Incomplete, ""},       // no marker after the colon
        {"SansDeuxPoints", E::Incomplete, ""},
    };
    for (const Cas& c : cas) {
        const DefinitionGlossaire r = GlossaireDefinitionChercher(g, U(c.mot));
        EXPECT_EQ(r.etat, c.etat) << c.mot;
        if (c.etat == E::Trouvee) {
            EXPECT_EQ(Utf8(r.definition.TexteBrut()), c.definition) << c.mot;
        }
    }
    // The definition keeps its formatting.
    const rtf::Document d = GlossaireDefinitionChercher(g, U("marge brute")).definition;
    bool gras = false;
    for (const auto& p : d.paragraphes) {
        for (const auto& m : p.morceaux) gras = gras || (m.format.gras && m.texte == U("après"));
    }
    EXPECT_TRUE(gras);
}

TEST(TextesMethodeSouris, AGlossaryPieceIsTheNumberedSectionOfItsText) {
    const rtf::Document g = Lu(R"({\rtf1\ansi Un\'a4\par {\i Deux}\'a4\par Trois\'a4\par \'a4\par Cinq})");
    struct Cas {
        int n;
        std::optional<std::string> texte;
    };
    const Cas cas[] = {
        {1, "Un"}, {2, "Deux"}, {3, "Trois"},
        {4, std::nullopt},  // an empty piece: no bubble
        {5, "Cinq"},
        {9, "Cinq"},        // beyond the last: the last
    };
    for (const Cas& c : cas) {
        const auto d = GlossaireMorceau(g, c.n);
        EXPECT_EQ(d ? std::optional<std::string>(Utf8(d->TexteBrut())) : std::nullopt, c.texte) << c.n;
    }
}

}  // namespace
}  // namespace korv::plan
