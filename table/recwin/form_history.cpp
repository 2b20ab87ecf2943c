#include "form_history.h"

#include <QFontInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "fonts.h"
#include "game_record.h"
#include "guide_rows.h"
#include "recwin_look.h"
#include "words.h"
#include <QPushButton>

namespace varnok {

namespace {

constexpr int kGridWidth = 45 + 65 + 210 + 45 + 55 + 55 + 80;
constexpr int kHeight = 460;
constexpr int kRowHeight = 20;

int& Chosen() {
  static int chosen = 0;
  return chosen;
}

// Draws the cells of the grid: the stored texts keep their filling blanks,
// but are drawn without them, so that they fit their narrow columns; the
// current row keeps the colour of its kind.
class HistoryCellDelegate : public QStyledItemDelegate {
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

 protected:
  void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override {
    QStyledItemDelegate::initStyleOption(option, index);
    option->text = option->text.trimmed();
    const QVariant colour = index.data(Qt::ForegroundRole);
    if (colour.canConvert<QBrush>()) {
      option->palette.setBrush(QPalette::HighlightedText, colour.value<QBrush>());
    }
  }
};

QString HeadingOf(const HistoryColumn& column) {
  return i18n::Text(column.Table == HistoryWordTable::WordsMain ? i18n::WordsMain : i18n::WordsGames, column.Row);
}

}  // namespace

int TFormHistory::ChosenFile() { return Chosen(); }
void TFormHistory::SetChosenFile(int n) { Chosen() = n; }

TFormHistory::TFormHistory(const QString& programFolder, const QString& clubFile, const Settings& look,
                           QWidget* parent)
    : QDialog(parent), folder_(programFolder.toStdU16String()), club_file_(clubFile.toStdString()) {
  setObjectName(QStringLiteral("TFormHistory"));
  setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
  setModal(true);
  setWindowTitle(i18n::Text(i18n::WordsMain, kRowHistoryCaption));
  const bool purple = look.PurpleWindows;

  files_ = ListHistoryFiles(folder_, club_file_);
  // The window grows with the table and stays inside the main window.
  scale_ = FittedDialogScale(QSize(10 + files_.Width + 8 + kGridWidth + 20 + 10, kHeight), parent);
  const auto len = [this](int n) { return ScaledLen(n, scale_); };
  list_ = new QListWidget(this);
  list_->setObjectName(QStringLiteral("FileList"));
  list_->setFont(i18n::KindFont(i18n::FontKind::Fixed, len(files_.FontUnits)));
  list_->setFixedWidth(len(files_.Width));
  if (files_.Enabled) {
    for (const HistoryListItem& item : files_.Items) {
      auto* entry = new QListWidgetItem(QString::fromStdString(item.Text), list_);
      entry->setData(Qt::UserRole, item.Number);
    }
  } else {
    list_->addItem(QString::fromLatin1(kNoHistoryFiles.data(), static_cast<qsizetype>(kNoHistoryFiles.size())));
    list_->setEnabled(false);
  }

  grid_ = new QTableWidget(0, static_cast<int>(kHistoryColumns.size()), this);
  grid_->setObjectName(QStringLiteral("Grid"));
  grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
  grid_->setSelectionMode(QAbstractItemView::SingleSelection);
  grid_->verticalHeader()->hide();
  grid_->verticalHeader()->setDefaultSectionSize(len(kRowHeight));
  grid_->horizontalHeader()->setHighlightSections(false);
  grid_->horizontalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  grid_->setWordWrap(false);
  grid_->setTextElideMode(Qt::ElideNone);
  grid_->setItemDelegate(new HistoryCellDelegate(grid_));
  grid_->setFont(i18n::KindFont(i18n::FontKind::Serif, len(13)));
  // The header is given the font its sections are drawn in, so that the
  // columns are measured with it.
  QFont heading_font = grid_->font();
  heading_font.setPixelSize(len(12));
  heading_font.setBold(true);
  grid_->horizontalHeader()->setFont(heading_font);
  const QString heading_family = QFontInfo(heading_font).family();
  // The heading row and the current row have backgrounds of their own.
  grid_->setStyleSheet(purple ? QStringLiteral("QHeaderView::section { background: #4a1460; color: #ffff00;"
                                               " border: 1px solid #2a0838; padding: 1px; font-weight: bold; font-size: %1px; font-family: \"%2\"; }"
                                               "QTableWidget { gridline-color: #c8b8d8; }"
                                               "QTableWidget::item:selected { background: #f0d8ff; }")
                                   .arg(len(12)).arg(heading_family)
                              : QStringLiteral("QHeaderView::section { background: #d8d0b8; color: #800000;"
                                               " border: 1px solid #a09070; padding: 1px; font-weight: bold; font-size: %1px; font-family: \"%2\"; }"
                                               "QTableWidget { gridline-color: #d0d0d0; }"
                                               "QTableWidget::item:selected { background: #fff0b0; }")
                                   .arg(len(12)).arg(heading_family));
  QStringList headings;
  // A column is as wide as its design, or as its heading in the chosen
  // language in the heading row's own font (with the section's padding).
  grid_->horizontalHeader()->ensurePolished();
  const QFontMetrics heading_metrics(grid_->horizontalHeader()->font());
  int grid_width = 0;
  for (std::size_t c = 0; c < kHistoryColumns.size(); ++c) {
    headings << HeadingOf(kHistoryColumns[c]);
    const int width = std::max(len(kHistoryColumns[c].Width), heading_metrics.horizontalAdvance(headings.back()) + 12);
    grid_->setColumnWidth(static_cast<int>(c), width);
    grid_width += width;
  }
  grid_->setHorizontalHeaderLabels(headings);
  const int scroll_bar = grid_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  grid_width = std::max(grid_width, len(kGridWidth)) + 2 * grid_->frameWidth() + scroll_bar;
  // The window is never wider than the main window: the grid scrolls instead.
  if (parent != nullptr)
    grid_width = std::min(grid_width, parent->window()->width() - len(10) - list_->width() - len(8) - len(10));
  grid_->setFixedWidth(grid_width);

  ok_ = MakeOkButton(this, look, purple, scale_);
  ok_->setFixedSize(len(160), len(30));

  auto* top = new QHBoxLayout;
  top->setSpacing(len(8));
  top->addWidget(list_);
  top->addWidget(grid_);
  // The files that could not be read are named, so that none is missed unnoticed.
  QStringList unreadable;
  for (const std::string& name : files_.Unreadable) unreadable << QString::fromStdString(name);
  unreadable_ = new QLabel(QStringLiteral("Could not be read: ") + unreadable.join(QStringLiteral(", ")), this);
  unreadable_->setObjectName(QStringLiteral("Unreadable"));
  unreadable_->setWordWrap(true);
  unreadable_->setStyleSheet(purple ? QStringLiteral("color: #ffff00;") : QStringLiteral("color: #800000;"));
  unreadable_->setVisible(!unreadable.isEmpty());
  auto* bottom = new QHBoxLayout;
  bottom->addWidget(unreadable_, 1);
  bottom->addStretch(1);
  open_record_ = new QPushButton(i18n::Text(i18n::WordsGuide, i18n::guide::kOpenRecord), this);
  open_record_->setObjectName(QStringLiteral("OpenRecord"));
  open_record_->setFont(ok_->font());  // the caption's language takes the same font as "Ok"
  open_record_->setEnabled(false);
  connect(open_record_, &QPushButton::clicked, this, [this] { ChooseRecord(grid_->currentRow()); });
  bottom->addWidget(open_record_);
  bottom->addWidget(ok_);
  bottom->addStretch(1);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(len(10), len(10), len(10), len(10));
  column->setSpacing(len(10));
  column->addLayout(top, 1);
  column->addLayout(bottom);
  setFixedSize(len(10) + list_->width() + len(8) + grid_->width() + len(10), len(kHeight));
  if (purple) {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, QColor(40, 8, 56));
    setPalette(palette);
  } else {
    QPalette palette = this->palette();
    palette.setColor(QPalette::Window, kButtonFace);
    setPalette(palette);
  }
  setAutoFillBackground(true);

  connect(grid_, &QTableWidget::currentCellChanged, this,
          [this](int row) { open_record_->setEnabled(!RecordOfRow(row).isEmpty()); });
  connect(grid_, &QTableWidget::cellDoubleClicked, this, [this](int row) { ChooseRecord(row); });
  connect(list_, &QListWidget::currentRowChanged, this, [this](int row) {
    if (!files_.Enabled || row < 0 || row >= static_cast<int>(files_.Items.size())) return;
    ShowFile(files_.Items[static_cast<std::size_t>(row)].Number);
  });
  if (files_.Enabled) {
    const int newest = files_.Items.back().Number;
    ShowFile(ChooseHistoryFile(Chosen(), newest));
  }
  ApplyRecordCursor(this, look);
}

void TFormHistory::ShowFile(int n) {
  int row = -1;
  for (std::size_t i = 0; i < files_.Items.size(); ++i) {
    if (files_.Items[i].Number == n) row = static_cast<int>(i);
  }
  if (row < 0) return;
  shown_ = n;
  Chosen() = n;
  if (list_->currentRow() != row) {
    const QSignalBlocker block(list_);
    list_->setCurrentRow(row);
  }
  const HistoryFileCheck check = CheckHistoryFile(HistoryFilePath(folder_, club_file_, n), DateFormatter{});
  // A file that fails its check since it was listed shows no games.
  std::vector<HistoryRow> rows;
  if (check.Valid())
    for (const std::string& line : check.RecordLines) rows.push_back(HistoryRowOf(line));
  FillGrid(rows);
  MarkRecords(check.Valid() ? check.RecordLines : std::vector<std::string>{});
}

void TFormHistory::MarkRecords(const std::vector<std::string>& lines) {
  // A game played here whose record was kept: its row says so and opens it.
  for (std::size_t r = 0; r < lines.size() && static_cast<int>(r) < grid_->rowCount(); ++r) {
    const std::filesystem::path path =
        GameRecordPathFor(folder_, std::string_view(lines[r]).substr(0, kHistoryBodyLength));
    std::error_code ec;
    if (!std::filesystem::is_regular_file(path, ec)) continue;
    for (int c = 0; c < grid_->columnCount(); ++c) {
      QTableWidgetItem* item = grid_->item(static_cast<int>(r), c);
      if (item == nullptr) continue;
      item->setData(Qt::UserRole, QString::fromStdString(path.string()));
      item->setToolTip(i18n::Text(i18n::WordsGuide, i18n::guide::kOpenRecord));
      QFont font = item->font();
      font.setUnderline(true);
      item->setFont(font);
    }
  }
  open_record_->setEnabled(!RecordOfRow(grid_->currentRow()).isEmpty());
}

QString TFormHistory::RecordOfRow(int row) const {
  if (row < 0 || row >= grid_->rowCount() || grid_->item(row, 0) == nullptr) return {};
  return grid_->item(row, 0)->data(Qt::UserRole).toString();
}

void TFormHistory::ChooseRecord(int row) {
  const QString path = RecordOfRow(row);
  if (path.isEmpty()) return;
  chosen_record_ = path;
  accept();
}

void TFormHistory::FillGrid(const std::vector<HistoryRow>& rows) {
  grid_->clearContents();
  grid_->setRowCount(static_cast<int>(rows.size()));
  const QColor window_text = palette().color(QPalette::Text);
  for (std::size_t r = 0; r < rows.size(); ++r) {
    const HistoryRow& row = rows[r];
    const QColor colour = row.WindowTextColour ? window_text : QColor(row.Colour.R, row.Colour.G, row.Colour.B);
    for (std::size_t c = 0; c < row.Cells.size(); ++c) {
      auto* item = new QTableWidgetItem(QString::fromStdString(row.Cells[c]));
      item->setForeground(colour);
      item->setTextAlignment(kHistoryColumns[c].LeftAligned ? (Qt::AlignLeft | Qt::AlignVCenter) : Qt::AlignCenter);
      grid_->setItem(static_cast<int>(r), static_cast<int>(c), item);
    }
  }
  // The current row shows only when there are two rows or more.
  if (rows.size() >= 2) {
    grid_->selectRow(0);
  } else {
    grid_->clearSelection();
  }
}

void TFormHistory::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOn(*this, parentWidget());
}

void TFormHistory::Open(QWidget* parent, const QString& programFolder, const QString& clubFile,
                        const Settings& look, SoundHook sound, std::function<void(const QString&)> open_record) {
  PlayOpenSound(sound);
  TFormHistory window(programFolder, clubFile, look, parent);
  window.exec();
  if (open_record && !window.ChosenRecord().isEmpty()) open_record(window.ChosenRecord());
}

}  // namespace varnok
