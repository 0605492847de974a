#include "sarif.h"

#include "latin1_text.h"
#include "names.h"
#include "report.h"
#include "statement_reader.h"

#ifndef TOLVANE_VERSION
#define TOLVANE_VERSION "1.2.3.1"
#endif

namespace tolvane::cli {

namespace {

using Json = nlohmann::ordered_json;

constexpr int kLastCode = 137;

std::string PercentEncoded(const std::string& bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  for (char c : bytes) {
    const unsigned char byte = static_cast<unsigned char>(c);
    if ((byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
        byte == '-' || byte == '.' || byte == '_' || byte == '~' || byte == '/') {
      out += c;
    } else {
      out += '%';
      out += digits[byte >> 4];
      out += digits[byte & 0xF];
    }
  }
  return out;
}

Json ArtifactLocation(const std::string& file) {
  Json location = Json::object();
  location["uri"] = FileUri(file);
  if (file.empty() || file[0] != '/') location["uriBaseId"] = "SRCROOT";
  return location;
}

Json Message(const std::string& utf8) { return Json{{"text", utf8}}; }

Json Rules() {
  Json rules = Json::array();
  for (int code = 1; code <= kLastCode; ++code) {
    Json rule = Json::object();
    rule["id"] = RuleId(code);
    rule["shortDescription"] = Message(Latin1ToUtf8(MessageWithoutTrailingBlank(MessageText(code))));
    rule["defaultConfiguration"] = Json{{"level", "error"}};
    rule["properties"] = Json{{"code", code}};
    rules.push_back(std::move(rule));
  }
  return rules;
}

}  // namespace

std::string RuleId(int code) {
  std::string digits = std::to_string(code);
  while (digits.size() < 3) digits.insert(digits.begin(), '0');
  return "TV" + digits;
}

std::string FileUri(const std::string& file) {
  if (!file.empty() && file[0] == '/') return "file://" + PercentEncoded(file);
  return PercentEncoded(file);
}

std::string SarifLog(const std::vector<FileOutcome>& outcomes, const std::string& currentFolder) {
  Json results = Json::array();
  Json notifications = Json::array();
  for (const FileOutcome& outcome : outcomes) {
    if (outcome.kind == FileOutcome::Kind::Unreadable) {
      Json notification = Json::object();
      notification["level"] = "error";
      notification["message"] = Message("cannot read " + JsonNameText(outcome.file) + ": " + outcome.reason);
      notification["locations"] = Json::array({Json{{"physicalLocation", {{"artifactLocation", ArtifactLocation(outcome.file)}}}}});
      notifications.push_back(std::move(notification));
      continue;
    }
    if (outcome.kind != FileOutcome::Kind::Failed) continue;
    const bool known = outcome.code >= 1 && outcome.code <= kLastCode;
    Json result = Json::object();
    result["ruleId"] = RuleId(outcome.code);
    if (known) result["ruleIndex"] = outcome.code - 1;
    result["level"] = "error";
    result["message"] = Message(Latin1ToUtf8(MessageWithoutTrailingBlank(outcome.message)));
    Json region = Json::object();
    region["startLine"] = outcome.line > 0 ? outcome.line : 1;
    region["startColumn"] = outcome.column > 0 ? outcome.column : 1;
    Json physical = Json::object();
    physical["artifactLocation"] = ArtifactLocation(outcome.file);
    physical["region"] = std::move(region);
    result["locations"] = Json::array({Json{{"physicalLocation", std::move(physical)}}});
    results.push_back(std::move(result));
  }

  Json driver = Json::object();
  driver["name"] = "tolvane-verify";
  driver["version"] = TOLVANE_VERSION;
  driver["rules"] = Rules();
  Json invocation = Json::object();
  invocation["executionSuccessful"] = notifications.empty();
  if (!notifications.empty()) invocation["toolExecutionNotifications"] = std::move(notifications);

  std::string root = currentFolder;
  if (root.empty() || root.back() != '/') root += '/';
  Json run = Json::object();
  run["tool"] = Json{{"driver", std::move(driver)}};
  run["originalUriBaseIds"] = Json{{"SRCROOT", {{"uri", FileUri(root)}}}};
  run["columnKind"] = "utf16CodeUnits";
  run["invocations"] = Json::array({std::move(invocation)});
  run["results"] = std::move(results);

  Json log = Json::object();
  log["$schema"] = "https://json.schemastore.org/sarif-2.1.0.json";
  log["version"] = "2.1.0";
  log["runs"] = Json::array({std::move(run)});
  return DumpJson(log);
}

}  // namespace tolvane::cli
