#include "service.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>

#include "address_cipher.h"
#include "core/reply.h"

namespace varnok::server {

Reply Text(std::string utf8, int status) {
  Reply reply;
  reply.status = status;
  reply.body = ToWire(utf8);
  return reply;
}

Reply Refusal(int status) { return Text("no", status); }

Service::Service(Storage& storage, Credentials& credentials, ServiceConfig config)
    : storage_(storage), credentials_(credentials), config_(std::move(config)) {
  if (!config_.public_url.endsWith('/')) config_.public_url += '/';
}

void Service::SetPublicUrl(const QString& url) {
  config_.public_url = url.endsWith('/') ? url : url + '/';
}

std::optional<Account> Service::Authenticate(const std::string& nick, const std::string& password,
                                             const std::string& address, bool* storage_failed,
                                             bool count_unknown) {
  *storage_failed = false;
  // An unknown nick is answered as late as a wrong password, which costs a
  // hash: the time of the answer does not tell whether the nick exists.
  hold_reply_ = true;
  if (nick.empty() || password.empty() || nick.size() > 64 || password.size() > 64) {
    if (count_unknown) credentials_.NoteUnknownNick(address);
    return std::nullopt;
  }
  std::optional<Account> account = storage_.FindAccount(nick, storage_failed);
  if (*storage_failed) {
    hold_reply_ = false;
    return std::nullopt;
  }
  if (!account) {
    if (count_unknown) credentials_.NoteUnknownNick(address);
    return std::nullopt;
  }
  hold_reply_ = false;
  const std::string key = NickKey(account->nick);
  if (!defer_hash_checks_) {
    if (credentials_.Verify(key, password, account->pw_hash, address) != Credentials::Check::kGood) return std::nullopt;
    return account;
  }
  switch (credentials_.Lookup(key, password, account->pw_hash, address)) {
    case Credentials::Check::kGood: return account;
    case Credentials::Check::kNeedsHash:
      // Counted before it is hashed; beyond the bounds it is a wrong password.
      switch (credentials_.BeginHash(key, password, address)) {
        case Credentials::Start::kStarted:
          hash_check_ = HashCheck{key, password, account->pw_hash, address, false, false};
          break;
        case Credentials::Start::kJoined:
          hash_check_ = HashCheck{key, password, account->pw_hash, address, false, true};
          break;
        case Credentials::Start::kRefused: hold_reply_ = true; break;
      }
      break;
    case Credentials::Check::kBad: break;
    case Credentials::Check::kLimited: hold_reply_ = true; break;
  }
  return std::nullopt;
}

bool Service::TakeHashCheck(HashCheck* check) {
  if (!hash_check_) return false;
  *check = std::move(*hash_check_);
  hash_check_.reset();
  return true;
}

void Service::DropHashCheck(const HashCheck& check) {
  if (!check.joined) credentials_.EndHash(check.nick_key, check.password, check.address, check.new_hash);
}

bool Service::TakeHeldReply() {
  const bool over = hold_reply_;
  hold_reply_ = false;
  return over;
}

bool Service::TakePhotoCheck(PhotoCheck* check) {
  if (!photo_check_) return false;
  *check = std::move(*photo_check_);
  photo_check_.reset();
  return true;
}

std::optional<Reply> Service::Remembered(const std::string& key) {
  if (config_.read_cache_ms <= 0) return std::nullopt;
  const auto it = reads_.find(key);
  if (it == reads_.end()) return std::nullopt;
  if (it->second.until < std::chrono::steady_clock::now()) {
    reads_.erase(it);
    return std::nullopt;
  }
  return it->second.reply;
}

Reply Service::Remember(const std::string& key, Reply reply) {
  if (config_.read_cache_ms > 0 && reply.status == 200) {
    if (reads_.size() > 4096) reads_.clear();
    reads_[key] = {reply, std::chrono::steady_clock::now() + std::chrono::milliseconds(config_.read_cache_ms)};
  }
  return reply;
}

bool Service::Paused(const char* flag) {
  const std::optional<std::string> value = storage_.Flag(flag);
  return value && *value == "1";
}

// ---------------------------------------------------------------- documents

Reply Service::Directory() {
  std::string text;
  const auto stored = [&](const char* script) {
    return EncipherAddress((config_.public_url + script).toStdString());
  };
  if (Paused("results_paused")) text += "WTGamesPause#";
  if (Paused("chat_paused")) text += "CTGamesPause#";
  text += "WTGamesPatt=" + stored("results.php") + "#";
  text += "StatPath=" + stored("stats.php") + "#";
  text += "AccPath=" + stored("account.php") + "#";
  Reply reply;
  reply.content_type = "text/plain; charset=utf-8";
  reply.body = text;
  return reply;
}

namespace {

std::string HtmlEscape(const std::string& text) {
  std::string out;
  for (char c : text) {
    switch (c) {
      case '&': out += "&amp;"; break;
      case '<': out += "&lt;"; break;
      case '>': out += "&gt;"; break;
      case '"': out += "&quot;"; break;
      case '\'': out += "&#39;"; break;
      default: out += c;
    }
  }
  return out;
}

}  // namespace

Reply Service::News() {
  const std::optional<std::vector<NewsItem>> items = storage_.ReadNews(50);
  if (!items) return Text("Service unavailable", 503);
  const std::int64_t number = items->empty() ? 0 : items->front().id;
  char keyword[32];
  std::snprintf(keyword, sizeof keyword, "ZubNews%05lld", static_cast<long long>(number % 100000));
  std::string html =
      "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>News</title></head><body>\n<!-- ";
  html += keyword;
  html += " -->\n<h1>News</h1>\n";
  for (const NewsItem& item : *items) {
    html += "<div class=\"news\"><p class=\"date\">" +
            QDateTime::fromSecsSinceEpoch(item.posted_at).toUTC().toString("yyyy-MM-dd").toStdString() +
            "</p><p>" + HtmlEscape(item.body) + "</p></div>\n";
  }
  html += "</body></html>\n";
  Reply reply;
  reply.content_type = "text/html; charset=utf-8";
  reply.body = html;
  return reply;
}

Reply Service::Photo(const std::string& nick) {
  bool failed = false;
  const std::optional<std::string> jpeg = storage_.ReadPhoto(nick, &failed);
  if (failed) return Text("Service unavailable", 503);
  if (!jpeg) return Text("Not found", 404);
  Reply reply;
  reply.content_type = "image/jpeg";
  reply.body = *jpeg;
  return reply;
}

Reply Service::CallerAddress(const Request& request) {
  Reply reply;
  reply.content_type = "text/plain; charset=utf-8";
  reply.body = request.address;
  return reply;
}

Reply Service::Download(const std::string& file) {
  static const QRegularExpression kName("^[A-Za-z0-9_][A-Za-z0-9._-]{0,127}$");
  const QString name = QString::fromStdString(file);
  if (!kName.match(name).hasMatch() || name.contains("..")) return Text("Not found", 404);
  const QDir folder(QDir(config_.data_folder).filePath("download"));
  const bool checksum = name.endsWith(".sha256");
  const QString target = checksum ? name.chopped(7) : name;
  const QFileInfo info(folder.filePath(target));
  if (!info.isFile()) return Text("Not found", 404);
  QFile input(info.filePath());
  if (!input.open(QIODevice::ReadOnly)) return Text("Not found", 404);
  Reply reply;
  if (checksum) {
    QCryptographicHash hash(QCryptographicHash::Sha256);
    hash.addData(&input);
    reply.content_type = "text/plain; charset=utf-8";
    reply.body = hash.result().toHex().toStdString() + "  " + target.toStdString() + "\n";
  } else {
    reply.content_type = "application/octet-stream";
    reply.body = input.readAll().toStdString();
  }
  return reply;
}

}  // namespace varnok::server
