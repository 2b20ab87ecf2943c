#include "form_profile.h"

#include <QFile>
#include <QFileDialog>
#include <QGridLayout>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>

#include "button_colours.h"
#include "club_pictures.h"
#include "form_message.h"
#include "guide_rows.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok::online {

namespace {

QString Words(int row) { return i18n::Text(i18n::WordsMain, row); }
QString Utf8(const std::string& text) { return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size())); }

constexpr int kLimits[14] = {20, 20, 50, 20, 50, 50, 50, 50, 50, 50, 60, 50, 50, 50};
constexpr QSize kPhoto(200, 250);

// The texts in the order of the editor's fields (the web site before skype).
std::array<std::string*, 14> Fields(TInfo14& info) {
  return {&info.Name1,   &info.Name2,    &info.About,   &info.Telephone, &info.EMailO,
          &info.WebSite, &info.Skype,    &info.OK,      &info.VK,        &info.Telegram,
          &info.FaceBook, &info.Twitter, &info.Instagramm, &info.YouTube};
}

// The photo file as a JPEG of exactly 200 x 250, or nothing.
std::optional<QByteArray> PhotoBytes(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly) || file.size() > (2 << 20)) return std::nullopt;
  const QByteArray bytes = file.readAll();
  QImage image;
  if (!image.loadFromData(bytes, "JPEG") || image.size() != kPhoto) return std::nullopt;
  return bytes;
}

}  // namespace

TFormProfile::TFormProfile(OnlineClub& club, QWidget* parent) : TBaizeDialog(parent), club_(club) {
  setObjectName(QStringLiteral("TFormProfile"));
  setWindowTitle(Words(196));
  SetBackground(DialogBackground(QStringLiteral("GFormVarnok"), QSize(620, 560)));
  auto* grid = new QGridLayout(this);
  auto* note = new QLabel(Words(274), this);
  note->setStyleSheet(QStringLiteral("color: rgb(255,244,214);"));
  grid->addWidget(note, 0, 0, 1, 3);
  TInfo14& info = club_.Data().User.Info;
  const auto texts = Fields(info);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    fields_[i] = new QLineEdit(Utf8(*texts[i]), this);
    fields_[i]->setObjectName(QStringLiteral("Field%1").arg(i + 1));
    fields_[i]->setMaxLength(kLimits[i]);
    fields_[i]->setPlaceholderText(Words(258 + static_cast<int>(i)));
    fields_[i]->setToolTip(Words(258 + static_cast<int>(i)));
    grid->addWidget(fields_[i], static_cast<int>(i) + 1, 1, 1, 2);
    connect(fields_[i], &QLineEdit::textEdited, this, [this] { update_->setEnabled(true); });
  }
  photo_ = new QLabel(this);
  photo_->setObjectName(QStringLiteral("Photo"));
  photo_->setFixedSize(kPhoto);
  photo_->setCursor(Qt::PointingHandCursor);
  photo_->installEventFilter(this);
  const ClubData& data = club_.Data();
  photo_->setPixmap(QPixmap::fromImage(data.OwnPhoto ? data.OwnPhoto->scaled(kPhoto) : DefaultFace(data.User.Sex, kPhoto)));
  photo_->setToolTip(i18n::Text(i18n::WordsGuide, i18n::guide::kChoosePhoto));
  grid->addWidget(photo_, 1, 0, 10, 1, Qt::AlignTop);
  // How to choose a photo, under it; and what became of the last save.
  auto* how = new QLabel(i18n::Text(i18n::WordsGuide, i18n::guide::kChoosePhoto), this);
  how->setObjectName(QStringLiteral("PhotoHint"));
  how->setWordWrap(true);
  how->setMaximumWidth(kPhoto.width());
  how->setStyleSheet(QStringLiteral("color: rgb(255,244,214);"));
  grid->addWidget(how, 12, 0, 2, 1, Qt::AlignTop);
  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("ProfileStatus"));
  status_->setWordWrap(true);
  status_->setStyleSheet(QStringLiteral("color: rgb(255,236,160); font-weight: bold;"));
  grid->addWidget(status_, 16, 0, 1, 3);
  update_ = MakeDialogButton(this, Words(275), QStringLiteral("UpdateInfo"), TColorSB::DGreen, 14);
  refresh_photo_ = MakeDialogButton(this, Words(276), QStringLiteral("RefreshPhoto"), TColorSB::DBlue, 14);
  auto* close = MakeDialogButton(this, Words(277), QStringLiteral("Close"), TColorSB::DRed, 14);
  update_->setEnabled(false);
  refresh_photo_->setEnabled(false);
  grid->addWidget(refresh_photo_, 11, 0);
  grid->addWidget(update_, 15, 1);
  grid->addWidget(close, 15, 2);
  connect(update_, &QAbstractButton::clicked, this, &TFormProfile::UpdateInfo);
  connect(refresh_photo_, &QAbstractButton::clicked, this, &TFormProfile::RefreshPhoto);
  connect(close, &QAbstractButton::clicked, this, &QDialog::accept);
}

void TFormProfile::Open(QWidget* parent, OnlineClub& club) {
  TFormProfile window(club, parent);
  window.exec();
}

bool TFormProfile::eventFilter(QObject* watched, QEvent* event) {
  if (watched == photo_ && event->type() == QEvent::MouseButtonRelease) {
    OpenPhotoDialog();
    return true;
  }
  return TBaizeDialog::eventFilter(watched, event);
}

QFileDialog* TFormProfile::OpenPhotoDialog() {
  auto* dialog = new QFileDialog(this, Words(276), QString(), QStringLiteral("JPEG (*.jpg *.jpeg)"));
  dialog->setObjectName(QStringLiteral("PhotoFileDialog"));
  dialog->setAttribute(Qt::WA_DeleteOnClose);
  dialog->setFileMode(QFileDialog::ExistingFile);
  // Qt's own dialog with plain dark-on-light colours: the window designs'
  // light texts on the baize would be unreadable on its white lists.
  dialog->setOption(QFileDialog::DontUseNativeDialog);
  dialog->setStyleSheet(QStringLiteral(
      "QWidget { color: rgb(20,20,20); background-color: rgb(240,238,230); }"
      "QLineEdit, QListView, QTreeView, QComboBox { background-color: white; color: black; }"
      "QHeaderView::section { background-color: rgb(220,216,204); color: black; }"
      "QPushButton, QToolButton { background-color: rgb(228,224,212); color: black; }"
      "*:selected { background-color: rgb(60,110,200); color: white; }"));
  connect(dialog, &QFileDialog::fileSelected, this, [this](const QString& path) { ChoosePhotoFile(path); });
  dialog->open();
  return dialog;
}

void TFormProfile::Say(const QString& text) {
  status_->setText(text);
}

QString TFormProfile::StatusText() const { return status_->text(); }

bool TFormProfile::ChoosePhotoFile(const QString& path) {
  const auto bytes = PhotoBytes(path);
  if (!bytes) {
    TFormMessage::Tell(this, MessageKind::Warning, Words(272), QStringLiteral("PhotoSize"));
    return false;
  }
  QImage image;
  image.loadFromData(*bytes, "JPEG");
  photo_->setPixmap(QPixmap::fromImage(image));
  photo_file_ = path;
  refresh_photo_->setEnabled(true);
  return true;
}

void TFormProfile::UpdateInfo() {
  TInfo14 info;
  const auto texts = Fields(info);
  for (std::size_t i = 0; i < fields_.size(); ++i) {
    std::string text = fields_[i]->text().toUtf8().toStdString();
    for (char& c : text) {
      if (c == '$' || c == '~') c = ' ';
    }
    *texts[i] = std::move(text);
  }
  ++busy_;
  update_->setEnabled(false);
  const TZubUser& user = club_.Data().User;
  club_.Client().Run(SaveInfo{user.Nick, user.Pw, info}, this, [this](bool saved) {
    if (!saved) {
      update_->setEnabled(true);  // the button stays for another try
      Say(club_.Client().ServerAnswering() ? i18n::Text(i18n::WordsGuide, i18n::guide::kProfileRefused) : Words(188));
      --busy_;
      return;
    }
    Say(i18n::Text(i18n::WordsGuide, i18n::guide::kProfileSaved));
    club_.Client().Run(ReadInfo{club_.Data().User.Nick}, this, [this](InfoResult read) {
      if (read.Ok) club_.Data().User.Info = read.Info;
      --busy_;
    });
  });
}

void TFormProfile::RefreshPhoto() {
  const auto bytes = PhotoBytes(photo_file_);
  if (!bytes) {
    TFormMessage::Tell(this, MessageKind::Warning, Words(273), QStringLiteral("PhotoUpload"));
    return;
  }
  ++busy_;
  refresh_photo_->setEnabled(false);
  const TZubUser& user = club_.Data().User;
  club_.Client().UploadPhoto(*bytes, Utf8(user.Nick), Utf8(user.Pw), this, [this](bool uploaded) {
    if (!uploaded) {
      --busy_;
      refresh_photo_->setEnabled(true);
      Say(club_.Client().ServerAnswering() ? i18n::Text(i18n::WordsGuide, i18n::guide::kPhotoRefused) : Words(188));
      TFormMessage::Tell(this, MessageKind::Warning, Words(273), QStringLiteral("PhotoUpload"));
      return;
    }
    Say(i18n::Text(i18n::WordsGuide, i18n::guide::kPhotoSaved));
    club_.Client().LoadPhoto(Utf8(club_.Data().User.Nick), this, [this](std::optional<QImage> photo) {
      if (photo) {
        club_.Data().OwnPhoto = photo;
        photo_->setPixmap(QPixmap::fromImage(photo->scaled(kPhoto)));
      }
      --busy_;
    });
  });
}

}  // namespace varnok::online
