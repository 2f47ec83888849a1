#include "plan/methode/lignes_page.h"

#include "engine/liste_std.h"
#include "engine/scene.h"
#include "formula/valeur.h"

namespace korv::plan {

namespace {

constexpr std::int16_t kActionImpression = 20;
constexpr std::int16_t kActionPanneau = 16;

int ActionDeType(const engine::PageScene& page, std::int16_t type) {
    for (int i = 1; i <= page.ObjetNb(); ++i) {
        const engine::ObjetPage& o = page.Objet(i);
        if (o.Type() == engine::TypeObjet::Action && o.A1 == type) return i;
    }
    return 0;
}

std::string NomPage(const engine::PageScene& page) {
    return page.ObjetNb() >= 1 ? formula::Majuscules(page.Objet(1).nom) : std::string();
}

bool Commence(std::string_view s, std::string_view debut) { return s.substr(0, debut.size()) == debut; }

std::string RemplacerTout(std::string s, std::string_view cherche, std::string_view par) {
    for (std::size_t p = s.find(cherche); p != std::string::npos; p = s.find(cherche, p + par.size())) {
        s.replace(p, cherche.size(), par);
    }
    return s;
}

}  // namespace

LignesPage LignesImpressionPage(const engine::PageScene& page, std::string_view etapeCode) {
    LignesPage r;
    if (const int i = ActionDeType(page, kActionImpression); i > 0) r.lignes = page.Objet(i).texte;
    if (!r.lignes.empty()) return r;
    r.panneau = ActionDeType(page, kActionPanneau);
    if (r.panneau == 0) return r;
    const std::string nom = NomPage(page);
    const std::string& texte = page.Objet(r.panneau).texte;
    const bool methode = Commence(nom, "METAUTO");
    if (nom == "METSOMMAIRE" || methode) r.lignes += "QUE DUMMY=IMPRIMESAUTEPAGE(2)\r\n";
    if (methode) {
        r.lignes += "QUE DUMMY=IMPRIMEOBJET('ORVANE';'PAGEMETHODE" + std::string(etapeCode) + "';0)";
    } else {
        r.lignes += "QUE DUMMY=IMPRIMEOBJET('" + engine::ListeStdElementValeur(texte, 1) + "';'" +
                    engine::ListeStdElementValeur(texte, 2) + "';0)";
    }
    return r;
}

std::string ScriptExportDepuisImpression(std::string_view lignes) {
    std::string s = formula::Majuscules(lignes);
    s = RemplacerTout(std::move(s), ";0", "");
    s = RemplacerTout(std::move(s), "IMPRIMEOBJET", "EXPORTEOBJET");
    return RemplacerTout(std::move(s), ";'", ";'RTF_");
}

LignesPage ScriptExportPage(const engine::PageScene& page, std::string_view etapeCode) {
    LignesPage r;
    std::string script;
    if (const int i = ActionDeType(page, kActionImpression); i > 0) {
        const std::string& texte = page.Objet(i).texte;
        if (formula::Majuscules(texte).find("GRP") == std::string::npos) script = ScriptExportDepuisImpression(texte);
    }
    if (script.empty()) {
        r.panneau = ActionDeType(page, kActionPanneau);
        if (r.panneau > 0) {
            const std::string& texte = page.Objet(r.panneau).texte;
            if (Commence(NomPage(page), "METAUTO")) {
                script = "QUE DUMMY=EXPORTEOBJET('ORVANE';'PAGEMETHODE" + std::string(etapeCode) + "')";
            } else {
                script = "QUE DUMMY=EXPORTEOBJET('" + engine::ListeStdElementValeur(texte, 1) + "';'" +
                         engine::ListeStdElementValeur(texte, 2) + "')";
            }
        }
    }
    if (script.empty()) return r;
    r.lignes = "QUE DUMMY=EXPORTEDEBUT(4)\r\n" + script + "\r\nQUE DUMMY=EXPORTEFIN(0)";
    return r;
}

}  // namespace korv::plan
