#include "rtf/ecrivain.h"

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

void UniteUnicode(std::string& r, std::uint32_t unite) {
    // \uN takes a signed 16-bit value; the fallback is one '?'.
    const auto signe = static_cast<std::int32_t>(unite >= 0x8000 ? static_cast<std::int32_t>(unite) - 0x10000
                                                                  : static_cast<std::int32_t>(unite));
    Mot(r, "u", signe);
    r += '?';
}

void Caractere(std::string& r, char32_t c) {
    if (c == kTabulation) {
        r += "\\tab ";
    } else if (c == kSautLigne) {
        r += "\\line ";
    } else if (c < 0x20) {
        // Not text the reader keeps.
    } else if (c < 0x80) {
        OctetEchappe(r, static_cast<std::uint8_t>(c));
    } else if (const auto o = platform::PointCodeVersCp1252(c)) {
        OctetHexa(r, *o);
    } else if (c > 0xFFFF && c <= 0x10FFFF) {
        const std::uint32_t v = static_cast<std::uint32_t>(c) - 0x10000;
        UniteUnicode(r, 0xD800 + (v >> 10));
        UniteUnicode(r, 0xDC00 + (v & 0x3FF));
    } else {
        UniteUnicode(r, static_cast<std::uint32_t>(c <= 0xFFFF ? c : char32_t{0xFFFD}));
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

}  // namespace

std::string EcrireRtf(const Document& d) {
    std::string r = "{\\rtf1\\ansi\\ansicpg1252";
    Mot(r, "deff", d.policeDefaut);
    r += "\\uc1";
    Polices(r, d);
    Couleurs(r, d);
    for (std::size_t i = 0; i < d.paragraphes.size(); ++i) {
        const Paragraphe& p = d.paragraphes[i];
        FormatParagrapheEcrit(r, p.format);
        bool texte = false;
        for (const auto& m : p.morceaux) {
            if (m.texte.empty()) continue;
            FormatCaractereEcrit(r, m.format);
            for (const char32_t c : m.texte) Caractere(r, c);
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
    }
    r += "}\n";
    return r;
}

}  // namespace korv::rtf
