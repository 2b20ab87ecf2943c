// TFormOptions: the options window. It edits the settings in memory: every
// control shows the current value when the window opens and changes its
// setting at once, then tells the main window through an OptionsListener what
// must take effect now (a new language, window size, card design, fonts,
// background, sound, music, flight speed or anything else).
//
// Tabs: "General", "Cards", "Decks", "Game", "Fonts", "BG", "Save games",
// "Design" and "DLL". A language picked in the list re-captions the window at
// once (title picture, tabs, every caption and list). A card, back or
// background design whose library is missing falls back to the built-in one,
// with the file's name in the window's status line. Typed numbers outside
// their range are clamped, texts that are no number refused; both are told in
// the status line with the focus on the field.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <functional>
#include <vector>

#include "dialog_look.h"
#include "settings.h"
#include "words.h"

class QAbstractButton;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QWidget;

namespace varnok {

class TZubCardsButton;

// The property that keeps a control's own font when the window sets the
// large font on every control.
inline constexpr char kOwnFont[] = "varnokOwnFont";

// What the main window must apply at once after a control changed a setting.
class OptionsListener {
 public:
  virtual ~OptionsListener() = default;
  virtual void LanguageChanged() {}
  virtual void WindowSizeChanged() {}
  virtual void CardsChanged() {}  // face or back design, or the back choice
  virtual void FontsChanged() {}
  virtual void BackgroundChanged() {}  // picture, colour or the table design
  virtual void SoundChanged() {}
  virtual void MusicChanged() {}
  virtual void SpeedChanged() {}
  virtual void OtherChanged() {}
  // "Passport": opens the world-top-ten profile window over `parent`.
  virtual void PassportRequested(QWidget* /*parent*/) {}
  // A fetch button of the "DLL" page: downloads the library `file` into the
  // program's parent folder on the event loop, tells `progress` the
  // percentage as it arrives and `done` whether it arrived whole.
  virtual void FetchLibrary(const QString& /*file*/, std::function<void(int)> /*progress*/,
                            std::function<void(bool)> done) {
    done(false);
  }
};

class TFormOptions : public QDialog {
  Q_OBJECT

 public:
  TFormOptions(Settings& settings, OptionsListener& listener, SoundHook sound, QWidget* parent = nullptr);
  ~TFormOptions() override;

  // Shows the window modally over `parent` until it is closed.
  static void Open(QWidget* parent, Settings& settings, OptionsListener& listener, SoundHook sound);

  // The library files of the fetch buttons, n = 1..9 as the buttons "Fetch1"
  // .. "Fetch9" are numbered.
  static const std::vector<QString>& FetchableLibraries();

  QTabWidget* Tabs() const { return tabs_; }
  // The message of the status line ("" when there is none).
  QString StatusText() const;
  // The pictures shown: the card preview (three faces and a back of the
  // designs in use), the background, the flag beside the language list.
  QImage CardPreview() const { return card_preview_; }
  QImage BackgroundPreview() const { return background_preview_; }
  QImage FlagPicture() const { return flag_; }
  // The designs the card preview shows (0 after a fallback).
  int PreviewFace() const { return preview_face_; }
  int PreviewBack() const { return preview_back_; }
  // Whether the title picture of the graphics library is shown (else the
  // title is drawn as text).
  bool HasTitlePicture() const { return !title_picture_.isNull(); }

  // Re-reads every caption and list item in the current language.
  void Retranslate();
  // Enables each fetch button only when its library is in neither the
  // program's folder nor its parent; the salute choices need the graphics
  // library and are cleared without it.
  void CheckLibraries();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  // A design length at the window's scale.
  int Len(int design) const { return ScaledLen(design, scale_); }

  // A text of the word tables that follows the language.
  void Caption(QAbstractButton* control, i18n::WordTable table, int row, const QString& tail = QString());
  void Caption(QLabel* control, i18n::WordTable table, int row, const QString& tail = QString());
  void Caption(QGroupBox* control, i18n::WordTable table, int row);
  void OnRetranslate(std::function<void()> apply);

  // Puts `message` in the status line, the focus on `field` and plays the
  // refusal sound.
  void Refuse(QWidget* field, const QString& message);
  void Tell(const QString& message);
  void ClearStatus();
  void Play(const char* sound) const;

  // A number field for `min`..`max` that applies a valid value as it is typed.
  // `current` gives the value in force, to which a refused text goes back.
  QLineEdit* NumberField(const QString& name, int min, int max, int captionRow, std::function<int()> current,
                         std::function<void(int)> apply);

  QWidget* BuildGeneralTab();
  QWidget* BuildCardsTab();
  QWidget* BuildDecksTab();
  QWidget* BuildGameTab();
  QWidget* BuildFontsTab();
  QWidget* BuildBackgroundTab();
  QWidget* BuildSaveTab();
  QWidget* BuildDesignTab();
  QWidget* BuildDllTab();

  void ChooseLanguage(int index);
  void LoadTitlePicture();
  void DrawFlag();
  void OpenSpeed();
  void ChooseFaceDesign(int design);
  void ChooseBackDesign(int design);
  void ChooseBackChoice(BackChoice choice);
  void ShowBackChoice();
  void UpdateCardPreview();
  void ChooseBackground(int picture, int colour);
  void UpdateBackgroundPreview();
  void ShowFontKind(int kind);
  void ApplyFonts();
  void ShowDesignChoices();
  void Fetch(int n);

  Settings& settings_;
  OptionsListener& listener_;
  SoundHook sound_;

  QTabWidget* tabs_ = nullptr;
  QLabel* status_ = nullptr;
  std::vector<std::function<void()>> retexts_;
  QImage background_;
  QImage title_picture_;

  // General.
  QLabel* flag_box_ = nullptr;
  QImage flag_;
  QListWidget* languages_ = nullptr;
  QListWidget* window_sizes_ = nullptr;
  QLabel* window_hint_ = nullptr;
  // Cards and decks.
  QListWidget* faces_ = nullptr;
  QListWidget* backs_ = nullptr;
  QLabel* face_preview_box_ = nullptr;
  QLabel* back_preview_box_ = nullptr;
  QImage card_preview_;
  int preview_face_ = 0;
  int preview_back_ = 0;
  QAbstractButton* change_decks_ = nullptr;
  QAbstractButton* always_one_ = nullptr;
  QAbstractButton* random_ = nullptr;
  // Fonts.
  QListWidget* font_kinds_ = nullptr;
  QListWidget* font_names_ = nullptr;
  QLineEdit* font_scale_ = nullptr;
  QLabel* font_sample_ = nullptr;
  // Background.
  QComboBox* bg_pictures_ = nullptr;
  QComboBox* bg_colours_ = nullptr;
  QLabel* bg_preview_box_ = nullptr;
  QImage background_preview_;
  // Design.
  QComboBox* menu_design_ = nullptr;
  QComboBox* table_design_ = nullptr;
  QComboBox* aux_design_ = nullptr;
  QAbstractButton* salute_buttons_ = nullptr;
  QAbstractButton* salute_cards_ = nullptr;
  // DLL.
  std::vector<TZubCardsButton*> fetch_buttons_;

  bool filling_ = false;  // controls are being set from the settings: no changes
  double scale_ = 1.0;  // the window's size over its design size
};

}  // namespace varnok
