// The records dialog: the ten best results as the records file holds them.
#pragma once

#include <QDialog>
#include <filesystem>

class QTreeWidget;

class TfrmRecords : public QDialog {
  Q_OBJECT

 public:
  /// Reads the file once; a missing or unreadable file gives an empty list.
  TfrmRecords(const std::filesystem::path& recordsFile, QWidget* parent = nullptr);

 private:
  void CreateList();
  void FillList(const std::filesystem::path& recordsFile);

  QTreeWidget* lvTop = nullptr;
};
