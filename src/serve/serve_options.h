#pragma once
// How `linnet serve` listens and what it allows: the address, the worker count and queue, the
// limits every request meets, and the one origin CORS is opened to (none by default). The
// defaults are the safe ones: loopback only, 1 MiB bodies, a few seconds per request.
#include <cstddef>
#include <string>

namespace linnet::serve {

struct ServeOptions {
  std::string host = "127.0.0.1";
  int port = 8080;
  std::size_t threads = 16;     // workers; each holds one keep-alive connection at a time
  std::size_t queueLimit = 64;  // connections waiting for a worker before 503
  std::size_t maxBodyBytes = 1 << 20;
  int timeLimitSeconds = 5;  // reading and writing one request
  std::string corsOrigin;    // empty: no CORS headers
};

// Parses "ADDR:PORT" (or ":PORT", or "PORT") into `options`; false with `error` otherwise.
bool ParseListenAddress(const std::string& text, ServeOptions& options, std::string& error);

}  // namespace linnet::serve
