// The script interpreter: one run of a compiled script, line by line.

#include <exception>
#include <string>
#include <vector>

#include "formula/proprietes_arguments.h"
#include "formula/script.h"
#include "formula/script_messages.h"
#include "formula/script_programme.h"
#include "formula/services.h"
#include "formula/services_script.h"
#include "formula/valeur.h"
#include "formula/variables.h"

namespace korv::formula {

namespace {

std::string Nom(std::string_view s) { return Majuscules(Trim(s)); }

}  // namespace

// What the run does after a line.
class ScriptClasse::Execution {
public:
    Execution(ScriptClasse& script, ProgrammationInterne& programme, int page, int objet)
        : script_(script), programme_(programme), formule_(programme.Formule()), services_(programme.Services()),
          page_(page), objet_(objet) {}

    // Runs from the line after `depart`.
    std::int16_t Lance(int depart) {
        int i = depart;
        while (!fin_) {
            ++i;
            if (i > script_.NombreLignes()) break;
            if (services_.ArretDemande()) break;
            if (!programme_.LigneAutorisee()) break;
            try {
                i = Ligne(i);
            } catch (const std::exception& e) {
                // A run-time error ends this script, as the error mode says;
                // only mode 2 passes it on to the caller.
                if (services_.ErreurSignale(i, "Script.Execute", e) == SuiteErreurScript::Relancer) throw;
                break;
            }
        }
        return resultat_;
    }

private:
    // Runs line i; returns the line the run goes on after.
    int Ligne(int i) {
        LigneScript& l = script_.Ligne(i);
        switch (l.code) {
        case CodeInstruction::Declare:
            // A refused name (bad, reserved, taken, or a full table) ends the script.
            if (!formule_.variables.VarCree(l.argument, Valeur::Entier(0), page_ < 1 ? 1 : 0)) Termine();
            return i;
        case CodeInstruction::Que: {
            std::string nom = l.argument;
            (void)formule_.variables.VarLet(nom, Valeur::Chaine(EvalueExpressionScript(l.expression, formule_)));
            return i;
        }
        case CodeInstruction::Si: return Si(i, l);
        case CodeInstruction::Sinon:
            // At the end of a true branch: on after the FINSI. A SINON whose
            // FINSI could not be found would send the run back to the first
            // line for ever: the script ends instead.
            if (l.nombre < 1) Termine();
            return l.nombre;
        case CodeInstruction::Declenche: Declenche(l.argument); return i;
        case CodeInstruction::Message: Message(l.argument); return i;
        case CodeInstruction::VaPage: VaPage(l); return i;
        case CodeInstruction::FinProc:
        case CodeInstruction::Sur: Termine(); return i;
        case CodeInstruction::Retour:
            services_.RetourPagePrecedente();
            resultat_ = kScriptPageQuittee;
            Termine();
            return i;
        case CodeInstruction::ChangeMethode: services_.MethodeChanger(l.argument); return i;
        case CodeInstruction::ChangeSelVo: services_.PlanAffaireModifieFixer(true); return i;
        default: return i;
        }
    }

    int Si(int i, LigneScript& l) {
        const Valeur v = Valeur::Chaine(EvalueExpressionScript(l.expression, formule_));
        // Comparisons give -1 and 0, whose texts are numbers; any text that
        // is no number makes the condition false.
        const bool vrai = v.EstNumerique() && v.EnDouble() != 0.0;
        if (vrai) return i;
        const int j = script_.NLigneFinsiOuSinonAssocie(i);
        if (j < 1) Termine();
        return j;
    }

    void Declenche(const std::string& argument) {
        int page = page_;
        int objet = objet_;
        std::string evenement = argument;
        if (page_ < 1 || objet_ < 1) {
            // "PAGE.OBJET" or "PAGE.OBJET.EVENEMENT".
            std::string liste = argument;
            for (char& c : liste) {
                if (c == '.') c = ',';
            }
            const auto elements = ElementsListe(liste, ",");
            page = formule_.scene.NumeroDePage(Nom(ElementListe(elements, 0)));
            if (page < 1) return;
            objet = formule_.scene.NumeroObjet(static_cast<std::int16_t>(page), Nom(ElementListe(elements, 1)));
            if (objet < 1) return;
            evenement = Nom(ElementListe(elements, 2));
        }
        if (evenement.empty()) {
            services_.ObjetMetEnAttente(page, objet);
        } else {
            const std::int16_t pageDepart = formule_.scene.PageCourante();
            const std::vector<ElementScript> elements = services_.Elements(page, objet);
            for (std::size_t k = 0; k < elements.size(); ++k) {
                const ElementScript& e = elements[k];
                if (e.texte != evenement) continue;
                services_.DeclencheObjet(page, e.objetCible, static_cast<int>(k + 1), e.parametre, 1, objet);
                // Once a target has left the page, the others belong to a
                // page no longer shown.
                if (formule_.scene.PageCourante() != pageDepart || services_.ArretDemande() ||
                    programme_.Interrompu()) {
                    break;
                }
            }
        }
        if (formule_.scene.PageCourante() != page) resultat_ = kScriptPageQuittee;
        Termine();
    }

    void Message(const std::string& argument) {
        if (const auto integre = MessageIntegre(argument)) {
            services_.Message(*integre, 0, kTitreMessageIntegre);
            return;
        }
        std::string texte = programme_.ProgExprEvalue(argument);
        if (EstChaine(texte)) texte = ChaineSansCoerc(texte);
        services_.Message(texte, 0, kTitreMessage);
    }

    void VaPage(const LigneScript& l) {
        const std::string& a = l.argument;
        if (!a.empty() && a.front() == '$') {
            const std::string_view nom = std::string_view(a).substr(1);
            if (nom == "MET") {
                cible_ = formule_.scene.NumeroDePage(Nom(services_.MethodeMenuPageNom()));
                // A menu page is one page filled for the current step: going
                // from a step to a sub-step that uses the same page must still
                // prepare it again, or the screen keeps the old step's list
                // while the page already works on the new one.
                if (cible_ > 0 && cible_ == page_) {
                    services_.SauteALaPage(cible_);
                    resultat_ = kScriptPageQuittee;
                    Termine();
                    return;
                }
            } else if (nom == "GLOSSAIRE") {
                services_.GlossaireAfficheDefinition();
                resultat_ = 0;
                Termine();
                return;
            } else if (nom == "OUTILMET") {
                const std::vector<int> pages = services_.EtapeTableauxPages();
                cible_ = pages.empty() ? 0 : pages.front();
            }
        } else {
            cible_ = l.nombre;
        }
        if (cible_ > 0 && cible_ != page_) {
            services_.SauteALaPage(cible_);
            resultat_ = kScriptPageQuittee;
            Termine();
        }
    }

    void Termine() { fin_ = true; }

    ScriptClasse& script_;
    ProgrammationInterne& programme_;
    const ServicesFormule& formule_;
    ServicesScript& services_;
    const int page_;
    const int objet_;
    int cible_ = 0;  // the page of the last VAPAGE of this run
    std::int16_t resultat_ = 0;
    bool fin_ = false;
};

std::int16_t ScriptClasse::Execute(int page, int objet, std::string& evenement, ProgrammationInterne& programme) {
    int depart = 0;
    if (!evenement.empty()) {
        // "SUR CLIC" names the event "CLIC".
        evenement = evenement.size() > 3 ? Nom(std::string_view(evenement).substr(3)) : std::string();
        depart = -1;
        for (int i = 1; i <= NombreLignes(); ++i) {
            if (Ligne(i).code == CodeInstruction::Sur && Ligne(i).argument == evenement) {
                depart = i;
                break;
            }
        }
        if (depart < 0) return kScriptSansGestionnaire;
    }
    const ProgrammationInterne::Niveau niveau(programme);
    if (!niveau.Entree()) return 0;
    const ServicesFormule& formule = programme.Formule();
    formule.variables.PasseValeur.clear();
    formule.variables.VarLocalesSupprimer();
    return Execution(*this, programme, page, objet).Lance(depart);
}

}  // namespace korv::formula
