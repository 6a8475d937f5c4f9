#include "records/form1099_list.h"

#include <algorithm>

#include "store/global_doc.h"
#include "store/records.h"

namespace formet {

int OnContractorAdded(CGlobalDoc& doc, int32_t contractorId, const Form1099Record* copyFrom, bool saveNow,
                      Form1099ListObserver* page, int32_t formId) {
  auto& forms = doc.GetForms1099();
  Form1099Record form = copyFrom ? *copyFrom : Form1099Record{};
  form.Form1099UniqueID = formId != 0 ? formId : NextUniqueId(forms, &Form1099Record::Form1099UniqueID);
  form.ContractorUniqueID = contractorId;
  forms.push_back(std::move(form));
  const auto index = static_cast<int32_t>(forms.size() - 1);
  const int32_t id = forms.back().Form1099UniqueID;
  if (page) page->OnForm1099Added(saveNow);
  doc.SetModified(true);
  return doc.AddPendingChange({ChangeKind::Form1099, ChangeOp::Insert, index, id}, saveNow);
}

int OnContractorDeleted(CGlobalDoc& doc, int32_t contractorId, Form1099ListObserver* page) {
  auto& forms = doc.GetForms1099();
  const auto it = std::find_if(forms.begin(), forms.end(),
                               [&](const Form1099Record& f) { return f.ContractorUniqueID == contractorId; });
  if (it == forms.end()) return 0;
  const auto index = static_cast<int32_t>(it - forms.begin());
  const int32_t id = it->Form1099UniqueID;
  forms.erase(it);
  if (page) page->OnForm1099Deleted();
  doc.SetModified(true);
  return doc.AddPendingChange({ChangeKind::Form1099, ChangeOp::Delete, index, id}, true);
}

}  // namespace formet
