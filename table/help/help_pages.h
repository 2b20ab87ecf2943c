// The help pages that come with the program: the rules of the game and how
// to play it ("Help"), writing to the club ("Comment"), and opening a port
// on a home router for a network game. They are built into the program as
// resources under ":/help/", one page per language.
#pragma once

#include <QString>
#include <QStringList>
#include <QUrl>

namespace varnok {

enum class HelpTopic { Rules, Comment, Router };

// The two-letter code of a language 0..9 in the pages' names ("en", "ru",
// ...); anything else is English.
QString HelpLanguageCode(int language);

// The resource path of a topic's page in a language (":/help/help_de.html").
// A language that has no page of the topic gets the English one.
QString HelpPagePath(HelpTopic topic, int language);
// The same as a "qrc:" address, for a text browser or a link.
QUrl HelpPageUrl(HelpTopic topic, int language);

// The named sections every page of a topic holds, in page order.
QStringList HelpSections(HelpTopic topic);

// True when `url` names one of the pages above (a "qrc:" address under /help/).
bool IsHelpPageUrl(const QUrl& url);

}  // namespace varnok
