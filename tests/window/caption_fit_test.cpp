// Every window and dialog laid out in all ten languages at all five window
// sizes: no caption, label, button text, list row or column header is wider
// or taller than its control, no control reaches out of its window, and no
// dialog is larger than the main window.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QListWidget>
#include <QRadioButton>
#include <QScreen>
#include <QTabWidget>
#include <QScrollBar>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <iostream>
#include <map>

#include "form_history.h"
#include "form_mast.h"
#include "form_message.h"
#include "form_options.h"
#include "form_password.h"
#include "form_score.h"
#include "form_top_ten.h"
#include "form_zakaz.h"
#include "recwin_count.h"
#include "layout.h"
#include "main_window.h"
#include "score_sheet.h"
#include "settings.h"
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
    // A dialog is never wider than the main window; the fixed heights of the
    // record windows may pass a 500 high table but stay on the screen.
    const QScreen* screen = QGuiApplication::primaryScreen();
    const int screen_height = screen != nullptr ? screen->availableGeometry().height() : 0;
    if (root->isWindow() && root != main_window_widget_ &&
        (root->width() > main_window.width() || (screen_height > 0 && root->height() > screen_height))) {
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
      if (auto* label = qobject_cast<QLabel*>(w)) CheckLabel(name, control, label);
      else if (auto* button = qobject_cast<QAbstractButton*>(w)) CheckButton(name, control, button);
      if (auto* list = qobject_cast<QListWidget*>(w)) {
        CheckList(name, control, list);
        CheckListHeight(name, control, list);
      }
      if (auto* combo = qobject_cast<QComboBox*>(w)) CheckCombo(name, control, combo);
      if (auto* table = qobject_cast<QTableWidget*>(w)) CheckHeader(name, control, table);
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

void WriteOptionsIn(const QString& folder, int mode, int language) {
  Settings settings;
  settings.WindowMode = mode;
  settings.FlyingCards = false;
  settings.Music = false;
  settings.Sound = false;
  settings.LanguageIndex = language;
  std::ofstream out((folder + QStringLiteral("/Varnok.ini")).toStdString(), std::ios::binary);
  out << FormatSettings(settings);
}

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
  WriteOptionsIn(folder.path(), mode, language);
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
  // Every caption the engine gives the two table buttons.
  const UiText captions[] = {UiText::Games(words::games::kToBegin),      UiText::Games(words::games::kPass),
                             UiText::Games(words::games::kNextRound),    UiText::Games(words::games::kIPlayOn, "180"),
                             UiText::Games(words::games::kToOpenCards),  UiText::Games(words::games::kToDistributeCards),
                             UiText::Main(words::main::kExitToMenu),    UiText::Plain("Ok")};
  for (const UiText& caption : captions) {
    window.SetTableButton(TableButton::Next, true, true, i18n::Caption(caption));
    window.SetTableButton(TableButton::Pass, true, true, i18n::Caption(caption));
    check.Window(window.Canvas(), "table", main_size());
  }

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
  TFormHistory history(folder.path(), QStringLiteral("Varnok.clb"), look, &window);
  CheckDialog(check, history, "history", main_size());
  std::vector<TopTenEntry> entries(10);
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entries[i].Empty = false;
    entries[i].Name = "Player " + std::to_string(i + 1);
    entries[i].Score = static_cast<int>(900 - 50 * i);
  }
  TFormTopTen top_ten(MakeTopTenView(entries, ClubKind::Local), look, &window);
  CheckDialog(check, top_ten, "top ten", main_size());
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
