// Passwords of the accounts: stored only as argon2id hashes (libsodium's
// interactive limits), checked with a short-lived memory of recently verified
// (nick, password digest) pairs so that a player's every request does not
// cost a full hash, and with limits on failed attempts per nick and per
// address. The memory holds a keyed BLAKE2b digest, never the password; its
// key is made at random at each start.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>

namespace varnok::server {

class Credentials {
 public:
  using Clock = std::chrono::steady_clock;

  struct Limits {
    int failures_per_nick = 10;
    int failures_per_address = 50;
    int registrations_per_address = 30;  // new accounts per address and window
    std::chrono::seconds window{600};
    std::chrono::seconds remembered{300};  // how long a verified pair is trusted
    std::size_t max_remembered = 100000;
    // Hashes waiting or running at once for one nick and for one address; an
    // attempt beyond them is answered like a wrong password without a hash.
    int pending_per_nick = 2;
    int pending_per_address = 8;
  };

  Credentials();
  explicit Credentials(Limits limits);

  // libsodium ready; false when it failed to start (the server must not run).
  static bool Ready();
  // The argon2id hash to store; nothing on failure (memory).
  static std::optional<std::string> Hash(const std::string& password);

  enum class Check { kGood, kBad, kLimited, kNeedsHash };
  // Checks a password against an account's stored hash at once (the hash is
  // checked on this thread when needed). `nick_key` is the account's lookup
  // key, `address` the caller's.
  Check Verify(const std::string& nick_key, const std::string& password, const std::string& stored_hash,
               const std::string& address);

  // The same in steps, so that the hash can be checked on another thread:
  // Lookup answers from memory (a remembered pair, a verdict just recorded,
  // or the limits) or says kNeedsHash; CheckHash (thread-safe, slow) checks
  // the hash; RecordVerdict takes its outcome back, for the next Lookup.
  Check Lookup(const std::string& nick_key, const std::string& password, const std::string& stored_hash,
               const std::string& address);
  static bool CheckHash(const std::string& stored_hash, const std::string& password);
  // `uses`: how many requests wait for this verdict (the same nick and
  // password sent again while its hash was being checked share the check).
  void RecordVerdict(const std::string& nick_key, const std::string& password, const std::string& stored_hash,
                     const std::string& address, bool good, int uses = 1);

  // A hash about to be checked (or made, for a registration) counts at once:
  // against the failure limits of the nick and the address while it waits
  // (so that guesses sent in parallel meet the limits before they are
  // hashed) and against the bounds of pending hashes. kJoined: the same nick
  // and password already wait for a check, whose verdict this request shares
  // (nothing is counted). kRefused: over a limit, no hash. Every kStarted is
  // ended by EndHash.
  enum class Start { kStarted, kJoined, kRefused };
  Start BeginHash(const std::string& nick_key, const std::string& password, const std::string& address,
                  bool registration = false);
  void EndHash(const std::string& nick_key, const std::string& password, const std::string& address,
               bool registration = false);
  // Neither the nick nor the address has failed lately, and neither has
  // another hash under way (called after BeginHash): its hash goes first.
  bool Clean(const std::string& nick_key, const std::string& address);
  // Whether an address may make one more account now (it counts when true):
  // each new account costs a hash, so their number per address is bounded.
  bool AllowRegistration(const std::string& address);

  // A login for a nick that has no account counts against the address.
  Check NoteUnknownNick(const std::string& address);

  // Number of hash verifications done (for tests and the log).
  std::uint64_t HashChecks() const { return hash_checks_; }

 private:
  struct Remembered {
    std::string digest;
    std::string stored_hash;
    Clock::time_point until;
  };
  struct Failures {
    int count = 0;
    Clock::time_point since;
  };
  struct Verdict {
    bool good = false;
    std::string stored_hash;
    Clock::time_point until;
    int uses = 1;
  };

  std::string Digest(const std::string& nick_key, const std::string& password) const;
  // Failures in the window plus the attempts still being hashed reach the limit.
  bool Limited(std::unordered_map<std::string, Failures>& table, const std::unordered_map<std::string, int>& pending,
               const std::string& key, int limit, Clock::time_point now);
  static int Count(const std::unordered_map<std::string, int>& table, const std::string& key);
  static void Add(std::unordered_map<std::string, int>& table, const std::string& key, int step);
  void Fail(std::unordered_map<std::string, Failures>& table, const std::string& key, Clock::time_point now);
  void Prune(Clock::time_point now);

  Limits limits_;
  std::string key_;
  std::unordered_map<std::string, Remembered> remembered_;
  // Verdicts of hashes checked elsewhere, each used by one Lookup.
  std::unordered_map<std::string, Verdict> verdicts_;
  // Hashes waiting or running, per nick, per address and per (nick, digest).
  std::unordered_map<std::string, int> pending_by_nick_;
  std::unordered_map<std::string, int> pending_by_address_;
  std::unordered_map<std::string, int> pending_pairs_;
  std::unordered_map<std::string, Failures> by_nick_;
  std::unordered_map<std::string, Failures> by_address_;
  std::unordered_map<std::string, Failures> registrations_;
  std::uint64_t hash_checks_ = 0;
  std::uint64_t calls_ = 0;
};

}  // namespace varnok::server
