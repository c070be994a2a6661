#include "serve/metrics.h"

#include <array>
#include <map>
#include <mutex>
#include <sstream>

#include "render/image_formats.h"

namespace linnet::serve {

namespace {

constexpr std::array kBucketsSeconds = {0.001, 0.0025, 0.005, 0.01, 0.025, 0.05, 0.1, 0.25, 1.0, 5.0};

struct Histogram {
  std::array<unsigned long long, kBucketsSeconds.size()> buckets{};
  unsigned long long count = 0;
  double sum = 0;
};

struct Counters {
  std::mutex mutex;
  std::map<std::pair<std::string, int>, unsigned long long> requests;
  std::map<std::string, Histogram> latency;
};

Counters& State() {
  static Counters counters;
  return counters;
}

// The route a path counts under: a known path, or "other".
std::string RouteOf(std::string_view path) {
  static constexpr std::array kFixed = {"/",           "/healthz",   "/metrics",       "/v1/properties",
                                        "/v1/formats", "/v1/design", "/v1/design/load"};
  for (const char* p : kFixed) {
    if (path == p) {
      return p;
    }
  }
  constexpr std::string_view kRender = "/v1/render.";
  if (path.starts_with(kRender) && ImageFormatNamed(path.substr(kRender.size())) != nullptr) {
    return std::string(path);
  }
  return "other";
}

}  // namespace

void RecordRequest(std::string_view path, int status, std::chrono::duration<double> latency) {
  const std::string route = RouteOf(path);
  Counters& c = State();
  const std::lock_guard lock(c.mutex);
  ++c.requests[{route, status}];
  if (latency.count() <= 0) {
    return;  // answered before routing (a refused body): no time measured
  }
  Histogram& h = c.latency[route];
  for (size_t i = 0; i < kBucketsSeconds.size(); ++i) {
    if (latency.count() <= kBucketsSeconds[i]) {
      ++h.buckets[i];
    }
  }
  ++h.count;
  h.sum += latency.count();
}

void ResetMetrics() {
  Counters& c = State();
  const std::lock_guard lock(c.mutex);
  c.requests.clear();
  c.latency.clear();
}

std::string MetricsText() {
  Counters& c = State();
  const std::lock_guard lock(c.mutex);
  std::ostringstream out;
  out << "# HELP linnet_http_requests_total Requests answered, by route and status.\n"
         "# TYPE linnet_http_requests_total counter\n";
  for (const auto& [key, n] : c.requests) {
    out << "linnet_http_requests_total{route=\"" << key.first << "\",status=\"" << key.second << "\"} " << n << '\n';
  }
  out << "# HELP linnet_http_errors_total Requests answered with a status of 400 or above, by route.\n"
         "# TYPE linnet_http_errors_total counter\n";
  std::map<std::string, unsigned long long> errors;
  for (const auto& [key, n] : c.requests) {
    if (key.second >= 400) {
      errors[key.first] += n;
    }
  }
  for (const auto& [route, n] : errors) {
    out << "linnet_http_errors_total{route=\"" << route << "\"} " << n << '\n';
  }
  out << "# HELP linnet_http_request_seconds Time from routing to the answer, by route.\n"
         "# TYPE linnet_http_request_seconds histogram\n";
  for (const auto& [route, h] : c.latency) {
    for (size_t i = 0; i < kBucketsSeconds.size(); ++i) {
      out << "linnet_http_request_seconds_bucket{route=\"" << route << "\",le=\"" << kBucketsSeconds[i] << "\"} "
          << h.buckets[i] << '\n';
    }
    out << "linnet_http_request_seconds_bucket{route=\"" << route << "\",le=\"+Inf\"} " << h.count << '\n'
        << "linnet_http_request_seconds_sum{route=\"" << route << "\"} " << h.sum << '\n'
        << "linnet_http_request_seconds_count{route=\"" << route << "\"} " << h.count << '\n';
  }
  return out.str();
}

}  // namespace linnet::serve
