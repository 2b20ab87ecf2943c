#include "help_window.h"

#include <QDesktopServices>
#include <QPointer>
#include <QPushButton>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "words.h"

namespace varnok {

namespace {

constexpr int kRowClose = 159;  // "Close"
QPointer<TFormHelp> open_window;

}  // namespace

TFormHelp::TFormHelp(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("TFormHelp"));
  setAttribute(Qt::WA_DeleteOnClose);
  resize(640, 560);
  auto* layout = new QVBoxLayout(this);
  browser_ = new QTextBrowser(this);
  browser_->setObjectName(QStringLiteral("HelpBrowser"));
  browser_->setOpenLinks(false);
  layout->addWidget(browser_);
  auto* close = new QPushButton(i18n::Text(i18n::WordsMain, kRowClose), this);
  close->setObjectName(QStringLiteral("HelpClose"));
  layout->addWidget(close, 0, Qt::AlignRight);
  connect(close, &QPushButton::clicked, this, &QDialog::close);
  connect(browser_, &QTextBrowser::anchorClicked, this, [this](const QUrl& link) {
    const QUrl target = browser_->source().resolved(link);
    if (IsHelpPageUrl(target) || (link.scheme().isEmpty() && link.path().isEmpty())) Show(target);
    else QDesktopServices::openUrl(link);
  });
}

TFormHelp* TFormHelp::Open(QWidget* parent, HelpTopic topic, int language) {
  return OpenUrl(parent, HelpPageUrl(topic, language));
}

TFormHelp* TFormHelp::OpenUrl(QWidget* parent, const QUrl& url) {
  if (!IsHelpPageUrl(url)) {
    QDesktopServices::openUrl(url);
    return nullptr;
  }
  if (open_window.isNull()) open_window = new TFormHelp(parent);
  open_window->Show(url);
  open_window->show();
  open_window->raise();
  open_window->activateWindow();
  return open_window.data();
}

void TFormHelp::Show(const QUrl& url) {
  browser_->setSource(url, QTextDocument::HtmlResource);
  setWindowTitle(browser_->documentTitle());
}

QUrl TFormHelp::Page() const { return browser_->source(); }

}  // namespace varnok
