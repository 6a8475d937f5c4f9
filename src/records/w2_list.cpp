#include "records/w2_list.h"

#include <algorithm>

#include "store/global_doc.h"
#include "store/records.h"

namespace formet {

int OnEmployeeListChanged(CGlobalDoc& doc, EmployeeListOp op, int32_t employeeId, bool saveNow,
                          const W2Record* w2Template, W2ListObserver* page, int32_t w2Id) {
  auto& forms = doc.GetW2Forms();
  if (op == EmployeeListOp::Added) {
    W2Record form = w2Template ? *w2Template : W2Record{};
    form.W2UniqueID = w2Id != 0 ? w2Id : NextUniqueId(forms, &W2Record::W2UniqueID);
    form.EmployeeUniqueID = employeeId;
    forms.push_back(std::move(form));
    const auto index = static_cast<int32_t>(forms.size() - 1);
    const int32_t id = forms.back().W2UniqueID;
    if (page) page->OnW2Added(saveNow);
    doc.SetModified(true);
    return doc.AddPendingChange({ChangeKind::W2, ChangeOp::Insert, index, id}, saveNow);
  }

  const auto it = std::find_if(forms.begin(), forms.end(),
                               [&](const W2Record& f) { return f.EmployeeUniqueID == employeeId; });
  if (it == forms.end()) return 0;
  const auto index = static_cast<int32_t>(it - forms.begin());
  const int32_t id = it->W2UniqueID;
  forms.erase(it);
  if (page) page->OnW2Deleted();
  doc.SetModified(true);
  return doc.AddPendingChange({ChangeKind::W2, ChangeOp::Delete, index, id}, true);
}

}  // namespace formet
