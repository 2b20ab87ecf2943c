// The help window: a page of the program's help in a text browser, with
// the links between the pages followed inside the window and links to the
// web handed to the system's browser. One window at a time: opening another
// page shows it in the open window.
#pragma once

#include <QDialog>
#include <QUrl>

#include "help_pages.h"

class QTextBrowser;

namespace varnok {

class TFormHelp : public QDialog {
  Q_OBJECT

 public:
  // Shows the page of `topic` in `language` (not modal; the window deletes
  // itself when closed) and returns the window.
  static TFormHelp* Open(QWidget* parent, HelpTopic topic, int language);
  // Shows a page given by its address (a help page; anything else goes to
  // the system's browser and nullptr is returned).
  static TFormHelp* OpenUrl(QWidget* parent, const QUrl& url);

  QTextBrowser* Browser() const { return browser_; }
  QUrl Page() const;

 private:
  explicit TFormHelp(QWidget* parent);
  void Show(const QUrl& url);

  QTextBrowser* browser_ = nullptr;
};

}  // namespace varnok
