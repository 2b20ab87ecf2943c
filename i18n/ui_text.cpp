#include "ui_text.h"

#include "presenter.h"
#include "words.h"

namespace varnok::i18n {

QString Caption(const UiText& text) {
  const QString tail = QString::fromStdString(text.tail);
  switch (text.table) {
    case UiText::Table::Main: return Text(WordsMain, text.row) + tail;
    case UiText::Table::Games: return Text(WordsGames, text.row) + tail;
    case UiText::Table::Literal: break;
  }
  return tail;
}

}  // namespace varnok::i18n
