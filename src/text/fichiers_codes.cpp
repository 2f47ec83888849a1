#include "text/fichiers_codes.h"

#include <fstream>
#include <sstream>
#include <system_error>
#include <vector>

#include "text/codeur.h"
#include "text/parcours.h"
#include "text/requetes.h"
#include "text/source.h"
#include "text/write.h"

namespace korv::text {

namespace fs = std::filesystem;

std::string TextePrepareAffichageEnleve(std::string_view texte) {
    std::string r;
    SourceChaine source(texte);
    ParcoursSequences parcours(source);
    bool bloc = false;
    for (std::string_view s = parcours.Suivante(); !s.empty(); s = parcours.Suivante()) {
        if (s.front() != '<') {
            r += s;
            continue;
        }
        const std::string_view nom = TexteCodeSequence(s);
        if (nom == "Formatage") {
            bloc = Val(TexteArgumentSequence(s)) != 0.0;
        } else if (nom == "Zone" || nom == "LigneNumero" || nom == "X" || nom == "Y" || nom == "BaseLine") {
        } else if (!bloc) {
            r += s;
        }
    }
    return r;
}

namespace {

// Each word's occurrences in the plain text, wrapped in one pass over the
// tagged text: the position of every plain character is taken in one walk.
// An occurrence already inside a link (a text coded before, coded again at
// another width) stays as it is: a link opened twice would close onto the
// link colour, and the rest of the line would show as a link.
std::string LierMot(const std::string& texte, const std::string& mot) {
    std::string simple;
    std::vector<std::size_t> positions;  // 0-based place in `texte` of each plain character
    std::vector<bool> dansLien;          // whether each plain character lies inside a link
    bool lien = false;
    SourceChaine source(texte);
    ParcoursSequences parcours(source);
    for (std::string_view s = parcours.Suivante(); !s.empty(); s = parcours.Suivante()) {
        if (EstBalise(s)) {
            if (NomEgal(TexteCodeSequence(s), "Lien")) lien = Val(TexteArgumentSequence(s)) != 0.0;
            continue;
        }
        const auto debut = static_cast<std::size_t>(parcours.Debut() - 1);
        for (std::size_t i = 0; i < s.size(); ++i) {
            positions.push_back(debut + i);
            dansLien.push_back(lien);
        }
        simple += s;
    }
    std::string r;
    std::size_t copie = 0;
    for (std::size_t f = simple.find(mot); f != std::string::npos; f = simple.find(mot, f + mot.size())) {
        bool deja = false;
        for (std::size_t k = f; k < f + mot.size(); ++k) deja = deja || dansLien[k];
        if (deja) continue;
        const std::size_t premier = positions[f];
        const std::size_t dernier = positions[f + mot.size() - 1];
        r.append(texte, copie, premier - copie);
        r += "<Lien1>";
        r.append(texte, premier, dernier - premier + 1);
        r += "<Lien0>";
        copie = dernier + 1;
    }
    r.append(texte, copie, std::string::npos);
    return r;
}

}  // namespace

std::string InsereTagHypertexteDansTexte(std::string_view texte, std::string_view liens) {
    std::string r(texte);
    std::size_t i = 0;
    while (i + 5 <= liens.size()) {
        std::size_t n = 0;
        bool chiffres = true;
        for (std::size_t k = 0; k < 5; ++k) {
            const char c = liens[i + k];
            if (c < '0' || c > '9') chiffres = false;
            n = n * 10 + static_cast<std::size_t>(c - '0');
        }
        if (!chiffres || i + 5 + n > liens.size()) break;
        const std::string mot(liens.substr(i + 5, n));
        i += 5 + n;
        if (!mot.empty()) r = LierMot(r, mot);
    }
    return r;
}

fs::path NomFichierTexteCode(const fs::path& dossier, std::string_view fichierObjet) {
    std::string nom(fichierObjet);
    if (const auto s = nom.find_last_of("\\/"); s != std::string::npos) nom.erase(0, s + 1);
    if (const auto point = nom.rfind('.'); point != std::string::npos) nom.erase(point);
    nom = nom.substr(0, 4);
    std::error_code ec;
    for (int i = 0; i < 9999; ++i) {
        const fs::path p = dossier / (nom + std::to_string(i) + ".TXM");
        if (!fs::exists(p, ec)) return p;
    }
    const fs::path dernier = dossier / (nom + "9999.TXM");
    fs::remove(dernier, ec);
    return dernier;
}

std::string JoindreLangues(const std::vector<std::string>& codes) {
    std::string r;
    for (std::size_t i = 0; i < codes.size(); ++i) {
        if (i > 0) r += '|';
        r += codes[i];
    }
    return r;
}

std::string TexteCodeDirect(std::string_view texte, const Codage& c) {
    const int n = std::max(c.nbLangues, 1);
    std::vector<std::string> codes;
    for (int l = 1; l <= n && TexteTraductionExiste(texte, l, n); ++l) {
        std::string source = TextePrepareAffichageEnleve(TexteTraduction(texte, l, n));
        if (c.liens) {
            const std::string liens = c.liens(l);
            if (!liens.empty()) source = InsereTagHypertexteDansTexte(source, liens);
        }
        codes.push_back(TextePrecodeAffichage(source, c.mesureur, c.largeur, c.depart));
    }
    return JoindreLangues(codes);
}

std::string NomReferenceLangue(std::string_view texte, int langue, int nbLangues) {
    if (!texte.starts_with(kPrefixeCodage)) return {};
    std::string entree = TexteTraduction(texte, langue, std::max(nbLangues, 1));
    // A text still holding every entry serves the first.
    if (const auto barre = entree.find('|'); barre != std::string::npos) entree.erase(barre);
    if (!entree.starts_with(kPrefixeCodage)) return {};
    return entree.substr(kPrefixeCodage.size());
}

namespace {

// What a coding of an object depended on, kept beside its coded files.
// Raised whenever the coder lays out the same source differently, so that
// files coded by an earlier coder are coded again.
constexpr int kVersionCodeur = 2;

struct Empreinte {
    std::string source;
    // The coder's version and the metrics the layout was measured with: the
    // default format, the font that stands for missing ones, the twips per
    // pixel of both axes.
    std::string mesures;
    std::uintmax_t taille = 0;
    long long date = 0;
    std::int32_t largeur = 0;
    int nbLangues = 0;
    std::string liens;
    bool operator==(const Empreinte&) const = default;
};

std::string Ecrire(const Empreinte& e, std::string_view reference) {
    std::ostringstream o;
    o << e.source << '\n'
      << e.mesures << '\n'
      << e.taille << '\n'
      << e.date << '\n'
      << e.largeur << '\n'
      << e.nbLangues << '\n'
      << e.liens.size() << '\n'
      << e.liens << '\n'
      << reference << '\n';
    return o.str();
}

bool Lire(const std::string& contenu, Empreinte& e, std::string& reference) {
    std::istringstream i(contenu);
    std::size_t tailleLiens = 0;
    std::getline(i, e.source);
    std::getline(i, e.mesures);
    if (!(i >> e.taille >> e.date >> e.largeur >> e.nbLangues >> tailleLiens)) return false;
    i.get();
    if (tailleLiens > contenu.size()) return false;
    e.liens.resize(tailleLiens);
    i.read(e.liens.data(), static_cast<std::streamsize>(tailleLiens));
    i.get();
    return static_cast<bool>(std::getline(i, reference));
}

std::string Mesures(const Codage& c, std::string_view policeDefaut) {
    const FormatageTexte& f = c.depart;
    std::ostringstream o;
    o << "codeur " << kVersionCodeur << ';' << f.police << ';' << f.taille << ';' << f.gras << f.italique
      << f.souligne << f.indice << f.exposant << ';' << f.couleur << ';' << int{f.relief} << ';'
      << int{f.alignementH} << int{f.alignementV} << ';' << policeDefaut << ';' << c.mesureur.TwipsParPixelX()
      << ';' << c.mesureur.TwipsParPixelY();
    std::string r = o.str();
    // One line of the key file.
    for (char& ch : r) {
        if (ch == '\n' || ch == '\r') ch = ' ';
    }
    return r;
}

std::vector<std::string> Entrees(std::string_view reference) {
    std::vector<std::string> r;
    std::size_t debut = 0;
    while (debut <= reference.size()) {
        const auto barre = reference.find('|', debut);
        const auto fin = barre == std::string_view::npos ? reference.size() : barre;
        std::string_view e = reference.substr(debut, fin - debut);
        if (e.starts_with(kPrefixeCodage)) e.remove_prefix(kPrefixeCodage.size());
        r.emplace_back(e);
        if (barre == std::string_view::npos) break;
        debut = barre + 1;
    }
    return r;
}

}  // namespace

std::string CodageCompletTexte(const CodageFichier& fichier, const Codage& c) {
    const int n = std::max(c.nbLangues, 1);
    std::error_code ec;
    const fs::path cleFichier = fichier.dossierCache / (fichier.cle + ".CLE");

    Empreinte e;
    e.source = fichier.fichierObjet.string();
    e.largeur = c.largeur;
    e.nbLangues = n;
    e.mesures = Mesures(c, fichier.policeDefaut);
    const bool existe = fs::is_regular_file(fichier.fichierObjet, ec);
    if (existe) {
        e.taille = fs::file_size(fichier.fichierObjet, ec);
        e.date = static_cast<long long>(fs::last_write_time(fichier.fichierObjet, ec).time_since_epoch().count());
    }
    if (c.liens) {
        for (int l = 1; l <= n; ++l) e.liens += c.liens(l) + "|";
    }

    // An earlier coding of this object: reused when nothing it depended on
    // changed, else its files go.
    std::string ancien;
    if (FichierVersTexte(cleFichier, ancien)) {
        Empreinte vue;
        std::string reference;
        if (Lire(ancien, vue, reference)) {
            bool fichiersLa = true;
            for (const std::string& nom : Entrees(reference)) {
                if (nom.empty() || !fs::is_regular_file(fichier.dossierCache / nom, ec)) fichiersLa = false;
            }
            if (existe && vue == e && fichiersLa) return reference;
            for (const std::string& nom : Entrees(reference)) {
                if (!nom.empty()) fs::remove(fichier.dossierCache / nom, ec);
            }
        }
        fs::remove(cleFichier, ec);
    }
    if (!existe) return {};

    std::string octets;
    if (!FichierVersTexte(fichier.fichierObjet, octets)) return {};
    const std::string source = PrecodeFichierTexte(octets, fichier.policeDisponible, fichier.policeDefaut);
    std::vector<std::string> codes;
    std::size_t total = 0;
    for (int l = 1; l <= n; ++l) {
        std::string s = source;
        if (c.liens) {
            const std::string liens = c.liens(l);
            if (!liens.empty()) s = InsereTagHypertexteDansTexte(s, liens);
        }
        codes.push_back(TextePrecodeAffichage(s, c.mesureur, c.largeur, c.depart));
        total += codes.back().size() + 1;
    }
    if (total < kSeuilTexteLong) return JoindreLangues(codes);

    fs::create_directories(fichier.dossierCache, ec);
    std::vector<std::string> reference;
    std::vector<fs::path> ecrits;
    bool ok = true;
    for (const std::string& code : codes) {
        const fs::path nom = NomFichierTexteCode(fichier.dossierCache, fichier.fichierObjet.filename().string());
        if (!TexteVersFichier(nom, code)) {
            ok = false;
            break;
        }
        ecrits.push_back(nom);
        reference.push_back(std::string(kPrefixeCodage) + nom.filename().string());
    }
    const std::string ref = JoindreLangues(reference);
    if (ok) ok = TexteVersFichier(cleFichier, Ecrire(e, ref));
    if (!ok) {
        for (const fs::path& p : ecrits) fs::remove(p, ec);
        fs::remove(cleFichier, ec);
        return JoindreLangues(codes);
    }
    return ref;
}

}  // namespace korv::text
