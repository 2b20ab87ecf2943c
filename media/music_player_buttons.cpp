#include "music_player_buttons.h"

#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <QWidget>

#include "loader.h"
#include "music_player.h"

namespace varnok::media {

QString PlayerButtonPicture(int button, bool playing) {
  switch (button) {
    case 1: return playing ? QStringLiteral("MP_Pause") : QStringLiteral("MP_Play");
    case 2: return QStringLiteral("MP_Next");
    case 3: return QStringLiteral("MP_Volume");
  }
  return {};
}

bool PlayerButtonsShown(bool available, double scale, bool title_shown) {
  return available && scale >= 1.5 && !title_shown;
}

class PlayerButton : public QWidget {
 public:
  PlayerButton(int number, MusicPlayer& player, QWidget* parent) : QWidget(parent), number_(number), player_(player) {
    setObjectName(QStringLiteral("PlayerButton%1").arg(number));
    setFixedSize(kPlayerButtonSize, kPlayerButtonSize);
    setCursor(Qt::PointingHandCursor);
    setMouseTracking(true);
    hide();
  }
  bool Pressed() const { return pressed_; }
  QString Picture() const { return PlayerButtonPicture(number_, player_.Playing()); }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    QImage picture;
    LoadPng(Picture(), QString(), picture);
    // Pressed: one pixel down and to the right, a little darker.
    const QPoint at = pressed_ ? QPoint(1, 1) : QPoint(0, 0);
    painter.drawImage(at, picture);
    if (pressed_) painter.fillRect(rect(), QColor(0, 0, 0, 50));
    if (number_ == 3) {
      QFont font = painter.font();
      font.setBold(true);
      font.setPixelSize(16);
      painter.setFont(font);
      painter.setPen(QColor(255, 255, 0));
      painter.drawText(rect().translated(at).adjusted(0, 30, 0, 0), Qt::AlignHCenter | Qt::AlignTop,
                       QString::number(player_.Volume()));
    }
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton) return;
    pressed_ = true;
    update();
  }
  void mouseReleaseEvent(QMouseEvent* event) override {
    if (event->button() != Qt::LeftButton || !pressed_) return;
    pressed_ = false;
    update();
    const int x = static_cast<int>(event->position().x());
    switch (number_) {
      case 1: player_.TogglePlay(); break;
      case 2: player_.Next(); break;
      case 3: player_.ClickVolume(x); break;
    }
  }
  void enterEvent(QEnterEvent*) override {
    if (number_ != 1) return;
    const QString hint = property("hint").toString();
    if (hint.isEmpty()) return;
    QToolTip::showText(mapToGlobal(QPoint(width() / 2, 0)), hint, this, rect(), kPlayerBalloonMs);
  }
  void leaveEvent(QEvent*) override {
    if (number_ == 1) QToolTip::hideText();
  }

 private:
  int number_;
  MusicPlayer& player_;
  bool pressed_ = false;
};

MusicPlayerButtons::MusicPlayerButtons(MusicPlayer& player, QWidget* parent) : QObject(parent), player_(player) {
  for (int n = 1; n <= 3; ++n) buttons_[static_cast<std::size_t>(n - 1)] = new PlayerButton(n, player, parent);
  connect(&player_, &MusicPlayer::Changed, this, &MusicPlayerButtons::Redraw);
}

QWidget* MusicPlayerButtons::Button(int n) const { return buttons_[static_cast<std::size_t>(n - 1)]; }

void MusicPlayerButtons::Place(int client_height, bool shown) {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    buttons_[i]->move(kPlayerButtonX[i], client_height - kPlayerButtonsAboveBottom);
    buttons_[i]->setVisible(shown);
    if (shown) buttons_[i]->raise();
  }
}

void MusicPlayerButtons::PlaceColumn(int left, int bottom, bool shown) {
  for (std::size_t i = 0; i < buttons_.size(); ++i) {
    const int below = static_cast<int>(buttons_.size() - 1 - i);  // buttons under this one
    buttons_[i]->move(left, bottom - kPlayerButtonSize - below * (kPlayerButtonSize + kPlayerButtonGap));
    buttons_[i]->setVisible(shown);
    if (shown) buttons_[i]->raise();
  }
}

void MusicPlayerButtons::Redraw() {
  const Song* song = player_.CurrentSong();
  // The play button's hint, shown as a balloon while the mouse is over it.
  buttons_[0]->setProperty("hint", song != nullptr ? SongHint(*song) : QString());
  for (PlayerButton* b : buttons_) b->update();
}

}  // namespace varnok::media
