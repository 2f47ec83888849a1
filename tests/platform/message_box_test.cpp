#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "platform/message_box_fake.h"

namespace korv::platform {
namespace {

TEST(BoiteMessage, DecodeStyle) {
    struct Cas {
        int style;
        std::vector<Reponse> boutons;
        Icone icone;
        Reponse defaut;
    };
    using R = Reponse;
    const Cas cas[] = {
        {0, {R::Ok}, Icone::Aucune, R::Ok},
        {1, {R::Ok, R::Annuler}, Icone::Aucune, R::Ok},
        {2, {R::Abandonner, R::Reessayer, R::Ignorer}, Icone::Aucune, R::Abandonner},
        {3 + 32, {R::Oui, R::Non, R::Annuler}, Icone::Question, R::Oui},
        {4 + 16, {R::Oui, R::Non}, Icone::Critique, R::Oui},  // the error reporter's question
        {5 + 48, {R::Reessayer, R::Annuler}, Icone::Exclamation, R::Reessayer},
        {64, {R::Ok}, Icone::Information, R::Ok},
        {4 + 256, {R::Oui, R::Non}, Icone::Aucune, R::Non},
        {3 + 512, {R::Oui, R::Non, R::Annuler}, Icone::Aucune, R::Annuler},
        {4 + 512, {R::Oui, R::Non}, Icone::Aucune, R::Oui},  // no third button: the first
        {1 + 768, {R::Ok, R::Annuler}, Icone::Aucune, R::Ok},
        {9, {R::Ok}, Icone::Aucune, R::Ok},                  // unknown set: OK alone
        {4096 + 4, {R::Oui, R::Non}, Icone::Aucune, R::Oui},  // other bits ignored
    };
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.style);
        const StyleDecode d = DecodeStyle(c.style);
        EXPECT_EQ(std::vector<Reponse>(d.boutons.begin(), d.boutons.end()), c.boutons);
        EXPECT_EQ(d.icone, c.icone);
        EXPECT_EQ(d.ReponseDefaut(), c.defaut);
    }
}

TEST(BoiteMessage, FacticeRepondDansLOrdrePuisParDefaut) {
    BoiteMessageFactice boite;
    boite.reponses = {7, 2};
    EXPECT_EQ(boite.Afficher("Voulez-vous continuer ?", 20), 7);
    EXPECT_EQ(boite.Afficher("Enregistrer ?", 3, "Plan"), 2);
    // Queue empty: the default button of each style.
    EXPECT_EQ(boite.Afficher("a", 0), 1);
    EXPECT_EQ(boite.Afficher("b", 1), 1);
    EXPECT_EQ(boite.Afficher("c", 4), 6);
    EXPECT_EQ(boite.Afficher("d", 3), 6);
    EXPECT_EQ(boite.Afficher("e", 4 + 256), 7);

    ASSERT_EQ(boite.messages.size(), 7u);
    const MessageAffiche& premier = boite.messages[0];
    EXPECT_EQ(premier.texte, "Voulez-vous continuer ?");
    EXPECT_EQ(premier.style, 20);
    EXPECT_EQ(premier.titre, "Corvanne Rarevive Zaru");
    EXPECT_EQ(premier.reponse, 7);
    EXPECT_FALSE(premier.parDefaut);
    EXPECT_EQ(boite.messages[1].titre, "Plan");
    EXPECT_FALSE(boite.messages[1].parDefaut);
    for (std::size_t i = 2; i < 7; ++i) EXPECT_TRUE(boite.messages[i].parDefaut) << i;
}

TEST(BoiteMessage, FacticeRefuseUneReponseSansBouton) {
    BoiteMessageFactice boite;
    boite.reponses = {6};
    EXPECT_THROW(boite.Afficher("OK seul", 0), std::logic_error);
}

// A question asked without end answers itself with its default button: past
// the bound of default answers in a row the box throws, and keeps throwing.
// A queued answer starts the count again.
TEST(BoiteMessage, FacticeRefuseUneQuestionSansFin) {
    BoiteMessageFactice boite;
    boite.limiteParDefaut = 5;
    for (int i = 0; i < 4; ++i) EXPECT_EQ(boite.Afficher("Enregistrer ?", 3), 6);
    boite.reponses = {7};
    EXPECT_EQ(boite.Afficher("Enregistrer ?", 3), 7);
    for (int i = 0; i < 5; ++i) EXPECT_EQ(boite.Afficher("Enregistrer ?", 3), 6) << i;
    EXPECT_THROW(boite.Afficher("Enregistrer ?", 3), std::logic_error);
    EXPECT_THROW(boite.Afficher("Enregistrer ?", 3), std::logic_error);
    EXPECT_EQ(boite.messages.size(), 10U) << "the refused ones are not recorded";
}

TEST(BoiteMessage, FacticeMontreChaqueMessageAvantDeRepondre) {
    BoiteMessageFactice boite;
    std::vector<std::string> vus;
    boite.observateur = [&](const MessageAffiche& m) {
        vus.push_back(m.texte);
        EXPECT_EQ(boite.messages.size() + 1, vus.size()) << "before it is answered";
    };
    boite.Afficher("a", 0);
    boite.Afficher("b", 0);
    EXPECT_EQ(vus, (std::vector<std::string>{"a", "b"}));
}

}  // namespace
}  // namespace korv::platform
