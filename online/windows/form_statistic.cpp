#include "form_statistic.h"

#include <QGridLayout>
#include <QLabel>

#include "account_rules.h"
#include "button_colours.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok::online {

namespace {

QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

}  // namespace

TFormStatistic::TFormStatistic(OnlineClient& client, LikeState like,
                               std::function<std::optional<std::string>()> ask_nick,
                               std::function<void(const std::string&)> liked, QWidget* parent)
    : TBaizeDialog(parent),
      client_(client),
      like_(std::move(like)),
      ask_nick_(std::move(ask_nick)),
      liked_(std::move(liked)) {
  setObjectName(QStringLiteral("TFormStatistic"));
  setWindowTitle(i18n::Text(i18n::WordsMain, 182));
  SetBackground(DialogBackground(QStringLiteral("GFormVarnok"), QSize(460, 420)));
  resize(460, 420);
  auto* grid = new QGridLayout(this);
  auto* headline = new QLabel(QStringLiteral("WORLD STATS"), this);
  headline->setFont(DialogFont(22, true));
  headline->setStyleSheet(QStringLiteral("color: rgb(236,200,96);"));
  grid->addWidget(headline, 0, 0, 1, 2, Qt::AlignHCenter);
  const QString names[] = {i18n::Text(i18n::WordsMain, 183), i18n::Text(i18n::WordsMain, 184),
                           i18n::Text(i18n::WordsMain, 185), i18n::Text(i18n::WordsMain, 186),
                           i18n::Text(i18n::WordsGames, 615), i18n::Text(i18n::WordsGames, 616),
                           i18n::Text(i18n::WordsGames, 617), i18n::Text(i18n::WordsGames, 618),
                           i18n::Text(i18n::WordsGames, 619), i18n::Text(i18n::WordsGames, 620)};
  for (std::size_t i = 0; i < values_.size(); ++i) {
    auto* name = new QLabel(names[i], this);
    name->setStyleSheet(QStringLiteral("color: rgb(255,244,214);"));
    values_[i] = new QLabel(this);
    values_[i]->setObjectName(QStringLiteral("Stat%1").arg(i + 1));
    values_[i]->setStyleSheet(QStringLiteral("color: rgb(236,200,96);"));
    grid->addWidget(name, static_cast<int>(i) + 1, 0);
    grid->addWidget(values_[i], static_cast<int>(i) + 1, 1);
  }
  like_button_ = MakeDialogButton(this, i18n::Text(i18n::WordsMain, 187), QStringLiteral("Like"), TColorSB::DGreen, 14);
  like_button_->setEnabled(!like_.LikeSent);
  connect(like_button_, &QAbstractButton::clicked, this, &TFormStatistic::Like);
  auto* ok = MakeDialogOk(this, TColorSB::DBlue);
  grid->addWidget(like_button_, 11, 0);
  grid->addWidget(ok, 11, 1);
  client_.Run(ReadStats{kGameCode}, this, [this](StatsResult stats) {
    reading_ = false;
    Fill(stats);
  });
}

void TFormStatistic::Fill(const StatsResult& stats) {
  stats_ = stats;
  if (!stats.Ok) {
    values_[0]->setText(QStringLiteral("No Connect"));
    return;
  }
  const TZubStat& s = stats.Stat;
  values_[0]->setText(QString::number(s.Stat1));
  values_[1]->setText(QString::number(s.Stat2));
  values_[2]->setText(QString::number(s.Stat3));
  values_[3]->setText(Utf8(s.Stat4));
  for (std::size_t i = 0; i < 6; ++i) values_[4 + i]->setText(QString::number(s.StatX[i]));
}

void TFormStatistic::Like() {
  if (like_.LikeSent) return;
  std::string nick = like_.PassportNick;
  if (nick.empty() || nick == "Incognito") {
    // A like carries a name: ask until the passport check of it is not red.
    for (;;) {
      const auto typed = ask_nick_ ? ask_nick_() : std::nullopt;
      if (!typed) return;
      std::string cut = QString::fromStdString(*typed).left(kNickLimit).toStdString();
      if (CheckPassportField(cut, FieldKind::Nick) != kRed) {
        nick = std::move(cut);
        break;
      }
    }
  }
  like_button_->setEnabled(false);
  reading_ = true;
  client_.Run(SendLike{kGameCode, 1, nick}, this, [this, nick](bool ok) {
    reading_ = false;
    if (!ok) {
      like_button_->setEnabled(true);
      return;
    }
    like_.LikeSent = true;
    like_.PassportNick = nick;
    if (stats_.Ok) {
      stats_.Stat.Stat3 += 1;
      stats_.Stat.Stat4 = nick;
      Fill(stats_);
    }
    if (liked_) liked_(nick);
  });
}

}  // namespace varnok::online
