#pragma once
// The 1099-MISC import: 30 fields of the contractor and the 1099-MISC, the
// check of a column for each, and the loading of a row as a new contractor
// with its 1099-MISC.
#include <optional>
#include <vector>

#include "import/import_flavour.h"
#include "records/field_table.h"
#include "records/payee_batch.h"

namespace formet {

class CGlobalDoc;
class UiServices;
class Form1099ListObserver;

class Form1099ImportFlavour : public ImportFlavour {
 public:
  static constexpr int kIdentificationNumber = 0, kNameLine1 = 1;

  Form1099ImportFlavour(CGlobalDoc& doc, UiServices& ui, Form1099ListObserver* formPage = nullptr);

  std::string Caption() const override { return "Import 1099 Forms"; }
  std::string HelpFile() const override { return "Import1099Forms.html"; }
  std::string PayeesAdded(size_t count) const override {
    return count == 1 ? "1 contractor with its 1099-MISC"
                      : GroupedCount(count) + " contractors with their 1099-MISCs";
  }
  void CheckValues(int field, const ImportColumn& column, ErrorReport& report) override;
  std::string StoredText(int field, std::string_view value) const override;
  bool BeginLoad(size_t rows) override;
  // Adds the contractor (silently, not saved at once) with its 1099-MISC; a
  // row the contractor checks refuse is dropped with the check's message.
  // No apostrophe is doubled: values are stored as they are.
  RowLoad LoadRow(const std::vector<std::string>& values, bool saveNow) override;

 private:
  void LoadDropped() override;
  // The batch of the company's numbers, and room for `rows` more payees.
  void Prepare(size_t rows);

  CGlobalDoc& doc_;
  UiServices& ui_;
  Form1099ListObserver* formPage_;
  std::optional<PayeeBatch> batch_;
  // Per field: the input rule of the page or dialog field its text goes to.
  std::vector<std::optional<EditRule>> typed_;
};

}  // namespace formet
