#pragma once
// The HTTP service: every route from one table, each handler thin (request -> settings ->
// the shared apply and export functions of label_service.h -> response), and the server-wide
// handlers (CORS, overload, exceptions, metrics). RegisterRoutes sets up a server the caller
// then binds and runs, so tests build one without `main`. RunServer is `linnet serve`.
#include <httplib.h>

#include <string>

#include "serve/serve_options.h"

namespace linnet::serve {

// Routes, limits (body size, read and write time) and the server-wide handlers on `server`.
// The worker queue is the caller's (see WorkerQueue); RunServer installs one.
void RegisterRoutes(httplib::Server& server, const ServeOptions& options);

// Listens on options.host:port until the process is stopped; false with `error` when the
// address cannot be bound.
bool RunServer(const ServeOptions& options, std::string& error);

}  // namespace linnet::serve
