// TFormLink: the small modal notice "Attention" with up to three lines; the
// third is a link (blue, underlined, hand cursor) that a click opens in the
// browser. Empty lines are not shown. "Ok" or Escape closes it.
#pragma once

#include <QDialog>
#include <QImage>
#include <QString>
#include <array>
#include <functional>

class QLabel;

namespace varnok {

class TZubCardsButton;

// Opens a link's text; by default web and mail addresses go to the system's
// browser or mail program. Anything else is not handed to the system shell
// (a notice's text must never start a program), only logged.
using LinkOpener = std::function<void(const QString&)>;
void OpenLinkText(const QString& text);
// Whether a text is an address the notice opens: http, https or mailto.
bool IsOpenableLink(const QString& text);

// The client width for the widest text: that plus 59, and when the sum is at
// least 350, the sum plus 50; otherwise 400.
int NoticeWidth(int widest_text);

class TFormLink : public QDialog {
  Q_OBJECT

 public:
  TFormLink(const QString& line1, const QString& line2, const QString& line3, QWidget* parent = nullptr,
            LinkOpener opener = OpenLinkText);

  // The three lines (object names "Line1" to "Line3"); an empty one is hidden.
  QLabel* Line(int n) const { return lines_.at(static_cast<std::size_t>(n - 1)); }
  TZubCardsButton* OkButton() const { return ok_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void showEvent(QShowEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  std::array<QLabel*, 3> lines_{};
  TZubCardsButton* ok_ = nullptr;
  QImage sign_;
  LinkOpener opener_;
};

// Shows the notice modally, centred on `parent`'s window.
void ShowNotice(QWidget* parent, const QString& line1, const QString& line2 = QString(),
                const QString& line3 = QString(), LinkOpener opener = OpenLinkText);

}  // namespace varnok
