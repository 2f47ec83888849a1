#include "grid/case_tableau.h"

#include "formula/expression.h"
#include "grid/contexte_calcul.h"

namespace korv::grid {

CaseTableau::CaseTableau() = default;
CaseTableau::~CaseTableau() = default;
CaseTableau::CaseTableau(CaseTableau&&) noexcept = default;
CaseTableau& CaseTableau::operator=(CaseTableau&&) noexcept = default;

TableauCaseAttributClasse& CaseTableau::AttributModifiable() {
    if (!propre_) propre_ = std::make_unique<TableauCaseAttributClasse>(AttributDefaut());
    return *propre_;
}

}  // namespace korv::grid
