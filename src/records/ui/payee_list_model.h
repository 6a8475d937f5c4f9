#pragma once
// The payee list of the employees page or of the contractors page as a
// table model: each cell is read from the document's list when the view
// paints it, so a list of a hundred thousand payees costs an int per payee.
// The order is the model's (a stable sort by one column in the platform's
// locale), and a search shows only the payees it finds.
#include <QAbstractTableModel>
#include <QCollator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "records/payee_list.h"

namespace formet {

// The collation of the lists: the platform's locale (US English when none
// is set), case-sensitive.
QCollator ListCollator();

class CPayeeListModel : public QAbstractTableModel {
  Q_OBJECT
 public:
  CPayeeListModel(std::unique_ptr<PayeeListSource> source, QObject* parent);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
  // Payees equal in the column keep their order.
  void sort(int column, Qt::SortOrder order = Qt::AscendingOrder) override;

  // The document's list read again, in its own order; the search stays.
  void Reload();
  // Shows only the payees the search finds (PayeeSearch's rule); an empty
  // search shows all.
  void SetSearch(const std::string& search);

  // The position in the document's list of the payee at `row`.
  std::optional<int> PositionAt(int row) const;
  // The unique id of the payee at `row`.
  std::optional<int32_t> IdAt(int row) const;
  // The row of the payee with this id, none when it is not shown.
  std::optional<int> RowOf(int32_t uniqueId) const;
  // Every payee's position, in the order sorted, whether found or not.
  const std::vector<int>& Order() const { return order_; }

 private:
  void Find();

  std::unique_ptr<PayeeListSource> source_;
  QCollator collator_;
  std::vector<int> order_;
  std::vector<int> shown_;  // the positions found, in the order sorted
  std::string search_;
};

}  // namespace formet
