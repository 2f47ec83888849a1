// Whole-file replacement of plan documents: a write killed in the middle
// (SIGKILL, no chance to clean up) leaves the previous file byte for byte.

#include <gtest/gtest.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

#include "platform/fichiers_document.h"

namespace korv::platform {
namespace {

namespace fs = std::filesystem;

std::string Lire(const fs::path& chemin) {
    std::ifstream f(chemin, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(f), {});
}

// Dies by SIGKILL once half of the bytes have been written.
class FichiersTues final : public FichiersDocumentDisque {
public:
    explicit FichiersTues(std::size_t moitie) : moitie_(moitie) {}

protected:
    ssize_t EcrireMorceau(int fd, const char* octets, std::size_t n) override {
        if (ecrits_ >= moitie_) ::kill(::getpid(), SIGKILL);
        const ssize_t r = FichiersDocumentDisque::EcrireMorceau(fd, octets, std::min<std::size_t>(n, 4096));
        if (r > 0) ecrits_ += static_cast<std::size_t>(r);
        return r;
    }

private:
    std::size_t moitie_;
    std::size_t ecrits_ = 0;
};

TEST(FichiersDocument, AWriteKilledMidwayLeavesThePreviousFileWhole) {
    const fs::path dossier = fs::temp_directory_path() / ("korv_tue_" + std::to_string(::getpid()));
    fs::create_directories(dossier);
    const fs::path cible = dossier / "plan.tvr";
    FichiersDocumentDisque disque;
    const std::string avant(100'000, 'a');
    ASSERT_TRUE(disque.Remplacer(cible.string(), avant).reussi);

    const std::string grand(8 * 1024 * 1024, 'b');
    const pid_t fils = ::fork();
    ASSERT_GE(fils, 0);
    if (fils == 0) {
        FichiersTues tues(grand.size() / 2);
        (void)tues.Remplacer(cible.string(), grand);
        ::_exit(0);
    }
    int etat = 0;
    ASSERT_EQ(::waitpid(fils, &etat, 0), fils);
    ASSERT_TRUE(WIFSIGNALED(etat) && WTERMSIG(etat) == SIGKILL);
    EXPECT_EQ(Lire(cible), avant);

    // A later save goes through and replaces it whole.
    ASSERT_TRUE(disque.Remplacer(cible.string(), "court").reussi);
    EXPECT_EQ(Lire(cible), "court");
    fs::remove_all(dossier);
}

TEST(FichiersDocument, AFolderThatCannotBeWrittenFailsAndSaysWhy) {
    FichiersDocumentDisque disque;
    const ResultatEcriture r = disque.Remplacer("/nonexistent-folder-korv/plan.tvr", "x");
    EXPECT_FALSE(r.reussi);
    EXPECT_EQ(r.erreur, "Le dossier n'existe pas.");
    EXPECT_FALSE(disque.Lire("/nonexistent-folder-korv/plan.tvr").has_value());
}

// Every write fails with the given system error.
class FichiersEnEchec final : public FichiersDocumentDisque {
public:
    explicit FichiersEnEchec(int numero) : numero_(numero) {}

protected:
    ssize_t EcrireMorceau(int, const char*, std::size_t) override {
        errno = numero_;
        return -1;
    }

private:
    int numero_;
};

// The reasons a user can act on are told in French; the others keep the
// step and the system's words. The previous file stays as it was.
TEST(FichiersDocument, TheCommonReasonsOfAFailedWriteAreInFrench) {
    const fs::path dossier = fs::temp_directory_path() / ("korv_raison_" + std::to_string(::getpid()));
    fs::create_directories(dossier);
    const fs::path cible = dossier / "plan.tvr";
    ASSERT_TRUE(FichiersDocumentDisque().Remplacer(cible.string(), "avant").reussi);
    const struct {
        int numero;
        std::string raison;
    } cas[] = {
        {EACCES, "Vous n'avez pas le droit d'écrire dans ce dossier."},
        {EPERM, "Vous n'avez pas le droit d'écrire dans ce dossier."},
        {ENOSPC, "Le disque est plein."},
        {EDQUOT, "Le disque est plein."},
        {EROFS, "Le disque est en lecture seule."},
        {ENOENT, std::string("écriture : ") + std::strerror(ENOENT)},  // the folder is there
        {EIO, std::string("écriture : ") + std::strerror(EIO)},
    };
    for (const auto& c : cas) {
        FichiersEnEchec echec(c.numero);
        const ResultatEcriture r = echec.Remplacer(cible.string(), "apres");
        EXPECT_FALSE(r.reussi) << c.numero;
        EXPECT_EQ(r.erreur, c.raison) << c.numero;
        EXPECT_EQ(Lire(cible), "avant") << c.numero;
    }
    fs::remove_all(dossier);
}

}  // namespace
}  // namespace korv::platform
