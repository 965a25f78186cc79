#pragma once
// The link list as the list view shows it: a window onto the search's LinkList, with the one
// column "Address" that every search takes away and puts back. Millions of links cost the view
// nothing until their rows scroll into sight.
#include <QAbstractTableModel>

#include "extract/LinkList.h"

namespace linkrake {

class LinkListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  static constexpr int kColumnWidth = 500;

  explicit LinkListModel(const LinkList& list, QObject* parent = nullptr);

  bool HasColumn() const { return hasColumn_; }
  void SetColumn(bool present);
  // Takes in whatever changed in the list since the last refresh.
  void Refresh();

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
  QVariant headerData(int section, Qt::Orientation orientation,
                      int role = Qt::DisplayRole) const override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  // An item's text can be edited in place, but nothing takes the edit: it is dropped.
  bool setData(const QModelIndex& index, const QVariant& value, int role = Qt::EditRole) override;

 private:
  void Reset(bool hasColumn);

  const LinkList& list_;
  bool hasColumn_ = false;
  // What the view was last told; the list itself may have moved on during a search.
  int rows_ = 0;
  unsigned long long version_ = 0;
};

}  // namespace linkrake
