#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plan/textes_fenetres.h"
#include "platform/cp1252.h"

namespace korv::plan {
namespace {

std::vector<std::string> Blocs(const std::string& texte) {
    std::vector<std::string> blocs;
    std::size_t debut = 0;
    for (std::size_t fin; (fin = texte.find("\r\n\r\n", debut)) != std::string::npos; debut = fin + 4) {
        blocs.push_back(texte.substr(debut, fin - debut));
    }
    blocs.push_back(texte.substr(debut));
    return blocs;
}

TEST(TextesFenetres, AProposQuatreBlocsSeparesEtFinVide) {
    const std::string texte = TexteAPropos();
    EXPECT_EQ(texte.rfind("Version 3.3 du 01/10/2010\r\n", 0), 0u);
    const std::vector<std::string> blocs = Blocs(texte);
    // Four blocks, then nothing after the closing empty line.
    ASSERT_EQ(blocs.size(), 5u);
    EXPECT_EQ(blocs[4], "");
    for (int i = 0; i < 4; ++i) {
        EXPECT_FALSE(blocs[i].empty()) << i;
        EXPECT_EQ(blocs[i].find("\r\n\r\n"), std::string::npos) << i;
    }
    EXPECT_EQ(std::count(blocs[0].begin(), blocs[0].end(), '\n'), 2);  // version, notice, address
    EXPECT_EQ(std::count(blocs[1].begin(), blocs[1].end(), '\n'), 2);  // three lines
    EXPECT_EQ(blocs[2].rfind(platform::Utf8VersCp1252("Réalisation : "), 0), 0u);
    EXPECT_EQ(blocs[3].rfind("Evolution (depuis 2005) : ", 0), 0u);
    EXPECT_EQ(texte.find('\n', 0), texte.find('\r', 0) + 1);  // CR LF pairs
}

TEST(TextesFenetres, Splash) {
    EXPECT_EQ(TexteSplashVersion(), "Version 3.3 pour Windows");
    EXPECT_EQ(TexteSplashChargement(), "Chargement en cours");
    const std::string credit = TexteSplashCredit();
    const std::string debut = platform::Utf8VersCp1252("Corvanne Business plan\r\nest développé par le\r\n");
    EXPECT_EQ(credit.rfind(debut, 0), 0u);
    ASSERT_GT(credit.size(), debut.size() + 2);
    EXPECT_EQ(credit.substr(credit.size() - 2), "\r\n");
    EXPECT_EQ(credit.find("\r\n", debut.size()), credit.size() - 2);  // the organisation on one line
}

}  // namespace
}  // namespace korv::plan
