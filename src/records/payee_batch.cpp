#include "records/payee_batch.h"

#include "records/identifying_numbers.h"
#include "store/global_doc.h"

namespace formet {

PayeeBatch PayeeBatch::ForEmployees(CGlobalDoc& doc) {
  PayeeBatch batch;
  batch.numbers_.reserve(doc.GetEmployees().size());
  for (const auto& e : doc.GetEmployees()) batch.numbers_.emplace(WithoutSurroundingBlanks(e.SocialSecurityNumber()));
  batch.nextPayee_ = NextUniqueId(doc.GetEmployees(), &EmployeeRecord::EmployeeUniqueID);
  batch.nextForm_ = NextUniqueId(doc.GetW2Forms(), &W2Record::W2UniqueID);
  return batch;
}

PayeeBatch PayeeBatch::ForContractors(CGlobalDoc& doc) {
  PayeeBatch batch;
  batch.numbers_.reserve(doc.GetContractors().size());
  for (const auto& c : doc.GetContractors()) batch.numbers_.emplace(WithoutSurroundingBlanks(c.IdentificationNumber()));
  batch.nextPayee_ = NextUniqueId(doc.GetContractors(), &ContractorRecord::ContractorUniqueID);
  batch.nextForm_ = NextUniqueId(doc.GetForms1099(), &Form1099Record::Form1099UniqueID);
  return batch;
}

bool PayeeBatch::Has(std::string_view number) const {
  return numbers_.find(WithoutSurroundingBlanks(number)) != numbers_.end();
}

void PayeeBatch::Added(const std::string& number) {
  numbers_.emplace(WithoutSurroundingBlanks(number));
  ++nextPayee_;
  ++nextForm_;
}

}  // namespace formet
