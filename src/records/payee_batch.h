#pragma once
// Many payees added one after another (an import of hundreds of thousands of
// rows): the identifying numbers the company's payees hold and the next
// unique ids of payees and of their forms, taken from the document's lists
// once and kept up to date by every add given the batch, so that each add
// costs the same however many payees the company has. Valid only while
// nothing else changes those lists.
#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>

namespace formet {

class CGlobalDoc;

class PayeeBatch {
 public:
  // Employees by social security number, with the next employee and W-2 ids.
  static PayeeBatch ForEmployees(CGlobalDoc& doc);
  // Contractors by identification number, with the next contractor and
  // 1099-MISC ids.
  static PayeeBatch ForContractors(CGlobalDoc& doc);

  // True when a payee has this number (blanks around it aside).
  bool Has(std::string_view number) const;
  int32_t NextPayeeId() const { return nextPayee_; }
  int32_t NextFormId() const { return nextForm_; }
  // A payee with this number and its form took the next ids.
  void Added(const std::string& number);

 private:
  struct Hash {
    using is_transparent = void;
    size_t operator()(std::string_view s) const { return std::hash<std::string_view>{}(s); }
  };
  std::unordered_set<std::string, Hash, std::equal_to<>> numbers_;
  int32_t nextPayee_ = 1, nextForm_ = 1;
};

}  // namespace formet
