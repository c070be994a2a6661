#include "serve/routes.h"

#include <array>
#include <chrono>
#include <exception>
#include <memory>

#include "control/qln_barcode.h"
#include "platform/ascii_case.h"
#include "platform/log.h"
#include "render/image_formats.h"
#include "serve/designer_page.h"
#include "serve/label_service.h"
#include "serve/metrics.h"
#include "serve/worker_queue.h"

namespace linnet::serve {

namespace {

using Clock = std::chrono::steady_clock;
thread_local Clock::time_point tStarted{};

constexpr const char* kJson = "application/json";

void SendJson(httplib::Response& res, int status, const nlohmann::ordered_json& body) {
  res.status = status;
  res.set_content(body.dump(), kJson);
}

void SendOutcome(httplib::Response& res, const Outcome& outcome) {
  res.status = HttpStatus(outcome.kind);
  res.set_content(ErrorBody(outcome).dump(), kJson);
}

RequestProperties PropertiesOf(const httplib::Request& req) {
  const auto q = req.target.find('?');
  const std::string_view query =
      q == std::string::npos ? std::string_view() : std::string_view(req.target).substr(q + 1);
  return {query, req.get_header_value("Content-Type"), req.body};
}

// A flag of the service's own, its name in any case as the query reader takes it.
bool FlagSet(const httplib::Request& req, const char* name) {
  for (const auto& [key, value] : req.params) {
    if (SameIgnoringAsciiCase(key, name) && (value == "1" || value == "true")) {
      return true;
    }
  }
  return false;
}

void Render(const httplib::Request& req, httplib::Response& res) {
  const ImageFormatInfo* format = ImageFormatNamed(req.matches[1].str());
  if (format == nullptr) {
    SendOutcome(res, {OutcomeKind::BadRequest, 0, "unknown image format '" + req.matches[1].str() + "'", {}});
    return;
  }
  CQlnBarcode control;
  if (const Outcome applied = ApplyRequest(control, PropertiesOf(req)); applied.kind != OutcomeKind::Ok) {
    SendOutcome(res, applied);
    return;
  }
  std::vector<unsigned char> image;
  if (const Outcome rendered = RenderLabel(control, *format, FlagSet(req, "allowError"), image);
      rendered.kind != OutcomeKind::Ok) {
    SendOutcome(res, rendered);
    return;
  }
  res.set_content(std::string(image.begin(), image.end()), format->mimeType);
}

void SaveDesignRoute(const httplib::Request& req, httplib::Response& res) {
  const std::string format = req.has_param("format") ? req.get_param_value("format") : "xml";
  if (format != "xml" && format != "binary") {
    SendOutcome(res, {OutcomeKind::BadRequest, 0, "format must be xml or binary", {}});
    return;
  }
  CQlnBarcode control;
  if (const Outcome applied = ApplyRequest(control, PropertiesOf(req)); applied.kind != OutcomeKind::Ok) {
    SendOutcome(res, applied);
    return;
  }
  std::vector<std::uint8_t> file;
  if (const Outcome saved = SaveDesign(control, format == "xml", file); saved.kind != OutcomeKind::Ok) {
    SendOutcome(res, saved);
    return;
  }
  res.set_content(std::string(file.begin(), file.end()),
                  format == "xml" ? "application/xml" : "application/octet-stream");
}

void LoadDesignRoute(const httplib::Request& req, httplib::Response& res) {
  CQlnBarcode control;
  if (const Outcome loaded = LoadDesign(control, req.body); loaded.kind != OutcomeKind::Ok) {
    SendOutcome(res, loaded);
    return;
  }
  SendJson(res, 200, PropertyValues(control));
}

void Properties(const httplib::Request&, httplib::Response& res) {
  static const std::string schema = PropertySchema().dump();
  res.set_content(schema, kJson);
}

void Formats(const httplib::Request&, httplib::Response& res) {
  nlohmann::ordered_json list = nlohmann::ordered_json::array();
  for (const auto& f : ImageFormats()) {
    list.push_back({{"name", f.names[0]}, {"mimeType", f.mimeType}});
  }
  SendJson(res, 200, list);
}

void Health(const httplib::Request&, httplib::Response& res) {
  res.set_content(R"({"status":"ok"})", kJson);
}

void Metrics(const httplib::Request&, httplib::Response& res) {
  res.set_content(MetricsText(), "text/plain; version=0.0.4");
}

void Designer(const httplib::Request&, httplib::Response& res) {
  res.set_header("Content-Security-Policy",
                 "default-src 'none'; connect-src 'self'; img-src 'self' blob:; style-src 'unsafe-inline'; "
                 "script-src 'unsafe-inline'; base-uri 'none'; form-action 'none'; frame-ancestors 'none'");
  res.set_header("X-Content-Type-Options", "nosniff");
  res.set_content(reinterpret_cast<const char*>(kDesignerPage), sizeof kDesignerPage, "text/html; charset=utf-8");
}

enum class Method { Get, Post, GetPost };

struct Route {
  Method method;
  const char* pattern;
  void (*handler)(const httplib::Request&, httplib::Response&);
};

constexpr std::array kRoutes = {
    Route{Method::Get, "/", Designer},
    Route{Method::Get, "/healthz", Health},
    Route{Method::Get, "/metrics", Metrics},
    Route{Method::Get, "/v1/properties", Properties},
    Route{Method::Get, "/v1/formats", Formats},
    Route{Method::GetPost, R"(/v1/render\.([A-Za-z]+))", Render},
    Route{Method::Post, "/v1/design", SaveDesignRoute},
    Route{Method::Post, "/v1/design/load", LoadDesignRoute},
};

}  // namespace

void RegisterRoutes(httplib::Server& server, const ServeOptions& options) {
  for (const Route& r : kRoutes) {
    if (r.method != Method::Post) {
      server.Get(r.pattern, r.handler);
    }
    if (r.method != Method::Get) {
      server.Post(r.pattern, r.handler);
    }
  }
  server.set_payload_max_length(options.maxBodyBytes);
  // Headers and body go out in separate writes: without this, Nagle's algorithm and delayed
  // acknowledgements hold every small answer back by some 40 ms.
  server.set_tcp_nodelay(true);
  server.set_read_timeout(options.timeLimitSeconds, 0);
  server.set_write_timeout(options.timeLimitSeconds, 0);
  const std::string cors = options.corsOrigin;
  server.set_pre_routing_handler([cors](const httplib::Request& req, httplib::Response& res) {
    tStarted = Clock::now();
    if (!cors.empty()) {
      res.set_header("Access-Control-Allow-Origin", cors);
      res.set_header("Vary", "Origin");
    }
    if (WorkerQueue::Overloaded()) {
      res.set_header("Retry-After", "1");
      res.set_header("Connection", "close");
      SendOutcome(res, {OutcomeKind::Busy, 0, "the server is busy; try again", {}});
      return httplib::Server::HandlerResponse::Handled;
    }
    if (!cors.empty() && req.method == "OPTIONS") {
      res.set_header("Access-Control-Allow-Methods", "GET, POST");
      res.set_header("Access-Control-Allow-Headers", "Content-Type");
      res.status = 204;
      return httplib::Server::HandlerResponse::Handled;
    }
    return httplib::Server::HandlerResponse::Unhandled;
  });
  server.set_exception_handler([](const httplib::Request& req, httplib::Response& res, std::exception_ptr ep) {
    std::string what = "unexpected failure";
    try {
      std::rethrow_exception(ep);
    } catch (const std::exception& e) {
      what = e.what();
    } catch (...) {
    }
    log::Write("serve: ", req.method + " " + req.path + ": " + what + "\n");
    SendOutcome(res, {OutcomeKind::Internal, 0, "internal error", {}});
  });
  server.set_error_handler([](const httplib::Request&, httplib::Response& res) {
    if (res.body.empty()) {
      SendJson(res, res.status, {{"error", 0}, {"message", "HTTP status " + std::to_string(res.status)}});
    }
  });
  // Counted just before the answer is written, so that a client which has its answer finds
  // it counted in /metrics (a logger runs only after the write).
  server.set_post_routing_handler([](const httplib::Request& req, httplib::Response& res) {
    const auto latency = tStarted == Clock::time_point{} ? std::chrono::duration<double>::zero()
                                                         : std::chrono::duration<double>(Clock::now() - tStarted);
    tStarted = {};
    RecordRequest(req.path, res.status, latency);
  });
}

bool RunServer(const ServeOptions& options, std::string& error) {
  httplib::Server server;
  server.new_task_queue = [&options] { return new WorkerQueue(options.threads, options.queueLimit); };
  RegisterRoutes(server, options);
  if (!server.bind_to_port(options.host.c_str(), options.port)) {
    error = "cannot listen on " + options.host + ":" + std::to_string(options.port);
    return false;
  }
  log::Write("serve: ", "listening on " + options.host + ":" + std::to_string(options.port) + "\n");
  return server.listen_after_bind();
}

}  // namespace linnet::serve
