#include "grid/case_tableau.h"

#include "formula/expression.h"
#include "grid/contexte_calcul.h"

namespace korv::grid {

CaseTableau::CaseTableau() = default;
CaseTableau::~CaseTableau() = default;
CaseTableau::CaseTableau(CaseTableau&&) noexcept = default;
CaseTableau& CaseTableau::operator=(CaseTableau&&) noexcept = default;

TableauCaseAttributClasse& CaseTableau::AttributModifiable() {
    if (!propre_) propre_ = std::make_unique<Propre>(Propre{AttributDefaut(), nullptr, {}});
    return propre_->attribut;
}

std::shared_ptr<ScriptCase> CaseTableau::ScriptCompileCourant() const {
    if (!propre_ || propre_->scriptCompileTexte != propre_->attribut.Script) return nullptr;
    return propre_->scriptCompile;
}

void CaseTableau::ScriptCompileGarde(std::shared_ptr<ScriptCase> script, std::string texte) {
    if (!propre_) return;
    propre_->scriptCompile = std::move(script);
    propre_->scriptCompileTexte = std::move(texte);
}

void CaseTableau::ScriptCompileOublie() {
    if (!propre_) return;
    propre_->scriptCompile.reset();
    propre_->scriptCompileTexte.clear();
}

}  // namespace korv::grid
