#include "engine/erreur.h"

#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <system_error>

#include "engine/demarrage.h"
#include "engine/moteur.h"
#include "platform/cp1252.h"
#include "platform/message_box.h"
#include "platform/path_resolver.h"

namespace korv::engine {

namespace {

namespace fs = std::filesystem;

fs::path CheminJournal(const Moteur& moteur) {
    const std::string nom = moteur.dossierProgramme + "\\ERROR.TXT";
    if (auto p = platform::ResoudreChemin(nom)) return *p;
    return fs::path(platform::Cp1252VersUtf8(moteur.dossierProgramme)) / "ERROR.TXT";
}

// Leading number of a description, as Val reads it (0 when none).
std::int32_t NombreEnTete(std::string_view d) {
    std::size_t i = 0;
    while (i < d.size() && d[i] == ' ') ++i;
    bool negatif = false;
    if (i < d.size() && (d[i] == '-' || d[i] == '+')) negatif = d[i++] == '-';
    std::int64_t v = 0;
    bool chiffres = false;
    while (i < d.size() && std::isdigit(static_cast<unsigned char>(d[i])) && v < 100000000000) {
        v = v * 10 + (d[i++] - '0');
        chiffres = true;
    }
    if (!chiffres || v > INT32_MAX) return 0;
    return static_cast<std::int32_t>(negatif ? -v : v);
}

void Ecrire(Moteur& moteur, const std::string& enregistrement) {
    // The reporter never fails: a log it cannot write is skipped.
    std::error_code ec;
    const fs::path chemin = CheminJournal(moteur);
    if (fs::exists(chemin, ec) && fs::file_size(chemin, ec) > kJournalTailleMax) return;
    fs::permissions(chemin, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add, ec);
    std::ofstream f(chemin, std::ios::binary | std::ios::app);
    if (!f) return;
    f << platform::Utf8VersCp1252(enregistrement) << "\r\n";
}

}  // namespace

std::string ErreurEnregistrement(std::int32_t ligne, std::string_view procedure, std::int32_t numero,
                                 std::string_view description) {
    std::string d;
    if (ligne != 0) {
        d = description;
    } else if (!description.empty()) {
        const std::int32_t n = NombreEnTete(description);
        if (n != 0) {
            d = std::to_string(n);
            if (n >= 0) d.insert(d.begin(), ' ');
        } else {
            d = description;
        }
    }
    return "Erreur module:" + std::string(procedure) + "\r\nDescription:" + d + "\r\nCode:" + std::to_string(numero);
}

void ErreurJournaliser(Moteur& moteur, std::string_view procedure, std::int32_t numero, std::string_view description) {
    Ecrire(moteur, ErreurEnregistrement(1, procedure, numero, description));
}

SuiteErreur ErreurSignale(Moteur& moteur, std::int32_t ligne, std::string_view procedure, std::int32_t numero,
                          std::string_view description) {
    const std::string m = ErreurEnregistrement(ligne, procedure, numero, description);
    Ecrire(moteur, m);
    switch (moteur.ModeErreur) {
    case 2: return SuiteErreur::Relancer;
    case 3: {
        const std::string question =
            m + "\r\n\r\nVoulez-vous continuer ?\r\n(si vous choisissez de ne pas continuer, le travail non "
                "sauvegardé sera perdu)";
        int reponse = platform::Code(platform::Reponse::Non);
        if (auto* b = moteur.Messages()) {
            reponse = b->Afficher(platform::Utf8VersCp1252(question), platform::style::OuiNon | platform::style::Critique,
                                  platform::kTitreProduit);
        }
        if (reponse == platform::Code(platform::Reponse::Oui)) return SuiteErreur::Continuer;
        Fin(moteur, true, false);
        return SuiteErreur::Terminer;
    }
    case 4: return SuiteErreur::Continuer;
    default:
        // Mode 1 once meant restarting the machine; the program only ends.
        Fin(moteur, true, false);
        return SuiteErreur::Terminer;
    }
}

SuiteErreur AuBord(Moteur& moteur, std::string_view procedure, const std::function<void()>& corps) {
    std::int32_t numero = 0;
    std::string description;
    try {
        corps();
        return SuiteErreur::Continuer;
    } catch (const ErreurMoteur& e) {
        numero = e.numero();
        description = e.what();
    } catch (const std::exception& e) {
        numero = kErreurInterne;
        description = e.what();
    }
    const SuiteErreur suite = ErreurSignale(moteur, 0, procedure, numero, description);
    if (suite == SuiteErreur::Relancer) throw ErreurMoteur(numero, description);
    return suite;
}

}  // namespace korv::engine
