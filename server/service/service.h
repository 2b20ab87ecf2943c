// The server's operations: one entry per script of the program's services,
// each recognising its operation by the field names of the form post and
// answering with the exact reply the program reads. Plain GET documents
// (directory, news, photos, downloads, the caller's address) are here too.
//
// The service runs on the thread of its storage; it keeps no session state
// between requests (every request carries the nick and password it needs),
// so any number of server processes can share one database.
#pragma once

#include <QString>
#include <chrono>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "core/form.h"
#include "service/credentials.h"
#include "store/storage.h"

namespace varnok::server {

struct ServiceConfig {
  QString public_url;      // base address for the directory, ends with "/"
  QString data_folder;     // download/ lives here
  QString tour_host = "127.0.0.1";  // the tournament game server of every table
  int tour_base_port = 25700;       // table t is served on this port + t
  int tour_tables = 10;             // tables whose seats can be taken (the lobby shows ten)
  int tour_connect_seconds = 60;    // a seat without its game connection after this is freed
  int tour_seats_per_address = 3;   // seats held from one address (loopback: no limit)
  bool tour_limit_loopback = false;  // tests: loopback is limited like any address
  int max_form_bytes = 16 * 1024;
  int max_photo_bytes = 256 * 1024;
  // How long a reply of the busiest reads (world tables, counts, statistics,
  // the account top ten) is reused; writes through this process forget them
  // at once, writes through other processes show within this time. 0: never.
  int read_cache_ms = 1000;
};

struct Request {
  std::string body;
  std::string address;  // the caller's address as text (IPv4 when mapped)
  std::string nick_header;
  std::string password_header;
};

struct Reply {
  int status = 200;
  std::string content_type = "text/plain; charset=windows-1251";
  std::string body;  // wire bytes
};

class Service {
 public:
  Service(Storage& storage, Credentials& credentials, ServiceConfig config);

  Reply AccountScript(const Request& request);
  Reply ResultsScript(const Request& request);
  Reply StatsScript(const Request& request);
  Reply TourScript(const Request& request);
  Reply PhotoUpload(const Request& request);

  Reply Directory();
  Reply News();
  Reply Photo(const std::string& nick);
  Reply CallerAddress(const Request& request);
  Reply Download(const std::string& file);

  // A password whose hash must be checked before the request can be
  // answered: the last operation asked for it and its reply is to be
  // discarded; the request is run again once RecordVerdict has the outcome.
  // It is counted by Credentials::BeginHash already; whoever takes it ends it
  // with Credentials::EndHash unless `joined` (it then shares the verdict of
  // the same nick and password already being checked).
  struct HashCheck {
    std::string nick_key, password, stored_hash, address;
    bool new_hash = false;  // a registration: make the hash of `password`
    bool joined = false;
  };
  bool TakeHashCheck(HashCheck* check);
  // Ends a taken check that will not run (the server is too busy).
  void DropHashCheck(const HashCheck& check);

  // A photo whose sender is known, to be decoded beside the event loop
  // before it is stored: the last operation asked for it and its reply is
  // to be discarded; FinishPhoto gives the reply once the decoder has spoken.
  struct PhotoCheck {
    std::string nick;
    std::string jpeg;
  };
  bool TakePhotoCheck(PhotoCheck* check);
  // The last operation was refused without a hash: its caller is over a
  // limit (the failures or the pending hashes of his nick or address), or
  // the nick is unknown. Its reply is held back about as long as a hash
  // takes, so that it looks and times like a wrong password and a flood of
  // guesses slows down to the pace of hashes.
  bool TakeHeldReply();
  // The last operation left a hash check, a photo check or a held refusal.
  bool WorkWaiting() const { return hash_check_.has_value() || photo_check_.has_value() || hold_reply_; }
  Reply FinishPhoto(const PhotoCheck& check, bool picture);
  Credentials& credentials() { return credentials_; }
  // The hash made elsewhere for a registration's password, for its re-run.
  void ProvideHash(const std::string& password, const std::string& hash) { provided_hash_ = {password, hash}; }

  // With false, hashes are checked at once on the calling thread.
  void DeferHashChecks(bool defer) { defer_hash_checks_ = defer; }

  // The base address the directory document names (known once listening).
  void SetPublicUrl(const QString& url);

 private:
  // Account operations.
  Reply Register(const Form& form, const Request& request);
  Reply Login(const Form& form, const Request& request);
  Reply TopTen(const std::string& prefix);
  Reply Place(const std::string& prefix, const Form& form);
  Reply Members();
  Reply ReadBest(const Form& form, const std::string& prefix, const Request& request);
  Reply SaveResult(const Form& form, const std::string& prefix, const Request& request);
  Reply ReadInfo(const Form& form);
  Reply SaveInfo(const Form& form, const Request& request);

  // Results operations.
  Reply TableCount(const Form& form);
  Reply ReadTable(const Form& form);
  Reply ReadTableNear(const Form& form);
  Reply WriteEntry(const Form& form);

  // Tournament operations.
  Reply ReadTables(const Form& form);
  Reply SetSeat(const Form& form, int seat, const Request& request);
  Reply ReadClient(const Form& form, int seat);
  Reply ServerInfo();
  Reply TourRating(const Form& form);
  Reply TourTop(char kind, std::int64_t gid);
  Reply TourPlace(const Form& form, char kind, std::int64_t gid);
  // Seats taken longer ago than the connection time without a game connection go.
  bool FreeUnclaimedSeats(std::int64_t gid);

  // The account of a nick and password, or nothing (wrong password, unknown
  // nick, too many failures: all look alike to the caller).
  // With `count_unknown` false an unknown nick does not count against the
  // address (a refused photo upload costs no hash and locks nobody out).
  std::optional<Account> Authenticate(const std::string& nick, const std::string& password,
                                      const std::string& address, bool* storage_failed, bool count_unknown = true);
  bool Paused(const char* flag);
  // The reply remembered for a read, if still fresh.
  std::optional<Reply> Remembered(const std::string& key);
  Reply Remember(const std::string& key, Reply reply);
  void ForgetReads() { reads_.clear(); }

  Storage& storage_;
  Credentials& credentials_;
  std::optional<HashCheck> hash_check_;
  std::optional<PhotoCheck> photo_check_;
  bool hold_reply_ = false;
  std::optional<std::pair<std::string, std::string>> provided_hash_;
  struct CachedRead {
    Reply reply;
    std::chrono::steady_clock::time_point until;
  };
  std::unordered_map<std::string, CachedRead> reads_;
  bool defer_hash_checks_ = true;
  ServiceConfig config_;
};

// Reply helpers shared by the operations.
Reply Text(std::string utf8, int status = 200);
Reply Refusal(int status = 200);  // the bare word "no"

}  // namespace varnok::server
