#include "form_chat.h"

#include <QCheckBox>
#include <QDateTime>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMouseEvent>
#include <QVBoxLayout>

#include "chat_text.h"
#include "click_picture.h"
#include "form_message.h"
#include "online_client.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowUnableToSend = 157;
constexpr int kRowClose = 159;
constexpr int kRowPassport = 163;
constexpr int kRowTitle = 179;
constexpr int kRowBottom = 180;
constexpr int kRowAutoOpen = 181;
constexpr int kPictureSize = 40;
// The stamp goes into a field that the server takes up to 100 characters long.
constexpr std::size_t kStampLength = 60;

QString Shown(const std::string& utf8) { return QString::fromStdString(online::ChatShownText(utf8)); }

void PaintText(QWidget* widget, const QColor& colour) {
  QPalette palette = widget->palette();
  palette.setColor(QPalette::WindowText, colour);
  widget->setPalette(palette);
}

}  // namespace

// A picture that acts as a button, keeping its place while hidden so that
// the text field does not jump.
class ChatPictureButton : public ClickPicture {
 public:
  ChatPictureButton(const QString& name, const QImage& picture, std::function<void()> click, QWidget* parent)
      : ClickPicture(name, std::move(click), parent) {
    setPixmap(QPixmap::fromImage(picture));
    setFixedSize(picture.size());
    QSizePolicy policy = sizePolicy();
    policy.setRetainSizeWhenHidden(true);
    setSizePolicy(policy);
  }
};

TFormChat::TFormChat(ChatWindowSetup setup, QWidget* parent) : TBaizeDialog(parent), setup_(std::move(setup)) {
  setObjectName(QStringLiteral("TFormChat"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setWindowTitle(i18n::Text(i18n::WordsMain, kRowTitle));
  setFixedSize(720, 640);
  SetBackground(DrawnBaize(size()));

  auto* title = new QLabel(i18n::Text(i18n::WordsMain, kRowTitle), this);
  title->setObjectName(QStringLiteral("ChatTitle"));
  title->setFont(DialogFont(24, true));
  title->setAlignment(Qt::AlignCenter);
  PaintText(title, kDialogGold);
  CastShadow(title);

  board_ = new ChatBoardView(this);
  board_->setMinimumHeight(430);

  bottom_ = new QCheckBox(i18n::Text(i18n::WordsMain, kRowBottom), this);
  bottom_->setObjectName(QStringLiteral("CheckBottom"));
  auto_open_ = new QCheckBox(i18n::Text(i18n::WordsMain, kRowAutoOpen), this);
  auto_open_->setObjectName(QStringLiteral("CheckAutoOpen"));
  for (QCheckBox* box : {bottom_, auto_open_}) {
    box->setFont(DialogFont(14, true));
    PaintText(box, kDialogText);
    box->setFocusPolicy(Qt::NoFocus);
  }
  if (setup_.State != nullptr) {
    bottom_->setChecked(setup_.State->Bottom);
    auto_open_->setChecked(setup_.State->AutoOpen);
  }
  connect(bottom_, &QCheckBox::toggled, this, &TFormChat::OnBottomToggled);
  connect(auto_open_, &QCheckBox::toggled, this, &TFormChat::OnAutoOpenToggled);

  edit_ = new QLineEdit(this);
  edit_->setObjectName(QStringLiteral("Edit"));
  edit_->setMaxLength(online::kChatTextLength);
  edit_->setFont(DialogFont(16));
  edit_->setMinimumHeight(30);
  edit_->setStyleSheet(QStringLiteral(
      "QLineEdit { background: #fffdf4; color: #401010; border: 2px solid #c9a227; border-radius: 6px;"
      " padding: 2px 6px; } QLineEdit:disabled { background: #d8d2c0; color: #807868; }"));
  connect(edit_, &QLineEdit::returnPressed, this, &TFormChat::PostMessage);
  send_ = new ChatPictureButton(QStringLiteral("SendPicture"), ChatSendPicture(kPictureSize),
                                [this] { PostMessage(); }, this);
  refresh_ = new ChatPictureButton(QStringLiteral("RefreshPicture"), ChatRefreshPicture(kPictureSize),
                                   [this] {
                                     // Until the window's next tick.
                                     refresh_->hide();
                                     DrawMessages();
                                   },
                                   this);
  send_->setToolTip(i18n::Text(i18n::WordsMain, 158));

  passport_ = MakeDialogButton(this, i18n::Text(i18n::WordsMain, kRowPassport), QStringLiteral("Passport"),
                               TColorSB::DBlue);
  close_ = MakeDialogButton(this, i18n::Text(i18n::WordsMain, kRowClose), QStringLiteral("Close"), TColorSB::DRed);
  for (TZubCardsButton* button : {passport_, close_}) {
    button->setFixedSize(150, 32);
    // Enter in the text field posts; it never presses a button.
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  passport_->setEnabled(static_cast<bool>(setup_.OpenPassport));
  connect(passport_, &QPushButton::clicked, this, &TFormChat::OnPassport);
  connect(close_, &QPushButton::clicked, this, &QDialog::accept);

  auto* boxes = new QHBoxLayout;
  boxes->addWidget(bottom_);
  boxes->addStretch(1);
  boxes->addWidget(auto_open_);
  auto* entry = new QHBoxLayout;
  entry->setSpacing(8);
  entry->addWidget(send_);
  entry->addWidget(edit_, 1);
  entry->addWidget(refresh_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  buttons->addWidget(passport_);
  buttons->addSpacing(30);
  buttons->addWidget(close_);
  buttons->addStretch(1);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(16, 10, 16, 12);
  column->setSpacing(8);
  column->addWidget(title);
  column->addWidget(board_, 1);
  column->addLayout(boxes);
  column->addLayout(entry);
  column->addLayout(buttons);
  ApplyNata(this, DialogNata());

  timer_.setInterval(setup_.RefreshMs > 0 ? setup_.RefreshMs : 15000);
  connect(&timer_, &QTimer::timeout, this, &TFormChat::OnTick);
  timer_.start();

  UpdateEditEnabled();
  DrawMessages();
}

TFormChat::~TFormChat() = default;

QWidget* TFormChat::SendPicture() const { return send_; }
QWidget* TFormChat::RefreshPicture() const { return refresh_; }

void TFormChat::UpdateEditEnabled() {
  bool acceptable = false;
  if (setup_.Passport) {
    const ChatPassport passport = setup_.Passport();
    acceptable = online::PassportAcceptable(passport.Nick, passport.City);
  }
  edit_->setEnabled(acceptable && !post_blocked_ && !posting_);
}

void TFormChat::DrawMessages() {
  if (setup_.Client == nullptr) return;
  const int sequence = ++draw_sequence_;
  setup_.Client->Run(online::ReadTable{online::kChatTable}, this, [this, sequence](online::TableResult result) {
    // Only the latest read is drawn.
    if (sequence != draw_sequence_) return;
    ++draws_;
    if (!result.Ok) {
      board_->SetNoConnect();
      Q_EMIT Drawn();
      return;
    }
    ChatBoardState fallback;
    ChatBoardState& state = setup_.State != nullptr ? *setup_.State : fallback;
    if (own_post_) {
      // The player's message, with the number the server gave it.
      for (const online::TZubRecord& row : result.Rows) {
        if (row.Nick == own_post_->Nick && row.R09 == own_post_->Stamp && row.R10 == own_post_->Text) {
          own_numbers_.insert(row.Score);
          own_post_.reset();
          break;
        }
      }
    }
    std::array<std::optional<ChatBoardMessage>, ChatBoardView::kLines> lines;
    for (int i = 0; i < ChatBoardView::kLines; ++i) {
      const online::TZubRecord& row = result.Rows[static_cast<std::size_t>(i)];
      if (row.Nick == "#") continue;
      ChatBoardMessage message;
      message.Number = row.Score;
      message.Header = Shown(row.City) + QStringLiteral(" : ") + Shown(row.R09) + QLatin1Char(' ') +
                       Shown(row.R08) + QStringLiteral(" : ") + Shown(row.Nick);
      message.Text = Shown(row.R10);
      message.Country = QString::fromStdString(row.Country);
      message.Woman = row.R07 != "M";
      message.Fresh = row.Score > state.LastSeen && own_numbers_.count(row.Score) == 0;
      const int line = state.Bottom ? ChatBoardView::kLines - 1 - i : i;
      lines[static_cast<std::size_t>(line)] = message;
    }
    board_->SetMessages(lines);
    state.Newest = result.Rows[0].Score;
    Q_EMIT Drawn();
  });
}

void TFormChat::PostMessage() {
  if (posting_ || !edit_->isEnabled() || edit_->text().isEmpty() || setup_.Client == nullptr) return;
  const ChatPassport passport = setup_.Passport ? setup_.Passport() : ChatPassport{};
  const std::string text = online::ChatSafeText(edit_->text().toStdString());
  const QLocale locale;
  const QDateTime now = QDateTime::currentDateTime();
  const std::string stamp = online::ChatClip(
      online::ChatStamp(locale.toString(now.time(), QLocale::LongFormat).toStdString(),
                        locale.toString(now.date(), QLocale::ShortFormat).toStdString(), i18n::kProgramTitle),
      kStampLength);
  posting_ = true;
  UpdateEditEnabled();
  // First the newest number on the board; nothing is sent when it cannot be read.
  setup_.Client->Run(online::ReadTable{online::kChatTable}, this,
                     [this, passport, text, stamp](online::TableResult board) {
    if (!board.Ok) {
      PostFailed();
      return;
    }
    const int newest = board.Rows[0].Score;
    online::WriteTableEntry entry;
    entry.Gid = online::kChatTable;
    entry.Nick = passport.Nick;
    entry.City = passport.City;
    entry.Country = passport.Country;
    entry.Score = newest + 1;  // the server gives the message its number
    entry.R7 = passport.Sex == "W" ? "W" : "M";
    entry.R9 = stamp;
    entry.R10 = text;
    setup_.Client->Run(entry, this, [this, newest, passport, text, stamp](online::NumberResult written) {
      if (!written.Ok) {
        PostFailed();
        return;
      }
      posting_ = false;
      post_blocked_ = true;
      edit_->clear();
      send_->hide();
      UpdateEditEnabled();
      own_post_ = OwnPost{passport.Nick, stamp, text};
      if (setup_.State != nullptr) {
        // What was on the board when the player wrote counts as seen; a
        // message another player posted at the same moment stays new.
        setup_.State->LastSeen = std::max(setup_.State->LastSeen, newest);
        setup_.State->Newest = std::max(setup_.State->Newest, newest + 1);
      }
      if (setup_.SaveMarkers) setup_.SaveMarkers();
      DrawMessages();
      Q_EMIT PostFinished(true);
    });
  });
}

void TFormChat::PostFailed() {
  posting_ = false;
  UpdateEditEnabled();
  // Told without waiting: the window goes on while the message is read.
  auto* box = new TFormMessage(MessageKind::Warning, i18n::Text(i18n::WordsMain, kRowUnableToSend), this);
  box->setObjectName(QStringLiteral("ChatSendFailed"));
  box->setWindowModality(Qt::WindowModal);
  connect(box, &QDialog::finished, box, &QObject::deleteLater);
  box->show();
  Q_EMIT PostFinished(false);
}

void TFormChat::OnTick() {
  refresh_->show();
  send_->show();
  post_blocked_ = false;
  UpdateEditEnabled();
  bottom_->setEnabled(true);
  // The board is read again: what others posted meanwhile appears, marked new.
  // A post on its way reads the board itself when it is done.
  if (!posting_) DrawMessages();
}

void TFormChat::OnBottomToggled(bool checked) {
  if (setup_.State != nullptr) setup_.State->Bottom = checked;
  if (setup_.SaveMarkers) setup_.SaveMarkers();
  DrawMessages();
  // Until the next tick.
  bottom_->setEnabled(false);
}

void TFormChat::OnAutoOpenToggled(bool checked) {
  if (setup_.State != nullptr) setup_.State->AutoOpen = checked;
  if (setup_.SaveMarkers) setup_.SaveMarkers();
}

void TFormChat::OnPassport() {
  if (!setup_.OpenPassport) return;
  setup_.OpenPassport(this);
  UpdateEditEnabled();
}

}  // namespace varnok
