// The rules of the player window, without its widgets: what the fields start
// with, what typing in the address and port fields leaves in them, the checks
// of a confirmed window with the status-line texts, what a confirmed window
// hands over for a club member (slots 1-5) and for a new player (slot 6), the
// own-address fields, and renaming the player during a game.
#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <filesystem>
#include <string>

#include "club_file.h"

namespace varnok {

// `ProfileSlot` values the window is opened with.
inline constexpr int kFirstMemberSlot = 1;
inline constexpr int kLastMemberSlot = 5;
inline constexpr int kNewPlayerSlot = 6;

// Longest player name: 20, or 6 in a network game (the name other copies see).
inline constexpr int kPlayerNameLength = 20;
inline constexpr int kNetPlayerNameLength = 6;
inline constexpr int kAddressLength = 20;
inline constexpr int kPortLength = 5;
inline constexpr int kMinGames = 1;   // "Number games:"
inline constexpr int kMaxGames = 30;
inline constexpr int kOwnAddressFields = 6;

inline constexpr char kLoopAddress[] = "127.0.0.1";
inline constexpr char kLoopHint[] = "Loop";
// The maker's web address (the hint of the external address), and the page
// about opening a router's port for the game, which comes with the program
// (shown in the help window).
inline constexpr char kMakerWebAddress[] = "https://varnok.example.org/";
inline constexpr char kRouterHelpAddress[] = "qrc:/help/router_en.html";

// `WordsMain` rows of the player window.
inline constexpr int kRowIncorrectName = 67;
inline constexpr int kRowPasswordsDiffer = 68;
inline constexpr int kRowWrongPassword = 69;
inline constexpr int kRowWelcome = 70;
inline constexpr int kRowEnterName = 71;
inline constexpr int kRowEnterPassword = 72;
inline constexpr int kRowPasswordAgain = 73;
inline constexpr int kRowMrX = 74;
inline constexpr int kRowCancel = 75;
inline constexpr int kRowRenamed = 76;  // "...successfully changed!" LF CR "New name: "
inline constexpr int kRowIncorrectAddress = 77;
inline constexpr int kRowIncorrectPort = 78;
inline constexpr int kRowFileNotFound = 93;
inline constexpr int kRowDiskWriting = 97;
inline constexpr int kRowEnterAddress = 105;
inline constexpr int kRowEnterPort = 106;
inline constexpr int kRowNumberGames = 107;
inline constexpr int kRowServerClient = 108;
inline constexpr int kRowServerItem = 109;
inline constexpr int kRowClientItem = 110;
inline constexpr int kRowOwnAddresses = 111;

// The field a refused confirmation puts the focus on.
enum class PlayerField { None, Name, Password, PasswordAgain, Address, Port };

bool IsMemberSlot(int slot);
int NameLimit(bool network);

// The name field as the window opens. A member shows the first 20 characters
// of his name; a new player the last name typed, without leading and
// trailing blanks, when it fits the limit, else "Mr.X" (`mr_x`); when the
// window renames the player, his current name without the filling blanks.
struct NameOpening {
  int slot = kNewPlayerSlot;
  bool network = false;
  bool renaming = false;
  QString memberName;
  QString lastName;
  QString currentName;
  QString mrX = QStringLiteral("Mr.X");
};
QString OpeningName(const NameOpening& opening);

// What the address field holds after the player typed `typed`: anything but
// digits and "." puts back `last`, the last server address (and an empty
// field when the remembered address is no typed address itself).
QString AddressAfterTyping(const QString& typed, const QString& last);
// The last server address after typing: the field's text for a client with
// a non-empty field, otherwise `last` unchanged.
QString LastAddressAfterTyping(bool client, const QString& field, const QString& last);
// What the port field holds after typing: anything but digits puts back `last`.
QString PortAfterTyping(const QString& typed, const QString& last);
// The last port after typing: the field's text, except that an empty field
// keeps the previous one (the settings file needs a port on its line).
QString LastPortAfterTyping(const QString& field, const QString& last);

// A client's address: exactly three dots, not ending with a dot, every part
// one to three characters long (the characters themselves are not judged).
bool AddressWellFormed(const QString& address);
// A port: one to five digits making 1 to 65535.
bool PortValid(const QString& port);

// What the player typed, and the member of the slot as the club file has it.
struct PlayerEntry {
  int slot = kNewPlayerSlot;
  QString name;
  QString password;
  QString passwordAgain;
  ClubMember member;  // slots 1-5
};

// The outcome of confirming. `rememberName` is set once the name is accepted
// (it becomes the last name typed even when a later check refuses).
struct PlayerDecision {
  bool ok = false;
  int messageRow = -1;  // the status line's row when refused
  PlayerField focus = PlayerField::None;
  bool rememberName = false;
  QString lastName;
  // Accepted: the player's identity for the game. A member as the club file
  // has him; a new player with his name, the password padded to five
  // characters, no games, cycle score 0 and rating 0.
  ClubMember identity;
};
PlayerDecision DecidePlayer(const PlayerEntry& entry, bool network);

// The network checks that follow an accepted player: a client's address,
// then the port. `netPos` 1 is the server, anything above 1 a client.
struct ConnectionCheck {
  bool ok = false;
  int messageRow = -1;
  PlayerField focus = PlayerField::None;
  bool server = true;
};
ConnectionCheck CheckConnection(int netPos, const QString& address, const QString& port);

// The own-address fields after "To receive the IP-addresses": the
// interfaces' IPv4 addresses in order (at most six), then the address the
// internet sees (hint: the maker's web address), then the loop address
// (hint "Loop"); what goes beyond the sixth field is written into the sixth.
struct OwnAddressField {
  bool filled = false;
  QString text;
  QString hint;
  friend bool operator==(const OwnAddressField&, const OwnAddressField&) = default;
};
struct InterfaceAddress {
  QString address;
  QString hint;  // the interface's name
};
// The server's answer to "what is my address" as the field shows it: the
// text without its line breaks and blanks when it is one IPv4 or IPv6
// address; anything else (an error page, several lines, garbage) gives "".
QString ExternalAddressShown(const QString& reply);

std::array<OwnAddressField, kOwnAddressFields> OwnAddressFields(const std::vector<InterfaceAddress>& interfaces,
                                                                const QString& external);
// The machine's interfaces with an IPv4 address, in the system's order,
// without the loop-back interface (its address closes the list anyway).
std::vector<InterfaceAddress> MachineIpv4Addresses();

// A text of the word tables with its line break "\n\r" made a plain "\n".
QString WordText(int row);

// Renaming the player of a game. A member's line, as read when the game
// started (`atStart`), gets the new name and password and is placed by
// rating again in one write, so that a failed write leaves the file as it
// was. A new player (slot 6) keeps no line; only the game's name changes.
struct RenameResult {
  bool changed = false;        // the new name and password are the player's
  ClubUpdate update = ClubUpdate::NoChange;
  int messageRow = -1;         // kRowDiskWriting when the club file could not be written
  ClubMember member;           // the player as the game now knows him
};
RenameResult RenameMember(const std::filesystem::path& clubFile, int slot, const ClubMember& atStart,
                          const QString& newName, const QString& newPassword, const ClubWriteOptions& options = {});
// "Your name and/or the password were successfully changed!", a line break,
// "New name: " and the name.
QString RenamedMessage(const QString& name);

// The name padded with blanks to 20 characters, as the game and the club file
// keep it; the password padded to five.
QString PaddedName(const QString& name);
QString PaddedPassword(const QString& password);
// Whether a text can be kept in the program's files (code page 1251).
bool FitsCodePage(const QString& text);
// The characters of `text` that the club file's code page cannot hold, each
// once, in the order they first come.
QString CharactersOutsideCodePage(const QString& text);
// Why a name was refused, for a newcomer: the rule of the characters a name
// may hold and, when the name has some, the characters that broke it.
QString NameRuleText(const QString& name);

}  // namespace varnok
