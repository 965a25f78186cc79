#include "app/LinkListModel.h"

#include <QString>
#include <algorithm>
#include <climits>
#include <string_view>

namespace linkrake {

LinkListModel::LinkListModel(const LinkList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {
  rows_ = static_cast<int>(std::min<std::size_t>(list_.GetItemCount(), INT_MAX));
  version_ = list_.Version();
}

void LinkListModel::SetColumn(bool present) { Reset(present); }

void LinkListModel::Refresh() {
  if (version_ != list_.Version() ||
      static_cast<std::size_t>(rows_) != std::min<std::size_t>(list_.GetItemCount(), INT_MAX)) {
    Reset(hasColumn_);
  }
}

void LinkListModel::Reset(bool hasColumn) {
  beginResetModel();
  hasColumn_ = hasColumn;
  // A view holds its rows as int; beyond that the list goes on but cannot be shown.
  rows_ = static_cast<int>(std::min<std::size_t>(list_.GetItemCount(), INT_MAX));
  version_ = list_.Version();
  endResetModel();
}

int LinkListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : rows_;
}

int LinkListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() || !hasColumn_ ? 0 : 1;
}

QVariant LinkListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.column() != 0) return {};
  if (role != Qt::DisplayRole && role != Qt::EditRole) return {};
  // Between refreshes the list can be shorter than the rows the view knows.
  if (static_cast<std::size_t>(index.row()) >= list_.GetItemCount()) return QString();
  const std::string_view text = list_.GetItemText(static_cast<std::size_t>(index.row()));
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QVariant LinkListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section != 0 || !hasColumn_) return {};
  if (role == Qt::DisplayRole) return QStringLiteral("Address");
  if (role == Qt::TextAlignmentRole)
    return QVariant::fromValue(Qt::Alignment(Qt::AlignLeft | Qt::AlignVCenter));
  return {};
}

Qt::ItemFlags LinkListModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  return Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsEditable;
}

bool LinkListModel::setData(const QModelIndex&, const QVariant&, int) { return false; }

}  // namespace linkrake
