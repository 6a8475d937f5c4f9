#pragma once
// The W-2 import: 48 fields of the employee and the W-2, the check of a
// column for each, and the loading of a row as a new employee with its W-2.
#include <optional>
#include <vector>

#include "import/import_flavour.h"
#include "records/field_table.h"
#include "records/payee_batch.h"

namespace formet {

class CGlobalDoc;
class UiServices;
class W2ListObserver;

class W2ImportFlavour : public ImportFlavour {
 public:
  // Field numbers the checks and tests name.
  static constexpr int kSocialSecurityNumber = 0, kFirstName = 1, kLastName = 3;

  // `w2Page`, when given, is told of each W-2 added (as the employee page
  // tells it).
  W2ImportFlavour(CGlobalDoc& doc, UiServices& ui, W2ListObserver* w2Page = nullptr);

  std::string Caption() const override { return "Import W2 Forms"; }
  std::string HelpFile() const override { return "ImportW2Forms.html"; }
  std::string PayeesAdded(size_t count) const override {
    return count == 1 ? "1 employee with its W-2" : GroupedCount(count) + " employees with their W-2s";
  }
  void CheckValues(int field, const ImportColumn& column, ErrorReport& report) override;
  std::string StoredText(int field, std::string_view value) const override;
  // Each line of box 12: its code and its amount.
  std::span<const FieldPair> Pairs() const override;
  // A code without an amount, or an amount without a code, refused with the
  // W-2 page's message.
  std::optional<std::string> PairProblem(size_t pair, std::string_view code, std::string_view amount) const override;
  bool BeginLoad(size_t rows) override;
  // Adds the employee (silently, not saved at once) with its W-2; a row the
  // employee checks refuse is dropped with the check's message.
  RowLoad LoadRow(const std::vector<std::string>& values, bool saveNow) override;

 private:
  void LoadDropped() override;
  // The batch of the company's numbers, and room for `rows` more payees.
  void Prepare(size_t rows);

  CGlobalDoc& doc_;
  UiServices& ui_;
  W2ListObserver* w2Page_;
  std::optional<PayeeBatch> batch_;
  // Per field: the input rule of the page or dialog field its text goes to.
  std::vector<std::optional<EditRule>> typed_;
};

}  // namespace formet
