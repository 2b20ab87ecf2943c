#include "form_world_top.h"

#include <QGridLayout>
#include <QLabel>
#include <QVBoxLayout>

#include "button_colours.h"
#include "club_file.h"
#include "club_pictures.h"
#include "countries.h"
#include "form_passport.h"
#include "reply_scans.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok::online {

namespace {

QString Words(int row) { return i18n::Text(i18n::WordsMain, row); }
QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr const char* kCaptions[TFormWorldTop::kViewCount] = {
    "ACCOUNT. RATING. ALL GAMES",    "ACCOUNT. SCORE. GAMES IN CYCLE", "WINDOWS. SCORE. GAMES IN CYCLE",
    "ANDROID. SCORE. GAMES IN CYCLE", "WINDOWS. ONLINE TOURNAMENT",    "WINDOWS. LOCAL GAMES WITH PC",
    "WINDOWS. NET GAMES"};
constexpr const char* kNoConnect = "No Connect";

QString CountryText(const std::string& code) {
  const Country* country = CountryOfCode(code);
  return country != nullptr ? QString::fromLatin1(country->Short) : Utf8(code);
}

}  // namespace

TFormWorldTop::TFormWorldTop(OnlineClient& client, Settings& passport, Player account,
                             std::filesystem::path program_folder, int view, QWidget* parent)
    : TBaizeDialog(parent),
      client_(client),
      passport_(passport),
      account_(std::move(account)),
      program_folder_(std::move(program_folder)) {
  setObjectName(QStringLiteral("TFormWorldTop"));
  setWindowTitle(QStringLiteral("World Top Ten"));
  SetBackground(DialogBackground(QStringLiteral("GFormVarnok"), QSize(640, 620)));
  resize(640, 620);
  setStyleSheet(QStringLiteral("QLabel { color: rgb(255,244,214); }"
                               "QLabel#Caption { color: rgb(236,200,96); font-weight: bold; }"));
  auto* layout = new QVBoxLayout(this);
  auto* views = new QHBoxLayout;
  for (int v = 1; v <= kViewCount; ++v) {
    auto* button = MakeDialogButton(this, QString::number(v), QStringLiteral("View%1").arg(v), TColorSB::DNavy, 14);
    button->setToolTip(QString::fromLatin1(kCaptions[v - 1]));
    button->setFixedWidth(48);
    connect(button, &QAbstractButton::clicked, this, [this, v] { ShowView(v); });
    views->addWidget(button);
  }
  const char kinds[] = {'s', 'r', 'k'};
  for (const char kind : kinds) {
    auto* button = MakeDialogButton(this, QString(QLatin1Char(kind)), QStringLiteral("Tour%1").arg(QLatin1Char(kind)),
                                    TColorSB::DViolet, 14);
    button->setFixedWidth(40);
    connect(button, &QAbstractButton::clicked, this, [this, kind] { ShowView(5, kind); });
    views->addWidget(button);
  }
  layout->addLayout(views);
  caption_ = new QLabel(this);
  caption_->setObjectName(QStringLiteral("Caption"));
  layout->addWidget(caption_, 0, Qt::AlignHCenter);
  auto* rows = new QGridLayout;
  auto make_row = [this, rows](RowLabels& row, int at, const QString& name) {
    QLabel** cells[] = {&row.Place, &row.Flag, &row.Face, &row.Nick, &row.Where, &row.Value};
    for (int c = 0; c < 6; ++c) {
      *cells[c] = new QLabel(this);
      (*cells[c])->setObjectName(QStringLiteral("%1_%2").arg(name).arg(c));
      rows->addWidget(*cells[c], at, c, c == 5 ? Qt::AlignRight : Qt::Alignment());
    }
  };
  for (int i = 0; i < 10; ++i) make_row(top_[static_cast<std::size_t>(i)], i, QStringLiteral("Top%1").arg(i + 1));
  count_ = new QLabel(this);
  count_->setObjectName(QStringLiteral("Count"));
  rows->addWidget(count_, 10, 0, 1, 6);
  for (int i = 0; i < 10; ++i) make_row(near_[static_cast<std::size_t>(i)], 11 + i, QStringLiteral("Near%1").arg(i + 1));
  rows->setColumnStretch(3, 2);
  rows->setColumnStretch(4, 2);
  rows->setColumnMinimumWidth(0, 36);
  layout->addLayout(rows);
  layout->addStretch();
  auto* buttons = new QHBoxLayout;
  auto* passport_button = MakeDialogButton(this, Words(163), QStringLiteral("Passport"), TColorSB::DBlue, 14);
  connect(passport_button, &QAbstractButton::clicked, this, [this] {
    TFormPassport::Open(this, passport_);
    ShowView(view_);
  });
  buttons->addWidget(passport_button);
  buttons->addStretch();
  buttons->addWidget(MakeDialogOk(this, TColorSB::DGreen));
  layout->addLayout(buttons);
  ShowView(view);
}

void TFormWorldTop::SetRow(RowLabels& row, const QString& place, const QPixmap& flag, char sex, const QString& nick,
                           const QString& where, const QString& value) {
  row.Place->setText(place);
  row.Flag->setPixmap(flag);
  row.Face->setPixmap(sex == 0 ? QPixmap() : QPixmap::fromImage(DefaultFace(sex, QSize(14, 18))));
  row.Nick->setText(nick);
  row.Where->setText(where);
  row.Value->setText(value);
}

QString TFormWorldTop::LineOf(const RowLabels& row) {
  return (row.Place->text() + QLatin1Char(' ') + row.Nick->text() + QLatin1Char(' ') + row.Value->text()).trimmed();
}

void TFormWorldTop::ClearRows() {
  for (auto& row : top_) SetRow(row, {}, {}, 0, {}, {}, {});
  for (auto& row : near_) SetRow(row, {}, {}, 0, {}, {}, {});
  count_->clear();
}

void TFormWorldTop::ShowView(int view, char tournament_kind) {
  if (view < 1 || view > kViewCount) view = 3;
  view_ = view;
  ++generation_;
  pending_ = 0;
  ClearRows();
  caption_->setText(QString::fromLatin1(kCaptions[view - 1]));
  const int generation = generation_;
  switch (view) {
    case 1:
      ++pending_;
      client_.Run(ReadTopTen{}, this, [this, generation](TopTenResult top) {
        if (generation != generation_) return;
        --pending_;
        for (std::size_t i = 0; i < top_.size(); ++i) {
          const TZubTop10& row = top.Rows[i];
          if (!top.Ok) {
            SetRow(top_[i], {}, {}, 0, QString::fromLatin1(kNoConnect), {}, {});
          } else if (!row.Nick.empty()) {
            SetRow(top_[i], QStringLiteral("%1.").arg(i + 1), FlagPicture(row.Country), row.Sex, Utf8(row.Nick),
                   Utf8(row.City), QString::fromStdString(RatingText(row.Rating)));
          }
        }
      });
      return;
    case 2:
      ShowTable(kAccountTable, account_.Nick, account_.City, false);
      return;
    case 3:
      ShowTable(kGameCode, passport_.Nick, passport_.City, true);
      return;
    case 4:
      ShowTable(kPhoneTable, passport_.Nick, passport_.City, false);
      return;
    case 5:
      ++pending_;
      client_.Run(ReadTourTop10{kGameCode, tournament_kind}, this, [this, generation](TableResult rows) {
        if (generation != generation_) return;
        --pending_;
        for (std::size_t i = 0; i < top_.size(); ++i) {
          const TZubRecord& row = rows.Rows[i];
          if (!rows.Ok) {
            SetRow(top_[i], {}, {}, 0, QString::fromLatin1(kNoConnect), {}, {});
          } else if (row.Nick != "#") {
            SetRow(top_[i], QStringLiteral("%1.").arg(row.Place), FlagPicture(row.Country), row.R07 == "M" ? 'M' : 'W',
                   Utf8(row.Nick), Utf8(row.City), QString::number(row.Score));
          }
        }
      });
      return;
    case 6:
      ShowRecordFile("Varnok.clb");
      return;
    default:
      ShowRecordFile("Varnok.net");
      return;
  }
}

void TFormWorldTop::ShowTable(int gid, const std::string& nick, const std::string& city, bool flags) {
  const int generation = generation_;
  auto fill = [flags](Rows& target, const TableResult& rows) {
    for (std::size_t i = 0; i < target.size(); ++i) {
      const TZubRecord& row = rows.Rows[i];
      if (!rows.Ok) {
        SetRow(target[i], {}, {}, 0, QString::fromLatin1(kNoConnect), {}, {});
        continue;
      }
      if (row.Nick == "#") continue;
      const QString where = flags ? Utf8(row.City) : CountryText(row.Country) + QStringLiteral(", ") + Utf8(row.City);
      SetRow(target[i], QStringLiteral("%1.").arg(row.Place), flags ? FlagPicture(row.Country) : QPixmap(),
             row.R07 == "M" ? 'M' : 'W', Utf8(row.Nick), where, QString::number(row.Score));
    }
  };
  pending_ += 3;
  client_.Run(ReadTable{gid}, this, [this, generation, fill](TableResult rows) mutable {
    if (generation != generation_) return;
    --pending_;
    fill(top_, rows);
  });
  client_.Run(ReadTableCount{gid}, this, [this, generation](NumberResult count) {
    if (generation != generation_) return;
    --pending_;
    count_->setText(Words(162) + QStringLiteral(": ") +
                    (count.Ok ? QString::number(count.Value) : QString::fromLatin1(kNoConnect)));
  });
  client_.Run(ReadTableNear{gid, nick, city}, this, [this, generation, fill](TableResult rows) mutable {
    if (generation != generation_) return;
    --pending_;
    fill(near_, rows);
  });
}

void TFormWorldTop::ShowRecordFile(const char* file) {
  const auto entries = varnok::ReadTopTen(program_folder_ / file);
  for (std::size_t i = 0; i < top_.size() && i < entries.size(); ++i) {
    const TopTenEntry& entry = entries[i];
    if (entry.Empty) continue;
    SetRow(top_[i], QStringLiteral("%1.").arg(i + 1), {}, 0, QString::fromStdString(entry.Name), {},
           QString::number(entry.Score));
  }
}

QStringList TFormWorldTop::TopLines() const {
  QStringList lines;
  for (const RowLabels& row : top_) lines << LineOf(row);
  return lines;
}

QStringList TFormWorldTop::NearLines() const {
  QStringList lines;
  for (const RowLabels& row : near_) lines << LineOf(row);
  return lines;
}

QString TFormWorldTop::CountLine() const { return count_->text(); }

}  // namespace varnok::online
