#include "records/ui/payee_list_model.h"

#include <QCoreApplication>
#include <QLocale>
#include <algorithm>
#include <numeric>

#include "kit/ui/qt_text.h"

namespace formet {

QCollator ListCollator() {
  QLocale locale;
  if (locale.language() == QLocale::C) locale = QLocale(QLocale::English, QLocale::UnitedStates);
  QCollator collator(locale);
  collator.setCaseSensitivity(Qt::CaseSensitive);
  return collator;
}

CPayeeListModel::CPayeeListModel(std::unique_ptr<PayeeListSource> source, QObject* parent)
    : QAbstractTableModel(parent), source_(std::move(source)), collator_(ListCollator()) {
  Reload();
}

int CPayeeListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(shown_.size());
}

int CPayeeListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(source_->Columns().size());
}

QVariant CPayeeListModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rowCount()) return {};
  const auto position = static_cast<size_t>(shown_[static_cast<size_t>(index.row())]);
  if (position >= source_->Count()) return {};
  return ToQt(source_->Text(position, static_cast<size_t>(index.column())));
}

QVariant CPayeeListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  const auto columns = source_->Columns();
  if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
      static_cast<size_t>(section) >= columns.size())
    return QAbstractTableModel::headerData(section, orientation, role);
  return QCoreApplication::translate("formet::CPayeePage", columns[static_cast<size_t>(section)].caption);
}

void CPayeeListModel::sort(int column, Qt::SortOrder order) {
  if (column < 0 || column >= columnCount()) return;
  beginResetModel();
  // One key per payee, made once: the sort compares keys, not texts.
  const size_t count = source_->Count();
  std::vector<QCollatorSortKey> keys;
  keys.reserve(count);
  for (size_t p = 0; p < count; ++p) keys.push_back(collator_.sortKey(ToQt(source_->Text(p, static_cast<size_t>(column)))));
  const bool ascending = order == Qt::AscendingOrder;
  std::stable_sort(order_.begin(), order_.end(), [&](int a, int b) {
    const int c = keys[static_cast<size_t>(a)].compare(keys[static_cast<size_t>(b)]);
    return ascending ? c < 0 : c > 0;
  });
  keys.clear();
  Find();
  endResetModel();
}

void CPayeeListModel::Reload() {
  beginResetModel();
  order_.resize(source_->Count());
  std::iota(order_.begin(), order_.end(), 0);
  Find();
  endResetModel();
}

void CPayeeListModel::SetSearch(const std::string& search) {
  if (search == search_) return;
  beginResetModel();
  search_ = search;
  Find();
  endResetModel();
}

void CPayeeListModel::Find() {
  if (search_.find_first_not_of(" \t") == std::string::npos) {
    shown_ = order_;
    return;
  }
  shown_.clear();
  std::vector<std::string> texts;
  for (int position : order_) {
    source_->Texts(static_cast<size_t>(position), texts);
    if (MatchesPayeeSearch(texts, source_->Search(), search_)) shown_.push_back(position);
  }
}

std::optional<int> CPayeeListModel::PositionAt(int row) const {
  if (row < 0 || row >= rowCount()) return std::nullopt;
  return shown_[static_cast<size_t>(row)];
}

std::optional<int32_t> CPayeeListModel::IdAt(int row) const {
  const auto position = PositionAt(row);
  if (!position || static_cast<size_t>(*position) >= source_->Count()) return std::nullopt;
  return source_->UniqueId(static_cast<size_t>(*position));
}

std::optional<int> CPayeeListModel::RowOf(int32_t uniqueId) const {
  const size_t count = source_->Count();
  for (size_t r = 0; r < shown_.size(); ++r) {
    const auto position = static_cast<size_t>(shown_[r]);
    if (position < count && source_->UniqueId(position) == uniqueId) return static_cast<int>(r);
  }
  return std::nullopt;
}

}  // namespace formet
