#pragma once
// Recording script services for tests and the fuzz target. Each call that
// a test checks becomes one line of `trace`:
//   "jump P", "back", "fire P.O element E action A mode M source S",
//   "queue P.O", "message TITLE|TEXT", "glossary", "method ARG",
//   "modified", "error LINE PROCEDURE NUMBER".
// Answers and side effects are set by the test (the hooks run after the
// line is traced).

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "formula/services_script.h"
#include "formula/valeur.h"
#include "platform/message_box.h"

namespace korv::formula {

class ServicesScriptFactice final : public ServicesScript {
public:
    std::vector<std::string> trace;

    std::map<std::pair<int, int>, std::vector<ElementScript>> elements;  // by (page, object)
    std::map<std::pair<int, int>, std::string> textes;
    platform::BoiteMessage* boite = nullptr;  // answers the messages; null: 1 (OK)
    bool arret = false;                       // ArretDemande's answer
    std::string pageMenuMethode;
    std::vector<int> tableauxEtape;
    TravailImpression* impression = nullptr;
    SuiteErreurScript suiteErreur = SuiteErreurScript::Arreter;

    std::function<void(int page)> surSaut;
    std::function<void()> surRetour;
    std::function<void(int page, int objet, int element)> surDeclenche;
    std::function<void(int ligne)> surMessage;  // count of messages so far, from 1

    void SauteALaPage(int page) override {
        Note("jump " + std::to_string(page));
        if (surSaut) surSaut(page);
    }
    void RetourPagePrecedente() override {
        Note("back");
        if (surRetour) surRetour();
    }
    std::vector<ElementScript> Elements(int page, int objet) const override {
        const auto it = elements.find({page, objet});
        return it == elements.end() ? std::vector<ElementScript>{} : it->second;
    }
    std::string ObjetTexte(int page, int objet) const override {
        const auto it = textes.find({page, objet});
        return it == textes.end() ? std::string() : it->second;
    }
    void DeclencheObjet(int page, int objet, int element, int action, int mode, int source) override {
        Note("fire " + std::to_string(page) + "." + std::to_string(objet) + " element " + std::to_string(element) +
             " action " + std::to_string(action) + " mode " + std::to_string(mode) + " source " +
             std::to_string(source));
        if (surDeclenche) surDeclenche(page, objet, element);
    }
    void ObjetMetEnAttente(int page, int objet) override {
        Note("queue " + std::to_string(page) + "." + std::to_string(objet));
    }
    int Message(std::string_view texte, int style, std::string_view titre) override {
        Note("message " + std::string(titre) + "|" + std::string(texte));
        ++messages_;
        if (surMessage) surMessage(messages_);
        return boite != nullptr ? boite->Afficher(texte, style, titre) : 1;
    }
    bool ArretDemande() const override { return arret; }
    std::string MethodeMenuPageNom() override { return pageMenuMethode; }
    std::vector<int> EtapeTableauxPages() override { return tableauxEtape; }
    void GlossaireAfficheDefinition() override { Note("glossary"); }
    void MethodeChanger(std::string_view argument) override { Note("method " + std::string(argument)); }
    void PlanAffaireModifieFixer(bool modifie) override {
        if (modifie) Note("modified");
    }
    TravailImpression* Impression() override { return impression; }
    SuiteErreurScript ErreurSignale(std::int32_t ligne, std::string_view procedure,
                                    const std::exception& erreur) override {
        const auto* e = dynamic_cast<const ErreurExecution*>(&erreur);
        Note("error " + std::to_string(ligne) + " " + std::string(procedure) + " " +
             std::to_string(e != nullptr ? e->numero() : 0));
        return suiteErreur;
    }

    // The lines whose first word is `mot`.
    std::vector<std::string> Lignes(std::string_view mot) const {
        std::vector<std::string> r;
        for (const auto& l : trace) {
            if (l.compare(0, mot.size(), mot) == 0 && (l.size() == mot.size() || l[mot.size()] == ' ')) r.push_back(l);
        }
        return r;
    }

private:
    void Note(std::string l) { trace.push_back(std::move(l)); }
    int messages_ = 0;
};

}  // namespace korv::formula
