#include "rtf/ecrivain.h"

#include <limits>
#include <unordered_map>

#include "platform/cp1252.h"

namespace korv::rtf {

namespace {

constexpr char kHexa[] = "0123456789abcdef";

void Mot(std::string& r, const char* mot, std::int32_t valeur) {
    r += '\\';
    r += mot;
    r += std::to_string(valeur);
}

void OctetHexa(std::string& r, std::uint8_t o) {
    r += "\\'";
    r += kHexa[o >> 4];
    r += kHexa[o & 0x0F];
}

// A byte of a name or a text, escaped.
void OctetEchappe(std::string& r, std::uint8_t o) {
    if (o == '\\' || o == '{' || o == '}') {
        r += '\\';
        r += static_cast<char>(o);
    } else if (o >= 0x80 || o < 0x20) {
        OctetHexa(r, o);
    } else {
        r += static_cast<char>(o);
    }
}

// How the characters of a run are written, by its font: word processors read
// `\'hh` in the code page of the font's character set, and in a symbol font
// as a glyph number, not as a Windows-1252 character.
enum class Codage : std::uint8_t {
    Cp1252,   // bytes of the code page from 0x80 as `\'hh`
    Unicode,  // another code page: every character beyond ASCII as `\uN`
    Glyphes,  // a symbol font: every character as `\uN`
};

Codage CodageDe(const Police& p) {
    if (PoliceDeSymboles(p)) return Codage::Glyphes;
    return p.jeu == kJeuAnsi || p.jeu == kJeuDefaut ? Codage::Cp1252 : Codage::Unicode;
}

// What a reader without Unicode shows instead: the character itself when it
// is plain ASCII, else '?'. A digit would lengthen the number before it.
char Repli(char32_t c) {
    const bool chiffre = c >= '0' && c <= '9';
    if (c > 0x20 && c < 0x7F && !chiffre && c != '\\' && c != '{' && c != '}') return static_cast<char>(c);
    return '?';
}

void UniteUnicode(std::string& r, std::uint32_t unite, char repli) {
    // \uN takes a signed 16-bit value; one fallback character follows (\uc1).
    const auto signe = static_cast<std::int32_t>(unite >= 0x8000 ? static_cast<std::int32_t>(unite) - 0x10000
                                                                  : static_cast<std::int32_t>(unite));
    Mot(r, "u", signe);
    r += repli;
}

void CaractereUnicode(std::string& r, char32_t c) {
    if (c > 0xFFFF && c <= 0x10FFFF) {
        const std::uint32_t v = static_cast<std::uint32_t>(c) - 0x10000;
        UniteUnicode(r, 0xD800 + (v >> 10), '?');
        UniteUnicode(r, 0xDC00 + (v & 0x3FF), '?');
    } else {
        UniteUnicode(r, static_cast<std::uint32_t>(c <= 0xFFFF ? c : char32_t{0xFFFD}), Repli(c));
    }
}

void Caractere(std::string& r, char32_t c, Codage codage) {
    if (c == kTabulation) {
        r += "\\tab ";
    } else if (c == kSautLigne) {
        r += "\\line ";
    } else if (c < 0x20) {
        // Not text the reader keeps.
    } else if (codage == Codage::Glyphes) {
        CaractereUnicode(r, c);
    } else if (c < 0x80) {
        OctetEchappe(r, static_cast<std::uint8_t>(c));
    } else if (const auto o = platform::PointCodeVersCp1252(c); o && codage == Codage::Cp1252) {
        OctetHexa(r, *o);
    } else {
        CaractereUnicode(r, c);
    }
}

void Polices(std::string& r, const Document& d) {
    r += "{\\fonttbl";
    for (const auto& p : d.polices) {
        r += "{";
        Mot(r, "f", p.numero);
        r += '\\';
        r += p.famille.empty() ? std::string("fnil") : p.famille;
        Mot(r, "fcharset", p.jeu);
        r += ' ';
        for (const char c : p.nom) {
            if (c != ';') OctetEchappe(r, static_cast<std::uint8_t>(c));
        }
        r += ";}";
    }
    r += "}\n";
}

void Couleurs(std::string& r, const Document& d) {
    if (d.couleurs.empty()) return;
    r += "{\\colortbl";
    for (const auto& c : d.couleurs) {
        if (!c.automatique) {
            Mot(r, "red", c.rouge);
            Mot(r, "green", c.vert);
            Mot(r, "blue", c.bleu);
        }
        r += ';';
    }
    r += "}\n";
}

void FormatParagrapheEcrit(std::string& r, const FormatParagraphe& f) {
    r += "\\pard";
    switch (f.alignement) {
    case Alignement::Gauche: r += "\\ql"; break;
    case Alignement::Centre: r += "\\qc"; break;
    case Alignement::Droite: r += "\\qr"; break;
    case Alignement::Justifie: r += "\\qj"; break;
    }
    if (f.retraitGauche != 0) Mot(r, "li", f.retraitGauche);
    if (f.retraitDroit != 0) Mot(r, "ri", f.retraitDroit);
    if (f.retraitPremiereLigne != 0) Mot(r, "fi", f.retraitPremiereLigne);
    if (f.espaceAvant != 0) Mot(r, "sb", f.espaceAvant);
    if (f.espaceApres != 0) Mot(r, "sa", f.espaceApres);
    for (const std::int32_t t : f.tabulations) Mot(r, "tx", t);
}

void FormatCaractereEcrit(std::string& r, const FormatCaractere& c) {
    r += "\\plain";
    Mot(r, "f", c.police);
    Mot(r, "fs", c.taille);
    if (c.gras) r += "\\b";
    if (c.italique) r += "\\i";
    if (c.souligne) r += "\\ul";
    if (c.barre) r += "\\strike";
    if (c.couleur != 0) Mot(r, "cf", c.couleur);
    if (c.decalage > 0) Mot(r, "up", c.decalage);
    if (c.decalage < 0) Mot(r, "dn", -c.decalage);
    if (c.position == PositionVerticale::Exposant) r += "\\super";
    if (c.position == PositionVerticale::Indice) r += "\\sub";
    r += ' ';
}

// Writes the document into `r`; stops, answering false, as soon as `r`
// goes beyond `arret` bytes.
bool Ecrire(const Document& d, std::string& r, std::size_t arret) {
    r = "{\\rtf1\\ansi\\ansicpg1252";
    Mot(r, "deff", d.policeDefaut);
    r += "\\uc1";
    Polices(r, d);
    Couleurs(r, d);
    if (r.size() > arret) return false;
    std::unordered_map<std::int32_t, Codage> codages;
    for (const Police& p : d.polices) codages.emplace(p.numero, CodageDe(p));
    for (const Paragraphe& p : d.paragraphes) {
        FormatParagrapheEcrit(r, p.format);
        bool texte = false;
        for (const auto& m : p.morceaux) {
            if (m.texte.empty()) continue;
            FormatCaractereEcrit(r, m.format);
            // A font number not in the table is read in the document's code page.
            const auto police = codages.find(m.format.police);
            const Codage codage = police == codages.end() ? Codage::Cp1252 : police->second;
            for (const char32_t c : m.texte) {
                Caractere(r, c, codage);
                if (r.size() > arret) return false;
            }
            texte = true;
        }
        // A paragraph without text keeps its mark's format, which is what
        // is typed there: its run's, or the document's default rather than
        // the last paragraph's.
        if (!texte) {
            FormatCaractere defaut;
            defaut.police = d.policeDefaut;
            FormatCaractereEcrit(r, p.morceaux.empty() ? defaut : p.morceaux.front().format);
        }
        // A page break alone does not end a paragraph for word processors.
        r += p.sautPage ? "\\par\\page\n" : "\\par\n";
        if (r.size() > arret) return false;
    }
    r += "}\n";
    return r.size() <= arret;
}

}  // namespace

std::string EcrireRtf(const Document& d) {
    std::string r;
    Ecrire(d, r, std::numeric_limits<std::size_t>::max());
    return r;
}

bool EcritureTientDans(const Document& d, std::size_t tailleMax) {
    std::string r;
    return Ecrire(d, r, tailleMax);
}

}  // namespace korv::rtf
