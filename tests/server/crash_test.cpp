// Data survives a crash: the server is killed with SIGKILL in the middle of a
// burst of writes, and every write it acknowledged is there after a restart.
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <set>
#include <thread>

#include "server_process.h"
#include "wire_helpers.h"

namespace varnok::test {
namespace {

std::string Entry(int gid, const std::string& nick, int score) {
  return RawForm({{"gid", std::to_string(gid)}, {"nick", nick}, {"city", "Omsk"}, {"country", "1-001"},
                  {"score", std::to_string(score)}, {"R7", "M"}, {"R8", "5.7f"}, {"R9", "#"},
                  {"R10", "line" + std::to_string(score) + "*"}});
}

TEST(ServerCrash, EveryAcknowledgedWriteSurvivesSigkill) {
  const std::string folder = MakeTempFolder();
  std::vector<int> acknowledged_entries;
  int acknowledged_posts = 0;
  {
    ServerProcess server(folder);
    ASSERT_TRUE(server.Running());
    std::atomic<int> acknowledged{0};
    std::atomic<bool> stop{false};
    std::vector<int> entries;
    int posts = 0;
    std::thread writer([&]() {
      for (int i = 1; !stop && i < 100000; ++i) {
        // Table entries and chat posts in turn.
        if (i % 2) {
          if (server.Post("/results.php", Entry(9, "w" + std::to_string(i), i)).body.rfind("$", 0) == 0) {
            entries.push_back(i);
            ++acknowledged;
          } else {
            break;
          }
        } else if (server.Post("/results.php", Entry(100, "Chatter", 1)).body == "$1$") {
          ++posts;
          ++acknowledged;
        } else {
          break;
        }
      }
    });
    while (acknowledged < 300) std::this_thread::yield();
    server.Kill(SIGKILL);
    stop = true;
    writer.join();
    acknowledged_entries = entries;
    acknowledged_posts = posts;
  }
  ServerProcess restarted(folder);
  ASSERT_TRUE(restarted.Running());
  const std::string count = restarted.Post("/results.php", ListForm({{"rgid", "9"}})).body;
  EXPECT_GE(std::stoi(count.substr(1)), static_cast<int>(acknowledged_entries.size()));
  for (int i : acknowledged_entries) {
    const std::string near =
        restarted.Post("/results.php", RawForm({{"gid", "9"}, {"nick", "w" + std::to_string(i)}, {"city", "Omsk"}}))
            .body;
    ASSERT_NE(near.find("$"), std::string::npos) << "entry " << i << " was acknowledged but is gone";
  }
  // The board's numbers go on from the last kept message, without a gap or a repeat.
  const std::string board_count = restarted.Post("/results.php", ListForm({{"rgid", "100"}})).body;
  const int kept = std::stoi(board_count.substr(1));
  EXPECT_GE(kept, acknowledged_posts);
  ASSERT_EQ(restarted.Post("/results.php", Entry(100, "Chatter", 1)).body, "$1$");
  const auto newest = Records(restarted.Post("/results.php", ListForm({{"gid", "100"}})).body);
  ASSERT_FALSE(newest.empty());
  EXPECT_EQ(newest[0][2], std::to_string(kept + 1));
  RemoveTree(folder);
}

}  // namespace
}  // namespace varnok::test
