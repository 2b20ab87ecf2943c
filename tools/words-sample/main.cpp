// varnok-words-sample [--main N | --games N] [--quit-after MS]
//
// Shows one row of a word table in each of the ten languages, one language a
// line: the language's list item, then the row's text in "Comic Sans MS"
// (the large and small fonts), then in "FixedSys" and "Courier New" (the two
// special fonts). Each face name goes through the program's font
// substitution, so the window shows what the game draws. Default row:
// WordsMain 22.
#include <QApplication>
#include <QGridLayout>
#include <QLabel>
#include <QStringList>
#include <QTimer>
#include <QWidget>
#include <cstdio>

#include "fonts.h"
#include "words.h"

namespace {

using namespace varnok::i18n;

QLabel* MakeLabel(const QString& text, const QString& face, int height, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  QFont font(face);
  font.setPixelSize(height);
  label->setFont(font);
  return label;
}

int Usage() {
  std::fprintf(stderr, "usage: varnok-words-sample [--main N | --games N] [--quit-after MS]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  WordTable table = WordsMain;
  int row = 22;
  int quit_after = 0;
  const QStringList args = QApplication::arguments().mid(1);
  for (qsizetype i = 0; i < args.size(); ++i) {
    bool ok = i + 1 < args.size();
    const int value = ok ? args[i + 1].toInt(&ok) : 0;
    if (!ok) return Usage();
    if (args[i] == QLatin1String("--main")) {
      table = WordsMain;
      row = value;
    } else if (args[i] == QLatin1String("--games")) {
      table = WordsGames;
      row = value;
    } else if (args[i] == QLatin1String("--quit-after")) {
      quit_after = value;
    } else {
      return Usage();
    }
    ++i;
  }

  InstallFontSubstitutions(LanguageIndex());
  QWidget window;
  window.setWindowTitle(QStringLiteral("%1 - %2 row %3")
                            .arg(QLatin1String(kProgramTitle),
                                 table == WordsMain ? QStringLiteral("WordsMain") : QStringLiteral("WordsGames"))
                            .arg(row));
  auto* grid = new QGridLayout(&window);
  grid->setHorizontalSpacing(10);
  const QString comic = DefaultFontFace(FontKind::Decor);
  const QString fixed = DefaultFontFace(FontKind::Fixed);
  const QString courier = DefaultFontFace(FontKind::Conew);
  for (int language = 0; language < kLanguageCount; ++language) {
    const QString text = Text(table, row, language);
    grid->addWidget(MakeLabel(LanguageItem(language), comic, 16, &window), language, 0);
    grid->addWidget(MakeLabel(text, comic, 16, &window), language, 1);
    grid->addWidget(MakeLabel(text, fixed, 12, &window), language, 2);
    grid->addWidget(MakeLabel(text, courier, 12, &window), language, 3);
  }
  window.move(0, 0);
  window.show();
  if (quit_after > 0) QTimer::singleShot(quit_after, &app, &QApplication::quit);
  return app.exec();
}
