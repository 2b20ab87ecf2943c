#include "form_options.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QIntValidator>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QTabWidget>
#include <QVBoxLayout>
#include <QtDebug>

#include "form_options_look.h"
#include "loader.h"
#include "names.h"
#include "zub_cards_button.h"

namespace varnok {

namespace {

constexpr int kRowOptions = 2;     // main table, "Options"
constexpr int kRowClose = 159;     // main table, "Close"
constexpr QSize kWindowSize{680, 560};
constexpr QSize kTitleSize{300, 64};
constexpr int kTitleTop = 6;

// The tabs in order, with the table and row of each caption.
struct TabCaption {
  i18n::WordTable table;
  int row;
};
constexpr TabCaption kTabCaptions[] = {
    {i18n::WordsMain, 30},    // "General"
    {i18n::WordsMain, 38},    // "Cards"
    {i18n::WordsMain, 39},    // "Decks"
    {i18n::WordsGames, 111},  // "Game"
    {i18n::WordsMain, 40},    // "Fonts"
    {i18n::WordsMain, 362},   // "BG"
    {i18n::WordsMain, 292},   // "Save games"
    {i18n::WordsMain, 382},   // "Design"
};

}  // namespace

TFormOptions::TFormOptions(Settings& settings, OptionsListener& listener, SoundHook sound, QWidget* parent)
    : QDialog(parent), settings_(settings), listener_(listener), sound_(std::move(sound)) {
  setObjectName(QStringLiteral("TFormOptions"));
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
  setModal(true);
  // The window grows with the table and is never larger than the main window.
  scale_ = FittedDialogScale(kWindowSize, parent);
  setFixedSize(Len(kWindowSize.width()), Len(kWindowSize.height()));
  setFont(DialogFont(Len(15)));
  setStyleSheet(OptionsStyleSheet());
  background_ = DrawnBaize(size());
  filling_ = true;

  tabs_ = new QTabWidget(this);
  tabs_->setObjectName(QStringLiteral("Tabs"));
  tabs_->setDocumentMode(false);
  tabs_->setElideMode(Qt::ElideRight);
  tabs_->tabBar()->setExpanding(false);
  tabs_->tabBar()->setDrawBase(false);
  tabs_->addTab(BuildGeneralTab(), QString());
  tabs_->addTab(BuildCardsTab(), QString());
  tabs_->addTab(BuildDecksTab(), QString());
  tabs_->addTab(BuildGameTab(), QString());
  tabs_->addTab(BuildFontsTab(), QString());
  tabs_->addTab(BuildBackgroundTab(), QString());
  tabs_->addTab(BuildSaveTab(), QString());
  tabs_->addTab(BuildDesignTab(), QString());
  tabs_->addTab(BuildDllTab(), QStringLiteral("DLL"));
  for (int i = 0; i < static_cast<int>(std::size(kTabCaptions)); ++i) {
    const TabCaption caption = kTabCaptions[i];
    OnRetranslate([this, i, caption] { tabs_->setTabText(i, i18n::Text(caption.table, caption.row)); });
  }

  status_ = new QLabel(this);
  status_->setObjectName(QStringLiteral("Status"));
  status_->setFont(DialogFont(Len(14), true));
  status_->setProperty(kOwnFont, true);
  status_->setWordWrap(true);
  {
    QPalette palette = status_->palette();
    palette.setColor(QPalette::WindowText, QColor(255, 214, 120));
    status_->setPalette(palette);
  }
  status_->setStyleSheet(QStringLiteral("color: #ffd678;"));

  TZubCardsButton* close = MakeDialogButton(this, QString(), QStringLiteral("Close"), TColorSB::DOrang);
  close->setFixedSize(Len(130), Len(30));
  Caption(close, i18n::WordsMain, kRowClose);
  connect(close, &QPushButton::clicked, this, &QDialog::accept);

  auto* bottom = new QHBoxLayout;
  bottom->addWidget(status_, 1);
  bottom->addSpacing(10);
  bottom->addWidget(close);

  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(Len(14), Len(kTitleTop + kTitleSize.height() + 2), Len(14), Len(12));
  column->setSpacing(Len(8));
  column->addWidget(tabs_, 1);
  column->addLayout(bottom);

  OnRetranslate([this] { setWindowTitle(i18n::Text(i18n::WordsMain, kRowOptions)); });
  Retranslate();
  CheckLibraries();
  filling_ = false;
  // Every control in the large font, but those that carry a font of their own.
  for (QWidget* child : findChildren<QWidget*>()) {
    if (child->property(kOwnFont).toBool() || child->parentWidget() == tabs_) continue;
    if (child->inherits("QAbstractButton") || child->inherits("QLabel") || child->inherits("QAbstractItemView") ||
        child->inherits("QComboBox") || child->inherits("QLineEdit") || child->inherits("QGroupBox")) {
      if (!child->inherits("varnok::TZubCardsButton")) child->setFont(DialogFont(Len(15)));
    }
  }
  if (languages_ != nullptr) {
    // Every language shows without scrolling, also in the taller rows of the
    // CJK fonts.
    languages_->ensurePolished();
    int rows_height = 2 * languages_->frameWidth() + 2;
    for (int row = 0; row < languages_->count(); ++row) rows_height += languages_->sizeHintForRow(row);
    languages_->setMinimumHeight(rows_height);
  }
  if (window_sizes_ != nullptr) {
    window_sizes_->setFixedHeight(window_sizes_->sizeHintForRow(0) * window_sizes_->count() +
                                  2 * window_sizes_->frameWidth() + 2);
  }
  // Enter ends the editing of a field; it must neither close the window nor
  // press a button.
  for (QPushButton* button : findChildren<QPushButton*>()) {
    button->setAutoDefault(false);
    button->setDefault(false);
  }
  ApplyNata(this, settings_.NewButtons);
}

TFormOptions::~TFormOptions() = default;

void TFormOptions::Open(QWidget* parent, Settings& settings, OptionsListener& listener, SoundHook sound) {
  PlayOpenSound(sound);
  TFormOptions window(settings, listener, std::move(sound), parent);
  window.exec();
}

void TFormOptions::OnRetranslate(std::function<void()> apply) { retexts_.push_back(std::move(apply)); }

void TFormOptions::Caption(QAbstractButton* control, i18n::WordTable table, int row, const QString& tail) {
  OnRetranslate([control, table, row, tail] { control->setText(i18n::Text(table, row) + tail); });
}

void TFormOptions::Caption(QLabel* control, i18n::WordTable table, int row, const QString& tail) {
  OnRetranslate([control, table, row, tail] { control->setText(i18n::Text(table, row) + tail); });
}

void TFormOptions::Caption(QGroupBox* control, i18n::WordTable table, int row) {
  OnRetranslate([control, table, row] { control->setTitle(i18n::Text(table, row)); });
}

void TFormOptions::Retranslate() {
  const bool was_filling = filling_;
  filling_ = true;
  for (const auto& apply : retexts_) apply();
  filling_ = was_filling;
  // The tabs in one row: a language with long captions gets a smaller font.
  for (int pixels = Len(14); pixels >= 9; --pixels) {
    tabs_->tabBar()->setFont(DialogFont(pixels, true));
    if (tabs_->tabBar()->sizeHint().width() <= width() - Len(40)) break;
  }
  LoadTitlePicture();
  DrawFlag();
  update();
}

void TFormOptions::LoadTitlePicture() {
  title_picture_ = QImage();
  QImage picture;
  if (LoadPng(QStringLiteral("GFormOpt") + i18n::GraphicCode(), QString::fromLatin1(kGraphicsLibrary), picture) &&
      !picture.isNull()) {
    title_picture_ = picture;
  }
}

QString TFormOptions::StatusText() const { return status_->text(); }

void TFormOptions::Tell(const QString& message) { status_->setText(message); }

void TFormOptions::ClearStatus() { status_->clear(); }

void TFormOptions::Play(const char* sound) const {
  if (sound_) sound_(QString::fromLatin1(sound));
}

void TFormOptions::Refuse(QWidget* field, const QString& message) {
  qInfo().noquote() << "Options:" << message;
  Tell(message);
  Play("WWrongs");
  if (field != nullptr) field->setFocus(Qt::OtherFocusReason);
}

QLineEdit* TFormOptions::NumberField(const QString& name, int min, int max, int captionRow,
                                     std::function<int()> current, std::function<void(int)> apply) {
  auto* field = new QLineEdit(QString::number(std::clamp(current(), min, max)), this);
  field->setObjectName(name);
  field->setMaxLength(6);
  field->setFixedWidth(Len(90));
  field->setAlignment(Qt::AlignRight);
  // The range as the message tells it: "Scale, %: 50 - 150".
  const auto range_message = [captionRow, min, max](const QString& prefix) {
    QString caption = i18n::Text(i18n::WordsMain, captionRow).trimmed();
    if (caption.endsWith(QLatin1Char(':'))) caption.chop(1);
    return prefix + caption + QStringLiteral(": %1 - %2").arg(min).arg(max);
  };
  // A valid value takes effect as it is typed; anything else waits for the
  // end of the editing.
  connect(field, &QLineEdit::textEdited, this, [this, min, max, apply](const QString& text) {
    bool ok = false;
    const int n = text.trimmed().toInt(&ok);
    if (ok && n >= min && n <= max) {
      ClearStatus();
      apply(n);
    }
  });
  connect(field, &QLineEdit::editingFinished, this, [this, field, min, max, current, apply, range_message] {
    const QString text = field->text().trimmed();
    bool ok = false;
    const qlonglong n = text.toLongLong(&ok);
    if (ok && n >= min && n <= max) {
      field->setText(QString::number(n));
      return;
    }
    if (ok && !text.isEmpty()) {
      const int clamped = n < min ? min : max;
      field->setText(QString::number(clamped));
      apply(clamped);
      Refuse(field, range_message(QStringLiteral("%1 \u2192 %2. ").arg(text).arg(clamped)));
      return;
    }
    // Not a number: the field goes back to the value in force.
    field->setText(QString::number(std::clamp(current(), min, max)));
    Refuse(field, range_message(QStringLiteral("\"%1\"? ").arg(text)));
  });
  return field;
}

void TFormOptions::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintDialog(painter, *this, background_);
  const QSize title_size(Len(kTitleSize.width()), Len(kTitleSize.height()));
  const QRect title(QPoint((width() - title_size.width()) / 2, Len(kTitleTop)), title_size);
  painter.setRenderHint(QPainter::SmoothPixmapTransform);
  if (!title_picture_.isNull()) {
    painter.drawImage(title, title_picture_);
  } else {
    painter.drawImage(title, DrawnTitle(i18n::Text(i18n::WordsMain, kRowOptions), kTitleSize));
  }
}

void TFormOptions::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  CentreOn(*this, parentWidget());
}

}  // namespace varnok
