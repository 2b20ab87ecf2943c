// Passwords: argon2id hashes, the memory of verified pairs, and the limits.
#include <gtest/gtest.h>

#include "service/credentials.h"

namespace varnok::server {
namespace {

using Check = Credentials::Check;

TEST(Credentials, HashesAreArgon2idAndOnlyTheRightPasswordPasses) {
  const std::optional<std::string> hash = Credentials::Hash("secret1");
  ASSERT_TRUE(hash);
  EXPECT_EQ(hash->rfind("$argon2id$", 0), 0u);
  EXPECT_EQ(hash->find("secret1"), std::string::npos);
  EXPECT_NE(*Credentials::Hash("secret1"), *hash) << "salted";
  Credentials credentials;
  EXPECT_EQ(credentials.Verify("ivan", "secret1", *hash, "10.0.0.1"), Check::kGood);
  EXPECT_EQ(credentials.Verify("ivan", "secret2", *hash, "10.0.0.1"), Check::kBad);
}

TEST(Credentials, AVerifiedPairIsRememberedUntilTheHashChanges) {
  const std::string hash = *Credentials::Hash("secret1");
  Credentials credentials;
  ASSERT_EQ(credentials.Verify("ivan", "secret1", hash, "10.0.0.1"), Check::kGood);
  const std::uint64_t checks = credentials.HashChecks();
  for (int i = 0; i < 100; ++i) ASSERT_EQ(credentials.Verify("ivan", "secret1", hash, "10.0.0.1"), Check::kGood);
  EXPECT_EQ(credentials.HashChecks(), checks) << "no hash checked for a remembered pair";
  EXPECT_EQ(credentials.Lookup("ivan", "secret1", hash, "10.0.0.1"), Check::kGood);
  EXPECT_EQ(credentials.Lookup("ivan", "other12", hash, "10.0.0.1"), Check::kNeedsHash) << "another password";
  const std::string new_hash = *Credentials::Hash("secret1");
  EXPECT_EQ(credentials.Lookup("ivan", "secret1", new_hash, "10.0.0.1"), Check::kNeedsHash)
      << "an account made anew under the same nick";
}

TEST(Credentials, FailuresLockTheNickAndTheAddress) {
  Credentials::Limits limits;
  limits.failures_per_nick = 3;
  limits.failures_per_address = 5;
  Credentials credentials(limits);
  const std::string hash = *Credentials::Hash("secret1");
  // Verdicts come from a hash check done elsewhere, as the server does it.
  for (int i = 0; i < 3; ++i) credentials.RecordVerdict("ivan", "bad" + std::to_string(i), hash, "10.0.0.1", false);
  EXPECT_EQ(credentials.Lookup("ivan", "secret1", hash, "10.0.0.2"), Check::kLimited) << "the nick is locked";
  EXPECT_EQ(credentials.Lookup("olga", "secret1", hash, "10.0.0.1"), Check::kNeedsHash);
  for (int i = 0; i < 2; ++i) credentials.NoteUnknownNick("10.0.0.1");
  EXPECT_EQ(credentials.Lookup("olga", "secret1", hash, "10.0.0.1"), Check::kLimited) << "the address is locked";
  EXPECT_EQ(credentials.Lookup("olga", "secret1", hash, "10.0.0.3"), Check::kNeedsHash);
}

// A hash about to run counts at once: against the failure limits and the
// bounds of pending hashes; the same nick and password join the check
// already waiting instead of adding one.
TEST(Credentials, AttemptsCountBeforeTheirHash) {
  using Start = Credentials::Start;
  Credentials::Limits limits;
  limits.failures_per_nick = 3;
  limits.pending_per_nick = 2;
  limits.pending_per_address = 3;
  Credentials credentials(limits);
  const std::string hash = *Credentials::Hash("secret1");
  EXPECT_EQ(credentials.BeginHash("ivan", "guess1", "10.0.0.1"), Start::kStarted);
  EXPECT_EQ(credentials.BeginHash("ivan", "guess1", "10.0.0.1"), Start::kJoined) << "the same pair shares the check";
  EXPECT_EQ(credentials.BeginHash("ivan", "guess2", "10.0.0.1"), Start::kStarted);
  EXPECT_EQ(credentials.BeginHash("ivan", "guess3", "10.0.0.2"), Start::kRefused) << "two pending for the nick";
  EXPECT_EQ(credentials.BeginHash("olga", "guess4", "10.0.0.1"), Start::kStarted);
  EXPECT_EQ(credentials.BeginHash("petr", "guess5", "10.0.0.1"), Start::kRefused) << "three pending for the address";
  EXPECT_EQ(credentials.BeginHash("petr", "guess5", "10.0.0.3", true), Start::kStarted) << "a registration elsewhere";
  // One failure and two attempts under way reach the nick's limit of three.
  credentials.RecordVerdict("ivan", "guess0", hash, "10.0.0.9", false);
  EXPECT_EQ(credentials.Lookup("ivan", "secret1", hash, "10.0.0.5"), Check::kLimited);
  credentials.EndHash("ivan", "guess1", "10.0.0.1");
  credentials.RecordVerdict("ivan", "guess1", hash, "10.0.0.1", false, 2);
  EXPECT_EQ(credentials.Lookup("ivan", "guess1", hash, "10.0.0.1"), Check::kBad) << "the first of two sharing";
  EXPECT_EQ(credentials.Lookup("ivan", "guess1", hash, "10.0.0.1"), Check::kBad) << "the second";
  EXPECT_FALSE(credentials.Clean("ivan", "10.0.0.5")) << "failed lately";
  EXPECT_TRUE(credentials.Clean("olga", "10.0.0.5"));
  EXPECT_FALSE(credentials.Clean("olga", "10.0.0.1")) << "the address has more hashes under way";
}

TEST(Credentials, RegistrationsPerAddressAreBounded) {
  Credentials::Limits limits;
  limits.registrations_per_address = 2;
  Credentials credentials(limits);
  EXPECT_TRUE(credentials.AllowRegistration("10.0.0.1"));
  EXPECT_TRUE(credentials.AllowRegistration("10.0.0.1"));
  EXPECT_FALSE(credentials.AllowRegistration("10.0.0.1"));
  EXPECT_TRUE(credentials.AllowRegistration("10.0.0.2"));
}

}  // namespace
}  // namespace varnok::server
