// The texts of the status pictures keep whole in every language and window
// size: no letter of a speech bubble or digit of a score panel is cut by the
// edge of its picture or its box.
#include <gtest/gtest.h>

#include <QPainter>
#include <iostream>

#include "status_test.h"
#include "words.h"

namespace varnok::testing {
namespace {

// Ink that reaches a side of `box` was cut there.
std::string CutSides(QRect ink, QRect box) {
  std::string sides;
  if (ink.left() <= box.left()) sides += " left";
  if (ink.right() >= box.right()) sides += " right";
  if (ink.top() <= box.top()) sides += " top";
  if (ink.bottom() >= box.bottom()) sides += " bottom";
  return sides;
}

class StatusFit : public StatusTest {
 protected:
  void TearDown() override {
    i18n::SetLanguage(0);
    StatusTest::TearDown();
  }
};

TEST_F(StatusFit, BubbleTextsAreNotCutInAnyLanguageOrSize) {
  std::vector<std::string> cut;
  for (int language = 0; language < i18n::kLanguageCount; ++language) {
    i18n::SetLanguage(language);
    // The marriages, a pass and the longest bid.
    const QString texts[] = {i18n::Text(i18n::WordsGames, 28), i18n::Text(i18n::WordsGames, 29),
                             i18n::Text(i18n::WordsGames, 11), QStringLiteral("180")};
    for (int mode = 1; mode <= 5; ++mode) {
      for (const QString& text : texts) {
        // The same bubble with a text of no letters shows where the letters are.
        TestLayer with(mode, Layer::ImageSay1), without(mode, Layer::ImageSay1);
        LayerCanvas a = with.Canvas(), b = without.Canvas();
        ShowBubble(a, with.layout, text, BubbleStyle::Announce);
        ShowBubble(b, without.layout, QStringLiteral("\u200b"), BubbleStyle::Announce);
        const QRect ink = DifferenceBox(with.image, without.image);
        if (ink.isEmpty()) {
          cut.push_back("language " + std::to_string(language) + " size " + std::to_string(mode) + " \"" +
                        text.toStdString() + "\" not drawn");
          continue;
        }
        const std::string sides = CutSides(ink, with.image.rect());
        if (!sides.empty())
          cut.push_back("language " + std::to_string(language) + " size " + std::to_string(mode) + " bubble \"" +
                        text.toStdString() + "\" cut at" + sides);
      }
    }
  }
  for (const std::string& line : cut) std::cout << line << "\n";
  EXPECT_TRUE(cut.empty()) << cut.size() << " bubble texts cut";
}

TEST_F(StatusFit, ScorePanelDigitsAreNotCutInAnyLanguageOrSize) {
  std::vector<std::string> cut;
  for (int language = 0; language < i18n::kLanguageCount; ++language) {
    i18n::SetLanguage(language);
    for (int mode = 1; mode <= 5; ++mode) {
      for (const bool final_counts : {false, true}) {
        TestLayer layer(mode, Layer::ImageTab1), blank(mode, Layer::ImageTab1);
        LayerCanvas canvas = layer.Canvas(), empty = blank.Canvas();
        PanelUpdate update;
        update.reset = true;
        update.final_counts = final_counts;
        update.ordered = PanelField::Of(180);
        update.score = PanelField::Of(-1088);
        update.points = PanelField::Of(final_counts ? 1088 : -1088);
        DrawScorePanel(canvas, layer.layout, 1, update, false);
        PanelUpdate nothing = update;
        nothing.ordered = PanelField::Blank();
        nothing.score = PanelField::Blank();
        nothing.points = PanelField::Blank();
        DrawScorePanel(empty, blank.layout, 1, nothing, false);
        const struct {
          const char* name;
          QRect design;
        } boxes[] = {{"points", kPointsBoxDesign}, {"score", kScoreBoxDesign}, {"order", kOrderBoxDesign}};
        for (const auto& field : boxes) {
          const QRect box = ScaledBox(layer.layout, field.design);
          QRect ink;
          for (int y = box.top(); y <= box.bottom(); ++y)
            for (int x = box.left(); x <= box.right(); ++x)
              if (layer.image.pixel(x, y) != blank.image.pixel(x, y)) ink |= QRect(x, y, 1, 1);
          const std::string where = "language " + std::to_string(language) + " size " + std::to_string(mode) + " " +
                                    field.name + (final_counts ? " (final)" : "");
          if (ink.isEmpty()) {
            cut.push_back(where + " not drawn");
            continue;
          }
          const std::string sides = CutSides(ink, box);
          if (!sides.empty()) cut.push_back(where + " cut at" + sides);
        }
      }
    }
  }
  for (const std::string& line : cut) std::cout << line << "\n";
  EXPECT_TRUE(cut.empty()) << cut.size() << " panel fields cut";
}

}  // namespace
}  // namespace varnok::testing
