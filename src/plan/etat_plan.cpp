#include "plan/etat_plan.h"

#include "platform/cp1252.h"
#include "platform/message_box.h"

namespace korv::plan {

namespace {

// "Non" is the default: an overwrite is never the answer of a closed box.
constexpr int kStyleEcraser = platform::style::OuiNon | platform::style::Exclamation | platform::style::Defaut2;
constexpr int kStyleEnregistrer = platform::style::OuiNonAnnuler | platform::style::Question;

}  // namespace

void EtatPlan::Demander(std::string_view texte, int style) {
    reponse_.clear();
    const int code = messages_.Afficher(texte, style);
    if (code == platform::Code(platform::Reponse::Oui)) {
        ReponseUtilisateurFixer(kReponseOui);
    } else if (code == platform::Code(platform::Reponse::Non)) {
        ReponseUtilisateurFixer(kReponseNon);
    } else {
        // Cancel, or the box closed from its close box.
        ReponseUtilisateurFixer(kReponseAnnuler);
    }
}

int EtatPlan::DialogueFichierEcraserDemande(std::string_view nom) {
    std::string texte = platform::Utf8VersCp1252("Le fichier '");
    texte += nom;
    texte += platform::Utf8VersCp1252("' existe déjà. Voulez-vous le remplacer ?");
    Demander(texte, kStyleEcraser);
    return reponse_ == kReponseOui ? kEnregistre : kNonEnregistre;
}

int EtatPlan::DialogueFichierEnregistrerDemande() {
    for (;;) {
        std::string texte = platform::Utf8VersCp1252("Voulez-vous enregistrer les modifications apportées au fichier '");
        texte += NomFichierPlan.empty() ? std::string("Sans titre") : NomFichierPlan;
        texte += "' ?";
        Demander(texte, kStyleEnregistrer);
        if (reponse_ == kReponseNon) return kNonEnregistre;
        if (reponse_ != kReponseOui) return kAnnule;

        if (editionValider) editionValider();
        int resultat = kAnnule;
        do {
            resultat = enregistrer ? enregistrer() : kAnnule;
            if (resultat == kEnregistre) return kEnregistre;
        } while (resultat != kAnnule);
        // Refused or cancelled: the question again.
    }
}

void EtatPlan::SplashAffiche(int pourcent) {
    if (splash) splash(pourcent);
}

std::string ChaineAjoutePointApresCaractere(std::string_view texte) {
    std::string sortie;
    sortie.reserve(texte.size() * 2);
    for (char c : texte) {
        sortie += c;
        sortie += '.';
    }
    return sortie;
}

}  // namespace korv::plan
