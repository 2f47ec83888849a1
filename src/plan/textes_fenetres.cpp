#include "plan/textes_fenetres.h"

#include "platform/cp1252.h"

namespace korv::plan {

namespace {

constexpr std::string_view kFinLigne = "\r\n";
constexpr std::string_view kOrganisation = "Réseau Corvanne Entreprendre";

std::string Lignes(std::initializer_list<std::string_view> lignes) {
    std::string utf8;
    for (std::string_view l : lignes) {
        utf8 += l;
        utf8 += kFinLigne;
    }
    return platform::Utf8VersCp1252(utf8);
}

}  // namespace

std::string TexteAPropos() {
    std::string texte = Lignes({
        "Version 3.3 du 01/10/2010",
        "© 2001-2010 Réseau Corvanne Entreprendre",
        kAdresseProduit,
        "",
        "Cette application a été conçue par le Réseau Corvanne Entreprendre,",
        "pour et avec les entreprises innovantes",
        "qu'il accompagne dans leur création.",
        "",
    });
    // The maker's and the maintainer's blocks come after the designer's.
    texte += Lignes({"Réalisation : Atelier Zaru", "https://www.atelier-zaru.example", ""});
    texte += Lignes({"Evolution (depuis 2005) : Dedazud Logiciels", "https://www.dedazud.example", ""});
    return texte;
}

std::string TexteSplashVersion() { return "Version 3.3 pour Windows"; }

std::string TexteSplashChargement() { return "Chargement en cours"; }

std::string TexteSplashCredit() {
    return Lignes({"Corvanne Business plan", "est développé par le", kOrganisation});
}

}  // namespace korv::plan
