#include "text/codeur.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace korv::text {

namespace {

std::int32_t ArrondiPair(double v) { return static_cast<std::int32_t>(std::nearbyint(v)); }

// One piece of the line being laid out. Positions are absolute in the source.
struct MorceauLigne {
    FormatageTexte formatage;
    std::string texte;
    std::int32_t haut = 0;
    std::int32_t decalageBase = 0;
    std::int32_t bas = 0;
    std::int32_t xDebut = 0;
    std::int32_t xFin = 0;
    std::int32_t largeur = 0;
    std::int32_t hauteur = 0;
    std::int32_t ascendante = 0;
    Position position = 0;
    std::int32_t ligne = 0;
    std::uint8_t alignement = 0;
    std::int32_t ligneBasY = 0;
    std::int32_t ligneBaseY = 0;
};

class Codeur {
public:
    Codeur(SourceTexte& source, MesureurTexte& mesureur, std::int32_t largeur, const FormatageTexte& depart)
        : src_(source), m_(mesureur), largeurZone_(largeur), defaut_(depart), f_(depart) {}

    std::string Coder() {
        m_.AppliquerFormatage(f_);
        sortie_ = TexteParametresAffichageCode(largeurZone_);
        NouvelleLigne(1);
        for (;;) {
            Position fin = TextePrepareNCarSequenceSuivante(fenetre_, pos_);
            const auto taille = static_cast<Position>(fenetre_.size());
            const bool finSource = fenetreDebut_ + taille - 1 >= src_.Longueur();
            // A sequence cut by the window's end is read again from its start.
            if (!finSource && (fin == 0 || fin >= taille) && pos_ > 1) {
                Recharger(Absolue(pos_));
                continue;
            }
            if (fin == 0 || pos_ > taille) break;
            const std::string sequence(Mid(fenetre_, pos_, fin - pos_ + 1));
            if (sequence.empty()) break;
            if (sequence.front() == '<') {
                Balise(sequence);
            } else {
                Texte(sequence);
            }
        }
        RetourChariot(false);
        Ecrit(false);
        return std::move(sortie_);
    }

private:
    Position Absolue(Position dansFenetre) const { return fenetreDebut_ + dansFenetre - 1; }

    void Recharger(Position debut) {
        fenetreDebut_ = debut;
        fenetreCopie_ = std::string(src_.Fenetre(debut, kFenetreCodeur));
        fenetre_ = fenetreCopie_;
        pos_ = 1;
    }
    void NouvelleLigne(Position debut) {
        debutLigne_ = debut;
        Recharger(debut);
    }

    void Balise(const std::string& sequence) {
        const std::string_view nom = TexteCodeSequence(sequence);
        const std::string_view arg = TexteArgumentSequence(sequence);
        const Position apres = Absolue(pos_) + static_cast<Position>(sequence.size());
        if (nom == "Cr") {
            RetourChariot(false);
            Ecrit(true);
            NouvelleLigne(apres);
            return;
        }
        if (nom == "PageNumero") {
            // A numbered page after the first, an unnumbered page break, or
            // a page marker after text on the same line, ends the line.
            if (Val(arg) > 1 || arg.empty() || !morceaux_.empty()) RetourChariot(false);
            Ecrit(true);
            NouvelleLigne(apres);
            return;
        }
        if (nom == "Gras") {
            f_.gras = Val(arg) != 0;
            m_.AppliquerFormatage(f_);
        } else if (nom == "Souligne" || nom == "Lien") {
            f_.souligne = Val(arg) != 0;
            m_.AppliquerFormatage(f_);
        } else if (nom == "Italique") {
            f_.italique = Val(arg) != 0;
            m_.AppliquerFormatage(f_);
        } else if (nom == "Police") {
            f_.police = Majuscules(arg);
            m_.AppliquerFormatage(f_);
        } else if (nom == "Taille") {
            f_.taille = static_cast<std::int16_t>(std::clamp(ValEntier(arg), -32768, 32767));
            m_.AppliquerFormatage(f_);
        } else if (nom == "Indice") {
            f_.indice = Val(arg) != 0;
        } else if (nom == "Exposant") {
            f_.exposant = Val(arg) != 0;
        } else if (nom == "HorizontalAligneGauche") {
            f_.alignementH = 0;
        } else if (nom == "HorizontalAligneCentre") {
            f_.alignementH = 1;
        } else if (nom == "HorizontalAligneDroite") {
            f_.alignementH = 2;
        } else if (nom == "HorizontalAligneJustifie") {
            f_.alignementH = 3;
        } else if (nom == "Curseur") {
            Ajoute(sequence, Absolue(pos_));
        }
        pos_ += static_cast<Position>(sequence.size());
    }

    void Texte(const std::string& run) {
        const Position debut = Absolue(pos_);
        const std::int32_t surplomb = X_ == 0 ? m_.LargeurAvantPremierCaractere(run) : 0;
        if (std::int64_t{X_} + surplomb + m_.Largeur(run) <= largeurZone_) {
            Ajoute(run, debut);
            pos_ += static_cast<Position>(run.size());
            return;
        }
        const std::int32_t place = largeurZone_ - (X_ + surplomb);
        std::int64_t n = TextePrepareMorceauDernierCaractereLigne(run, place, m_, true);
        if (n > 0) {
            CoupeEtPasse(run, debut, n);
            return;
        }
        if (dernierBlanc_ > 0) {
            morceaux_.resize(static_cast<std::size_t>(dernierBlanc_));
            MorceauLigne& p = morceaux_.back();
            // The line keeps the piece up to and with its last blank; the
            // dropped words begin the next line. The blank stays at the end
            // of the line (as in every word processor), so that the next
            // line starts with its word, not with a blank, and each wrap
            // moves on by at least one character.
            p.texte.resize(p.texte.rfind(' ') + 1);
            f_ = p.formatage;
            m_.AppliquerFormatage(f_);
            p.largeur = m_.Largeur(p.texte);
            p.xFin = p.xDebut + p.largeur;
            f_.alignementH = p.alignement;
            const Position suite = p.position + static_cast<Position>(p.texte.size());
            RetourChariot(true);
            Ecrit(false);
            NouvelleLigne(suite);
            return;
        }
        n = TextePrepareMorceauDernierCaractereLigne(run, place, m_, false);
        if (n > 0) {
            CoupeEtPasse(run, debut, n);
            return;
        }
        if (!morceaux_.empty()) {
            RetourChariot(false);
            Ecrit(false);
            NouvelleLigne(debut);
            return;
        }
        CoupeEtPasse(run, debut, 1);
    }

    void CoupeEtPasse(const std::string& run, Position debut, std::int64_t n) {
        Ajoute(run.substr(0, static_cast<std::size_t>(n)), debut);
        RetourChariot(true);
        Ecrit(false);
        NouvelleLigne(debut + n);
    }

    // `TextePrepareMorceauAjoute`.
    void Ajoute(const std::string& texte, Position debut) {
        std::vector<std::pair<std::string, Position>> parts;
        if (f_.alignementH == 3) {
            std::size_t i = 0;
            while (i < texte.size()) {
                const auto blanc = texte.find(' ', i);
                const std::size_t fin = blanc == std::string::npos ? texte.size() : blanc + 1;
                parts.emplace_back(texte.substr(i, fin - i), debut + static_cast<Position>(i));
                i = fin;
            }
        } else {
            parts.emplace_back(texte, debut);
        }
        const MetriquesTexte mt = m_.Metriques();
        const std::int32_t cinq = 5 * m_.TwipsParPixelY();
        for (auto& [t, position] : parts) {
            if (t.empty()) continue;
            MorceauLigne p;
            const std::int32_t surplomb = X_ == 0 ? m_.LargeurAvantPremierCaractere(t) : 0;
            p.xDebut = X_ + surplomb;
            p.largeur = m_.Largeur(t);
            p.xFin = p.xDebut + p.largeur;
            X_ += p.largeur;
            p.haut = Y_;
            p.hauteur = mt.hauteur + (f_.indice ? cinq : 0) + (f_.exposant ? cinq : 0);
            p.ascendante = mt.ascendante;
            p.bas = p.haut + p.hauteur;
            p.texte = t;
            p.ligne = ligne_;
            p.formatage = f_;
            p.position = position;
            p.alignement = f_.alignementH;
            const bool blanc = p.texte.find(' ') != std::string::npos;
            morceaux_.push_back(std::move(p));
            if (blanc) dernierBlanc_ = static_cast<int>(morceaux_.size());
        }
    }

    // `TextePrepareMorceauRetourChariot`.
    void RetourChariot(bool justifier) {
        X_ = 0;
        std::int32_t hauteur = 0;
        if (morceaux_.empty()) {
            hauteur = m_.Metriques().hauteur;
        } else {
            std::int32_t ascendante = 0;
            for (const MorceauLigne& p : morceaux_) {
                hauteur = std::max(hauteur, p.hauteur);
                ascendante = std::max(ascendante, p.ascendante);
            }
            const std::int32_t cinq = 5 * m_.TwipsParPixelY();
            for (MorceauLigne& p : morceaux_) {
                p.ligneBasY = Y_ + hauteur;
                p.ligneBaseY = Y_ + ascendante;
                p.decalageBase = ascendante + (p.formatage.indice ? cinq : 0) - (p.formatage.exposant ? cinq : 0);
                p.bas = p.decalageBase + p.hauteur;
            }
            MorceauLigne& dernier = morceaux_.back();
            const std::uint8_t alignement = dernier.alignement;
            std::int32_t decalage = 0;
            std::int32_t ecart = 0;
            const bool justifie = alignement == 3 && justifier;
            if (alignement == 1) {
                decalage = ArrondiPair((largeurZone_ - dernier.xFin) / 2.0);
            } else if (alignement == 2) {
                decalage = largeurZone_ - dernier.xFin;
            } else if (justifie) {
                if (!dernier.texte.empty() && dernier.texte.back() == ' ') {
                    m_.AppliquerFormatage(dernier.formatage);
                    dernier.largeur = m_.Largeur(dernier.texte) - m_.Largeur(" ");
                    dernier.xFin = dernier.xDebut + dernier.largeur;
                    m_.AppliquerFormatage(f_);
                }
                const auto n = static_cast<std::int32_t>(morceaux_.size());
                if (n > 2) ecart = ArrondiPair(static_cast<double>(largeurZone_ - dernier.xFin) / (n - 1));
                dernier.xDebut = largeurZone_ - dernier.largeur;
                dernier.xFin = largeurZone_;
                morceaux_.front().xDebut = 0;
                morceaux_.front().xFin = morceaux_.front().largeur;
            }
            if (justifie) {
                for (std::size_t i = 1; i + 1 < morceaux_.size(); ++i) {
                    morceaux_[i].xDebut += static_cast<std::int32_t>(i) * ecart;
                    morceaux_[i].xFin += static_cast<std::int32_t>(i) * ecart;
                }
            } else if (decalage != 0) {
                for (MorceauLigne& p : morceaux_) {
                    p.xDebut += decalage;
                    p.xFin += decalage;
                }
            }
        }
        Y_ += hauteur;
        basLigne_ = Y_;
        ++ligne_;
        dernierBlanc_ = 0;
    }

    // `EcritMorceauLigne`.
    void Ecrit(bool bloc) {
        if (debutLigne_ > ecritJusqua_) {
            sortie_ += Source(ecritJusqua_, debutLigne_);
            ecritJusqua_ = debutLigne_;
        }
        const std::int32_t fermee = ligne_ - 1;
        sortie_ += "<LigneNumero" + std::to_string(fermee) + ">";
        if (!morceaux_.empty()) {
            const MorceauLigne& premier = morceaux_.front();
            sortie_ += "<X" + std::to_string(premier.xDebut) + "><Y" + std::to_string(premier.ligneBasY) +
                       "><BaseLine" + std::to_string(premier.ligneBaseY) + ">";
            Position precedent = debutLigne_;
            for (const MorceauLigne& p : morceaux_) {
                if (p.ligne != fermee) continue;
                if (p.alignement == 3) sortie_ += "<X" + std::to_string(p.xDebut) + ">";
                if (p.position > precedent) sortie_ += Source(precedent, p.position);
                sortie_ += p.texte;
                precedent = p.position + static_cast<Position>(p.texte.size());
                ecritJusqua_ = std::max(ecritJusqua_, precedent);
            }
        } else {
            sortie_ += "<Y" + std::to_string(basLigne_) + ">";
        }
        if (bloc) Bloc();
        morceaux_.clear();
    }

    void Bloc() {
        auto signe = [](bool b) { return b ? "1" : "0"; };
        sortie_ += "<Formatage1>";
        if (f_.police != defaut_.police) sortie_ += "<Police " + f_.police + ">";
        if (f_.taille != defaut_.taille) sortie_ += "<Taille" + std::to_string(f_.taille) + ">";
        if (f_.gras != defaut_.gras) sortie_ += std::string("<Gras") + signe(f_.gras) + ">";
        if (f_.relief != defaut_.relief) sortie_ += std::string("<Relief") + signe(f_.relief != 0) + ">";
        if (f_.souligne != defaut_.souligne) sortie_ += std::string("<Souligne") + signe(f_.souligne) + ">";
        if (f_.italique != defaut_.italique) sortie_ += std::string("<Italique") + signe(f_.italique) + ">";
        if (f_.indice != defaut_.indice) sortie_ += std::string("<Indice") + signe(f_.indice) + ">";
        if (f_.exposant != defaut_.exposant) sortie_ += std::string("<Exposant") + signe(f_.exposant) + ">";
        if (f_.couleur != defaut_.couleur) sortie_ += "<Couleur" + std::to_string(f_.couleur) + ">";
        if (f_.alignementH != defaut_.alignementH) {
            static constexpr const char* kNoms[] = {"<HorizontalAligneGauche>", "<HorizontalAligneCentre>",
                                                    "<HorizontalAligneDroite>", "<HorizontalAligneJustifie>"};
            if (f_.alignementH < 4) sortie_ += kNoms[f_.alignementH];
        }
        if (f_.alignementV != defaut_.alignementV) {
            if (f_.alignementV == 0) sortie_ += "<VerticalAligne2>";
            if (f_.alignementV == 2) sortie_ += "<VerticalAligne1>";
            if (f_.alignementV == 1) sortie_ += "<VerticalAligne3>";
        }
        sortie_ += "<Formatage0>";
    }

    // The source between two absolute positions (end excluded).
    std::string Source(Position debut, Position fin) {
        std::string r;
        while (debut < fin) {
            const std::string_view morceau = src_.Fenetre(debut, std::min<Position>(fin - debut, 32000));
            if (morceau.empty()) break;
            r += morceau;
            debut += static_cast<Position>(morceau.size());
        }
        return r;
    }

    SourceTexte& src_;
    MesureurTexte& m_;
    std::int32_t largeurZone_;
    FormatageTexte defaut_;
    FormatageTexte f_;
    std::string sortie_;
    std::vector<MorceauLigne> morceaux_;
    std::int32_t X_ = 0;
    std::int32_t Y_ = 0;
    std::int32_t basLigne_ = 0;
    std::int32_t ligne_ = 1;
    int dernierBlanc_ = 0;
    Position ecritJusqua_ = 1;
    Position debutLigne_ = 1;
    Position fenetreDebut_ = 1;
    std::string fenetreCopie_;
    std::string_view fenetre_;
    Position pos_ = 1;
};

}  // namespace

std::int64_t TextePrepareMorceauDernierCaractereLigne(std::string_view morceau, std::int32_t largeur,
                                                      MesureurTexte& m, bool coupeMot) {
    const auto n = static_cast<std::int64_t>(morceau.size());
    if (n == 0) return -1;
    auto L = [&](std::int64_t k) { return m.Largeur(morceau.substr(0, static_cast<std::size_t>(k))); };
    const std::int32_t total = m.Largeur(morceau);
    // A piece of no width at all: the estimate is the whole piece.
    std::int64_t estime = n;
    if (total > 0) estime = std::llround(static_cast<double>(largeur) / (static_cast<double>(total) / static_cast<double>(n)));
    estime = std::clamp<std::int64_t>(estime, 1, n);
    std::int64_t reponse = -1;
    std::int64_t haut = estime;
    std::int64_t bas = estime - 1;
    while (reponse < 0 && (haut <= n || bas >= 1)) {
        if (haut <= n) {
            if (L(haut) < largeur && (haut == n || L(haut + 1) >= largeur)) reponse = haut;
            ++haut;
        }
        if (reponse < 0 && bas >= 1) {
            if (L(bas) < largeur && largeur <= L(bas + 1)) reponse = bas;
            --bas;
        }
    }
    if (reponse < 0 || !coupeMot) return reponse;
    const auto c = [&](std::int64_t k) { return morceau[static_cast<std::size_t>(k - 1)]; };
    if (reponse < n && c(reponse + 1) == ' ' && c(reponse) != ' ') return reponse + 1;
    for (std::int64_t k = reponse; k >= 1; --k) {
        if (c(k) == ' ') return k;
    }
    return -1;
}

std::string TextePrecodeAffichage(SourceTexte& source, MesureurTexte& mesureur, std::int32_t largeur,
                                  const FormatageTexte& depart) {
    return Codeur(source, mesureur, largeur, depart).Coder();
}

}  // namespace korv::text
