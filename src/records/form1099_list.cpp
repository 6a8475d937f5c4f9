#include "records/form1099_list.h"

#include <algorithm>

#include "store/global_doc.h"
#include "store/records.h"

namespace formet {

int OnContractorAdded(CGlobalDoc& doc, int32_t contractorId, const Form1099Record* copyFrom, bool saveNow,
                      Form1099ListObserver* page, int32_t formId) {
  Form1099Record form = copyFrom ? *copyFrom : Form1099Record{};
  form.Form1099UniqueID =
      formId != 0 ? formId : NextUniqueId(doc.GetForms1099(), &Form1099Record::Form1099UniqueID);
  form.ContractorUniqueID = contractorId;
  doc.AddRecord(std::move(form));
  if (page) page->OnForm1099Added(saveNow);
  return saveNow ? doc.SaveChanges() : 0;
}

int OnContractorDeleted(CGlobalDoc& doc, int32_t contractorId, Form1099ListObserver* page) {
  const auto& forms = doc.GetForms1099();
  const auto it = std::find_if(forms.begin(), forms.end(),
                               [&](const Form1099Record& f) { return f.ContractorUniqueID == contractorId; });
  if (it == forms.end()) return 0;
  doc.RemoveRecord<Form1099Record>(static_cast<size_t>(it - forms.begin()));
  if (page) page->OnForm1099Deleted();
  return doc.SaveChanges();
}

}  // namespace formet
