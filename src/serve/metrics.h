#pragma once
// The service's counters in the Prometheus text format: requests by route and status, and a
// latency histogram per route (a render route per image format). Routes outside the route
// table count as "other", so a client cannot grow the series. Thread-safe.
#include <chrono>
#include <string>
#include <string_view>

namespace linnet::serve {

void RecordRequest(std::string_view path, int status, std::chrono::duration<double> latency);
// Clears every counter (tests).
void ResetMetrics();
std::string MetricsText();

}  // namespace linnet::serve
