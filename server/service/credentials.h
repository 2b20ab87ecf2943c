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
  void RecordVerdict(const std::string& nick_key, const std::string& password, const std::string& stored_hash,
                     const std::string& address, bool good);
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

  std::string Digest(const std::string& nick_key, const std::string& password) const;
  bool Limited(std::unordered_map<std::string, Failures>& table, const std::string& key, int limit, Clock::time_point now);
  void Fail(std::unordered_map<std::string, Failures>& table, const std::string& key, Clock::time_point now);
  void Prune(Clock::time_point now);

  Limits limits_;
  std::string key_;
  std::unordered_map<std::string, Remembered> remembered_;
  // Verdicts of hashes checked elsewhere, each used by one Lookup.
  std::unordered_map<std::string, Remembered> verdicts_;
  std::unordered_map<std::string, Failures> by_nick_;
  std::unordered_map<std::string, Failures> by_address_;
  std::unordered_map<std::string, Failures> registrations_;
  std::uint64_t hash_checks_ = 0;
  std::uint64_t calls_ = 0;
};

}  // namespace varnok::server
