// A read-only table of figures whose cells are computed when a view asks
// for them: ten thousand matches make a table at once, not cell by cell.
#pragma once

#include <QAbstractTableModel>
#include <QStringList>
#include <functional>

class TFiguresModel : public QAbstractTableModel {
 public:
  /// The text of a cell.
  using TCell = std::function<QString(int row, int column)>;

  /// rowNames: the rows' headers, read out before each row's cells; the
  /// rows' numbers when empty. The first textColumns columns hold text, the
  /// others numbers, aligned to the right.
  TFiguresModel(QStringList columns, QStringList rowNames, int rows, int textColumns, TCell cell,
                QObject* parent = nullptr);

  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  QStringList Columns, RowNames;
  int Rows;
  int TextColumns;
  TCell Cell;
};
