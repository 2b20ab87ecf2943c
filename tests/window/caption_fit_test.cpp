// Every window and dialog laid out in all ten languages at all five window
// sizes: no caption, label, button text, list row or column header is wider
// or taller than its control, no control reaches out of its window, no dialog
// is larger than the main window, every text is drawn in one font, and the
// texts of the record windows stay on the paper of their scroll.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QRadioButton>
#include <QRawFont>
#include <QScreen>
#include <QTabWidget>
#include <QScrollBar>
#include <QStyle>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QFile>
#include <QTest>
#include <QTextLayout>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>

#include "form_history.h"
#include "guide_rows.h"
#include "form_mast.h"
#include "form_message.h"
#include "form_options.h"
#include "form_password.h"
#include "form_radio.h"
#include "form_score.h"
#include "form_top_ten.h"
#include "form_zakaz.h"
#include "recwin_count.h"
#include "recwin_look.h"
#include "layout.h"
#include "main_window.h"
#include "media_rules.h"
#include "music_player.h"
#include "radio.h"
#include "score_sheet.h"
#include "settings.h"
#include "status_line.h"
#include "table_canvas.h"
#include "top_ten.h"
#include "ui_text.h"
#include "window_driver.h"
#include "words.h"
#include "zub_cards_button.h"

namespace varnok {
namespace {

using namespace varnok::testing;

struct Misfit {
  std::string where;  // language, size, window, control
  std::string what;
};

class FitChecker {
 public:
  FitChecker(std::vector<Misfit>& misfits, std::string context, QWidget* main_window)
      : misfits_(misfits), context_(std::move(context)), main_window_widget_(main_window) {}

  void Window(QWidget* root, const std::string& name, QSize main_window) {
    QApplication::processEvents();
    // A dialog is never larger than the main window.
    if (root->isWindow() && root != main_window_widget_ &&
        (root->width() > main_window.width() || root->height() > main_window.height())) {
      Add(name, "", "window " + Size(root->size()) + " larger than the main window " + Size(main_window));
    }
    for (QWidget* w : root->findChildren<QWidget*>()) {
      if (!w->isVisibleTo(root) || w->window() != root->window()) continue;
      const std::string control = w->objectName().isEmpty() ? w->metaObject()->className() : w->objectName().toStdString();
      const QRect in_root(w->mapTo(root, QPoint(0, 0)), w->size());
      if (!QRect(QPoint(0, 0), root->size()).adjusted(-1, -1, 1, 1).contains(in_root) &&
          qobject_cast<QScrollBar*>(w) == nullptr && w->parentWidget() != nullptr &&
          w->parentWidget()->inherits("QAbstractScrollArea") == false)
        Add(name, control, "reaches out of its window: " + Rect(in_root) + " in " + Size(root->size()));
      if (auto* label = qobject_cast<QLabel*>(w)) {
        CheckLabel(name, control, label);
        // The font sample shows the chosen face as it is, other scripts and all.
        if (label->pixmap().isNull() && !Qt::mightBeRichText(label->text()) && control != "FontSample")
          CheckOneFont(name, control, label->text(), label->font());
      } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
        CheckButton(name, control, button);
        CheckOneFont(name, control, button->text(), button->font());
      }
      if (auto* list = qobject_cast<QListWidget*>(w)) {
        CheckList(name, control, list);
        CheckListHeight(name, control, list);
      }
      if (auto* combo = qobject_cast<QComboBox*>(w)) CheckCombo(name, control, combo);
      if (auto* table = qobject_cast<QTableWidget*>(w)) CheckHeader(name, control, table);
    }
  }

  // Texts a window draws itself keep inside `paper` (both in the same pixels)
  // and clear of each other.
  void DrawnTexts(const std::string& window, const std::vector<DrawnText>& texts, const QRect& paper) {
    for (std::size_t i = 0; i < texts.size(); ++i) {
      const QRect extent = texts[i].Extent();
      if (!paper.contains(extent))
        Add(window, "", "drawn \"" + texts[i].Text.left(40).toStdString() + "\" at " + Rect(extent) +
                            " leaves the paper " + Rect(paper));
      for (std::size_t j = i + 1; j < texts.size(); ++j) {
        if (extent.intersects(texts[j].Extent()))
          Add(window, "", "drawn \"" + texts[i].Text.left(40).toStdString() + "\" runs into \"" +
                              texts[j].Text.left(40).toStdString() + "\"");
      }
    }
  }

  // A suit sign on the status line stays on the line of the word before it,
  // whatever the length of the declarer's name and the bid: no wrapped line
  // starts with a sign. The texts are laid out as the line shows them.
  void SuitSignsStayWithTheirWords(QLabel* line, const std::string& window) {
    const int width = line->contentsRect().width();
    QFont bold = line->font();
    bold.setBold(true);
    GameState s;
    s.InGame = true;
    s.Phase = phOrdered;
    s.Declarer = 1;
    const std::uint8_t suits[] = {kHearts, kDiamonds, kClubs, kSpades};
    for (const std::uint8_t suit : suits) {
      s.Trump = suit;
      const QString sign = SuitSign(suit);
      std::vector<std::pair<QString, QFont>> texts = {
          {i18n::Text(i18n::WordsGuide, i18n::guide::kFollow).arg(SuitSign(suit)), bold},
          {i18n::Text(i18n::WordsGuide, i18n::guide::kTrumpIn).arg(SuitSign(suit), SuitSign(suit)), bold},
          {i18n::Text(i18n::WordsGuide, i18n::guide::kRefusedFollow).arg(SuitSign(suit)), bold},
          {i18n::Text(i18n::WordsGuide, i18n::guide::kRefusedTrump).arg(SuitSign(suit)), bold}};
      for (int length = 1; length <= 20; ++length) {
        for (const int bid : {100, 145, 180}) {
          s.Names[1] = std::string(static_cast<std::size_t>(length), 'W');
          s.Zakaz = bid;
          texts.push_back({ContractText(s), line->font()});
        }
      }
      for (const auto& [text, font] : texts) {
        QTextLayout layout(KeepSignsWithWords(text), font);
        QTextOption option;
        option.setWrapMode(QTextOption::WordWrap);
        layout.setTextOption(option);
        layout.beginLayout();
        for (QTextLine row = layout.createLine(); row.isValid(); row = layout.createLine()) row.setLineWidth(width);
        layout.endLayout();
        for (int i = 1; i < layout.lineCount(); ++i) {
          QString start = text.mid(layout.lineAt(i).textStart()).trimmed();
          if (start.startsWith(sign))
            Add(window, line->objectName().toStdString(),
                "\"" + text.toStdString() + "\" wraps its sign to a line of its own in " + std::to_string(width));
        }
      }
    }
  }

  // The controls a player clicks on the table (its buttons, the music
  // player's buttons, the chat line, the player's hand) keep clear of each
  // other: none covers another.
  void TableControlsApart(QWidget* canvas, const std::string& window, const QRect& hand) {
    std::vector<std::pair<std::string, QRect>> controls{{"hand of seat 3", hand}};
    for (QWidget* w : canvas->findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly)) {
      if (!w->isVisibleTo(canvas)) continue;
      const QString name = w->objectName();
      if (qobject_cast<QAbstractButton*>(w) != nullptr || qobject_cast<QLineEdit*>(w) != nullptr ||
          name.startsWith(QLatin1String("PlayerButton")))
        controls.emplace_back(name.isEmpty() ? w->metaObject()->className() : name.toStdString(), w->geometry());
    }
    for (std::size_t i = 0; i < controls.size(); ++i) {
      for (std::size_t j = i + 1; j < controls.size(); ++j) {
        const QRect common = controls[i].second.intersected(controls[j].second);
        if (!common.isEmpty())
          Add(window, controls[i].first, "covers " + controls[j].first + " at " + Rect(common));
      }
    }
  }

  // Labels laid on a picture keep inside its paper.
  void OnPaper(QWidget* root, const std::string& window, const QRect& paper, const QStringList& prefixes) {
    for (QLabel* label : root->findChildren<QLabel*>()) {
      if (!label->isVisibleTo(root) || label->text().isEmpty()) continue;
      if (std::none_of(prefixes.begin(), prefixes.end(),
                       [&](const QString& p) { return label->objectName().startsWith(p); }))
        continue;
      // Where the letters stand inside the label.
      const QRect box = label->contentsRect();
      const QRect letters = label->wordWrap()
                                ? label->fontMetrics().boundingRect(box, int(label->alignment()) | Qt::TextWordWrap,
                                                                    label->text())
                                : QStyle::alignedRect(Qt::LeftToRight, label->alignment(),
                                                      QSize(label->fontMetrics().horizontalAdvance(label->text()),
                                                            label->fontMetrics().height()),
                                                      box);
      const QRect in_root(label->mapTo(root, letters.topLeft()), letters.size());
      if (!paper.contains(in_root))
        Add(window, label->objectName().toStdString(),
            "\"" + label->text().left(40).toStdString() + "\" at " + Rect(in_root) + " leaves the paper " + Rect(paper));
    }
  }

 private:
  static std::string Size(QSize s) { return std::to_string(s.width()) + "x" + std::to_string(s.height()); }
  static std::string Rect(QRect r) {
    return std::to_string(r.x()) + "," + std::to_string(r.y()) + " " + Size(r.size());
  }
  void Add(const std::string& window, const std::string& control, const std::string& what) {
    misfits_.push_back({context_ + " " + window + (control.empty() ? "" : "/" + control), what});
  }
  void CheckText(const std::string& window, const std::string& control, const QString& text, const QFont& font,
                 int room_w, int room_h) {
    const QFontMetrics fm(font);
    const QStringList lines = text.split(QLatin1Char('\n'));
    int widest = 0;
    for (const QString& line : lines) widest = std::max(widest, fm.horizontalAdvance(line));
    const int tall = static_cast<int>(lines.size()) * fm.height();
    if (widest > room_w || tall > room_h + 2)
      Add(window, control,
          "\"" + text.left(40).toStdString() + "\" needs " + std::to_string(widest) + "x" + std::to_string(tall) +
              ", has " + std::to_string(room_w) + "x" + std::to_string(room_h));
  }
  // A text is drawn in one font: the font Qt takes first has every letter of
  // it (suit signs and other pictures aside), so that no letter comes from a
  // fallback that looks different.
  void CheckOneFont(const std::string& window, const std::string& control, const QString& text, const QFont& font) {
    if (text.isEmpty()) return;
    const QRawFont primary = QRawFont::fromFont(font);
    if (!primary.isValid()) return;
    for (const char32_t c : text.toUcs4()) {
      if (c < 0x20 || (c >= 0x2190 && c <= 0x2BFF) || c == U'&') continue;
      if (!primary.supportsCharacter(c)) {
        Add(window, control, "\"" + text.left(40).toStdString() + "\" mixes fonts: U+" + Hex(c) + " is not in " +
                                 primary.familyName().toStdString());
        return;
      }
    }
  }
  static std::string Hex(char32_t c) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04X", static_cast<unsigned>(c));
    return buffer;
  }
  void CheckLabel(const std::string& window, const std::string& control, QLabel* label) {
    const QString text = label->text();
    if (text.isEmpty() || !label->pixmap().isNull() || Qt::mightBeRichText(text)) return;
    const QRect room = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    if (label->wordWrap()) {
      const int need = label->heightForWidth(label->width());
      if (need > label->height() + 2)
        Add(window, control, "\"" + text.left(40).toStdString() + "\" wraps to " + std::to_string(need) +
                                 " high, has " + std::to_string(label->height()));
      return;
    }
    CheckText(window, control, text, label->font(), room.width(), room.height());
  }
  void CheckButton(const std::string& window, const std::string& control, QAbstractButton* button) {
    const QString text = button->text().remove(QLatin1Char('&'));
    if (text.isEmpty()) return;
    const bool indicator = qobject_cast<QCheckBox*>(button) != nullptr || qobject_cast<QRadioButton*>(button) != nullptr;
    // Owner-drawn buttons keep a few pixels of frame on each side.
    const int room = button->width() - (indicator ? 22 : 8);
    CheckText(window, control, text, button->font(), room, button->height());
  }
  void CheckList(const std::string& window, const std::string& control, QListWidget* list) {
    const QFontMetrics fm(list->font());
    const int room = list->viewport()->width() - 4;
    for (int i = 0; i < list->count(); ++i) {
      const int need = fm.horizontalAdvance(list->item(i)->text()) + (list->item(i)->icon().isNull() ? 0 : 22);
      if (need > room)
        Add(window, control, "row \"" + list->item(i)->text().toStdString() + "\" needs " + std::to_string(need) +
                                 ", has " + std::to_string(room));
    }
  }
  // A short list of choices (window sizes, languages) shows every row without scrolling.
  void CheckListHeight(const std::string& window, const std::string& control, QListWidget* list) {
    if (list->count() == 0 || list->count() > 10) return;
    list->scrollToTop();
    const int bottom = list->visualItemRect(list->item(list->count() - 1)).bottom();
    if (bottom >= list->viewport()->height())
      Add(window, control, std::to_string(list->count()) + " rows need " + std::to_string(bottom + 1) + " high, has " +
                               std::to_string(list->viewport()->height()));
  }
  void CheckCombo(const std::string& window, const std::string& control, QComboBox* combo) {
    const QFontMetrics fm(combo->font());
    for (int i = 0; i < combo->count(); ++i) {
      const int need = fm.horizontalAdvance(combo->itemText(i)) + 24;
      if (need > combo->width())
        Add(window, control, "item \"" + combo->itemText(i).toStdString() + "\" needs " + std::to_string(need) +
                                 ", has " + std::to_string(combo->width()));
    }
  }
  void CheckHeader(const std::string& window, const std::string& control, QTableWidget* table) {
    QHeaderView* header = table->horizontalHeader();
    if (header->isHidden()) return;
    const QFontMetrics fm(header->font());
    for (int c = 0; c < table->columnCount(); ++c) {
      const QTableWidgetItem* item = table->horizontalHeaderItem(c);
      if (item == nullptr || header->isSectionHidden(c)) continue;
      const int need = fm.horizontalAdvance(item->text()) + 8;
      if (need > header->sectionSize(c))
        Add(window, control, "header \"" + item->text().toStdString() + "\" needs " + std::to_string(need) + ", has " +
                                 std::to_string(header->sectionSize(c)));
    }
  }

  std::vector<Misfit>& misfits_;
  std::string context_;
  QWidget* main_window_widget_;
};


template <typename Dialog>
void CheckDialog(FitChecker& check, Dialog& dialog, const std::string& name, QSize main_window) {
  dialog.setModal(false);
  dialog.show();
  EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog)) << name;
  check.Window(&dialog, name, main_window);
  // Every page of a window with pages.
  for (QTabWidget* tabs : dialog.template findChildren<QTabWidget*>()) {
    for (int page = 1; page < tabs->count(); ++page) {
      tabs->setCurrentIndex(page);
      check.Window(&dialog, name + " page " + std::to_string(page + 1), main_window);
    }
    tabs->setCurrentIndex(0);
  }
  dialog.hide();
}

void LayOutEverything(int language, int mode, std::vector<Misfit>& misfits) {
  QTemporaryDir folder;
  ASSERT_TRUE(folder.isValid());
  WriteSettings(folder.path(), StillSilentSettings(mode, language));
  WriteClubFiles(folder.path());
  MainWindow window(TestWindowOptions(folder.path()));
  StartWindow(window);
  ASSERT_EQ(window.Options().LanguageIndex, language);
  FitChecker check(misfits, "lang " + std::to_string(language) + " size " + std::to_string(mode), &window);
  const auto main_size = [&window] { return window.size(); };

  QTest::mouseClick(window.Canvas(), Qt::LeftButton, {}, QPoint(380, 250));
  ASSERT_TRUE(window.MenuShown());
  check.Window(window.Canvas(), "menu", main_size());

  {
    DialogPilot pilot;
    QTest::mouseClick(MenuButton(window, "Button6"), Qt::LeftButton);
  }
  ASSERT_TRUE(window.State().InGame);
  // The music player has songs: its buttons stand on the table at the large sizes.
  window.Player().SetPlaylist(
      media::ParsePlaylist(QStringLiteral("Band_1~Song_1.mp3\nBand_2~Song_2.mp3\nBand_3~Song_3.mp3\nBand_4~Song_4.mp3\nBand_5~Song_5.mp3\nBand_6~Song_6.mp3\n"), QStringLiteral("http://127.0.0.1:9/music/")));
  window.PlacePlayerButtons();
  const LayoutState& layout = window.Canvas()->Layout();
  const QRect hand = PlaceLayer(layout, Layer::ImageCards3, CardSizeFor(layout, true).CardH);
  // Every caption the engine gives the two table buttons.
  const UiText captions[] = {UiText::Games(words::games::kToBegin),      UiText::Games(words::games::kPass),
                             UiText::Games(words::games::kNextRound),    UiText::Games(words::games::kIPlayOn, "180"),
                             UiText::Games(words::games::kToOpenCards),  UiText::Games(words::games::kToDistributeCards),
                             UiText::Main(words::main::kExitToMenu),    UiText::Plain("Ok")};
  for (const UiText& caption : captions) {
    window.SetTableButton(TableButton::Next, true, true, i18n::Caption(caption));
    window.SetTableButton(TableButton::Pass, true, true, i18n::Caption(caption));
    check.Window(window.Canvas(), "table", main_size());
    check.TableControlsApart(window.Canvas(), "table", hand);
  }

  check.SuitSignsStayWithTheirWords(window.StatusLine(), "table");

  Settings look = window.Options();
  TFormZakaz order(120, &window);
  CheckDialog(check, order, "order", main_size());
  TFormMast trump(&window);
  CheckDialog(check, trump, "trump", main_size());
  ScoreWindowData data;
  data.Count = CountOfGame(window.State(), window.GameEngine().Mode(), ScoreSource{});
  data.PlayerName = QStringLiteral("Tester");
  TFormScore score(data, look, &window);
  CheckDialog(check, score, "score", main_size());
  score.show();
  check.OnPaper(&score, "score", score.Paper(), {QStringLiteral("Label_"), QStringLiteral("Count_")});
  score.hide();
  TFormHistory history(folder.path(), QStringLiteral("Varnok.clb"), look, &window);
  CheckDialog(check, history, "history", main_size());
  std::vector<TopTenEntry> entries(10);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entries[i].Empty = false;
    entries[i].Name = "Player " + std::to_string(i + 1);
    entries[i].Score = static_cast<int>(900 - 50 * i);
    entries[i].ScoreText = "  " + std::to_string(entries[i].Score);
  }
  entries[9].Name = "Konstantin Konstantinopolsky";
  entries[9].Score = -1234;
  entries[9].ScoreText = " -1234";
  TFormTopTen top_ten(MakeTopTenView(entries, ClubKind::Local), look, &window);
  CheckDialog(check, top_ten, "top ten", main_size());
  check.DrawnTexts("top ten", top_ten.Texts(), TFormTopTen::Paper());
  PlayerWindowSetup player;
  TFormPassword password(player, &window);
  CheckDialog(check, password, "player", main_size());
  TFormOptions options(look, window, {}, &window);
  CheckDialog(check, options, "options", main_size());
  TFormMessage message(MessageKind::Question,
                       i18n::Text(i18n::WordsMain, 22) + QLatin1Char('\n') + i18n::Text(i18n::WordsMain, 23), &window);
  CheckDialog(check, message, "message", main_size());
  std::vector<SheetRound> rounds(3);
  for (int i = 0; i < 3; ++i) {
    rounds[static_cast<std::size_t>(i)].Round = i + 1;
    rounds[static_cast<std::size_t>(i)].Declarer = i + 1;
    rounds[static_cast<std::size_t>(i)].Bid = 120;
    rounds[static_cast<std::size_t>(i)].Order = 125;
    rounds[static_cast<std::size_t>(i)].Marriages = {0, 40, 0, 20};
    rounds[static_cast<std::size_t>(i)].Scores = {0, 376, 420, 288};
  }
  TFormScoreSheet sheet(rounds, {QString(), QStringLiteral("PC"), QStringLiteral("PC"), QStringLiteral("Tester")},
                        window.Canvas()->Layout(), &window);
  CheckDialog(check, sheet, "score sheet", main_size());

  // The radio window in each design, with the graphics library beside the
  // program from here on (the purple design needs it) and the station list
  // the program ships; every country that has stations is listed once.
  ASSERT_TRUE(QFile::copy(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR "/ZubCGraph1.dll"),
                          folder.filePath(QStringLiteral("ZubCGraph1.dll"))));
  ASSERT_TRUE(QFile::copy(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR "/ZubRadio.rad"),
                          folder.filePath(QStringLiteral("ZubRadio.rad"))));
  ASSERT_TRUE(QFile::copy(QStringLiteral(VARNOK_BUILT_PROGRAM_DIR "/ZubRadio02.dll"),
                          folder.filePath(QStringLiteral("ZubRadio02.dll"))));
  media::Radio station_radio;
  media::RadioFiles files;
  files.ProgramFolder = folder.path();
  files.StateFolder = folder.path();
  files.FromServer = false;
  station_radio.Init(files);
  ASSERT_TRUE(station_radio.Available());
  RadioWindowSetup radio_setup;
  radio_setup.Radio = &station_radio;
  radio_setup.Language = language;
  TFormRadio radio(radio_setup, &window);
  for (const RadioLook look : {RadioLook{true, 2, false}, RadioLook{false, 1, false}, RadioLook{false, 2, false},
                               RadioLook{false, 3, false}}) {
    radio.SetLook(look);
    const std::string name = "radio design " + std::to_string(static_cast<int>(radio.Design()));
    CheckDialog(check, radio, name, main_size());
    if (look.Purple) {
      radio.show();
      for (int country = 0; country < media::kCountryCount; ++country) {
        radio.ListStations(country);
        auto* stations = radio.findChild<QListWidget*>(QStringLiteral("StationList"));
        if (stations != nullptr && stations->count() > 0)
          check.Window(&radio, name + " country " + std::to_string(country), main_size());
      }
      radio.ListStations(0);
      radio.hide();
    }
  }

  DialogPilot pilot;
  window.close();
}

TEST(CaptionsFit, EveryWindowInEveryLanguageAndSize) {
  EnsureApplication();
  std::vector<Misfit> misfits;
  for (int language = 0; language < i18n::kLanguageCount; ++language) {
    for (int mode = 1; mode <= 5; ++mode) LayOutEverything(language, mode, misfits);
  }
  std::map<std::string, int> by_control;
  for (const Misfit& m : misfits) std::cout << m.where << ": " << m.what << "\n";
  EXPECT_TRUE(misfits.empty()) << misfits.size() << " captions do not fit";
}

}  // namespace
}  // namespace varnok
