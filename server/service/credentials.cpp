#include "credentials.h"

#include <sodium.h>

#include <algorithm>

namespace varnok::server {

bool Credentials::Ready() {
  static const bool ready = sodium_init() >= 0;
  return ready;
}

Credentials::Credentials() : Credentials(Limits()) {}

Credentials::Credentials(Limits limits) : limits_(limits) {
  Ready();
  key_.resize(crypto_generichash_KEYBYTES);
  randombytes_buf(key_.data(), key_.size());
}

std::optional<std::string> Credentials::Hash(const std::string& password) {
  if (!Ready()) return std::nullopt;
  char out[crypto_pwhash_STRBYTES];
  if (crypto_pwhash_str(out, password.data(), password.size(), crypto_pwhash_OPSLIMIT_INTERACTIVE,
                        crypto_pwhash_MEMLIMIT_INTERACTIVE) != 0) {
    return std::nullopt;
  }
  return std::string(out);
}

std::string Credentials::Digest(const std::string& nick_key, const std::string& password) const {
  std::string input = nick_key;
  input += '\0';
  input += password;
  std::string digest(crypto_generichash_BYTES, '\0');
  crypto_generichash(reinterpret_cast<unsigned char*>(digest.data()), digest.size(),
                     reinterpret_cast<const unsigned char*>(input.data()), input.size(),
                     reinterpret_cast<const unsigned char*>(key_.data()), key_.size());
  sodium_memzero(input.data(), input.size());
  return digest;
}

int Credentials::Count(const std::unordered_map<std::string, int>& table, const std::string& key) {
  const auto it = table.find(key);
  return it == table.end() ? 0 : it->second;
}

void Credentials::Add(std::unordered_map<std::string, int>& table, const std::string& key, int step) {
  int& count = table[key];
  count += step;
  if (count <= 0) table.erase(key);
}

bool Credentials::Limited(std::unordered_map<std::string, Failures>& table,
                          const std::unordered_map<std::string, int>& pending, const std::string& key, int limit,
                          Clock::time_point now) {
  int count = Count(pending, key);
  auto it = table.find(key);
  if (it != table.end()) {
    if (now - it->second.since > limits_.window) {
      table.erase(it);
    } else {
      count += it->second.count;
    }
  }
  return count >= limit;
}

void Credentials::Fail(std::unordered_map<std::string, Failures>& table, const std::string& key,
                       Clock::time_point now) {
  Failures& f = table[key];
  if (f.count == 0 || now - f.since > limits_.window) {
    f.count = 0;
    f.since = now;
  }
  ++f.count;
}

void Credentials::Prune(Clock::time_point now) {
  if (++calls_ % 4096 != 0 && remembered_.size() < limits_.max_remembered) return;
  std::erase_if(remembered_, [&](const auto& item) { return item.second.until <= now; });
  std::erase_if(by_nick_, [&](const auto& item) { return now - item.second.since > limits_.window; });
  std::erase_if(by_address_, [&](const auto& item) { return now - item.second.since > limits_.window; });
  std::erase_if(registrations_, [&](const auto& item) { return now - item.second.since > limits_.window; });
  if (remembered_.size() >= limits_.max_remembered) remembered_.clear();
}

Credentials::Check Credentials::Lookup(const std::string& nick_key, const std::string& password,
                                       const std::string& stored_hash, const std::string& address) {
  const Clock::time_point now = Clock::now();
  Prune(now);
  const std::string digest = Digest(nick_key, password);
  auto it = remembered_.find(nick_key);
  if (it != remembered_.end() && it->second.until > now && it->second.stored_hash == stored_hash &&
      sodium_memcmp(it->second.digest.data(), digest.data(), digest.size()) == 0) {
    return Check::kGood;
  }
  auto verdict = verdicts_.find(nick_key + '\0' + digest);
  if (verdict != verdicts_.end()) {
    const bool valid = verdict->second.stored_hash == stored_hash && verdict->second.until > now;
    const bool good = valid && verdict->second.good;
    const bool bad = valid && !verdict->second.good;
    if (--verdict->second.uses <= 0 || !valid) verdicts_.erase(verdict);
    if (good) return Check::kGood;
    if (bad) return Check::kBad;
  }
  if (Limited(by_nick_, pending_by_nick_, nick_key, limits_.failures_per_nick, now) ||
      Limited(by_address_, pending_by_address_, address, limits_.failures_per_address, now)) {
    return Check::kLimited;
  }
  return Check::kNeedsHash;
}

bool Credentials::CheckHash(const std::string& stored_hash, const std::string& password) {
  return crypto_pwhash_str_verify(stored_hash.c_str(), password.data(), password.size()) == 0;
}

void Credentials::RecordVerdict(const std::string& nick_key, const std::string& password,
                                const std::string& stored_hash, const std::string& address, bool good, int uses) {
  const Clock::time_point now = Clock::now();
  ++hash_checks_;
  const std::string digest = Digest(nick_key, password);
  if (good) {
    by_nick_.erase(nick_key);
    remembered_[nick_key] = {digest, stored_hash, now + limits_.remembered};
  } else {
    Fail(by_nick_, nick_key, now);
    Fail(by_address_, address, now);
  }
  if (verdicts_.size() > 10000) verdicts_.clear();
  verdicts_[nick_key + '\0' + digest] = {good, stored_hash, now + std::chrono::seconds(60), std::max(1, uses)};
}

Credentials::Start Credentials::BeginHash(const std::string& nick_key, const std::string& password,
                                          const std::string& address, bool registration) {
  const Clock::time_point now = Clock::now();
  const std::string pair = nick_key + '\0' + Digest(nick_key, password);
  if (!registration && Count(pending_pairs_, pair) > 0) return Start::kJoined;
  if (Count(pending_by_nick_, nick_key) >= limits_.pending_per_nick ||
      Count(pending_by_address_, address) >= limits_.pending_per_address) {
    return Start::kRefused;
  }
  if (!registration && (Limited(by_nick_, pending_by_nick_, nick_key, limits_.failures_per_nick, now) ||
                        Limited(by_address_, pending_by_address_, address, limits_.failures_per_address, now))) {
    return Start::kRefused;
  }
  Add(pending_by_nick_, nick_key, 1);
  Add(pending_by_address_, address, 1);
  if (!registration) Add(pending_pairs_, pair, 1);
  return Start::kStarted;
}

void Credentials::EndHash(const std::string& nick_key, const std::string& password, const std::string& address,
                          bool registration) {
  Add(pending_by_nick_, nick_key, -1);
  Add(pending_by_address_, address, -1);
  if (!registration) Add(pending_pairs_, nick_key + '\0' + Digest(nick_key, password), -1);
}

bool Credentials::Clean(const std::string& nick_key, const std::string& address) {
  const Clock::time_point now = Clock::now();
  static const std::unordered_map<std::string, int> kNone;
  // At most one hash of an address or a nick at a time counts as clean, so
  // that a burst of first guesses cannot fill the members' threads.
  return !Limited(by_nick_, kNone, nick_key, 1, now) && !Limited(by_address_, kNone, address, 1, now) &&
         Count(pending_by_nick_, nick_key) <= 1 && Count(pending_by_address_, address) <= 1;
}

Credentials::Check Credentials::Verify(const std::string& nick_key, const std::string& password,
                                       const std::string& stored_hash, const std::string& address) {
  Check check = Lookup(nick_key, password, stored_hash, address);
  if (check != Check::kNeedsHash) return check;
  RecordVerdict(nick_key, password, stored_hash, address, CheckHash(stored_hash, password));
  check = Lookup(nick_key, password, stored_hash, address);
  return check == Check::kNeedsHash ? Check::kBad : check;
}

bool Credentials::AllowRegistration(const std::string& address) {
  const Clock::time_point now = Clock::now();
  static const std::unordered_map<std::string, int> kNone;
  if (Limited(registrations_, kNone, address, limits_.registrations_per_address, now)) return false;
  Fail(registrations_, address, now);
  return true;
}

Credentials::Check Credentials::NoteUnknownNick(const std::string& address) {
  const Clock::time_point now = Clock::now();
  Prune(now);
  if (Limited(by_address_, pending_by_address_, address, limits_.failures_per_address, now)) return Check::kLimited;
  Fail(by_address_, address, now);
  return Check::kBad;
}

}  // namespace varnok::server
