#include "print/plage_impression.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

namespace korv::print {
namespace {

TEST(PlageImpression, ChosenPagesAreKeptWithinTheJob) {
    struct Cas {
        ChoixPages choix;
        const char *de, *a, *apercu;
        PlagePages attendu;
    };
    const Cas cas[] = {
        {ChoixPages::Toutes, "5", "2", "7", {1, 10}},
        {ChoixPages::DeA, "5", "2", "7", {2, 5}},
        {ChoixPages::DeA, "0", "99", "7", {1, 10}},
        {ChoixPages::DeA, "abc", "", "7", {1, 10}},
        {ChoixPages::DeA, " 3", "4 pages", "7", {3, 4}},
        {ChoixPages::DeA, "10", "10", "7", {10, 10}},
        {ChoixPages::PageApercu, "1", "2", "7", {7, 7}},
        {ChoixPages::PageApercu, "1", "2", "99", {1, 10}},
    };
    for (const Cas& c : cas)
        EXPECT_EQ(PlageAImprimer(10, c.choix, c.de, c.a, c.apercu), c.attendu)
            << static_cast<int>(c.choix) << " " << c.de << " " << c.a << " " << c.apercu;
}

struct PeintreTrace final : PeintrePages {
    std::vector<std::string> trace;
    int echoueA = 0;
    void Commencer() override { trace.push_back("debut"); }
    void Peindre(std::int32_t page) override {
        if (page == echoueA) throw std::runtime_error("Imprimante hors ligne");
        trace.push_back(std::to_string(page));
    }
    void NouvellePage() override { trace.push_back("/"); }
    void Terminer() override { trace.push_back("fin"); }
    void Annuler() override { trace.push_back("annule"); }
};

TEST(PlageImpression, PagesArePrintedWithANewPageBetweenTwo) {
    PeintreTrace p;
    EXPECT_EQ(ImprimerPlage(p, 10, {2, 4}), "");
    EXPECT_EQ(p.trace, (std::vector<std::string>{"debut", "2", "/", "3", "/", "4", "fin"}));
}

TEST(PlageImpression, AJobOfNoPagesStartsNoPainter) {
    PeintreTrace p;
    EXPECT_EQ(ImprimerPlage(p, 0, PlageAImprimer(0, ChoixPages::Toutes, "", "", "")), "");
    EXPECT_TRUE(p.trace.empty());
}

TEST(PlageImpression, APainterErrorCancelsTheDocumentAndSaysWhy) {
    PeintreTrace p;
    p.echoueA = 3;
    EXPECT_EQ(ImprimerPlage(p, 10, {2, 5}), "Imprimante hors ligne");
    EXPECT_EQ(p.trace, (std::vector<std::string>{"debut", "2", "/", "annule"}));
}

}  // namespace
}  // namespace korv::print
