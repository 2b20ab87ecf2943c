#include "player_checks.h"

#include <QHostAddress>
#include <QNetworkInterface>
#include <QtDebug>

#include "cp1251.h"
#include "guide_rows.h"
#include "words.h"

namespace varnok {

namespace {

bool OnlyOf(const QString& text, bool dots) {
  for (const QChar c : text) {
    if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) continue;
    if (dots && c == QLatin1Char('.')) continue;
    return false;
  }
  return true;
}

std::string Utf8(const QString& text) { return text.toStdString(); }

}  // namespace

bool IsMemberSlot(int slot) { return slot >= kFirstMemberSlot && slot <= kLastMemberSlot; }

int NameLimit(bool network) { return network ? kNetPlayerNameLength : kPlayerNameLength; }

QString OpeningName(const NameOpening& opening) {
  if (IsMemberSlot(opening.slot) && !opening.renaming) return opening.memberName.left(kPlayerNameLength);
  const int limit = NameLimit(opening.network);
  if (opening.renaming) return opening.currentName.trimmed().left(limit);
  const QString last = opening.lastName.trimmed();
  if (last.size() <= limit) return last;
  return opening.mrX.left(limit);
}

QString AddressAfterTyping(const QString& typed, const QString& last) {
  if (OnlyOf(typed, true)) return typed;
  // The remembered address may come from a hand-edited settings file; putting
  // back something that is no typed address would only be refused again.
  return OnlyOf(last, true) ? last.left(kAddressLength) : QString();
}

QString LastAddressAfterTyping(bool client, const QString& field, const QString& last) {
  return client && !field.isEmpty() ? field : last;
}

QString PortAfterTyping(const QString& typed, const QString& last) {
  if (OnlyOf(typed, false)) return typed;
  return OnlyOf(last, false) ? last.left(kPortLength) : QString();
}

QString LastPortAfterTyping(const QString& field, const QString& last) { return field.isEmpty() ? last : field; }

bool AddressWellFormed(const QString& address) {
  if (address.count(QLatin1Char('.')) != 3 || address.endsWith(QLatin1Char('.'))) return false;
  for (const QString& part : address.split(QLatin1Char('.'))) {
    if (part.isEmpty() || part.size() > 3) return false;
  }
  return true;
}

bool PortValid(const QString& port) {
  if (port.isEmpty() || port.size() > kPortLength || !OnlyOf(port, false)) return false;
  const int value = port.toInt();
  return value >= 1 && value <= 65535;
}

QString PaddedName(const QString& name) { return name.left(kPlayerNameLength).leftJustified(kPlayerNameLength); }

QString PaddedPassword(const QString& password) {
  return password.left(static_cast<int>(kPasswordLength)).leftJustified(static_cast<int>(kPasswordLength));
}

bool FitsCodePage(const QString& text) { return Utf8ToCp1251(Utf8(text)).has_value(); }

QString CharactersOutsideCodePage(const QString& text) {
  QString refused;
  const QList<uint> points = text.toUcs4();
  for (const uint point : points) {
    const QString one = QString::fromUcs4(reinterpret_cast<const char32_t*>(&point), 1);
    if (!FitsCodePage(one) && !refused.contains(one)) refused += one;
  }
  return refused;
}

QString NameRuleText(const QString& name) {
  QString text = i18n::Text(i18n::WordsGuide, i18n::guide::kNameAllowed);
  const QString refused = CharactersOutsideCodePage(name.trimmed());
  if (!refused.isEmpty()) {
    QStringList shown;
    for (const uint point : refused.toUcs4()) shown << QString::fromUcs4(reinterpret_cast<const char32_t*>(&point), 1);
    text += QLatin1Char('\n') + i18n::Text(i18n::WordsGuide, i18n::guide::kNotAllowed) + shown.join(QLatin1Char(' '));
  }
  return text;
}

PlayerDecision DecidePlayer(const PlayerEntry& entry, bool network) {
  PlayerDecision decision;
  const auto refuse = [&decision](int row, PlayerField field) {
    decision.messageRow = row;
    decision.focus = field;
    return decision;
  };
  const QString name = entry.name.trimmed();
  // A name of blanks is no name, and one the club file cannot hold would come
  // back as question marks.
  if (name.isEmpty() || !FitsCodePage(name)) return refuse(kRowIncorrectName, PlayerField::Name);
  decision.rememberName = true;
  decision.lastName = entry.name;

  if (IsMemberSlot(entry.slot)) {
    if (!FitsCodePage(entry.password) || !PasswordMatches(entry.member, Utf8(entry.password)))
      return refuse(kRowWrongPassword, PlayerField::Password);
    decision.identity = entry.member;
  } else {
    if (entry.password != entry.passwordAgain) return refuse(kRowPasswordsDiffer, PlayerField::Password);
    if (!FitsCodePage(entry.password)) return refuse(kRowWrongPassword, PlayerField::Password);
    ClubMember player;
    player.Empty = false;
    player.Name = Utf8(name.left(NameLimit(network)));
    player.Password = Utf8(PaddedPassword(entry.password));
    decision.identity = player;
  }
  decision.ok = true;
  return decision;
}

ConnectionCheck CheckConnection(int netPos, const QString& address, const QString& port) {
  ConnectionCheck check;
  check.server = netPos <= 1;
  if (!check.server && !AddressWellFormed(address)) {
    check.messageRow = kRowIncorrectAddress;
    check.focus = PlayerField::Address;
    return check;
  }
  // An empty port, and one no socket can use (0, above 65535), are refused.
  if (!PortValid(port)) {
    check.messageRow = kRowIncorrectPort;
    check.focus = PlayerField::Port;
    return check;
  }
  check.ok = true;
  return check;
}

QString ExternalAddressShown(const QString& reply) {
  const QString text = reply.trimmed();
  QHostAddress address;
  if (text.isEmpty() || text.size() > 45 || !address.setAddress(text)) {
    if (!text.isEmpty()) qWarning("The server's answer is not an address; the external address stays empty");
    return QString();
  }
  return text;
}

std::array<OwnAddressField, kOwnAddressFields> OwnAddressFields(const std::vector<InterfaceAddress>& interfaces,
                                                                const QString& external) {
  std::array<OwnAddressField, kOwnAddressFields> fields{};
  std::size_t next = 0;
  const auto put = [&fields, &next](const QString& text, const QString& hint) {
    OwnAddressField& field = fields[std::min<std::size_t>(next, kOwnAddressFields - 1)];
    field = {true, text, hint};
    ++next;
  };
  for (std::size_t i = 0; i < interfaces.size() && i < kOwnAddressFields; ++i)
    put(interfaces[i].address, interfaces[i].hint);
  put(external, QString::fromLatin1(kMakerWebAddress));
  put(QString::fromLatin1(kLoopAddress), QString::fromLatin1(kLoopHint));
  return fields;
}

std::vector<InterfaceAddress> MachineIpv4Addresses() {
  std::vector<InterfaceAddress> found;
  for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
    if (interface.flags().testFlag(QNetworkInterface::IsLoopBack)) continue;
    for (const QNetworkAddressEntry& entry : interface.addressEntries()) {
      const QHostAddress address = entry.ip();
      if (address.protocol() != QAbstractSocket::IPv4Protocol || address.isLoopback()) continue;
      found.push_back({address.toString(), interface.humanReadableName()});
      break;
    }
  }
  return found;
}

QString WordText(int row) {
  QString text = i18n::Text(i18n::WordsMain, row);
  text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
  text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  return text;
}

QString RenamedMessage(const QString& name) { return WordText(kRowRenamed) + name; }

RenameResult RenameMember(const std::filesystem::path& clubFile, int slot, const ClubMember& atStart,
                          const QString& newName, const QString& newPassword, const ClubWriteOptions& options) {
  RenameResult result;
  ClubMember renamed = atStart;
  renamed.Empty = false;
  renamed.Name = Utf8(newName.trimmed().left(kPlayerNameLength));
  renamed.Password = Utf8(PaddedPassword(newPassword));
  result.member = renamed;
  if (!IsMemberSlot(slot) || atStart.Empty) {
    // A new player or a guest has no line in the club file.
    result.changed = true;
    return result;
  }
  std::optional<ClubLines> lines = LoadClubFile(clubFile);
  if (!lines) {
    qWarning("RenameMember: the club file cannot be read; the name stays as it was");
    result.update = ClubUpdate::Unreadable;
    result.messageRow = kRowDiskWriting;
    result.member = atStart;
    return result;
  }
  // The member's line: normally still at his slot; should the slots have
  // moved, the line with his name and password. Nobody else's line goes.
  const std::string old_line = FormatMemberLine(atStart);
  const auto same = [&old_line](const std::string& line) {
    return line.substr(0, kClubNameLength) == old_line.substr(0, kClubNameLength) &&
           line.substr(44) == old_line.substr(44);
  };
  int found = same((*lines)[static_cast<std::size_t>(slot - 1)]) ? slot : 0;
  for (int k = 1; k <= kClubMembers && found == 0; ++k)
    if (same((*lines)[static_cast<std::size_t>(k - 1)])) found = k;
  if (found != 0) RemoveMemberLine(*lines, found);
  InsertMemberLine(*lines, FormatMemberLine(renamed));

  if (!options.Writable) {
    result.update = ClubUpdate::Skipped;
    result.messageRow = kRowDiskWriting;
    result.member = atStart;
    return result;
  }
  if (!SaveClubFile(clubFile, *lines, options.Write)) {
    result.update = ClubUpdate::WriteFailed;
    result.messageRow = kRowDiskWriting;
    result.member = atStart;
    return result;
  }
  result.update = ClubUpdate::Written;
  result.changed = true;
  return result;
}

}  // namespace varnok
