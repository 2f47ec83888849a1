#include "description.h"

#include <cctype>
#include <charconv>
#include <limits>
#include <set>
#include <cstdlib>
#include <map>
#include <optional>
#include <vector>

#include "engine/moteur.h"
#include "engine/scripts_moteur.h"
#include "formula/expression.h"
#include "platform/cp1252.h"

namespace korv::scenetool {

namespace {

using engine::FormeObjets;
using engine::ObjetPage;
using engine::PageScene;
using engine::Scene;
using engine::TypeObjet;
using formula::ExpressionEnregistrement;
using formula::JetonFormule;
using grid::AttributCaseFichier;
using grid::GenreAttribut;
using grid::GrilleEnregistrement;

struct Instruction {
    int ligne = 0;
    std::string motCle;
    std::vector<std::string> positions;       // values without a key
    std::map<std::string, std::string> champs;  // key=value, values decoded
};

class Lecteur {
public:
    explicit Lecteur(std::string_view texte) : texte_(texte) {}

    std::optional<Instruction> Suivante() {
        while (pos_ < texte_.size()) {
            const std::string ligneTexte = LigneSuivante();
            Instruction ins;
            ins.ligne = numero_;
            if (Decoupe(ligneTexte, ins) && !ins.motCle.empty()) return ins;
        }
        return std::nullopt;
    }

private:
    std::string LigneSuivante() {
        const auto fin = texte_.find('\n', pos_);
        std::string l(texte_.substr(pos_, fin == std::string_view::npos ? std::string_view::npos : fin - pos_));
        pos_ = fin == std::string_view::npos ? texte_.size() : fin + 1;
        ++numero_;
        if (!l.empty() && l.back() == '\r') l.pop_back();
        return l;
    }

    [[noreturn]] void Erreur(const std::string& m) const { throw ErreurDescription(numero_, m); }

    // Decodes one quoted string starting at s[i] == '"'; returns cp1252 bytes.
    std::string Guillemets(const std::string& s, std::size_t& i) const {
        std::string utf8;
        std::string sortie;
        auto vide = [&] {
            sortie += platform::Utf8VersCp1252(utf8);
            utf8.clear();
        };
        ++i;
        while (true) {
            if (i >= s.size()) Erreur("chaîne non terminée");
            const char c = s[i++];
            if (c == '"') break;
            if (c != '\\') {
                utf8 += c;
                continue;
            }
            if (i >= s.size()) Erreur("échappement incomplet");
            const char e = s[i++];
            switch (e) {
            case 'n': utf8 += '\n'; break;
            case 'r': utf8 += '\r'; break;
            case 't': utf8 += '\t'; break;
            case '\\': utf8 += '\\'; break;
            case '"': utf8 += '"'; break;
            case 'x': {
                if (i + 2 > s.size()) Erreur("\\x demande deux chiffres hexadécimaux");
                unsigned v = 0;
                const auto r = std::from_chars(s.data() + i, s.data() + i + 2, v, 16);
                if (r.ec != std::errc() || r.ptr != s.data() + i + 2) Erreur("\\x invalide");
                i += 2;
                vide();
                sortie += static_cast<char>(v);
                break;
            }
            default: Erreur(std::string("échappement inconnu \\") + e);
            }
        }
        vide();
        return sortie;
    }

    std::string HereDocument(const std::string& fin) {
        std::string out;
        bool premier = true;
        while (true) {
            if (pos_ >= texte_.size()) Erreur("document « " + fin + " » non terminé");
            std::string l = LigneSuivante();
            if (l == fin) break;
            if (!premier) out += "\r\n";
            out += platform::Utf8VersCp1252(l);
            premier = false;
        }
        return out;
    }

    std::string Valeur(const std::string& s, std::size_t& i) {
        if (i < s.size() && s[i] == '"') return Guillemets(s, i);
        if (s.compare(i, 2, "<<") == 0) {
            i += 2;
            std::size_t d = i;
            while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i]))) ++i;
            const std::string fin = s.substr(d, i - d);
            if (fin.empty()) Erreur("<< sans marque de fin");
            // The rest of the line must be read before the document.
            restes_.push_back(fin);
            return {};
        }
        std::size_t d = i;
        while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i]))) ++i;
        return platform::Utf8VersCp1252(s.substr(d, i - d));
    }

    bool Decoupe(const std::string& s, Instruction& ins) {
        std::size_t i = 0;
        std::vector<std::string*> enAttente;
        restes_.clear();
        while (true) {
            while (i < s.size() && std::isspace(static_cast<unsigned char>(s[i]))) ++i;
            if (i >= s.size() || s[i] == '#') break;
            if (s[i] == '"') {
                ins.positions.push_back(Guillemets(s, i));
                continue;
            }
            std::size_t d = i;
            while (i < s.size() && !std::isspace(static_cast<unsigned char>(s[i])) && s[i] != '=') ++i;
            std::string mot = s.substr(d, i - d);
            if (i < s.size() && s[i] == '=') {
                ++i;
                const std::size_t avant = restes_.size();
                auto& v = ins.champs[mot];
                v = Valeur(s, i);
                if (restes_.size() > avant) enAttente.push_back(&v);
            } else if (ins.motCle.empty()) {
                ins.motCle = mot;
            } else {
                ins.positions.push_back(platform::Utf8VersCp1252(mot));
            }
        }
        for (std::size_t k = 0; k < enAttente.size(); ++k) *enAttente[k] = HereDocument(restes_[k]);
        return true;
    }

    std::string_view texte_;
    std::size_t pos_ = 0;
    int numero_ = 0;
    std::vector<std::string> restes_;
};

class Constructeur {
public:
    explicit Constructeur(FormeObjets forme) : forme_(forme) {
        scene_.entete.version = forme == FormeObjets::Bloc ? engine::kVersionBloc : engine::kVersionChamps;
    }

    void Applique(Instruction& ins) {
        ins_ = &ins;
        const auto& m = ins.motCle;
        if (m == "scene") Entete();
        else if (m == "language") Langue();
        else if (m == "start") scene_.entete.programmeDemarrage = Chaine("text");
        else if (m == "page") Page();
        else if (m == "object") Objet();
        else if (m == "element") Element();
        else if (m == "path") Chemin();
        else if (m == "grid") Grille();
        else if (m == "column") Colonne();
        else if (m == "row") Rangee();
        else if (m == "cell") Cellule();
        else if (m == "token") Jeton();
        else if (m == "si") FormuleCourante().contientSi = static_cast<std::int16_t>(PositionEntier(0));
        else if (m == "ref") Reference();
        else if (m == "result") Resultat();
        else if (m == "attribute") Attribut();
        else Erreur("mot-clé inconnu « " + m + " »");
        for (const auto& [cle, v] : ins.champs) {
            if (!utilises_.count(cle)) Erreur("champ inconnu « " + cle + " » pour « " + m + " »");
        }
        utilises_.clear();
    }

    Scene Termine() {
        FermeFormule();
        scene_.entete.pageNb = static_cast<std::int16_t>(scene_.pages.size());
        scene_.entete.langueNb = static_cast<std::int16_t>(scene_.entete.langues.size());
        CompileFormulesTextes();
        return std::move(scene_);
    }

private:
    [[noreturn]] void Erreur(const std::string& m) const { throw ErreurDescription(ins_->ligne, m); }

    const std::string* Champ(const std::string& cle) {
        utilises_.insert(cle);
        auto it = ins_->champs.find(cle);
        return it == ins_->champs.end() ? nullptr : &it->second;
    }

    std::int64_t Nombre(std::string_view texte, std::int64_t min, std::int64_t max) const {
        std::int64_t v = 0;
        const auto r = std::from_chars(texte.data(), texte.data() + texte.size(), v);
        if (r.ec != std::errc() || r.ptr != texte.data() + texte.size()) {
            Erreur("nombre entier attendu : « " + std::string(texte) + " »");
        }
        if (v < min || v > max) Erreur("valeur hors limites : " + std::string(texte));
        return v;
    }

    template <typename T>
    void Entier(const std::string& cle, T& cible) {
        if (const auto* v = Champ(cle)) {
            cible = static_cast<T>(Nombre(*v, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
        }
    }

    std::int64_t PositionEntier(std::size_t i) const {
        if (i >= ins_->positions.size()) Erreur("argument " + std::to_string(i + 1) + " manquant");
        return Nombre(ins_->positions[i], INT32_MIN, INT32_MAX);
    }

    std::string Chaine(const std::string& cle) {
        const auto* v = Champ(cle);
        return v ? *v : std::string();
    }

    void ChaineOpt(const std::string& cle, std::string& cible) {
        if (const auto* v = Champ(cle)) cible = *v;
    }

    double Reel(std::string_view texte) const {
        std::string s(texte);
        char* fin = nullptr;
        const double d = std::strtod(s.c_str(), &fin);
        if (s.empty() || fin != s.c_str() + s.size()) Erreur("nombre attendu : « " + s + " »");
        return d;
    }

    std::vector<std::int64_t> Liste(const std::string& texte, char sep, std::int64_t min, std::int64_t max) const {
        std::vector<std::int64_t> out;
        if (texte.empty()) return out;
        std::size_t d = 0;
        while (true) {
            const auto f = texte.find(sep, d);
            out.push_back(Nombre(std::string_view(texte).substr(d, f == std::string::npos ? std::string::npos : f - d), min, max));
            if (f == std::string::npos) break;
            d = f + 1;
        }
        return out;
    }

    PageScene& PageCourante() {
        if (scene_.pages.empty()) Erreur("aucune page ouverte");
        return scene_.pages.back();
    }

    ObjetPage& ObjetCourant() {
        auto& p = PageCourante();
        if (p.objets.empty()) Erreur("aucun objet ouvert");
        return p.objets.back();
    }

    GrilleEnregistrement& GrilleCourante() {
        auto& o = ObjetCourant();
        if (!o.grille) Erreur("l'objet n'a pas de grille");
        return *o.grille;
    }

    void Entete() {
        auto& h = scene_.entete;
        Entier("width", h.pageLargeur);
        Entier("height", h.pageHauteur);
        Entier("esc", h.modeEsc);
        Entier("compiled", h.pagesCompilees);
        Entier("layout", h.octetDisposition);
        ChaineOpt("palette", h.fichierPalette);
        ChaineOpt("folder", h.repertoireScene);
        ChaineOpt("path", h.cheminScene);
        if (const auto* c = Champ("colours")) {
            const auto l = Liste(*c, ',', INT32_MIN, INT32_MAX);
            if (l.size() > 16) Erreur("16 couleurs au plus");
            for (std::size_t i = 0; i < l.size(); ++i) h.couleursPerso[i] = static_cast<std::int32_t>(l[i]);
        }
    }

    void Langue() {
        if (ins_->positions.size() != 1) Erreur("language attend un nom");
        scene_.entete.langues.push_back(ins_->positions[0]);
    }

    void Page() {
        FermeFormule();
        if (scene_.pages.size() >= 32767) Erreur("trop de pages");
        auto& p = scene_.pages.emplace_back();
        Entier("sub", p.sousEnregistrementMot);
        Entier("int1", p.entier1);
        if (const auto* v = Champ("subarray")) {
            for (auto x : Liste(*v, ',', INT16_MIN, INT16_MAX)) p.sousEnregistrementTableau.push_back(static_cast<std::int16_t>(x));
        }
    }

    static std::optional<std::uint8_t> Genre(const std::string& nom) {
        static const std::pair<const char*, TypeObjet> noms[] = {
            {"fond", TypeObjet::Fond},         {"image", TypeObjet::Image},   {"bouton", TypeObjet::Bouton},
            {"texte", TypeObjet::Texte},       {"video", TypeObjet::Video},   {"son", TypeObjet::Son},
            {"chrono", TypeObjet::Chrono},     {"polyligne", TypeObjet::Polyligne}, {"action", TypeObjet::Action},
            {"sprite", TypeObjet::Sprite},     {"tableau", TypeObjet::Tableau}, {"rtf", TypeObjet::TexteRtf},
            {"graphique", TypeObjet::Graphique},
        };
        for (const auto& [n, t] : noms) {
            if (nom == n) return static_cast<std::uint8_t>(t);
        }
        return std::nullopt;
    }

    void Objet() {
        FermeFormule();
        auto& p = PageCourante();
        if (p.objets.size() >= 32767) Erreur("trop d'objets");
        auto& o = p.objets.emplace_back();
        const auto* kind = Champ("kind");
        if (!kind) Erreur("object demande kind=");
        if (auto g = Genre(*kind)) o.type = *g;
        else o.type = static_cast<std::uint8_t>(Nombre(*kind, 0, 255));
        ChaineOpt("name", o.nom);
        ChaineOpt("file", o.fichier);
        ChaineOpt("text", o.texte);
        if (const auto* r = Champ("rect")) {
            const auto l = Liste(*r, ',', INT16_MIN, INT16_MAX);
            if (l.size() != 4) Erreur("rect demande gauche,haut,largeur,hauteur");
            o.gauche = static_cast<std::int16_t>(l[0]);
            o.haut = static_cast<std::int16_t>(l[1]);
            o.largeur = static_cast<std::int16_t>(l[2]);
            o.hauteur = static_cast<std::int16_t>(l[3]);
        }
        Entier("A1", o.A1); Entier("A2", o.A2); Entier("A3", o.A3); Entier("A4", o.A4);
        Entier("B1", o.B1); Entier("B2", o.B2); Entier("B3", o.B3);
        Entier("C1", o.C1); Entier("C2", o.C2); Entier("C3", o.C3);
        Entier("D1", o.D1); Entier("D2", o.D2);
        Entier("E1", o.E1); Entier("E2", o.E2); Entier("F1", o.F1);
        for (std::size_t i = 0; i < 6; ++i) Entier("G" + std::to_string(i + 1), o.G[i]);
        Entier("H1", o.H1); Entier("H2", o.H2); Entier("H3", o.H3);
        Entier("gridflag", o.drapeauGrille);
        Entier("I1", o.I1); Entier("I2", o.I2); Entier("J1", o.J1);
        Entier("clip", o.decoupe);
        Entier("K2", o.K2); Entier("K3", o.K3);
        if (const auto* k = Champ("K1")) {
            const auto l = Liste(*k, ',', 0, 255);
            if (l.size() != 2) Erreur("K1 demande deux octets");
            o.K1 = {static_cast<std::uint8_t>(l[0]), static_cast<std::uint8_t>(l[1])};
        }
    }

    void Element() {
        auto& e = ObjetCourant().elements.emplace_back();
        Entier("page", e.PageCible);
        Entier("object", e.ObjetCible);
        Entier("param", e.Parametre);
        ChaineOpt("value", e.Valeur);
        ChaineOpt("text", e.Texte);
        Entier("events", e.Evenements);
    }

    void Chemin() {
        auto& c = ObjetCourant().chemin;
        c = {};
        if (const auto* v = Champ("points"); v && !v->empty()) {
            std::size_t d = 0;
            while (true) {
                const auto f = v->find(';', d);
                const auto xy = Liste(v->substr(d, f == std::string::npos ? std::string::npos : f - d), ',', INT16_MIN, INT16_MAX);
                if (xy.size() != 2) Erreur("un point s'écrit x,y");
                c.points.push_back({static_cast<std::int16_t>(xy[0]), static_cast<std::int16_t>(xy[1])});
                if (f == std::string::npos) break;
                d = f + 1;
            }
        }
        if (const auto* v = Champ("lengths")) {
            for (auto x : Liste(*v, ',', INT16_MIN, INT16_MAX)) c.longueurs.push_back(static_cast<std::int16_t>(x));
        } else {
            c.longueurs.assign(c.points.size(), 0);
        }
        if (c.longueurs.size() != c.points.size()) Erreur("une longueur par point");
        if (const auto* v = Champ("total")) c.longueurTotale = Reel(*v);
        Entier("closed", c.fermee);
    }

    void Grille() {
        FermeFormule();
        auto& o = ObjetCourant();
        if (o.Type() != TypeObjet::Tableau) Erreur("grid sur un objet qui n'est pas un tableau");
        auto& g = o.grille.emplace();
        g.forme = forme_ == FormeObjets::Bloc ? grid::FormeGrille::Rapide : grid::FormeGrille::Complete;
        g.reduit = forme_ == FormeObjets::Bloc && o.drapeauGrille == -1;
        Entier("cols", g.colonneNb);
        Entier("rows", g.ligneNb);
        Entier("coloffset", g.decalageColonne);
        Entier("rowoffset", g.decalageLigne);
        Entier("bottom", g.lignesBasColleesEnBas);
        Entier("reserved", g.reserve);
        if (forme_ == FormeObjets::Bloc) {
            // The quick record keeps the switch in one byte and no reserved word.
            g.reserve = 0;
            if (g.lignesBasColleesEnBas < 0) g.lignesBasColleesEnBas = 1;
            if (g.lignesBasColleesEnBas > 255) Erreur("bottom tient dans un octet");
        }
        if (!g.reduit) {
            g.colonnes.resize(g.colonneNb);
            g.lignes.resize(g.ligneNb);
        }
    }

    void Impression(grid::ImpressionAttributFichier& a) {
        if (const auto* v = Champ("print")) {
            const auto l = Liste(*v, ',', INT16_MIN, INT16_MAX);
            if (l.size() != 8) Erreur("print demande 8 entiers");
            for (std::size_t i = 0; i < 8; ++i) a[i] = static_cast<std::int16_t>(l[i]);
        }
    }

    void Colonne() {
        auto& g = GrilleCourante();
        const auto n = PositionEntier(0);
        if (n < 1 || n > g.colonneNb) Erreur("colonne hors de la grille");
        if (g.reduit) {
            for (const char* k : {"width", "fold", "lock", "sort", "print"}) Champ(k);
            return;  // a reduced quick record stores no columns
        }
        auto& c = g.colonnes[static_cast<std::size_t>(n - 1)];
        Entier("width", c.taille);
        Entier("fold", c.pliee);
        Entier("lock", c.verrou);
        Entier("sort", c.marqueTri);
        Impression(c.impression);
    }

    void Rangee() {
        auto& g = GrilleCourante();
        const auto n = PositionEntier(0);
        if (n < 1 || n > g.ligneNb) Erreur("ligne hors de la grille");
        if (g.reduit) {
            for (const char* k : {"height", "fold", "lock", "print"}) Champ(k);
            return;
        }
        auto& l = g.lignes[static_cast<std::size_t>(n - 1)];
        Entier("height", l.taille);
        Entier("fold", l.pliee);
        Entier("lock", l.verrou);
        Impression(l.impression);
    }

    std::pair<std::uint8_t, std::uint8_t> Case(const GrilleEnregistrement& g) {
        std::uint8_t c = 0, r = 0;
        Entier("col", c);
        Entier("row", r);
        if (c < 1 || c > g.colonneNb || r < 1 || r > g.ligneNb) Erreur("case hors de la grille");
        return {c, r};
    }

    void Cellule() {
        FermeFormule();
        auto& g = GrilleCourante();
        auto [c, r] = Case(g);
        auto& t = g.textes.emplace_back();
        t.colonne = c;
        t.ligne = r;
        t.contenu = Chaine("text");
        if (!t.contenu.empty() && t.contenu.front() == '=') {
            formule_.emplace();
            formuleLigne_ = ins_->ligne;
        }
    }

    ExpressionEnregistrement& FormuleCourante() {
        if (!formule_) Erreur("aucune formule ouverte (une case dont le texte commence par =)");
        return *formule_;
    }

    void Jeton() {
        auto& f = FormuleCourante();
        JetonFormule j;
        Entier("kind", j.genre);
        if (const auto* b = Champ("byte")) j.valeur = static_cast<std::uint8_t>(Nombre(*b, 0, 255));
        else if (const auto* d = Champ("num")) j.valeur = Reel(*d);
        else if (const auto* s = Champ("str")) j.valeur = *s;
        else Erreur("token demande byte=, num= ou str=");
        f.jetons.push_back(std::move(j));
    }

    void Reference() {
        auto& f = FormuleCourante();
        if (ins_->positions.size() != 1) Erreur("ref attend page,objet,c1,l1,c2,l2");
        const auto l = Liste(ins_->positions[0], ',', INT16_MIN, INT16_MAX);
        if (l.size() != 6) Erreur("ref attend page,objet,c1,l1,c2,l2");
        for (std::size_t i = 2; i < 6; ++i) {
            if (l[i] < 0 || l[i] > 255) Erreur("coordonnée de référence hors d'un octet");
        }
        f.references.push_back({static_cast<std::int16_t>(l[0]), static_cast<std::int16_t>(l[1]),
                                static_cast<std::uint8_t>(l[2]), static_cast<std::uint8_t>(l[3]),
                                static_cast<std::uint8_t>(l[4]), static_cast<std::uint8_t>(l[5])});
    }

    // A formula belongs to the last cell text; in the complete form it is
    // stored with it, in the block form in the page's formula block. One
    // without token lines is compiled from its text once every page and
    // object is known.
    void FermeFormule() {
        if (!formule_) return;
        auto& o = scene_.pages.back().objets.back();
        auto& t = o.grille->textes.back();
        const bool aCompiler = formule_->jetons.empty() && formule_->references.empty();
        const std::size_t page = scene_.pages.size() - 1;
        const std::size_t objet = scene_.pages.back().objets.size() - 1;
        if (forme_ == FormeObjets::ChampParChamp) {
            t.formule = std::move(*formule_);
            if (aCompiler) aCompiler_.push_back({formuleLigne_, page, objet, o.grille->textes.size() - 1, false});
        } else {
            o.formules.push_back({t.colonne, t.ligne, std::move(*formule_)});
            if (aCompiler) aCompiler_.push_back({formuleLigne_, page, objet, o.formules.size() - 1, true});
        }
        formule_.reset();
    }

    void CompileFormulesTextes() {
        if (aCompiler_.empty()) return;
        engine::Moteur moteur;
        moteur.scene = scene_;
        const auto& services = moteur.ScriptsDuMoteur().Formule();
        for (const auto& f : aCompiler_) {
            auto& o = scene_.pages[f.page].objets[f.objet];
            ExpressionEnregistrement* cible = nullptr;
            std::string texte;
            if (f.bloc) {
                auto& u = o.formules[f.index];
                cible = &u.expression;
                for (const auto& t : o.grille->textes) {
                    if (t.colonne == u.colonne && t.ligne == u.ligne) texte = t.contenu;
                }
            } else {
                auto& t = o.grille->textes[f.index];
                cible = &*t.formule;
                texte = t.contenu;
            }
            // "=#" stands for a formula whose source is gone: nothing to compile.
            if (texte.size() < 2 || texte == "=#") continue;
            formula::ExpressionClasse e;
            if (!e.Code(texte.substr(1), services)) {
                throw ErreurDescription(f.ligne, "formule non comprise : " + texte);
            }
            e.ReferenceVersCree();
            *cible = e.Enregistrement();
        }
    }

    struct FormuleACompiler {
        int ligne;
        std::size_t page;
        std::size_t objet;
        std::size_t index;  // in the grid's texts, or in the page's formula block
        bool bloc;
    };
    std::vector<FormuleACompiler> aCompiler_;
    int formuleLigne_ = 0;

    void Resultat() {
        FermeFormule();
        auto& g = GrilleCourante();
        auto [c, r] = Case(g);
        auto& res = g.resultats.emplace_back();
        res.colonne = c;
        res.ligne = r;
        Entier("type", res.type);
        ChaineOpt("value", res.valeur);
    }

    void Attribut() {
        FermeFormule();
        auto& g = GrilleCourante();
        auto [c, r] = Case(g);
        AttributCaseFichier a;
        a.colonne = c;
        a.ligne = r;
        const std::string genre = Chaine("kind");
        if (genre.empty() || genre == "complet") a.genre = GenreAttribut::Complet;
        else if (genre == "reduit") a.genre = GenreAttribut::Reduit;
        else if (genre == "partiel") a.genre = GenreAttribut::Partiel;
        else Erreur("kind d'attribut inconnu « " + genre + " »");
        Entier("editable", a.editable);
        Entier("type", a.typeAffichage);
        ChaineOpt("script", a.script);
        ChaineOpt("file", a.fichier);
        Entier("bg", a.couleurFond);
        Entier("fg", a.couleurTexte);
        ChaineOpt("name", a.nom);
        Entier("subformat", a.sousFormat);
        Entier("invisible", a.invisible);
        ChaineOpt("tooltip", a.bulle);
        Entier("invalidation", a.invalidation);
        Entier("merge", a.fusion);
        // Each stored form has its own entry kinds; the description's kind
        // is kept where the form allows it.
        if (forme_ == FormeObjets::ChampParChamp || (!g.reduit && a.genre == GenreAttribut::Reduit)) {
            a.genre = GenreAttribut::Complet;
        } else if (g.reduit) {
            a.genre = GenreAttribut::Reduit;
        }
        if (a.genre == GenreAttribut::Complet) {
            // Complete entries come before partial ones in a quick record.
            auto it = g.attributs.begin();
            while (it != g.attributs.end() && it->genre == GenreAttribut::Complet) ++it;
            g.attributs.insert(it, std::move(a));
        } else {
            g.attributs.push_back(std::move(a));
        }
    }

    FormeObjets forme_;
    Scene scene_;
    Instruction* ins_ = nullptr;
    std::set<std::string> utilises_;
    std::optional<ExpressionEnregistrement> formule_;
};

}  // namespace

engine::Scene ConstruitScene(std::string_view description, FormeObjets forme) {
    Lecteur lecteur(description);
    Constructeur c(forme);
    while (auto ins = lecteur.Suivante()) c.Applique(*ins);
    return c.Termine();
}

}  // namespace korv::scenetool
