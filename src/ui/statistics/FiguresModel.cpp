#include "FiguresModel.h"

TFiguresModel::TFiguresModel(QStringList columns, QStringList rowNames, int rows, int textColumns,
                             TCell cell, QObject* parent)
    : QAbstractTableModel(parent),
      Columns(std::move(columns)),
      RowNames(std::move(rowNames)),
      Rows(rows),
      TextColumns(textColumns),
      Cell(std::move(cell)) {}

int TFiguresModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : Rows; }

int TFiguresModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Columns.size());
}

QVariant TFiguresModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  if (role == Qt::DisplayRole) return Cell(index.row(), index.column());
  if (role == Qt::TextAlignmentRole)
    return int((index.column() < TextColumns ? Qt::AlignLeft : Qt::AlignRight) | Qt::AlignVCenter);
  return {};
}

QVariant TFiguresModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole) return {};
  if (orientation == Qt::Horizontal) return Columns.value(section);
  return RowNames.isEmpty() ? QVariant(section + 1) : QVariant(RowNames.value(section));
}
