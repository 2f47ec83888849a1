#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "platform/qt_settings.h"

namespace korv::platform {
namespace {

TEST(QtReglages, AllerRetourDansUnFichierIni) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    const QString dossier = temp.filePath(QStringLiteral("config/CorvanneRareviveZaru"));

    std::string tous;
    for (int i = 0; i < 256; ++i) tous.push_back(static_cast<char>(i));
    struct Cas {
        std::string section;
        std::string cle;
        std::string valeur;
    };
    const Cas cas[] = {
        {"Options", "Langue", "FR"},
        {"Options", "Vide", ""},
        {"Options", "Speciaux", "a;b=c\"d\n@e, f\\g #h"},
        {"Options", "TousLesOctets", tous},
        {"Pr\xE9" "f\xE9rences", "Cl\xE9 \x80", "\xE9t\xE9"},
        {"General", "Nom", "r\xE9serv\xE9 par Qt"},
        {"Avec/Barres\\ et %25", "cl\xE9/\\%", "valeur"},
    };
    {
        QtMagasinReglages m(dossier);
        for (const Cas& c : cas) ASSERT_TRUE(m.EcrireTexte("KORVELIS", c.section, c.cle, c.valeur)) << c.cle;
        ASSERT_TRUE(m.EcrireReel("KORVELIS", "Options", "Zoom", 0.1));
        ASSERT_TRUE(m.EcrireReel("Autre", "Options", "Zoom", -2.5));
    }
    EXPECT_TRUE(QFile::exists(dossier + QStringLiteral("/KORVELIS.ini")));
    EXPECT_TRUE(QFile::exists(dossier + QStringLiteral("/Autre.ini")));

    // A fresh store reads everything back from the files.
    QtMagasinReglages m(dossier);
    for (const Cas& c : cas) {
        SCOPED_TRACE(c.cle);
        const auto relu = m.LireTexte("KORVELIS", c.section, c.cle);
        ASSERT_TRUE(relu.has_value());
        EXPECT_EQ(*relu, c.valeur);
    }
    EXPECT_EQ(m.LireReel("KORVELIS", "Options", "Zoom"), 0.1);
    EXPECT_EQ(m.LireReel("Autre", "Options", "Zoom"), -2.5);
    EXPECT_FALSE(m.LireTexte("KORVELIS", "Options", "Absente").has_value());
    EXPECT_FALSE(m.LireTexte("KORVELIS", "Absente", "Langue").has_value());
    EXPECT_FALSE(m.LireTexte("Inconnue", "Options", "Langue").has_value());
    EXPECT_FALSE(m.LireReel("KORVELIS", "Options", "Langue").has_value());
    // The escapes of '/', '\' and '%' keep names apart.
    EXPECT_FALSE(m.LireTexte("KORVELIS", "Avec", "Barres").has_value());
}

TEST(QtReglages, NomsSansCasseEtOrthographeConservee) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    QtMagasinReglages m(temp.path());
    ASSERT_TRUE(m.EcrireTexte("Korvelis", "Fen\xEAtre", "Largeur", "800"));
    ASSERT_TRUE(m.EcrireTexte("KORVELIS", "FEN\xCATRE", "LARGEUR", "1024"));
    EXPECT_EQ(m.LireTexte("korvelis", "fen\xEAtre", "largeur"), "1024");
    // One file, one section, one key, under the first spelling.
    EXPECT_EQ(QDir(temp.path()).entryList(QDir::Files), QStringList{QStringLiteral("Korvelis.ini")});
    QFile fichier(temp.filePath(QStringLiteral("Korvelis.ini")));
    ASSERT_TRUE(fichier.open(QIODevice::ReadOnly));
    const QString texte = QString::fromUtf8(fichier.readAll());
    EXPECT_EQ(texte.count(QStringLiteral("=")), 1) << texte.toStdString();
    EXPECT_TRUE(texte.contains(QStringLiteral("Largeur=1024"))) << texte.toStdString();
}

TEST(QtReglages, EcritureImpossibleSignalee) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    // A folder where the file should be: the write cannot succeed.
    ASSERT_TRUE(QDir(temp.path()).mkdir(QStringLiteral("KORVELIS.ini")));
    QtMagasinReglages m(temp.path());
    EXPECT_FALSE(m.EcrireTexte("KORVELIS", "Options", "Langue", "FR"));

    // A file where the folder should be.
    QFile bloque(temp.filePath(QStringLiteral("fichier")));
    ASSERT_TRUE(bloque.open(QIODevice::WriteOnly));
    bloque.close();
    QtMagasinReglages sousFichier(temp.filePath(QStringLiteral("fichier/sous")));
    EXPECT_FALSE(sousFichier.EcrireTexte("KORVELIS", "Options", "Langue", "FR"));
    EXPECT_THROW((void)sousFichier.LireTexte("KORVELIS", "", "Langue"), std::invalid_argument);
}

TEST(QtReglages, NomDApplicationSansSeparateurDeDossier) {
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    QtMagasinReglages m(temp.path());
    EXPECT_EQ(m.Fichier("../evasion"), temp.filePath(QStringLiteral(".._evasion.ini")));
    EXPECT_EQ(m.Fichier("a\\b"), temp.filePath(QStringLiteral("a_b.ini")));
}

TEST(QtReglages, DossierXdg) {
    const char* ancien = std::getenv("XDG_CONFIG_HOME");
    const std::string sauve = ancien ? ancien : "";
    QTemporaryDir temp;
    ASSERT_TRUE(temp.isValid());
    setenv("XDG_CONFIG_HOME", temp.path().toLocal8Bit().constData(), 1);
    EXPECT_EQ(QtMagasinReglages::DossierParDefaut(), temp.path() + QStringLiteral("/CorvanneRareviveZaru"));
    if (ancien)
        setenv("XDG_CONFIG_HOME", sauve.c_str(), 1);
    else
        unsetenv("XDG_CONFIG_HOME");
}

}  // namespace
}  // namespace korv::platform
