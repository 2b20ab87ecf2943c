#include "score_sheet.h"

#include <QHeaderView>
#include <QLabel>
#include <QTableWidget>
#include <QVBoxLayout>

#include "fonts.h"
#include "guide_rows.h"
#include "layout.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

QString Guide(int row) { return i18n::Text(i18n::WordsGuide, row); }

}  // namespace

void ScoreSheet::Observe(const GameState& s) {
  if (!s.InGame || !(s.Phase == phNextRound || s.GameOver)) return;
  if (s.Declarer < 1 || s.Declarer > 3) return;
  if (!rounds_.empty() && rounds_.back().Round == s.RoundNo) return;
  SheetRound r;
  r.Round = s.RoundNo;
  r.Declarer = s.Declarer;
  r.Bid = s.CurrentBid;
  r.Order = s.Zakaz;
  r.Made = s.RoundPoints[s.Declarer] >= s.Zakaz;
  for (std::size_t seat = 1; seat <= 3; ++seat) {
    r.Points[seat] = s.RoundPoints[seat];
    // A seat's round points are its card points and its marriages.
    r.Marriages[seat] = std::max(0, s.RoundPoints[seat] - s.CardPoints[seat]);
    r.Scores[seat] = s.Scores[seat];
  }
  rounds_.push_back(r);
}

TFormScoreSheet::TFormScoreSheet(const std::vector<SheetRound>& rounds, const std::array<QString, 4>& names,
                                 const LayoutState& layout, QWidget* parent)
    : TBaizeDialog(parent) {
  setObjectName(QStringLiteral("TFormScoreSheet"));
  setWindowTitle(Guide(i18n::guide::kScoreSheet));
  setModal(true);
  // The sheet grows with the window size, as the table does.
  const int font_px = ScaleLen(layout, 14);

  table_ = new QTableWidget(static_cast<int>(rounds.size()), 9, this);
  table_->setObjectName(QStringLiteral("Sheet"));
  QStringList headers = {Guide(i18n::guide::kRound), Guide(i18n::guide::kDeclarer), Guide(i18n::guide::kBid),
                         Guide(i18n::guide::kOrder), QString()};
  for (std::size_t seat = 1; seat <= 3; ++seat) headers << names[seat];
  headers << Guide(i18n::guide::kMarriages);
  table_->setHorizontalHeaderLabels(headers);
  // The made-or-set column speaks for itself; its heading says so in the hint.
  table_->horizontalHeaderItem(4)->setToolTip(Guide(i18n::guide::kMade) + QStringLiteral(" / ") +
                                              Guide(i18n::guide::kSet));
  for (int column = 5; column <= 7; ++column)
    table_->horizontalHeaderItem(column)->setToolTip(Guide(i18n::guide::kPointsAndScore));
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->setFocusPolicy(Qt::NoFocus);
  QFont font = i18n::KindFont(i18n::FontKind::Serif, font_px);
  table_->setFont(font);
  QFont bold = font;
  bold.setBold(true);
  table_->horizontalHeader()->setFont(bold);
  table_->setStyleSheet(QStringLiteral(
      "QTableWidget { background: rgba(255, 248, 220, 235); color: #2a1a08; gridline-color: #b89a5a; }"
      "QHeaderView::section { background: #5a3a12; color: #ffe9a8; padding: 3px; border: 1px solid #3a250a; }"));

  for (int row = 0; row < static_cast<int>(rounds.size()); ++row) {
    const SheetRound& r = rounds[static_cast<std::size_t>(row)];
    QString marriages;
    for (std::size_t seat = 1; seat <= 3; ++seat) {
      if (r.Marriages[seat] == 0) continue;
      if (!marriages.isEmpty()) marriages += QStringLiteral(", ");
      marriages += names[seat] + QLatin1Char(' ') + QString::number(r.Marriages[seat]);
    }
    const QStringList cells = {QString::number(r.Round),
                               names[static_cast<std::size_t>(r.Declarer)],
                               QString::number(r.Bid),
                               QString::number(r.Order),
                               Guide(r.Made ? i18n::guide::kMade : i18n::guide::kSet),
                               QString(),
                               QString(),
                               QString(),
                               marriages};
    for (int column = 0; column < cells.size(); ++column) {
      auto* item = new QTableWidgetItem(cells[column]);
      item->setTextAlignment(Qt::AlignCenter);
      table_->setItem(row, column, item);
    }
    for (std::size_t seat = 1; seat <= 3; ++seat) {
      auto* item = new QTableWidgetItem(QStringLiteral("%1  \u2192  %2").arg(r.Points[seat]).arg(r.Scores[seat]));
      item->setTextAlignment(Qt::AlignCenter);
      if (static_cast<int>(seat) == r.Declarer) item->setFont(bold);
      table_->setItem(row, 4 + static_cast<int>(seat), item);
    }
    table_->item(row, 4)->setForeground(r.Made ? QColor(20, 110, 30) : QColor(170, 20, 20));
  }
  table_->resizeColumnsToContents();
  table_->resizeRowsToContents();
  table_->horizontalHeader()->setStretchLastSection(true);

  auto* explained = new QLabel(Guide(i18n::guide::kCountExplained), this);
  explained->setObjectName(QStringLiteral("CountExplained"));
  explained->setWordWrap(true);
  explained->setFont(font);
  explained->setStyleSheet(QStringLiteral("QLabel { color: #fff4d6; }"));
  CastShadow(explained);

  TZubCardsButton* ok = MakeDialogOk(this, TColorSB::DOrang, ScaleLen(layout, 16));
  ok->setFixedSize(ScaleLen(layout, 110), ScaleLen(layout, 30));

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(14, 14, 14, 14);
  column->addWidget(table_, 1);
  column->addWidget(explained);
  column->addWidget(ok, 0, Qt::AlignHCenter);

  // Wide enough for every column, and never wider or taller than the window.
  int width = 4;
  for (int c = 0; c < table_->columnCount(); ++c) width += table_->columnWidth(c);
  const int rows_height = table_->horizontalHeader()->height() + 4 +
                          (rounds.empty() ? 0 : table_->rowHeight(0)) * std::max(3, static_cast<int>(rounds.size()));
  const QSize limit(layout.WindowW - 20, layout.WindowH - 20);
  const int w = std::min(limit.width(), std::max(width + 28 + 40, ScaleLen(layout, 520)));
  explained->setFixedWidth(w - 28);
  const int h = std::min(limit.height(), rows_height + explained->heightForWidth(w - 28) + ok->height() + 70);
  resize(w, h);
  SetBackground(DialogBackground(QStringLiteral("GFormVarnok"), size()));
}

void TFormScoreSheet::Open(QWidget* parent, const std::vector<SheetRound>& rounds,
                           const std::array<QString, 4>& names, const LayoutState& layout, const SoundHook& sound) {
  PlayOpenSound(sound);
  TFormScoreSheet sheet(rounds, names, layout, parent);
  CentreOn(sheet, parent);
  sheet.exec();
}

}  // namespace varnok
