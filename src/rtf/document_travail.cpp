#include "rtf/document_travail.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "rtf/ecrivain.h"
#include "rtf/lecteur.h"

namespace korv::rtf {

namespace {

// One position of the plain text: a character, or the CR or the LF that
// ends a paragraph (which then carries that paragraph's format).
struct Cellule {
    char32_t c = 0;
    FormatCaractere format;
    FormatParagraphe paragraphe;
    bool sautPage = false;
    bool fin = false;
};

struct Plat {
    std::vector<Cellule> cellules;
    FormatParagraphe dernier;  // the last paragraph's format (it has no end)
};

Plat Aplatir(const Document& d) {
    Plat r;
    FormatCaractere courant;
    for (std::size_t i = 0; i < d.paragraphes.size(); ++i) {
        const Paragraphe& p = d.paragraphes[i];
        for (const Morceau& m : p.morceaux) {
            courant = m.format;
            for (const char32_t c : m.texte) r.cellules.push_back({c, m.format, p.format, false, false});
        }
        if (i + 1 < d.paragraphes.size()) {
            r.cellules.push_back({U'\r', courant, p.format, p.sautPage, true});
            r.cellules.push_back({U'\n', courant, p.format, p.sautPage, true});
        } else {
            r.dernier = p.format;
        }
    }
    return r;
}

void Reconstruire(Document& d, const Plat& plat) {
    d.paragraphes.clear();
    Paragraphe p;
    const auto& x = plat.cellules;
    for (std::size_t i = 0; i < x.size(); ++i) {
        if (x[i].c == U'\r' && i + 1 < x.size() && x[i + 1].c == U'\n') {
            p.format = x[i].paragraphe;
            p.sautPage = x[i].sautPage;
            d.paragraphes.push_back(std::move(p));
            p = {};
            ++i;
            continue;
        }
        if (p.morceaux.empty() || !(p.morceaux.back().format == x[i].format)) p.morceaux.push_back({x[i].format, {}});
        p.morceaux.back().texte += x[i].c;
    }
    p.format = plat.dernier;
    d.paragraphes.push_back(std::move(p));
}

std::string Majuscules(std::string_view s) {
    std::string r(s);
    for (char& c : r) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return r;
}

std::int32_t Rgb(const CouleurRtf& c) {
    return c.automatique ? 0 : c.rouge + 256 * c.vert + 65536 * c.bleu;
}

}  // namespace

void DocumentTravail::Vider() {
    document_ = DocumentDepuisTexte(U"");
    if (document_.paragraphes.empty()) document_.paragraphes.emplace_back();
}

bool DocumentTravail::DefinirRtf(std::string_view texte) {
    auto d = LireTexteRiche(texte);
    if (!d) {
        Vider();
        return false;
    }
    document_ = std::move(*d);
    if (document_.paragraphes.empty()) document_.paragraphes.emplace_back();
    return true;
}

std::string DocumentTravail::Rtf() const { return EcrireRtf(document_); }

std::int32_t DocumentTravail::PoliceNumero(std::string_view nom) {
    const std::string cle = Majuscules(nom);
    std::int32_t plusGrand = -1;
    for (const Police& p : document_.polices) {
        if (Majuscules(p.nom) == cle) return p.numero;
        plusGrand = std::max(plusGrand, p.numero);
    }
    Police p;
    p.numero = plusGrand + 1;
    p.nom = std::string(nom);
    document_.polices.push_back(std::move(p));
    return plusGrand + 1;
}

std::int32_t DocumentTravail::CouleurIndex(std::int32_t rgb) {
    if (rgb == 0) return 0;  // black is the automatic colour
    auto& t = document_.couleurs;
    if (t.empty()) t.emplace_back();  // index 0 stays the automatic colour
    for (std::size_t i = 1; i < t.size(); ++i) {
        if (Rgb(t[i]) == rgb) return static_cast<std::int32_t>(i);
    }
    CouleurRtf c;
    c.automatique = false;
    c.rouge = static_cast<std::uint8_t>(rgb & 0xFF);
    c.vert = static_cast<std::uint8_t>((rgb >> 8) & 0xFF);
    c.bleu = static_cast<std::uint8_t>((rgb >> 16) & 0xFF);
    t.push_back(c);
    return static_cast<std::int32_t>(t.size() - 1);
}

bool DocumentTravail::InsererRtfFin(std::string_view rtf) {
    if (rtf.empty()) return true;
    auto lu = LireTexteRiche(rtf);
    if (!lu) return false;
    Document b = std::move(*lu);
    if (b.paragraphes.empty()) return true;
    // The inserted runs keep their look: fonts by name, colours by value.
    for (Paragraphe& p : b.paragraphes) {
        for (Morceau& m : p.morceaux) {
            const Police* police = b.PoliceNumero(m.format.police);
            if (police == nullptr) police = b.PoliceNumero(b.policeDefaut);
            m.format.police = police != nullptr ? PoliceNumero(police->nom) : document_.policeDefaut;
            const auto k = static_cast<std::size_t>(m.format.couleur);
            m.format.couleur =
                m.format.couleur > 0 && k < b.couleurs.size() ? CouleurIndex(Rgb(b.couleurs[k])) : 0;
        }
    }
    // The first inserted paragraph continues the last one and ends with its
    // own paragraph end; a new empty paragraph follows the insertion.
    Paragraphe& dernier = document_.paragraphes.back();
    const FormatParagraphe formatFin = dernier.format;
    dernier.format = b.paragraphes.front().format;
    dernier.sautPage = b.paragraphes.front().sautPage;
    for (Morceau& m : b.paragraphes.front().morceaux) dernier.morceaux.push_back(std::move(m));
    // A text that ends with an empty paragraph brings its own end.
    bool finApportee = b.paragraphes.size() >= 2;
    for (const Morceau& m : b.paragraphes.back().morceaux) finApportee = finApportee && m.texte.empty();
    for (std::size_t i = 1; i < b.paragraphes.size(); ++i) document_.paragraphes.push_back(std::move(b.paragraphes[i]));
    if (finApportee) {
        document_.paragraphes.back().format = formatFin;
    } else {
        Paragraphe fin;
        fin.format = formatFin;
        document_.paragraphes.push_back(std::move(fin));
    }
    return true;
}

void DocumentTravail::InsererTexte(std::int32_t position, std::u32string_view texte, const Retouche& retouche) {
    Plat plat = Aplatir(document_);
    auto& x = plat.cellules;
    const auto n = static_cast<std::int32_t>(x.size());
    const std::int32_t a = std::clamp(position, 0, n);
    Cellule modele;
    modele.paragraphe = plat.dernier;
    if (a > 0 && !(x[static_cast<std::size_t>(a - 1)].fin && a < n && !x[static_cast<std::size_t>(a)].fin)) {
        modele = x[static_cast<std::size_t>(a - 1)];
    } else if (a < n) {
        modele = x[static_cast<std::size_t>(a)];
    } else if (!document_.paragraphes.empty() && !document_.paragraphes.back().morceaux.empty()) {
        modele.format = document_.paragraphes.back().morceaux.back().format;
    } else {
        modele.format.police = document_.policeDefaut;
    }
    modele.fin = false;
    modele.sautPage = false;
    if (retouche.police) modele.format.police = PoliceNumero(*retouche.police);
    if (retouche.tailleDemiPoints) modele.format.taille = *retouche.tailleDemiPoints;
    if (retouche.gras) modele.format.gras = *retouche.gras;
    if (retouche.souligne) modele.format.souligne = *retouche.souligne;
    std::vector<Cellule> nouvelles;
    for (const char32_t c : texte) {
        Cellule y = modele;
        y.c = c;
        nouvelles.push_back(y);
    }
    x.insert(x.begin() + a, nouvelles.begin(), nouvelles.end());
    Reconstruire(document_, plat);
}

void DocumentTravail::RemplacerTout(std::u32string_view cherche, std::u32string_view par) {
    if (cherche.empty()) return;
    Plat plat = Aplatir(document_);
    auto& x = plat.cellules;
    std::u32string brut;
    for (const Cellule& c : x) brut += c.c;
    std::size_t p = brut.find(cherche);
    if (p == std::u32string::npos) return;
    std::vector<Cellule> r;
    std::size_t depuis = 0;
    while (p != std::u32string::npos) {
        r.insert(r.end(), x.begin() + static_cast<std::ptrdiff_t>(depuis), x.begin() + static_cast<std::ptrdiff_t>(p));
        Cellule modele = x[p];
        modele.fin = false;
        modele.sautPage = false;
        for (const char32_t c : par) {
            modele.c = c;
            r.push_back(modele);
        }
        depuis = p + cherche.size();
        p = brut.find(cherche, depuis);
    }
    r.insert(r.end(), x.begin() + static_cast<std::ptrdiff_t>(depuis), x.end());
    x = std::move(r);
    Reconstruire(document_, plat);
}

CaractereFormat DocumentTravail::CaractereFormatLire() const {
    FormatCaractere f;
    f.police = document_.policeDefaut;
    FormatParagraphe p;
    if (!document_.paragraphes.empty()) {
        const Paragraphe& premier = document_.paragraphes.front();
        p = premier.format;
        if (!premier.morceaux.empty()) f = premier.morceaux.front().format;
    }
    CaractereFormat r;
    const Police* police = document_.PoliceNumero(f.police);
    r.police = police != nullptr ? police->nom : std::string();
    r.tailleDemiPoints = f.taille;
    r.gras = f.gras;
    r.souligne = f.souligne;
    r.italique = f.italique;
    const auto k = static_cast<std::size_t>(f.couleur);
    r.couleur = f.couleur > 0 && k < document_.couleurs.size() ? Rgb(document_.couleurs[k]) : 0;
    r.alignement = p.alignement == Alignement::Droite ? 1 : p.alignement == Alignement::Centre ? 2 : 0;
    return r;
}

void DocumentTravail::CaractereFormatAppliquer(const CaractereFormat& format) {
    const std::int32_t police = format.police.empty() ? document_.policeDefaut : PoliceNumero(format.police);
    const std::int32_t couleur = CouleurIndex(format.couleur);
    const Alignement alignement = format.alignement == 1   ? Alignement::Droite
                                  : format.alignement == 2 ? Alignement::Centre
                                                           : Alignement::Gauche;
    for (Paragraphe& p : document_.paragraphes) {
        p.format.alignement = alignement;
        for (Morceau& m : p.morceaux) {
            m.format.police = police;
            m.format.taille = format.tailleDemiPoints;
            m.format.gras = format.gras;
            m.format.souligne = format.souligne;
            m.format.italique = format.italique;
            m.format.couleur = couleur;
        }
    }
}

void DocumentTravail::TabulationUnique(std::int32_t twips) {
    for (Paragraphe& p : document_.paragraphes) p.format.tabulations.assign(1, twips);
}

}  // namespace korv::rtf
