// The account window's "About me" and "President" tabs: photos (or the
// default faces), the fourteen profile texts, and the president's lines that
// copy or open what they hold.
#include <QClipboard>
#include <QDesktopServices>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QUrl>
#include <QVBoxLayout>

#include "button_colours.h"
#include "club_pictures.h"
#include "form_account.h"
#include "form_message.h"
#include "form_profile.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok::online {

namespace {

QString Words(int row) { return i18n::Text(i18n::WordsMain, row); }
QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr QSize kPhotoSize(100, 125);

// A label that reports clicks.
class ClickLabel : public QLabel {
 public:
  ClickLabel(std::function<void()> click, QWidget* parent) : QLabel(parent), click_(std::move(click)) {
    setCursor(Qt::PointingHandCursor);
  }

 protected:
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() == Qt::LeftButton && click_) click_();
  }

 private:
  std::function<void()> click_;
};

std::array<const std::string*, 14> Texts(const TInfo14& info) {
  return {&info.Name1,   &info.Name2,    &info.About,   &info.Telephone, &info.EMailO,
          &info.WebSite, &info.Skype,    &info.OK,      &info.VK,        &info.Telegram,
          &info.FaceBook, &info.Twitter, &info.Instagramm, &info.YouTube};
}

// The labels of the texts: "Your name", ... (rows 258 to 271, the web site before skype).
int HintRow(std::size_t index) { return 258 + static_cast<int>(index); }

QPixmap Photo(const std::optional<QImage>& photo, char sex) {
  const QImage picture = photo ? photo->scaled(kPhotoSize, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                               : DefaultFace(sex, kPhotoSize);
  return QPixmap::fromImage(picture);
}

}  // namespace

QWidget* TFormAccount::BuildAboutTab() {
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  own_photo_ = new QLabel(tab);
  own_photo_->setObjectName(QStringLiteral("OwnPhoto"));
  own_photo_->setFixedSize(kPhotoSize);
  grid->addWidget(own_photo_, 0, 0, 4, 1, Qt::AlignTop);
  for (std::size_t i = 0; i < about_.size(); ++i) {
    about_[i] = new QLabel(tab);
    about_[i]->setObjectName(QStringLiteral("About%1").arg(i + 1));
    about_[i]->setToolTip(Words(HintRow(i)));
    grid->addWidget(about_[i], static_cast<int>(i), 1);
  }
  auto* edit = MakeDialogButton(tab, Words(254), QStringLiteral("EditProfile"), TColorSB::DBlue, 14);
  connect(edit, &QAbstractButton::clicked, this, [this] {
    if (club_.AccountState() == kLoggedOut) return;
    TFormProfile::Open(this, club_);
    ShowAbout();
    ReadPresident();
  });
  grid->addWidget(edit, 14, 1, Qt::AlignRight);
  return tab;
}

void TFormAccount::ShowAbout() {
  const ClubData& data = club_.Data();
  own_photo_->setPixmap(Photo(data.OwnPhoto, data.User.Sex));
  const auto texts = Texts(data.User.Info);
  for (std::size_t i = 0; i < about_.size(); ++i) about_[i]->setText(Utf8(*texts[i]));
}

QWidget* TFormAccount::BuildPresidentTab() {
  auto* tab = new QWidget;
  auto* grid = new QGridLayout(tab);
  president_title_ = new QLabel(tab);
  president_title_->setObjectName(QStringLiteral("PresidentTitle"));
  president_title_->setText(Words(257) + QStringLiteral(" \"Varnok\""));
  grid->addWidget(president_title_, 0, 0, 1, 2);
  president_photo_ = new QLabel(tab);
  president_photo_->setObjectName(QStringLiteral("PresidentPhoto"));
  president_photo_->setFixedSize(kPhotoSize);
  grid->addWidget(president_photo_, 1, 0, 8, 1, Qt::AlignTop);
  president_name_ = new QLabel(tab);
  president_name_->setObjectName(QStringLiteral("PresidentName"));
  grid->addWidget(president_name_, 1, 1);
  for (std::size_t i = 0; i < president_lines_.size(); ++i) {
    president_lines_[i] = new ClickLabel([this, i] { ClickPresidentLine(static_cast<int>(i)); }, tab);
    president_lines_[i]->setObjectName(QStringLiteral("President%1").arg(i + 1));
    grid->addWidget(president_lines_[i], static_cast<int>(i) + 2, 1);
  }
  return tab;
}

void TFormAccount::ShowPresident() {
  const ClubData& data = club_.Data();
  const TZubTop10& first = data.TopTen[0];
  president_photo_->setPixmap(Photo(data.PresidentPhoto, first.Nick.empty() ? 'M' : first.Sex));
  const TInfo14& info = data.PresidentInfo;
  // Name, last name, then the nick and city of the top ten's first row.
  president_name_->setText(first.Nick.empty() ? QString()
                                              : (Utf8(info.Name1) + QLatin1Char(' ') + Utf8(info.Name2)).trimmed() +
                                                    QStringLiteral("  (") + Utf8(first.Nick) + QStringLiteral(", ") +
                                                    Utf8(first.City) + QLatin1Char(')'));
  const auto texts = Texts(info);
  for (std::size_t i = 0; i < president_lines_.size(); ++i) {
    // Lines 1 to 12 hold "About" to "YouTube".
    president_lines_[i]->setText(Utf8(*texts[i + 2]));
    president_lines_[i]->setToolTip(Words(HintRow(i + 2)));
  }
}

void TFormAccount::ClickPresidentLine(int index) {
  const auto texts = Texts(club_.Data().PresidentInfo);
  const QString text = Utf8(*texts[static_cast<std::size_t>(index) + 2]);
  if (text.isEmpty()) return;
  // About, telephone, e-mail, skype and telegram are copied; the others are pages.
  const bool copied = index == 0 || index == 1 || index == 2 || index == 4 || index == 7;
  if (copied) {
    QGuiApplication::clipboard()->setText(text);
    TFormMessage::Tell(this, MessageKind::Information, Words(255), QStringLiteral("Copied"));
    return;
  }
  QUrl url = QUrl::fromUserInput(text);
  if (url.scheme() != QLatin1String("http") && url.scheme() != QLatin1String("https")) return;
  QDesktopServices::openUrl(url);
}

}  // namespace varnok::online
