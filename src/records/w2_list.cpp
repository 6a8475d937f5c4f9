#include "records/w2_list.h"

#include <algorithm>

#include "store/global_doc.h"
#include "store/records.h"

namespace formet {

int OnEmployeeListChanged(CGlobalDoc& doc, EmployeeListOp op, int32_t employeeId, bool saveNow,
                          const W2Record* w2Template, W2ListObserver* page, int32_t w2Id) {
  const auto& forms = doc.GetW2Forms();
  if (op == EmployeeListOp::Added) {
    W2Record form = w2Template ? *w2Template : W2Record{};
    form.W2UniqueID = w2Id != 0 ? w2Id : NextUniqueId(forms, &W2Record::W2UniqueID);
    form.EmployeeUniqueID = employeeId;
    doc.AddRecord(std::move(form));
    if (page) page->OnW2Added(saveNow);
    return saveNow ? doc.SaveChanges() : 0;
  }

  const auto it = std::find_if(forms.begin(), forms.end(),
                               [&](const W2Record& f) { return f.EmployeeUniqueID == employeeId; });
  if (it == forms.end()) return 0;
  doc.RemoveRecord<W2Record>(static_cast<size_t>(it - forms.begin()));
  if (page) page->OnW2Deleted();
  return doc.SaveChanges();
}

}  // namespace formet
