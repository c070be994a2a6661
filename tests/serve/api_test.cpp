// The HTTP service against a server on a free loopback port: every image format's bytes read
// back, the documented error bodies and statuses, the limits, the design round trip and the
// metrics that count all of it.
#include <gtest/gtest.h>

#include <fstream>
#include <nlohmann/json.hpp>
#include <vector>

#include "render/image_formats.h"
#include "serve/metrics.h"
#include "serve_case.h"
#include "support/metafile_records.h"
#include "support/run_command.h"
#include "support/symbol_image.h"

namespace linnet {
namespace {

using testing::RunningServer;

class ServeApi : public ::testing::Test {
 protected:
  static void SetUpTestSuite() { server_ = new RunningServer(); }
  static void TearDownTestSuite() {
    delete server_;
    server_ = nullptr;
  }
  static httplib::Client Client() { return server_->Client(); }

  std::string Save(const std::string& name, const std::string& bytes) {
    const std::string path = dir_ + "/" + name;
    std::ofstream(path, std::ios::binary) << bytes;
    return path;
  }

  std::string dir_ = testing::MakeTempDir();
  static RunningServer* server_;
};

RunningServer* ServeApi::server_ = nullptr;

// The text a reader finds in a label, by the format's writer.
std::optional<std::string> ReadLabel(const ImageFormatInfo& format, const std::string& path, const std::string& bytes) {
  switch (format.writer) {
    case ImageWriter::Raster:
      if (format.codec == image::Codec::Tiff) {  // the reader takes no TIFF: its magic number
        return bytes.starts_with(std::string("II*\0", 4)) || bytes.starts_with(std::string("MM\0*", 4))
                   ? std::optional<std::string>("tiff")
                   : std::nullopt;
      }
      return testing::ZxingRead(path, "Code128");
    case ImageWriter::Svg: {
      const auto run =
          testing::RunCommand({"rsvg-convert", "-d", "300", "-p", "300", "-b", "white", "-o", path + ".png", path});
      return run.exitCode == 0 ? testing::ZxingRead(path + ".png", "Code128") : std::nullopt;
    }
    case ImageWriter::Emf: {
      std::string problem;
      const auto records = testing::WalkEmf(testing::Bytes(bytes.begin(), bytes.end()), problem);
      return records.size() > 2 && problem.empty() ? std::optional<std::string>("emf") : std::nullopt;
    }
    case ImageWriter::Wmf: {
      std::string problem;
      testing::WmfHeader header;
      const auto records = testing::WalkWmf(testing::Bytes(bytes.begin(), bytes.end()), header, problem);
      return records.size() > 2 && problem.empty() ? std::optional<std::string>("wmf") : std::nullopt;
    }
  }
  return std::nullopt;
}

TEST_F(ServeApi, EveryFormatGivesALabelThatReadsBack) {
  auto client = Client();
  for (const auto& format : ImageFormats()) {
    const std::string name = format.names[0];
    SCOPED_TRACE(name);
    // Message twice: the later one wins, so the query applies in order.
    const auto res = client.Get("/v1/render." + name +
                                "?Message=FIRST&Symbology=code128&Message=SERVE-19&"
                                "RasterImageResolution=300");
    ASSERT_TRUE(res);
    ASSERT_EQ(res->status, 200) << res->body;
    EXPECT_EQ(res->get_header_value("Content-Type"), format.mimeType);
    const auto text = ReadLabel(format, Save("label." + name, res->body), res->body);
    ASSERT_TRUE(text);
    if (format.writer == ImageWriter::Svg ||
        (format.writer == ImageWriter::Raster && format.codec != image::Codec::Tiff)) {
      EXPECT_EQ(*text, "SERVE-19");
    }
  }
}

TEST_F(ServeApi, PropertiesCanComeAsJsonOrAsAPropertyFile) {
  auto client = Client();
  const auto json = client.Post("/v1/render.png", R"({"Symbology": "qlxPDF417", "Message": "from json",
                                  "ShowHRText": false, "PDF417RowHeight": 3})",
                                "application/json");
  ASSERT_TRUE(json);
  ASSERT_EQ(json->status, 200) << json->body;
  EXPECT_EQ(testing::ZxingRead(Save("json.png", json->body), "PDF417"), "from json");

  for (const std::string format : {"xml", "binary"}) {
    SCOPED_TRACE(format);
    const auto file = client.Post("/v1/design?format=" + format,
                                  R"({"Symbology": "qlxPDF417", "Message": "round trip"})", "application/json");
    ASSERT_TRUE(file);
    ASSERT_EQ(file->status, 200) << file->body;
    const auto loaded = client.Post("/v1/design/load", file->body, "application/octet-stream");
    ASSERT_TRUE(loaded);
    ASSERT_EQ(loaded->status, 200) << loaded->body;
    const auto values = nlohmann::json::parse(loaded->body);
    EXPECT_EQ(values["message"], "round trip");  // the automation name
    EXPECT_EQ(values["Symbology"], "qlxPDF417");
    // What load answers posts back as it stands.
    const auto again = client.Post("/v1/render.png", loaded->body, "application/json");
    ASSERT_TRUE(again);
    ASSERT_EQ(again->status, 200) << again->body;
    EXPECT_EQ(testing::ZxingRead(Save("again.png", again->body), "PDF417"), "round trip");
    if (format == "xml") {
      const auto drawn = client.Post("/v1/render.png?Message=after%20the%20file", file->body, "application/xml");
      ASSERT_TRUE(drawn);
      ASSERT_EQ(drawn->status, 200) << drawn->body;
      EXPECT_EQ(testing::ZxingRead(Save("xml.png", drawn->body), "PDF417"), "after the file");
    }
  }
}

TEST_F(ServeApi, FailuresAnswerTheDocumentedStatusAndJson) {
  const struct {
    const char* method;
    std::string path;
    std::string body;
    int status;
    int error;  // -1: any engine code above 0
    const char* property;
    const char* messagePrefix;
  } cases[] = {
      {"GET", "/v1/render.png?BarHeight=0", "", 400, 6116, "BarHeight", "Invalid value for BarHeight property."},
      {"POST", "/v1/render.svg", R"({"Symbology": "qlxCode128", "BarHeight": 0})", 400, 6116, "BarHeight",
       "Invalid value for BarHeight property."},
      {"GET", "/v1/render.png?Rotation=sideways", "", 400, 0, "Rotation", ""},
      {"GET", "/v1/render.png?NoSuchProperty=1", "", 400, 0, "NoSuchProperty", "no settable property"},
      {"GET", "/v1/render.png?Symbology=42&Message=x", "", 422, -1, "message", "Maxicode Encoding Error "},
      {"GET", "/v1/render.png?RasterImageResolution=1000000", "", 413, 6122, "", ""},
      {"GET", "/v1/render.bmp?RasterImageResolution=1000000", "", 413, 6122, "", ""},
      {"GET", "/v1/render.xyz", "", 400, 0, "", "unknown image format"},
      {"GET", "/v1/render.png?Message=%ZZ", "", 400, 0, "", "bad percent escape"},
      {"POST", "/v1/render.png", "{not json", 400, 0, "", "the body must be a JSON object"},
      {"POST", "/v1/render.png", R"({"Message": ["a"]})", 400, 0, "", "the value of Message"},
      {"POST", "/v1/design?format=zip", "{}", 400, 0, "", "format must be"},
      {"POST", "/v1/design/load", "not a property file", 400, 6114, "", ""},
      {"POST", "/v1/render.png", std::string(1 << 21, ' '), 413, 0, "", ""},
      {"GET", "/etc/passwd", "", 404, 0, "", ""},
  };
  auto client = Client();
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    const auto res =
        std::string(c.method) == "GET" ? client.Get(c.path) : client.Post(c.path, c.body, "application/json");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, c.status) << res->body;
    EXPECT_EQ(res->get_header_value("Content-Type"), "application/json");
    const auto body = nlohmann::json::parse(res->body, nullptr, false);
    ASSERT_TRUE(body.is_object()) << res->body;
    if (c.error < 0) {
      EXPECT_GT(body["error"].get<int>(), 0);
    } else {
      EXPECT_EQ(body["error"], c.error);
    }
    EXPECT_EQ(body.value("property", ""), c.property);
    EXPECT_TRUE(body["message"].get<std::string>().starts_with(c.messagePrefix)) << body["message"];
  }
}

TEST_F(ServeApi, AnEncodingErrorGivesTheLabelWhenAskedFor) {
  auto client = Client();
  const auto res = client.Get("/v1/render.png?Symbology=42&Message=x&AllowError=1");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 200);
  EXPECT_TRUE(res->body.starts_with("\x89PNG"));
}

TEST_F(ServeApi, SchemaDescribesEverySettableProperty) {
  auto client = Client();
  const auto res = client.Get("/v1/properties");
  ASSERT_TRUE(res);
  ASSERT_EQ(res->status, 200);
  const auto schema = nlohmann::json::parse(res->body);
  std::map<std::string, nlohmann::json> byName;
  for (const auto& p : schema) {
    byName[p["name"]] = p;
  }
  EXPECT_EQ(byName["BarHeight"]["categoryName"], "Bar Code") << byName["BarHeight"];
  EXPECT_EQ(byName["BackColor"]["kind"], "color");
  EXPECT_EQ(byName["ShowHRText"]["creation"], true);
  const auto& symbologies = byName["Symbology"]["enumerators"];
  EXPECT_TRUE(
      std::any_of(symbologies.begin(), symbologies.end(), [](const auto& e) { return e["name"] == "qlxPDF417"; }));
  // Every entry posts back: its value at creation is accepted as it stands.
  for (const auto& [name, p] : byName) {
    if (p["creation"].is_null() || name == "Symbology") {
      continue;
    }
    SCOPED_TRACE(name);
    const auto set = client.Post("/v1/render.svg", nlohmann::json{{name, p["creation"]}}.dump(), "application/json");
    ASSERT_TRUE(set);
    EXPECT_EQ(set->status, 200) << set->body;
  }
}

TEST_F(ServeApi, MetricsCountAnswersByRouteAndStatus) {
  serve::ResetMetrics();
  auto client = Client();
  client.Get("/v1/render.png");
  client.Get("/v1/render.png");
  client.Get("/v1/render.png?BarHeight=0");
  client.Get("/v1/render.png?RasterImageResolution=1000000");
  client.Post("/v1/render.png", std::string(2 << 20, ' '), "application/json");
  client.Get("/no/such/route");
  const auto res = client.Get("/metrics");
  ASSERT_TRUE(res);
  const std::string& text = res->body;
  for (const char* line : {R"(linnet_http_requests_total{route="/v1/render.png",status="200"} 2)",
                           R"(linnet_http_requests_total{route="/v1/render.png",status="400"} 1)",
                           R"(linnet_http_requests_total{route="/v1/render.png",status="413"} 2)",
                           R"(linnet_http_requests_total{route="other",status="404"} 1)",
                           R"(linnet_http_errors_total{route="/v1/render.png"} 3)",
                           R"(linnet_http_request_seconds_count{route="/v1/render.png"} 5)"}) {
    EXPECT_NE(text.find(line), std::string::npos) << line << "\n" << text;
  }
}

TEST_F(ServeApi, ConcurrentRequestsAllAnswer) {
  std::vector<std::thread> threads;
  std::atomic<int> ok = 0;
  for (int t = 0; t < 8; ++t) {
    threads.emplace_back([&ok, t] {
      auto client = Client();
      for (int i = 0; i < 10; ++i) {
        const auto res = client.Get("/v1/render.png?Message=T" + std::to_string(t) + "-" + std::to_string(i));
        ok += res && res->status == 200 ? 1 : 0;
      }
    });
  }
  for (auto& t : threads) {
    t.join();
  }
  EXPECT_EQ(ok, 80);
}

TEST(ServeLimits, AFullQueueAnswers503WithRetryAfter) {
  serve::ServeOptions options;
  options.threads = 1;
  options.queueLimit = 0;  // no room: every connection is answered busy
  RunningServer server(options);
  auto client = server.Client();
  const auto res = client.Get("/v1/render.png");
  ASSERT_TRUE(res);
  EXPECT_EQ(res->status, 503);
  EXPECT_EQ(res->get_header_value("Retry-After"), "1");
  EXPECT_EQ(nlohmann::json::parse(res->body)["message"], "the server is busy; try again");
}

TEST(ServeLimits, CorsHeadersOnlyForTheOriginGiven) {
  const struct {
    std::string origin;
    bool expectHeader;
  } cases[] = {{"", false}, {"https://labels.example", true}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.origin);
    serve::ServeOptions options;
    options.corsOrigin = c.origin;
    RunningServer server(options);
    auto client = server.Client();
    const auto res = client.Get("/healthz");
    ASSERT_TRUE(res);
    EXPECT_EQ(res->status, 200);
    EXPECT_EQ(res->has_header("Access-Control-Allow-Origin"), c.expectHeader);
    if (c.expectHeader) {
      EXPECT_EQ(res->get_header_value("Access-Control-Allow-Origin"), c.origin);
    }
  }
}

}  // namespace
}  // namespace linnet
