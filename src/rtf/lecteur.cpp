#include "rtf/lecteur.h"

#include <algorithm>
#include <array>
#include <limits>
#include <vector>

#include "platform/cp1252.h"
#include "rtf/ecrivain.h"

namespace korv::rtf {

namespace {

constexpr std::size_t kLongueurMotMax = 32;
constexpr std::int32_t kTwipsMax = 32767;
// A paragraph keeps at most this many tab stops; more are ignored.
constexpr std::size_t kTabulationsMax = 64;
constexpr std::int32_t kTailleMin = 2;
constexpr std::int32_t kTailleMax = 3276;
constexpr std::int32_t kSautUnicodeMax = 255;
constexpr std::size_t kPolicesMax = 1024;

std::int32_t Borne(std::int32_t v, std::int32_t bas, std::int32_t haut) { return std::clamp(v, bas, haut); }

// --- Tokens ---

enum class Jeton : std::uint8_t { Fin, Ouvre, Ferme, Mot, Symbole, Hexa, Caractere };

struct Element {
    Jeton type = Jeton::Fin;
    std::string mot;             // control word (lower case letters as written)
    bool aParametre = false;
    std::int32_t parametre = 0;
    std::uint8_t octet = 0;      // symbol, hex byte or text byte
};

bool EstLettre(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool EstChiffre(char c) { return c >= '0' && c <= '9'; }

int ValeurHexa(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

class Lexeur {
public:
    explicit Lexeur(std::string_view t) : t_(t) {}

    std::size_t Position() const { return i_; }

    // Skips n raw bytes (the data of \bin), as many as there are.
    void Sauter(std::size_t n) { i_ += std::min(n, t_.size() - i_); }

    Element Suivant() {
        Element e;
        while (i_ < t_.size()) {
            const char c = t_[i_];
            if (c == '\r' || c == '\n') {
                ++i_;
                continue;
            }
            if (c == '{') {
                ++i_;
                e.type = Jeton::Ouvre;
                return e;
            }
            if (c == '}') {
                ++i_;
                e.type = Jeton::Ferme;
                return e;
            }
            if (c == '\\') return Controle();
            ++i_;
            e.type = Jeton::Caractere;
            e.octet = static_cast<std::uint8_t>(c);
            return e;
        }
        return e;
    }

private:
    Element Controle() {
        Element e;
        ++i_;  // the backslash
        if (i_ >= t_.size()) return e;  // a lone backslash at the end: nothing
        const char c = t_[i_];
        if (EstLettre(c)) return Mot();
        ++i_;
        if (c == '\'') {
            // Two hex digits; a truncated or malformed escape gives nothing
            // (the hex digits it has are used up).
            int valeur = 0;
            int chiffres = 0;
            while (chiffres < 2 && i_ < t_.size() && ValeurHexa(t_[i_]) >= 0) {
                valeur = valeur * 16 + ValeurHexa(t_[i_]);
                ++i_;
                ++chiffres;
            }
            if (chiffres == 2) {
                e.type = Jeton::Hexa;
                e.octet = static_cast<std::uint8_t>(valeur);
                return e;
            }
            e.type = Jeton::Symbole;
            e.octet = 0;  // read as an unknown symbol
            return e;
        }
        if (c == '\r' || c == '\n') {
            // A backslash before a line end is a paragraph end.
            e.type = Jeton::Mot;
            e.mot = "par";
            return e;
        }
        e.type = Jeton::Symbole;
        e.octet = static_cast<std::uint8_t>(c);
        return e;
    }

    Element Mot() {
        Element e;
        e.type = Jeton::Mot;
        while (i_ < t_.size() && EstLettre(t_[i_])) {
            if (e.mot.size() <= kLongueurMotMax) e.mot += t_[i_];
            ++i_;
        }
        // A name longer than any control word is an unknown word.
        if (e.mot.size() > kLongueurMotMax) e.mot = "?";
        bool negatif = false;
        if (i_ + 1 < t_.size() && t_[i_] == '-' && EstChiffre(t_[i_ + 1])) {
            negatif = true;
            ++i_;
        }
        if (i_ < t_.size() && EstChiffre(t_[i_])) {
            // Held within 32 bits however many digits follow.
            std::int64_t v = 0;
            while (i_ < t_.size() && EstChiffre(t_[i_])) {
                if (v <= std::numeric_limits<std::int32_t>::max()) v = v * 10 + (t_[i_] - '0');
                ++i_;
            }
            v = std::min<std::int64_t>(v, std::numeric_limits<std::int32_t>::max());
            e.aParametre = true;
            e.parametre = static_cast<std::int32_t>(negatif ? -v : v);
        }
        if (i_ < t_.size() && t_[i_] == ' ') ++i_;  // the delimiting blank belongs to the word
        return e;
    }

    std::string_view t_;
    std::size_t i_ = 0;
};

// --- Parser ---

enum class Destination : std::uint8_t { Corps, Polices, Couleurs, Ignoree };
enum class GenrePolice : std::uint8_t { Texte, Symbol, Wingdings };

struct EtatGroupe {
    Destination destination = Destination::Corps;
    FormatCaractere caractere;
    FormatParagraphe paragraphe;
    std::int32_t sautUnicode = 1;  // \ucN
};

// Destinations whose content is not text of the document.
constexpr std::array kDestinationsIgnorees = {
    "annotation", "atnauthor", "atnid",   "author",     "buptim",   "colorschememapping",
    "comment",    "company",   "creatim", "datastore",  "do",       "docvar",
    "doccomm",    "fldinst",   "footer",  "footerf",    "footerl",  "footerr",
    "footnote",   "ftncn",     "ftnsep",  "ftnsepc",    "generator", "header",
    "headerf",    "headerl",   "headerr", "info",       "keywords", "latentstyles",
    "listoverridetable", "listtable", "manager", "object", "operator", "pgdsctbl",
    "pict",       "printim",   "private", "revtbl",     "revtim",   "rsidtbl",
    "stylesheet", "subject",   "template", "themedata", "title",    "userprops",
    "xmlnstbl",   "xe",        "tc",      "bkmkstart",  "bkmkend",  "nonshppict",
    "shp",        "shpinst",   "background", "mmathPr",
};

bool DestinationIgnoree(std::string_view mot) {
    return std::find(kDestinationsIgnorees.begin(), kDestinationsIgnorees.end(), mot) != kDestinationsIgnorees.end();
}

class Analyseur {
public:
    Analyseur(std::string_view texte, const LimitesLecture& limites) : lex_(texte), limites_(limites) {}

    LectureRtf Lire() {
        LectureRtf r;
        if (!Analyser(r)) return r;
        // The mark that ends the last paragraph opens no new one.
        SubstitutIsoleFinir();
        if (!courant_.morceaux.empty() || doc_.paragraphes.empty()) {
            if (!FinParagraphe(false)) {
                Refuse(r, "trop de paragraphes");
                return r;
            }
        }
        r.document = std::move(doc_);
        return r;
    }

private:
    bool Refuse(LectureRtf& r, std::string message) {
        r.erreur = std::move(message);
        r.position = lex_.Position();
        return false;
    }

    bool Analyser(LectureRtf& r) {
        // The text is one group; what follows its end is not read.
        Element e = lex_.Suivant();
        if (e.type != Jeton::Ouvre) return Refuse(r, "le texte ne commence pas par «{\\rtf»");
        pile_.push_back(EtatGroupe{});
        e = lex_.Suivant();
        if (e.type != Jeton::Mot || e.mot != "rtf") return Refuse(r, "le texte ne commence pas par «{\\rtf»");
        while (!pile_.empty()) {
            e = lex_.Suivant();
            switch (e.type) {
            case Jeton::Fin: return true;  // groups left open close here
            case Jeton::Ouvre:
                if (static_cast<int>(pile_.size()) >= limites_.profondeurMax) {
                    return Refuse(r, "groupes imbriqués trop profondément");
                }
                pile_.push_back(pile_.back());
                aSauter_ = 0;
                etoile_ = false;
                break;
            case Jeton::Ferme:
                if (Etat().destination == Destination::Polices) PoliceFinie();
                // The end of the text keeps the last paragraph's format
                // (and a lone high surrogate there is a character lost).
                if (pile_.size() == 1) {
                    dernierFormat_ = Etat().paragraphe;
                    SubstitutIsoleFinir();
                }
                pile_.pop_back();
                aSauter_ = 0;
                etoile_ = false;
                break;
            case Jeton::Mot:
                if (!Mot(e)) return Refuse(r, "trop de paragraphes");
                break;
            case Jeton::Symbole: Symbole(e.octet); break;
            case Jeton::Hexa: Octet(e.octet); break;
            case Jeton::Caractere:
                if (Etat().destination == Destination::Corps && e.octet < 0x20 && e.octet != '\t') break;
                Octet(e.octet);
                break;
            }
        }
        return true;
    }

    EtatGroupe& Etat() { return pile_.back(); }

    // A byte of text (raw or \'hh), in the current destination.
    void Octet(std::uint8_t octet) {
        if (aSauter_ > 0) {
            --aSauter_;
            return;
        }
        switch (Etat().destination) {
        case Destination::Corps:
            if (const char32_t puce = PuceDePoliceSymbole(octet)) {
                AjoutePuce(puce);
            } else {
                Caractere(platform::Cp1252VersPointCode(octet));
            }
            break;
        case Destination::Polices:
            if (octet == ';') {
                PoliceFinie();
            } else if (police_ && octet >= 0x20) {
                police_->nom += static_cast<char>(octet);
            }
            break;
        case Destination::Couleurs:
            if (octet == ';') {
                doc_.couleurs.push_back(couleur_);
                couleur_ = CouleurRtf{};
            }
            break;
        case Destination::Ignoree: break;
        }
    }

    void Caractere(char32_t c) {
        if (Etat().destination != Destination::Corps) return;
        // A high surrogate waits for its low half.
        if (hautSubstitut_ != 0) {
            const char32_t haut = hautSubstitut_;
            hautSubstitut_ = 0;
            if (c >= 0xDC00 && c <= 0xDFFF) {
                Ajoute(0x10000 + ((haut - 0xD800) << 10) + (c - 0xDC00));
                return;
            }
            Ajoute(0xFFFD);
        }
        if (c >= 0xD800 && c <= 0xDBFF) {
            hautSubstitut_ = c;
            return;
        }
        if (c >= 0xDC00 && c <= 0xDFFF) c = 0xFFFD;
        if (c < 0x20 && c != kTabulation && c != kSautLigne) return;
        Ajoute(c);
    }

    void Ajoute(char32_t c) {
        auto& morceaux = courant_.morceaux;
        if (morceaux.empty() || !(morceaux.back().format == Etat().caractere)) {
            morceaux.push_back(Morceau{Etat().caractere, {}});
        }
        morceaux.back().texte += c;
    }

    // A bullet glyph of a symbol font (what word processors put before the
    // items of a list), as its Unicode character; 0 for any other byte.
    // Written back in a symbol font, the byte would show as a private-use
    // character in other word processors.
    char32_t PuceDePoliceSymbole(std::uint8_t octet) {
        const GenrePolice genre = GenreDePolice(Etat().caractere.police);
        if (genre == GenrePolice::Texte) return 0;
        const bool wingdings = genre == GenrePolice::Wingdings;
        const bool symbol = !wingdings;
        if (symbol && octet == 0xB7) return 0x2022;
        if (wingdings && octet == 0xA7) return 0x25AA;
        if (wingdings && octet == 0x6C) return 0x25CF;
        if (wingdings && octet == 0x6E) return 0x25A0;
        if (wingdings && octet == 0xD8) return 0x27A2;
        if (wingdings && octet == 0xFC) return 0x2714;
        return 0;
    }

    // The kind of the font of that number, kept for the next byte: a text
    // runs in one font, and the table may hold many.
    GenrePolice GenreDePolice(std::int32_t numero) {
        if (genreNumero_ != numero || !genreConnu_) {
            const Police* police = doc_.PoliceNumero(numero);
            genre_ = police == nullptr || !PoliceDeSymboles(*police) ? GenrePolice::Texte
                     : PoliceWingdings(*police)                     ? GenrePolice::Wingdings
                                                                    : GenrePolice::Symbol;
            genreNumero_ = numero;
            genreConnu_ = true;
        }
        return genre_;
    }

    // The bullet in the document's default font, not in the symbol font.
    void AjoutePuce(char32_t puce) {
        SubstitutIsoleFinir();
        FormatCaractere f = Etat().caractere;
        f.police = doc_.policeDefaut;
        auto& morceaux = courant_.morceaux;
        if (morceaux.empty() || !(morceaux.back().format == f)) morceaux.push_back(Morceau{f, {}});
        morceaux.back().texte += puce;
    }

    void SubstitutIsoleFinir() {
        if (hautSubstitut_ == 0 || pile_.empty()) return;
        hautSubstitut_ = 0;
        Ajoute(0xFFFD);
    }

    bool FinParagraphe(bool sautPage) {
        SubstitutIsoleFinir();
        if (doc_.paragraphes.size() >= limites_.paragraphesMax) return false;
        courant_.format = pile_.empty() ? dernierFormat_ : Etat().paragraphe;
        // A paragraph without text keeps its mark's format, when it is not
        // the document's default, as an empty run.
        if (courant_.morceaux.empty() && !pile_.empty()) {
            FormatCaractere defaut;
            defaut.police = doc_.policeDefaut;
            if (!(Etat().caractere == defaut)) courant_.morceaux.push_back(Morceau{Etat().caractere, {}});
        }
        courant_.sautPage = sautPage;
        finParDerniere_ = !sautPage;
        doc_.paragraphes.push_back(std::move(courant_));
        courant_ = Paragraphe{};
        return true;
    }

    void PoliceFinie() {
        if (!police_) return;
        auto& nom = police_->nom;
        while (!nom.empty() && nom.back() == ' ') nom.pop_back();
        while (!nom.empty() && nom.front() == ' ') nom.erase(nom.begin());
        if (doc_.polices.size() < kPolicesMax && doc_.PoliceNumero(police_->numero) == nullptr) {
            doc_.polices.push_back(*police_);
            genreConnu_ = false;
        }
        police_.reset();
    }

    void Symbole(std::uint8_t s) {
        if (s == '*') {
            etoile_ = true;
            return;
        }
        if (Etat().destination == Destination::Ignoree) return;
        switch (s) {
        case '\\':
        case '{':
        case '}': Octet(s); break;
        case '~': Texte(0x00A0); break;
        case '_': Texte(0x2011); break;
        default:
            // \- (optional hyphen), \: and the unknown symbols show nothing,
            // but count as one fallback character.
            if (aSauter_ > 0) --aSauter_;
            break;
        }
    }

    // A character produced by a control word.
    void Texte(char32_t c) {
        if (aSauter_ > 0) {
            --aSauter_;
            return;
        }
        Caractere(c);
    }

    bool Mot(const Element& e) {
        EtatGroupe& s = Etat();
        const std::string& m = e.mot;
        const std::int32_t p = e.parametre;
        // The first word after \* names a destination we skip.
        if (etoile_) {
            etoile_ = false;
            s.destination = Destination::Ignoree;
            return true;
        }
        if (m == "bin") {
            // Binary data is never text: skip its bytes.
            if (e.aParametre && p > 0) lex_.Sauter(static_cast<std::size_t>(p));
            return true;
        }
        if (s.destination == Destination::Ignoree) return true;
        if (m == "fonttbl") {
            s.destination = Destination::Polices;
            return true;
        }
        if (m == "colortbl") {
            s.destination = Destination::Couleurs;
            couleur_ = CouleurRtf{};
            return true;
        }
        if (DestinationIgnoree(m)) {
            s.destination = Destination::Ignoree;
            return true;
        }
        if (s.destination == Destination::Polices) {
            MotPolice(m, e);
            return true;
        }
        if (s.destination == Destination::Couleurs) {
            const auto composante = static_cast<std::uint8_t>(Borne(p, 0, 255));
            if (m == "red") couleur_.rouge = composante, couleur_.automatique = false;
            else if (m == "green") couleur_.vert = composante, couleur_.automatique = false;
            else if (m == "blue") couleur_.bleu = composante, couleur_.automatique = false;
            return true;
        }
        if (aSauter_ > 0 && m != "u") {
            --aSauter_;
            return true;
        }
        return MotCorps(s, m, e);
    }

    void MotPolice(const std::string& m, const Element& e) {
        if (m == "f") {
            PoliceFinie();
            police_ = Police{};
            police_->numero = e.aParametre ? e.parametre : 0;
            return;
        }
        if (!police_) return;
        if (m == "fcharset") {
            police_->jeu = Borne(e.parametre, 0, 255);
        } else if (m == "fnil" || m == "froman" || m == "fswiss" || m == "fmodern" || m == "fscript" ||
                   m == "fdecor" || m == "ftech" || m == "fbidi") {
            police_->famille = m;
        }
    }

    bool MotCorps(EtatGroupe& s, const std::string& m, const Element& e) {
        const std::int32_t p = e.parametre;
        const bool actif = !e.aParametre || p != 0;
        FormatCaractere& c = s.caractere;
        FormatParagraphe& f = s.paragraphe;
        if (m == "par" || m == "sect" || m == "row") return FinParagraphe(false);
        if (m == "page") {
            // A page break right after a paragraph end ends that paragraph
            // by a page (how our writer and word processors write it).
            if (courant_.morceaux.empty() && hautSubstitut_ == 0 && !doc_.paragraphes.empty() &&
                finParDerniere_) {
                doc_.paragraphes.back().sautPage = true;
                finParDerniere_ = false;
                return true;
            }
            return FinParagraphe(true);
        }
        if (m == "tab" || m == "cell") Texte(kTabulation);
        else if (m == "line") Texte(kSautLigne);
        else if (m == "u") {
            // \uN: a signed 16-bit code unit, then N fallback characters.
            std::int32_t v = p;
            if (v < 0) v += 65536;
            aSauter_ = 0;
            Caractere(v >= 0 && v <= 0xFFFF ? static_cast<char32_t>(v) : char32_t{0xFFFD});
            aSauter_ = s.sautUnicode;
        } else if (m == "uc") s.sautUnicode = Borne(p, 0, kSautUnicodeMax);
        else if (m == "emdash") Texte(0x2014);
        else if (m == "endash") Texte(0x2013);
        else if (m == "bullet") Texte(0x2022);
        else if (m == "lquote") Texte(0x2018);
        else if (m == "rquote") Texte(0x2019);
        else if (m == "ldblquote") Texte(0x201C);
        else if (m == "rdblquote") Texte(0x201D);
        else if (m == "emspace" || m == "enspace" || m == "qmspace") Texte(U' ');
        else if (m == "deff") {
            // A setting of the header: once the text has begun, the runs kept
            // or not on empty paragraphs were decided by the default then, and
            // our writer puts the default in its header.
            if (doc_.paragraphes.empty() && courant_.morceaux.empty()) {
                doc_.policeDefaut = p;
                c.police = p;
            }
        } else if (m == "plain") {
            c = FormatCaractere{};
            c.police = doc_.policeDefaut;
        }
        else if (m == "f") c.police = p;
        else if (m == "fs") c.taille = e.aParametre && p > 0 ? Borne(p, kTailleMin, kTailleMax) : 24;
        else if (m == "b") c.gras = actif;
        else if (m == "i") c.italique = actif;
        else if (m == "ul" || m == "uld" || m == "uldb" || m == "ulw" || m == "uldash" || m == "ulth" ||
                 m == "ulwave")
            c.souligne = actif;
        else if (m == "ulnone") c.souligne = false;
        else if (m == "strike") c.barre = actif;
        else if (m == "cf") c.couleur = Borne(p, 0, std::numeric_limits<std::int32_t>::max());
        else if (m == "up") c.decalage = Borne(e.aParametre ? p : 6, 0, kTailleMax);
        else if (m == "dn") c.decalage = -Borne(e.aParametre ? p : 6, 0, kTailleMax);
        else if (m == "super") c.position = PositionVerticale::Exposant;
        else if (m == "sub") c.position = PositionVerticale::Indice;
        else if (m == "nosupersub") c.position = PositionVerticale::Normale;
        else if (m == "pard") f = FormatParagraphe{};
        else if (m == "ql") f.alignement = Alignement::Gauche;
        else if (m == "qc") f.alignement = Alignement::Centre;
        else if (m == "qr") f.alignement = Alignement::Droite;
        else if (m == "qj") f.alignement = Alignement::Justifie;
        else if (m == "li") f.retraitGauche = Borne(p, -kTwipsMax, kTwipsMax);
        else if (m == "ri") f.retraitDroit = Borne(p, -kTwipsMax, kTwipsMax);
        else if (m == "fi") f.retraitPremiereLigne = Borne(p, -kTwipsMax, kTwipsMax);
        else if (m == "sb") f.espaceAvant = Borne(p, 0, kTwipsMax);
        else if (m == "sa") f.espaceApres = Borne(p, 0, kTwipsMax);
        else if (m == "tx") {
            if (f.tabulations.size() < kTabulationsMax) f.tabulations.push_back(Borne(p, 0, kTwipsMax));
        }
        // Other words (\rtf, \ansi, \ansicpg, document and section settings)
        // change nothing of the model.
        return true;
    }

    Lexeur lex_;
    const LimitesLecture& limites_;
    std::vector<EtatGroupe> pile_;
    Document doc_;
    Paragraphe courant_;
    bool finParDerniere_ = false;  // the last paragraph was ended by \par, not by \page
    FormatParagraphe dernierFormat_;
    std::optional<Police> police_;
    CouleurRtf couleur_;
    std::int32_t aSauter_ = 0;
    bool etoile_ = false;
    char32_t hautSubstitut_ = 0;
    bool genreConnu_ = false;
    std::int32_t genreNumero_ = 0;
    GenrePolice genre_ = GenrePolice::Texte;
};

}  // namespace

bool EstRtf(std::string_view octets) {
    std::size_t i = 0;
    while (i < octets.size() && (octets[i] == ' ' || octets[i] == '\t' || octets[i] == '\r' || octets[i] == '\n')) ++i;
    return octets.substr(i, 5) == "{\\rtf";
}

LectureRtf LireRtf(std::string_view octets, const LimitesLecture& limites) {
    if (octets.size() > limites.tailleMax) {
        LectureRtf r;
        r.erreur = "texte RTF trop long";
        return r;
    }
    std::size_t i = 0;
    while (i < octets.size() && (octets[i] == ' ' || octets[i] == '\t' || octets[i] == '\r' || octets[i] == '\n')) ++i;
    Analyseur a(octets.substr(i), limites);
    LectureRtf r = a.Lire();
    r.position += i;
    // Our writer gives each paragraph and each run its whole format, which a
    // text may set only once: a text whose copy would be too long to read
    // back is refused, so that whatever is read can be written and read again.
    if (r.document && !EcritureTientDans(*r.document, limites.tailleMax)) {
        r.document.reset();
        r.erreur = "texte RTF trop long une fois réécrit";
        r.position = octets.size();
    }
    return r;
}

std::optional<Document> LireTexteRiche(std::string_view octets, const LimitesLecture& limites) {
    if (!EstRtf(octets)) {
        if (octets.size() > limites.tailleMax) return std::nullopt;
        return DocumentDepuisTexte(platform::Cp1252VersU32(octets));
    }
    return LireRtf(octets, limites).document;
}

}  // namespace korv::rtf
