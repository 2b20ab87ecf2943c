#include "menu_screen.h"

#include <QPointer>

#include <QColor>
#include <QLabel>
#include <QLoggingCategory>
#include <QMouseEvent>
#include <QMovie>
#include <QPainter>
#include <QSet>
#include <QWidget>

#include "calendar_strip.h"
#include "click_picture.h"
#include "club_list.h"
#include "clock_drawing.h"
#include "control_fonts.h"
#include "fonts.h"
#include "guide_rows.h"
#include "loader.h"
#include "menu_layout.h"
#include "menu_movie.h"
#include "status_drawing.h"
#include "table_canvas.h"
#include "words.h"
#include "zub_cards_button.h"

Q_LOGGING_CATEGORY(lcMenu, "varnok.menu")

namespace varnok {

// A picture control of the menu: shows its picture at (0, 0), transparent
// where the picture is; a left click calls the handler when there is one
// (otherwise the click goes on to the window).
class MenuPicture : public QWidget {
 public:
  MenuPicture(const QString& name, QWidget* parent) : QWidget(parent) {
    setObjectName(name);
    hide();
  }
  QImage& Image() { return image_; }
  void SetImage(const QImage& image) {
    image_ = image;
    update();
  }
  void SetClick(std::function<void()> click) {
    click_ = std::move(click);
    setCursor(Qt::PointingHandCursor);
  }
  void SetRightClick(std::function<void()> click) { right_click_ = std::move(click); }

 protected:
  void paintEvent(QPaintEvent*) override {
    if (image_.isNull()) return;
    QPainter painter(this);
    painter.drawImage(0, 0, image_);
  }
  void mousePressEvent(QMouseEvent* event) override {
    if (click_ && event->button() == Qt::LeftButton) {
      event->accept();
      click_();
      return;
    }
    if (right_click_ && event->button() == Qt::RightButton) {
      event->accept();
      right_click_();
      return;
    }
    QWidget::mousePressEvent(event);
  }

 private:
  QImage image_;
  std::function<void()> click_;
  std::function<void()> right_click_;
};

namespace {

constexpr char kGraphLibrary[] = "ZubCGraph1.dll";
constexpr char kOpenFormSound[] = "WOpenFo";

// The menu's colours of the owner-drawn buttons.
const QColor kMenuAqua{0, 255, 255};
const QColor kMenuWhite{255, 255, 255};
const QColor kMenuYellow{255, 255, 0};
const QColor kMenuNavy{0, 0, 128};

QMovie* LoadMovie(const QString& name, QObject* owner) {
  auto* movie = new QMovie(owner);
  if (!LoadGif(name, QString(), *movie)) qCWarning(lcMenu) << "animation" << name << "not found";
  movie->setCacheMode(QMovie::CacheAll);
  return movie;
}

// A movie running, or standing still on its first frame.
void RunMovie(QMovie* movie, bool run) {
  if (movie == nullptr || !movie->isValid()) return;
  if (run) {
    if (movie->state() != QMovie::Running) movie->start();
  } else {
    movie->stop();
    movie->jumpToFrame(0);
  }
}

// The stand-in caption when the graphics library is missing: the program's
// title in the large font.
QImage DrawnCaption(QSize size) {
  QImage picture(size, QImage::Format_ARGB32_Premultiplied);
  picture.fill(Qt::transparent);
  QPainter painter(&picture);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.setFont(i18n::KindFont(i18n::FontKind::Decor, std::max(8, size.height() * 2 / 3)));
  painter.setPen(QColor(40, 20, 0, 160));
  painter.drawText(picture.rect().translated(2, 2), Qt::AlignCenter, QString::fromUtf8(i18n::kProgramTitle));
  painter.setPen(QColor(236, 200, 96));
  painter.drawText(picture.rect(), Qt::AlignCenter, QString::fromUtf8(i18n::kProgramTitle));
  return picture;
}

}  // namespace

// --- pure helpers -------------------------------------------------------------

QImage RecolourCaption(const QImage& picture, int variant) {
  if (variant < 1 || variant > 7 || variant == 1 || picture.isNull()) return picture;
  const int turn = (variant - 1) * 360 / 7;
  QImage result = picture.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < result.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(result.scanLine(y));
    for (int x = 0; x < result.width(); ++x) {
      const QRgb pixel = line[x];
      QColor colour = QColor::fromRgb(pixel);
      const int hue = colour.hsvHue();
      if (hue < 0) continue;  // a grey keeps its colour
      colour.setHsv((hue + turn) % 360, colour.hsvSaturation(), colour.value());
      line[x] = qRgba(colour.red(), colour.green(), colour.blue(), qAlpha(pixel));
    }
  }
  return result;
}

int NextTitleColour(int variant) { return variant >= 1 && variant < 7 ? variant + 1 : 1; }

QString GraphicCodeOf(int language) {
  static const char* const kCodes[10] = {"Eng", "Rus", "Deu", "Fra", "Spa", "Chi", "Ita", "Cze", "Eng", "Eng"};
  return QString::fromLatin1(kCodes[language >= 0 && language <= 9 ? language : 0]);
}

QString OfflineOnlineHint(int item, int language) {
  using i18n::Text;
  switch (item) {
    case 2: return Text(i18n::WordsGames, 627, language) + QStringLiteral(": NO CONNECT");
    case 3: return Text(i18n::WordsGames, 628, language) + QStringLiteral("NO CONNECT");
    case 4: return Text(i18n::WordsGames, 629, language) + QStringLiteral("NO CONNECT");
    case 5: return Text(i18n::WordsGames, 630, language) + QStringLiteral("NO CONNECT");
    case 6:
    case 7: return Text(i18n::WordsMain, 209, language) + QStringLiteral(" NO CONNECT");
    default: return Text(i18n::WordsGames, 626, language) + QStringLiteral(": NO CONNECT");
  }
}

// --- the screen ---------------------------------------------------------------

MenuScreen::MenuScreen(QWidget* canvas, std::function<void(QString)> sound)
    : QObject(canvas), canvas_(canvas), sound_(std::move(sound)), clock_([] { return QTime::currentTime(); }) {
  Build();
}

MenuScreen::~MenuScreen() = default;

void MenuScreen::SetClock(std::function<QTime()> clock) {
  clock_ = clock ? std::move(clock) : [] { return QTime::currentTime(); };
}

TZubCardsButton* MenuScreen::MakeButton(const QString& name) {
  auto* button = new TZubCardsButton(canvas_);
  button->setObjectName(name);
  button->SetLightFont(true);
  button->SetColorMouse(kMenuYellow);
  button->setFocusPolicy(Qt::NoFocus);
  button->hide();
  return button;
}

void MenuScreen::Build() {
  // The canvas's own children (the table's buttons) are not the menu's.
  QSet<QWidget*> known;
  for (QObject* child : canvas_->children()) {
    if (auto* widget = qobject_cast<QWidget*>(child)) known.insert(widget);
  }
  // Made from the back to the front: the buttons lie over the pictures.
  side_left_ = new MenuPicture(QStringLiteral("ImageSvLeft"), canvas_);
  side_right_ = new MenuPicture(QStringLiteral("ImageSvRight"), canvas_);
  gif1_ = new MenuMovie(QStringLiteral("RxGIFAn1"), canvas_);
  gif2_ = new MenuMovie(QStringLiteral("RxGIFAn2"), canvas_);
  title_ = new MenuPicture(QStringLiteral("ImTitle"), canvas_);
  caption_ = new MenuPicture(QStringLiteral("ImCaption"), canvas_);
  caption_->SetClick([this] { OnCaption(); });
  elite_ = new MenuPicture(QStringLiteral("ImElite"), canvas_);
  clock1_ = new MenuPicture(QStringLiteral("ImClock1"), canvas_);
  clock2_ = new MenuPicture(QStringLiteral("ImClock2"), canvas_);
  clock2_->SetClick([this] { Q_EMIT OnlinePanelClicked(); });
  radio_ = new MenuPicture(QStringLiteral("ImRadio"), canvas_);
  radio_->SetClick([this] { Q_EMIT RadioClicked(); });
  radio_->SetRightClick([this] { Q_EMIT RadioRightClicked(); });
  news_board_ = new MenuPicture(QStringLiteral("ImNews"), canvas_);
  calendar_ = new CalendarStrip(canvas_);
  // The badges: labels showing a movie, clickable like the pictures.
  auto* news = new ClickPicture(QStringLiteral("RxGIFAnNews"), [this] { Q_EMIT NewsClicked(); }, canvas_);
  news->hide();
  news->setToolTip(QStringLiteral("Zub News!"));
  news_badge_ = news;
  auto* chat = new ClickPicture(QStringLiteral("RxGIFAnChat"), [this] { Q_EMIT ChatClicked(); }, canvas_);
  chat->hide();
  chat->setToolTip(QStringLiteral("Zub Chat!"));
  chat_badge_ = chat;
  for (std::size_t i = 0; i < lamps_.size(); ++i) {
    lamps_[i] = new MenuPicture(QStringLiteral("MenuLamp%1").arg(i + 1), canvas_);
    lamps_[i]->setAttribute(Qt::WA_TransparentForMouseEvents);
    lamp_pictures_[i] = FitPicture(StatusPicture(MenuLampPicture(static_cast<int>(i))),
                                   QSize(kMenuLampSize, kMenuLampSize));
    lamp_faces_[i] = {};
  }

  for (MenuMovie* movie : {gif1_, gif2_}) {
    const QString name = movie == gif1_ ? QStringLiteral("GifMenu1") : QStringLiteral("GifMenu2");
    if (!movie->Load(name)) qCWarning(lcMenu) << "animation" << name << "not found";
  }
  news_movie_ = LoadMovie(QStringLiteral("GSirenaB"), this);
  chat_movie_ = LoadMovie(QStringLiteral("GSirenaR"), this);
  news_badge_->setMovie(news_movie_);
  chat_badge_->setMovie(chat_movie_);

  members_header_ = MakeButton(QStringLiteral("Panel4"));
  members_header_->setAttribute(Qt::WA_TransparentForMouseEvents);
  for (int slot = 1; slot <= 5; ++slot) {
    TZubCardsButton* button = MakeButton(MenuControlName(MemberButton(slot)));
    connect(button, &QPushButton::clicked, this, [this, slot] { OnMember(slot); });
    members_[static_cast<std::size_t>(slot - 1)] = button;
  }
  new_player_button_ = MakeButton(QStringLiteral("Button6"));
  top_ten_button_ = MakeButton(QStringLiteral("Button9"));
  history_ = MakeButton(QStringLiteral("BHistory"));
  options_button_ = MakeButton(QStringLiteral("Button10"));
  mode_ = MakeButton(QStringLiteral("BMode"));
  exit_button_ = MakeButton(QStringLiteral("Button11"));
  connect(new_player_button_, &QPushButton::clicked, this, [this] {
    PlaySound();
    Q_EMIT NewPlayerClicked();
  });
  connect(top_ten_button_, &QPushButton::clicked, this, [this] {
    PlaySound();
    Q_EMIT TopTenClicked();
  });
  connect(options_button_, &QPushButton::clicked, this, [this] {
    PlaySound();
    Q_EMIT OptionsClicked();
  });
  connect(history_, &QPushButton::clicked, this, [this] { Q_EMIT HistoryClicked(); });
  connect(exit_button_, &QPushButton::clicked, this, [this] { Q_EMIT ExitClicked(); });
  connect(mode_, &QPushButton::clicked, this, [this] { OnMode(); });

  for (QObject* child : canvas_->children()) {
    auto* widget = qobject_cast<QWidget*>(child);
    if (widget != nullptr && !known.contains(widget)) controls_.push_back(widget);
  }
}

const QImage& MenuScreen::Background() const {
  if (const auto* table = qobject_cast<const TableCanvas*>(canvas_)) return table->Background();
  return no_background_;
}

void MenuScreen::PlaySound() {
  if (sound_) sound_(QString::fromLatin1(kOpenFormSound));
}

bool MenuScreen::SlotEmpty(int slot) const {
  if (slot < 1 || slot > 5) return true;
  return empty_[static_cast<std::size_t>(slot - 1)];
}

void MenuScreen::Show(const MenuInputs& inputs) {
  const bool wasShown = shown_;
  in_ = inputs;
  if (inputs.titleColour < 1 || inputs.titleColour > 7) {
    qCWarning(lcMenu) << "caption colour variant" << inputs.titleColour << "out of 1..7, variant 1 shown";
    in_.titleColour = 1;
  }
  title_colour_ = in_.titleColour;
  view_ = inputs.clubView == 2 ? 2 : 1;
  club_file_ = inputs.clubFile;
  // The title screen's picture goes: the menu lies over the bare table.
  if (auto* table = qobject_cast<TableCanvas*>(canvas_)) table->SetOverlay(QImage(), QPoint());

  PlaceControls();
  ColourButtons();
  const QFont mainFont = MainButtonFont(in_.layout);
  const QFont infoFont = InfoFont(in_.layout);
  for (TZubCardsButton* button : {new_player_button_, top_ten_button_, options_button_, exit_button_, history_, mode_}) button->setFont(mainFont);
  for (TZubCardsButton* button : members_) button->setFont(infoFont);
  members_header_->setFont(infoFont);
  const int lang = in_.language;
  // Long captions (Russian "Лучшая десятка") are fitted to their buttons.
  FitCaptionToButton(new_player_button_, mainFont, i18n::Text(i18n::WordsMain, 0, lang));
  FitCaptionToButton(top_ten_button_, mainFont, i18n::Text(i18n::WordsMain, 3, lang));
  FitCaptionToButton(options_button_, mainFont, i18n::Text(i18n::WordsMain, 2, lang));
  FitCaptionToButton(exit_button_, mainFont, i18n::Text(i18n::WordsMain, 4, lang));
  FitCaptionToButton(history_, mainFont, i18n::Text(i18n::WordsMain, 5, lang));
  FitCaptionToButton(mode_, mainFont, i18n::Text(i18n::WordsMain, 6, lang));

  DrawPictures();
  DrawCaptions();
  ShowClubList(view_, club_file_);
  ShowClocks();
  ShowRadioBadge();
  ShowBadges(news_, chat_);
  // The lamps' pictures hold the table under them: made again for this place and background.
  for (auto& faces : lamp_faces_) faces = {};
  DrawLamps(true);

  for (QWidget* control : std::initializer_list<QWidget*>{title_, caption_, elite_, side_left_, side_right_, members_header_,
                                                          new_player_button_, top_ten_button_, options_button_, exit_button_, history_, mode_}) {
    control->show();
  }
  for (TZubCardsButton* button : members_) button->show();
  for (MenuPicture* lamp : lamps_) lamp->show();
  calendar_->setGeometry(CalendarStripRect(in_.layout));
  calendar_->Prepare(in_.language, in_.layout);
  calendar_->setVisible(in_.calendarShown);
  if (!wasShown) online_fetched_ = false;
  shown_ = true;
  StartAnimations();
}

void MenuScreen::TurnCalendar() {
  if (shown_ && in_.calendarShown) calendar_->Turn();
}

void MenuScreen::Hide() {
  shown_ = false;
  for (QMovie* movie : {news_movie_, chat_movie_}) {
    if (movie->isValid()) movie->stop();
  }
  for (MenuMovie* movie : {gif1_, gif2_}) movie->SetRunning(false);
  for (QWidget* control : controls_) control->hide();
}

void MenuScreen::PlaceControls() {
  const LayoutState& s = in_.layout;
  const bool cal = in_.calendarShown;
  auto place = [&](QWidget* widget, MenuControl control) { widget->setGeometry(MenuControlRect(s, control, cal)); };
  place(title_, MenuControl::ImTitle);
  place(caption_, MenuControl::ImCaption);
  place(elite_, MenuControl::ImElite);
  place(members_header_, MenuControl::Panel4);
  for (int slot = 1; slot <= 5; ++slot) place(members_[static_cast<std::size_t>(slot - 1)], MemberButton(slot));
  place(new_player_button_, MenuControl::Button6);
  place(top_ten_button_, MenuControl::Button9);
  place(history_, MenuControl::BHistory);
  place(options_button_, MenuControl::Button10);
  place(mode_, MenuControl::BMode);
  place(exit_button_, MenuControl::Button11);
  place(gif1_, MenuControl::RxGIFAn1);
  place(gif2_, MenuControl::RxGIFAn2);
  place(side_left_, MenuControl::ImageSvLeft);
  place(side_right_, MenuControl::ImageSvRight);
  clock1_->setGeometry(DigitalClockRect(s, cal));
  clock2_->setGeometry(OnlinePanelRect(s, cal));
  radio_->setGeometry(RadioBadgeRect(s));
  news_board_->setGeometry(NewsBoardRect(s));
  news_badge_->setGeometry(NewsBadgeRect(s));
  chat_badge_->setGeometry(ChatBadgeRect(s));
  const std::array<QRect, kMenuLampCount> lamps = MenuLampRects(s, cal);
  for (std::size_t i = 0; i < lamps_.size(); ++i) lamps_[i]->setGeometry(lamps[i]);
}

void MenuScreen::ColourButtons() {
  const bool purple = in_.menuDesign == 1;
  auto colour = [&](TZubCardsButton* button, TColorSB scheme, const QColor& text) {
    button->SetColorSB(purple ? TColorSB::DCards : scheme);
    button->SetFontColor(purple ? kMenuWhite : text);
  };
  for (TZubCardsButton* button : members_) colour(button, TColorSB::DNavy, kMenuAqua);
  colour(new_player_button_, TColorSB::DNavy, kMenuAqua);
  for (TZubCardsButton* button : {top_ten_button_, options_button_, exit_button_, history_, mode_}) {
    colour(button, TColorSB::DRed, kMenuWhite);
  }
  // Navy reads better than white on the light blue of the header.
  colour(members_header_, TColorSB::DBlue, kMenuNavy);
}

void MenuScreen::DrawPictures() {
  title_->SetImage(FitPicture(StatusPicture(QStringLiteral("GTitle")), title_->size()));
  side_left_->SetImage(FitPicture(StatusPicture(QStringLiteral("PngMenu1")), side_left_->size()));
  side_right_->SetImage(FitPicture(StatusPicture(QStringLiteral("PngMenu2")), side_right_->size()));
}

void MenuScreen::DrawCaptions() {
  const QString code = GraphicCodeOf(in_.language);
  const QString library = QString::fromLatin1(kGraphLibrary);
  QImage caption = StatusPicture(QStringLiteral("Cap") + code, library);
  if (caption.isNull()) caption = DrawnCaption(caption_->size());
  caption_->SetImage(FitPicture(RecolourCaption(caption, title_colour_), caption_->size()));
  const QImage elite = StatusPicture((in_.networkMode ? QStringLiteral("Net__") : QStringLiteral("Elite")) + code, library);
  elite_->SetImage(elite.isNull() ? QImage() : FitPicture(RecolourCaption(elite, title_colour_), elite_->size()));
}

void MenuScreen::ShowClubList(int view, const QString& clubFile) {
  view_ = view == 2 ? 2 : 1;
  club_file_ = clubFile;
  const ClubList list = ReadClubList(view_, clubFile, in_.language);
  members_header_->setText(list.header);
  for (std::size_t i = 0; i < members_.size(); ++i) {
    members_[i]->setText(list.rows[i]);
    empty_[i] = list.empty[i];
  }
  fifth_row_ = list.rows[4];
  SetRatedSlot(rated_slot_);
}

void MenuScreen::SetRatedSlot(bool rated) {
  rated_slot_ = rated;
  TZubCardsButton* fifth = members_[4];
  if (fifth == nullptr) return;
  const QString what = i18n::Text(i18n::WordsGuide, i18n::guide::kRatedSlot, in_.language);
  fifth->setText(rated ? what : fifth_row_);
  fifth->setToolTip(rated ? what : QString());
}

void MenuScreen::ShowClocks() {
  const bool large = MenuLargeWindow(in_.layout) && MenuClocksShown(in_.layout);
  clock1_->setVisible(large);
  clock2_->setVisible(large);
  if (!large) return;
  LayerCanvas canvas{clock1_->Image(), clock1_->geometry(), Background()};
  const QTime now = clock_();
  DrawDigitalClock(canvas, now);
  clock_shown_ = now.msecsSinceStartOfDay() / 1000;
  clock1_->update();
  DrawOnlineItem(clock_().minute() % 7 + 1);
}

void MenuScreen::DrawOnlineItem(int item) {
  online_item_ = item;
  online_value_ = QStringLiteral("00");
  // Until the server answers the item keeps its default value.
  LayerCanvas canvas{clock2_->Image(), clock2_->geometry(), Background()};
  DrawOnlinePanel(canvas, item, QStringLiteral("00"), QChar());
  clock2_->setToolTip(OfflineOnlineHint(item, in_.language));
  clock2_->update();
  if (!online_source_) return;
  online_source_(item, [this, guard = QPointer<MenuScreen>(this), item](const OnlinePanelItem& shown) {
    if (guard.isNull() || !shown_ || online_item_ != item || clock2_->isHidden()) return;
    online_value_ = shown.Value;
    LayerCanvas panel{clock2_->Image(), clock2_->geometry(), Background()};
    DrawOnlinePanel(panel, shown.Item, shown.Value, shown.Suffix, shown.FlagPicture);
    clock2_->setToolTip(shown.Hint);
    clock2_->update();
  });
}

void MenuScreen::SetRadioBadge(RadioBadge state, const QString& hint) {
  radio_state_ = state;
  radio_hint_ = hint;
  if (shown_) ShowRadioBadge();
}

void MenuScreen::ShowRadioBadge() {
  if (!MenuBadgeBoardsShown(in_.layout)) {
    radio_->hide();
    return;
  }
  LayerCanvas canvas{radio_->Image(), radio_->geometry(), Background()};
  RestoreBackground(canvas);
  {
    QPainter painter(&canvas.image);
    painter.drawImage(0, 71, StatusPicture(QStringLiteral("GPolkaNw")));
    painter.drawImage(37, 6, StatusPicture(QStringLiteral("GRadioA")));
    const char* state = radio_state_ == RadioBadge::On    ? "GRadioG"
                        : radio_state_ == RadioBadge::Off ? "GRadioR"
                                                          : "GRadioB";
    painter.drawImage(37, 6, StatusPicture(QString::fromLatin1(state)));
  }
  radio_->setToolTip(radio_hint_.isEmpty() ? i18n::Text(i18n::WordsGames, 611, in_.language) : radio_hint_);
  radio_->update();
  radio_->show();
}

void MenuScreen::ShowBadges(bool news, bool chat) {
  news_ = news;
  chat_ = chat;
  const bool board = MenuBadgeBoardsShown(in_.layout);
  news_board_->setVisible(board);
  if (board) {
    LayerCanvas canvas{news_board_->Image(), news_board_->geometry(), Background()};
    RestoreBackground(canvas);
    QPainter painter(&canvas.image);
    painter.drawImage(0, 71, StatusPicture(QStringLiteral("GPolkaNw")));
    painter.drawImage(30, 20, StatusPicture(QStringLiteral("GNews072")));
    painter.drawImage(107, 22, StatusPicture(QStringLiteral("GChat072")));
    news_board_->update();
  }
  // On the board both badges are always there and run with their flags;
  // standing alone, a badge shows only while its flag is up.
  news_badge_->setVisible(board || news);
  chat_badge_->setVisible(board || chat);
  news_badge_->raise();
  chat_badge_->raise();
  RunMovie(news_movie_, news && in_.animated);
  RunMovie(chat_movie_, chat && in_.animated);
}

void MenuScreen::StartAnimations() {
  for (MenuMovie* movie : {gif1_, gif2_}) {
    movie->Prepare(Background());
    movie->SetRunning(in_.animated);
    movie->show();
  }
}

void MenuScreen::DrawLamps(bool all) {
  const std::array<bool, kMenuLampCount> lit = MenuLampsLit(lamp_frame_);
  for (std::size_t i = 0; i < lamps_.size(); ++i) {
    const int state = lit[i] ? 1 : 0;
    // Only a lamp that went on or off is drawn again (its own small rectangle).
    if (!all && lamp_drawn_[i] == state) continue;
    QImage& picture = lamp_faces_[i][static_cast<std::size_t>(state)];
    if (picture.isNull()) {
      // Laid over the table under the lamp, so that nothing beneath it is
      // painted again when it goes on or off.
      const QRect place = lamps_[i]->geometry();
      const bool opaque = Background().rect().contains(place);
      lamps_[i]->setAttribute(Qt::WA_OpaquePaintEvent, opaque);
      picture = QImage(QSize(kMenuLampSize, kMenuLampSize),
                       opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
      QPainter painter(&picture);
      if (opaque) {
        painter.drawImage(QPoint(0, 0), Background(), place);
      } else {
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.fillRect(picture.rect(), Qt::transparent);
        painter.setCompositionMode(QPainter::CompositionMode_SourceOver);
      }
      painter.setOpacity(lit[i] ? 1.0 : 0.3);
      painter.drawImage(0, 0, lamp_pictures_[i]);
    }
    lamps_[i]->SetImage(picture);
    lamp_drawn_[i] = state;
  }
}

void MenuScreen::Tick() {
  if (!shown_) return;
  lamp_frame_ = (lamp_frame_ + 1) % kMenuLampFrames;
  DrawLamps(false);
  for (MenuMovie* movie : {gif1_, gif2_}) movie->Advance(kTickMs);
  if (clock1_->isHidden()) return;
  const QTime now = clock_();
  // The clock shows seconds: it is drawn again when the second has changed.
  const int second = now.msecsSinceStartOfDay() / 1000;
  if (second != clock_shown_) {
    clock_shown_ = second;
    LayerCanvas canvas{clock1_->Image(), clock1_->geometry(), Background()};
    DrawDigitalClock(canvas, now);
    clock1_->update();
  }
  // At second 01 of every minute the panel turns to the minute's item, once.
  if (now.second() == 1) {
    if (!online_fetched_) {
      online_fetched_ = true;
      DrawOnlineItem(now.minute() % 7 + 1);
    }
  } else {
    online_fetched_ = false;
  }
}

void MenuScreen::OnMember(int slot) {
  // An empty slot opens nothing, but for the fifth while a rated game may start there.
  if (SlotEmpty(slot) && !(slot == 5 && rated_slot_)) return;
  PlaySound();
  Q_EMIT MemberClicked(slot);
}

void MenuScreen::OnMode() {
  PlaySound();
  view_ = view_ == 2 ? 1 : 2;
  ShowClubList(view_, club_file_);
  Q_EMIT ViewToggled(view_);
}

void MenuScreen::OnCaption() {
  title_colour_ = NextTitleColour(title_colour_);
  in_.titleColour = title_colour_;
  DrawCaptions();
  Q_EMIT TitleColourChanged(title_colour_);
}

}  // namespace varnok
