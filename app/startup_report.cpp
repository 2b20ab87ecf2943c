#include "startup_report.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <fstream>
#include <string>

namespace varnok {

void ReportFirstPaint() {
  timespec now{};
  clock_gettime(CLOCK_REALTIME, &now);
  std::fprintf(stderr, "first-paint-ns %lld\n", static_cast<long long>(now.tv_sec) * 1000000000LL + now.tv_nsec);
}

void ReportResidentMemory() {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind("VmRSS:", 0) == 0) {
      std::fprintf(stderr, "rss-kb %ld\n", std::strtol(line.c_str() + 6, nullptr, 10));
      return;
    }
  }
}

bool StartupReportWanted() { return std::getenv("VARNOK_REPORT_STARTUP") != nullptr; }

}  // namespace varnok
