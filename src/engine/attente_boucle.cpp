#include "engine/attente_boucle.h"

#include <algorithm>
#include <cstdlib>
#include <limits>

#include "engine/erreur.h"
#include "engine/liste_std.h"
#include "engine/moteur.h"
#include "engine/souris.h"
#include "engine/texte_langue.h"
#include "platform/clock.h"
#include "platform/event_pump.h"

namespace korv::engine {

namespace {

constexpr std::int64_t kJamais = std::numeric_limits<std::int64_t>::max();
constexpr std::int64_t kPremiereRepetition = 500;
constexpr std::int64_t kRepetition = 20;

std::int32_t ValeurEnTete(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && s[i] == ' ') ++i;
    bool negatif = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negatif = s[i++] == '-';
    std::int64_t v = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9' && v <= std::numeric_limits<std::int32_t>::max()) {
        v = v * 10 + (s[i++] - '0');
    }
    v = std::min<std::int64_t>(v, std::numeric_limits<std::int32_t>::max());
    return static_cast<std::int32_t>(negatif ? -v : v);
}

// Sets the bits the poll itself gives an entry, by its kind.
void BitsDuSondage(Moteur& moteur, EvenementAttente& e, std::int64_t maintenant) {
    switch (e.TypeObjet) {
    case 1: case 2: case 3: case 4: case 8: case 10:
        if (e.EvenementsAttendus & evenement::SurPage) e.EvenementsSurvenus |= evenement::SurPage;
        break;
    case 7:
        if (e.Haut >= 0 && (maintenant - e.Haut >= e.Gauche || e.Gauche < 0)) e.EvenementsSurvenus |= evenement::ChronoEchu;
        break;
    case 9: {
        if (!moteur.scene.ObjetExiste(e.Page, e.Objet)) break;
        switch (moteur.scene.Page(e.Page).Objet(e.Objet).A1) {
        case 0: case 1: case 2: case 3: case 6: case 7: case 9: e.EvenementsSurvenus |= evenement::Action32; break;
        case 10: case 12: e.EvenementsSurvenus |= evenement::Action64; break;
        case 11: e.EvenementsSurvenus |= evenement::Action16; break;
        case 8:
            if (!moteur.Ecran().VideoEnCours()) {
                e.EvenementsSurvenus |= evenement::FinMedia;
                moteur.jeu.JeuDisponible = -1;
            }
            break;
        default: break;
        }
        break;
    }
    default: break;
    }
}

// Whether the entry is due now; a held button also moves its repeat clock.
bool EstDue(EvenementAttente& e, std::int64_t maintenant) {
    if (e.EvenementsSurvenus == 0 || e.Etat == -1) return false;
    if (e.EvenementsSurvenus == evenement::SourisDessus) {
        if (maintenant < e.PasAvant) return false;
        e.PasAvant = maintenant + kRepetition + 1;
        return true;
    }
    if (e.TypeObjet == static_cast<std::int16_t>(TypeObjet::Chrono) && (e.EvenementsSurvenus & evenement::ChronoEchu)) {
        // At most one firing per millisecond, the pace of a pass of the poll.
        if (maintenant < e.PasAvant) return false;
        e.PasAvant = maintenant + 1;
    }
    if (!(e.EvenementsSurvenus & evenement::BoutonTenu)) return true;
    std::int64_t& r = e.ProchaineRepetition;
    if (r == kRepetitionRelachee) return true;
    if (r == -1) {
        r = maintenant + kPremiereRepetition;
        return true;
    }
    if (r >= 0 && maintenant > r + kRepetition) {
        r = maintenant;
        return true;
    }
    return false;
}

// Earliest time at which an entry not due now becomes due by time alone.
std::int64_t ProchaineEcheance(const EvenementAttente& e) {
    if (e.Etat == -1) return kJamais;
    if (e.TypeObjet == 7 && e.Haut >= 0) {
        if (e.EvenementsSurvenus & evenement::ChronoEchu) return e.PasAvant;
        if (e.Gauche >= 0) return std::max(e.Haut + e.Gauche, e.PasAvant);
    }
    if (e.EvenementsSurvenus == evenement::SourisDessus) return e.PasAvant;
    if ((e.EvenementsSurvenus & evenement::BoutonTenu) && e.ProchaineRepetition >= 0) {
        return e.ProchaineRepetition + kRepetition + 1;
    }
    return kJamais;
}

}  // namespace

std::int64_t Maintenant(const Moteur& moteur) {
    const auto* h = moteur.Horloge();
    return h ? h->Maintenant() : 0;
}

void AttenteReveiller(Moteur& moteur) {
    if (auto* p = moteur.Pompe()) p->Reveiller();
}

std::int64_t ChronoPlage(const Moteur& moteur, int n, std::int32_t compte) {
    if (n < 1 || n > moteur.attente.Nombre()) return 0;
    const auto& e = moteur.attente.Entree(n);
    const std::string texte = moteur.scene.ObjetExiste(e.Page, e.Objet) ? moteur.scene.Page(e.Page).Objet(e.Objet).texte : "";
    return ValeurEnTete(ListeAVirguleElementValeur(texte, compte > std::numeric_limits<std::int32_t>::min() ? compte - 1 : compte));
}

bool EvenementObjetEnAttenteDEvenementAjoute(Moteur& moteur, int page, int objet, ZoneTexteLien zone) {
    if (!moteur.scene.ObjetExiste(page, objet)) return false;
    const ObjetPage& o = moteur.scene.Page(page).Objet(objet);
    const int nbLangues = moteur.scene.entete.langueNb;
    std::int32_t m = 0;
    for (const auto& el : o.elements) {
        const std::string t = TexteTraduction(el.Texte, moteur.jeu.LangueCourante, nbLangues);
        if (t.empty() || o.Type() != TypeObjet::Texte || (!zone.Texte.empty() && zone.Texte == t)) m |= el.Evenements;
    }
    if (o.Type() == TypeObjet::Video || o.Type() == TypeObjet::Son) m |= evenement::FinMedia;
    if (m < 1) return false;
    const auto marque = static_cast<std::int16_t>(o.elements.empty() ? 0 : o.elements.size() + 1);
    // Entries already marked for removal are leaving: re-registering the
    // object in the same firing must not be taken for a duplicate of them.
    // A link zone is never the duplicate of its text's own entry: that entry
    // leaves the link's elements to the zone, which may wait for the same
    // events.
    const bool zoneLien = !zone.Texte.empty();
    for (const auto& e : moteur.attente.entrees) {
        if (!zoneLien && e.Etat != -1 && e.Page == page && e.Objet == objet && e.MarqueElements == marque &&
            e.EvenementsAttendus == m && e.TypeObjet != kTypeZoneLien) {
            return false;
        }
    }
    EvenementAttente e;
    e.TypeObjet = o.type;
    e.Objet = static_cast<std::int16_t>(objet);
    e.Page = static_cast<std::int16_t>(page);
    e.Gauche = o.gauche;
    e.Haut = o.haut;
    e.Largeur = o.largeur;
    e.Hauteur = o.hauteur;
    e.EvenementsAttendus = m;
    e.MarqueElements = marque;
    if (!zone.Texte.empty()) {
        auto& z = zone;
        if (z.Numero == 1) {
            e.Gauche = z.Gauche1;
            e.Haut = z.Haut1;
            e.Largeur = std::abs(z.Droite1 - z.Gauche1);
            e.Hauteur = std::abs(z.Bas1 - z.Haut1);
        } else if (z.Numero == 2) {
            z.Haut2 = z.Bas1;
            e.Gauche = std::min(z.Gauche1, z.Gauche2);
            e.Haut = z.Haut1;
            e.Largeur = std::abs(std::max(z.Droite1, z.Droite2) - std::min(z.Gauche1, z.Gauche2));
            e.Hauteur = std::abs(z.Bas2 - z.Haut1);
        } else {
            z.Haut2 = z.Bas1;
            z.Haut3 = z.Bas2;
            const auto gauche = std::min({z.Gauche1, z.Gauche2, z.Gauche3});
            e.Gauche = gauche;
            e.Haut = z.Haut1;
            e.Largeur = std::abs(std::max({z.Droite1, z.Droite2, z.Droite3}) - gauche);
            e.Hauteur = std::abs(z.Bas3 - z.Haut1);
        }
        e.TypeObjet = kTypeZoneLien;
        e.Zone = z;
        e.ZoneInitiale = z;
        e.TexteLien = z.Texte;
    }
    moteur.attente.entrees.push_back(std::move(e));
    auto& ajoutee = moteur.attente.entrees.back();
    if (ajoutee.TypeObjet == static_cast<std::int16_t>(TypeObjet::Chrono)) {
        ajoutee.Gauche = ChronoPlage(moteur, moteur.attente.Nombre(), 0);
        ajoutee.Haut = o.A1 == 2 ? moteur.jeu.TempsDebutPage : Maintenant(moteur);
    }
    ajoutee.EvenementsSurvenus = 0;
    return true;
}

void EvenementAttendre(Moteur& moteur) {
    auto& jeu = moteur.jeu;
    auto& liste = moteur.attente;
    while (true) {
        if (auto* p = moteur.Pompe()) p->TraiterEnAttente();
        if (jeu.JeuFinDemande == -1 || moteur.fin.demandee) return;
        if (jeu.JeuDisponible == -1 && EvenementsSourisEnAttente(moteur)) {
            AuBord(moteur, "EvenementSourisDeclenche", [&] { EvenementSourisDeclenche(moteur); });
            continue;  // the queue may have changed the list or ended play
        }
        // One round of the rotating poll, starting after the last entry looked at.
        std::int64_t echeance = kJamais;
        const int nombre = liste.Nombre();
        for (int k = 0; k < nombre; ++k) {
            ++jeu.AttenteNumeroDeclenche;
            if (jeu.AttenteNumeroDeclenche > liste.Nombre()) jeu.AttenteNumeroDeclenche = 1;
            auto& e = liste.Entree(jeu.AttenteNumeroDeclenche);
            const std::int64_t maintenant = Maintenant(moteur);
            BitsDuSondage(moteur, e, maintenant);
            if (EstDue(e, maintenant)) return;
            echeance = std::min(echeance, ProchaineEcheance(e));
        }
        auto* pompe = moteur.Pompe();
        auto* horloge = moteur.Horloge();
        if (!pompe || !horloge) {
            // Without a pump nothing can ever happen: end play rather than spin.
            jeu.JeuFinDemande = -1;
            return;
        }
        pompe->AttendreJusqua(echeance, *horloge);
    }
}

void EvenementDeclenche(Moteur& moteur, int n) { moteur.Declenche().EvenementDeclenche(n); }

int EvenementNObjetVersNEve(const Moteur& moteur, int page, int objet) {
    for (int i = 1; i <= moteur.attente.Nombre(); ++i) {
        const auto& e = moteur.attente.Entree(i);
        if (e.Page == page && e.Objet == objet) return i;
    }
    return 0;
}

void EvenementEnlever(Moteur& moteur, int n) {
    auto& entrees = moteur.attente.entrees;
    if (n >= 1 && n <= moteur.attente.Nombre()) {
        // The last entry takes the freed place.
        if (static_cast<std::size_t>(n) != entrees.size()) entrees[static_cast<std::size_t>(n - 1)] = std::move(entrees.back());
        entrees.pop_back();
    }
    if (moteur.jeu.AttenteNumeroDeclenche > moteur.attente.Nombre()) moteur.jeu.AttenteNumeroDeclenche = moteur.attente.Nombre();
}

void EvenementEnleverSiDemande(Moteur& moteur) {
    int i = 1;
    while (i <= moteur.attente.Nombre()) {
        if (moteur.attente.Entree(i).Etat == -1) {
            EvenementEnlever(moteur, i);
        } else {
            ++i;
        }
    }
}

void EvenementEnleverSiPlusDeConditionAttendues(Moteur& moteur, int n) {
    if (n >= 1 && n <= moteur.attente.Nombre() && moteur.attente.Entree(n).EvenementsAttendus == 0) {
        EvenementEnlever(moteur, n);
    }
}

void EvenementEnleverTous(Moteur& moteur) {
    moteur.attente.entrees.clear();
    moteur.jeu.AttenteNumeroDeclenche = 0;
}

}  // namespace korv::engine
