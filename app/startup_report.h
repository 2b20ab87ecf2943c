// Start-up figures printed for the start-up measurement: the wall-clock time
// of the first painted frame and the resident memory, each as one line on
// standard error ("first-paint-ns 1765...", "rss-kb 43120").
#pragma once

namespace varnok {

void ReportFirstPaint();
void ReportResidentMemory();
// Whether the game was asked to report (VARNOK_REPORT_STARTUP is set).
bool StartupReportWanted();

}  // namespace varnok
