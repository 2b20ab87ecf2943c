// The program's own message window: a text on the baize with owner-drawn
// buttons ("Ok", or "Yes" and "No"), for confirmations and notices such as
// leaving a game, a failed write or an interrupted network game.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>

class QLabel;

namespace varnok {

class TZubCardsButton;

enum class MessageKind { Information, Warning, Error, Question };

// "Yes" and "No" in the current language.
QString YesText();
QString NoText();

class TFormMessage : public QDialog {
  Q_OBJECT

 public:
  // A question has "Yes" and "No" (No is the default); the others "Ok".
  TFormMessage(MessageKind kind, const QString& text, QWidget* parent = nullptr);

  // Asks; true for "Yes". Escape and closing answer "No".
  static bool Ask(QWidget* parent, const QString& text, const QString& object_name);
  // Tells and waits for "Ok".
  static void Tell(QWidget* parent, MessageKind kind, const QString& text, const QString& object_name);

  QString Text() const;
  MessageKind Kind() const { return kind_; }
  // Object names "Yes", "No", "Ok"; null where the window has none.
  TZubCardsButton* YesButton() const { return yes_; }
  TZubCardsButton* NoButton() const { return no_; }
  TZubCardsButton* OkButton() const { return ok_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  TZubCardsButton* MakeButton(const QString& caption, const char* name, int colour_scheme);

  MessageKind kind_;
  QLabel* text_ = nullptr;
  TZubCardsButton* yes_ = nullptr;
  TZubCardsButton* no_ = nullptr;
  TZubCardsButton* ok_ = nullptr;
  QImage background_;
};

}  // namespace varnok
