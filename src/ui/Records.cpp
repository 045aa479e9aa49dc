#include "Records.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "FormTools.h"
#include "ThemeColours.h"
#include "records.h"

namespace {

const QColor ListGray(128, 128, 128);
const QColor ListAqua(0, 255, 255);

}  // namespace

TfrmRecords::TfrmRecords(const std::filesystem::path& recordsFile, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("frmRecords"));
  setWindowTitle(QStringLiteral("Top"));
  setModal(true);
  CreateList();
  FixDialogSize(this, 298, 216);
  FillList(recordsFile);
  FitColoursToTheme(this);
}

void TfrmRecords::CreateList() {
  lvTop = new QTreeWidget(this);
  lvTop->setObjectName(QStringLiteral("lvTop"));
  lvTop->setGeometry(8, 12, 281, 197);
  lvTop->setColumnCount(2);
  lvTop->setHeaderLabels({QStringLiteral("Name"), QStringLiteral("Result")});
  lvTop->headerItem()->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  lvTop->header()->setStretchLastSection(false);
  lvTop->setColumnWidth(0, 200);
  lvTop->setColumnWidth(1, 77);
  lvTop->setRootIsDecorated(false);
  lvTop->setItemsExpandable(false);
  lvTop->setSelectionBehavior(QAbstractItemView::SelectRows);
  lvTop->setAllColumnsShowFocus(true);
  lvTop->setSelectionMode(QAbstractItemView::SingleSelection);
  lvTop->setEditTriggers(QAbstractItemView::NoEditTriggers);
  lvTop->header()->setSectionsMovable(false);

  QFont font = FormFont(11, true);
  lvTop->setFont(font);
  QPalette pal = lvTop->palette();
  // Aqua on gray is a light theme's list; a dark theme keeps its own dark
  // ground, on which the aqua reads well.
  if (!IsDarkPalette(pal)) {
    pal.setColor(QPalette::Base, ListGray);
    pal.setColor(QPalette::AlternateBase, ListGray);
  }
  pal.setColor(QPalette::Text, ListAqua);
  lvTop->setPalette(pal);
  // The header keeps the ordinary look; only the rows are gray and aqua.
  lvTop->header()->setFont(FormFont(11, false));
  lvTop->header()->setPalette(palette());
  lvTop->setFocus();
}

void TfrmRecords::FillList(const std::filesystem::path& recordsFile) {
  const auto entries = varlo::ReadRecordsFile(recordsFile);
  if (!entries) return;
  for (const varlo::TTopEntry& entry : *entries) {
    auto* row = new QTreeWidgetItem(lvTop);
    row->setText(0, QString::fromStdString(entry.Name));
    row->setText(1, QString::number(entry.Score));
    row->setTextAlignment(1, Qt::AlignRight | Qt::AlignVCenter);
  }
}
