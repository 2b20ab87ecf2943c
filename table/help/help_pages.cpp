#include "help_pages.h"

#include <QFile>
#include <array>

namespace varnok {

namespace {

constexpr std::array<const char*, 10> kCodes = {"en", "ru", "de", "fr", "es", "zh", "it", "cs", "ja", "ko"};

QString BaseName(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::Rules: return QStringLiteral("help");
    case HelpTopic::Comment: return QStringLiteral("comment");
    case HelpTopic::Router: return QStringLiteral("router");
  }
  return QStringLiteral("help");
}

}  // namespace

QString HelpLanguageCode(int language) {
  if (language < 0 || language >= static_cast<int>(kCodes.size())) language = 0;
  return QString::fromLatin1(kCodes[static_cast<std::size_t>(language)]);
}

QString HelpPagePath(HelpTopic topic, int language) {
  const QString path = QStringLiteral(":/help/%1_%2.html").arg(BaseName(topic), HelpLanguageCode(language));
  if (QFile::exists(path)) return path;
  return QStringLiteral(":/help/%1_en.html").arg(BaseName(topic));
}

QUrl HelpPageUrl(HelpTopic topic, int language) {
  return QUrl(QStringLiteral("qrc") + HelpPagePath(topic, language));
}

QStringList HelpSections(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::Rules:
      return {QStringLiteral("cards"),   QStringLiteral("deal"),     QStringLiteral("bidding"),
              QStringLiteral("widow"),   QStringLiteral("trump"),    QStringLiteral("marriages"),
              QStringLiteral("tricks"),  QStringLiteral("scoring"),  QStringLiteral("end"),
              QStringLiteral("buttons"), QStringLiteral("mouse"),    QStringLiteral("network"),
              QStringLiteral("online")};
    case HelpTopic::Comment:
      return {QStringLiteral("chat"), QStringLiteral("news"), QStringLiteral("report")};
    case HelpTopic::Router:
      return {QStringLiteral("address"), QStringLiteral("router"), QStringLiteral("forward"),
              QStringLiteral("firewall"), QStringLiteral("test"),  QStringLiteral("safety")};
  }
  return {};
}

bool IsHelpPageUrl(const QUrl& url) {
  return url.scheme() == QLatin1String("qrc") && url.path().startsWith(QLatin1String("/help/")) &&
         QFile::exists(QLatin1Char(':') + url.path());
}

}  // namespace varnok
