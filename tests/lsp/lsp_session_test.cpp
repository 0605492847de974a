// tolvane-lsp driven over a pipe as an editor drives it: a session from
// initialize to exit with diagnostics, symbols, definition and hover;
// positions in UTF-16 units; malformed messages that never end the server;
// and the server and tolvane-verify agreeing on code and line.

#include <gtest/gtest.h>

#include <dirent.h>

#include <algorithm>
#include <string>
#include <vector>

#include "latin1_text.h"
#include "lsp_client.h"
#include "run_process.h"

namespace {

using testlsp::Json;
using testlsp::LspClient;

const std::string kServer = TOLVANE_LSP_EXE;
const std::string kVerify = TOLVANE_VERIFY_EXE;
const std::string kSource = TOLVANE_SOURCE_DIR;
const std::string kProgramFolder = kSource + "/program";
const std::string kExamples = kSource + "/examples";
const std::string kUri = "file:///campaign/convoy.mis";

std::string Example(const std::string& name) { return testproc::ReadFile(kExamples + "/" + name); }

// The 0-based number of the first line that is exactly text (CR LF ends).
int LineOf(const std::string& mission, const std::string& text, int from = 0) {
  const auto lines = testproc::Lines(mission);
  for (int i = from; i < static_cast<int>(lines.size()); ++i) {
    if (lines[i] == text + "\r") return i;
  }
  return -1;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to, std::size_t after = 0) {
  const std::size_t at = text.find(from, after);
  if (at != std::string::npos) text.replace(at, from.size(), to);
  return text;
}

Json Document(const std::string& uri) { return Json{{"textDocument", {{"uri", uri}}}}; }
Json At(const std::string& uri, int line, int character) {
  return Json{{"textDocument", {{"uri", uri}}}, {"position", {{"line", line}, {"character", character}}}};
}
Json Opened(const std::string& uri, const std::string& latin1Text, int version = 1) {
  return Json{{"textDocument",
               {{"uri", uri}, {"languageId", "mis"}, {"version", version}, {"text", tolvane::Latin1ToUtf8(latin1Text)}}}};
}

Json Initialize(LspClient& client) {
  const Json response = client.Request(
      "initialize", Json{{"processId", nullptr},
                         {"capabilities", Json::object()},
                         {"initializationOptions", {{"programFolder", kProgramFolder}, {"missionsFolder", kExamples}}}});
  client.Notify("initialized", Json::object());
  return response;
}

const Json* FindSymbol(const Json& symbols, const std::string& name) {
  for (const Json& symbol : symbols) {
    if (symbol["name"] == name) return &symbol;
  }
  return nullptr;
}

}  // namespace

TEST(LspSession, FromInitializeToExit) {
  LspClient client(kServer, "/");
  const Json initialized = Initialize(client);
  const Json& capabilities = initialized["result"]["capabilities"];
  EXPECT_EQ(capabilities["textDocumentSync"]["change"], 1);
  EXPECT_EQ(capabilities["textDocumentSync"]["openClose"], true);
  EXPECT_EQ(capabilities["positionEncoding"], "utf-16");
  EXPECT_EQ(initialized["result"]["serverInfo"]["name"], "tolvane-lsp");

  // A trigger names a tag that no object carries.
  const std::string good = Example("convoy_orders.mis");
  const int parachute = LineOf(good, ".PARACHUTEDROP");
  const std::string broken = Replaced(good, ".TagIdentifier 20", ".TagIdentifier 99", good.find(".PARACHUTEDROP"));
  client.Notify("textDocument/didOpen", Opened(kUri, broken));
  Json published = client.Diagnostics(kUri);
  EXPECT_EQ(published["version"], 1);
  ASSERT_EQ(published["diagnostics"].size(), 1u);
  const Json& diagnostic = published["diagnostics"][0];
  EXPECT_EQ(diagnostic["code"], 72);
  EXPECT_EQ(diagnostic["message"], "TagIdentifier Number not found in Objects List");
  EXPECT_EQ(diagnostic["severity"], 1);
  // The statement the verifier stopped at: the value it took off the line.
  EXPECT_EQ(diagnostic["range"], (Json{{"start", {{"line", parachute + 1}, {"character", 15}}},
                                       {"end", {{"line", parachute + 1}, {"character", 17}}}}));

  client.Notify("textDocument/didChange",
                Json{{"textDocument", {{"uri", kUri}, {"version", 2}}},
                     {"contentChanges", Json::array({{{"text", tolvane::Latin1ToUtf8(good)}}})}});
  published = client.Diagnostics(kUri);
  EXPECT_EQ(published["version"], 2);
  EXPECT_EQ(published["diagnostics"], Json::array());

  // The objects the verifier collected, at their lines.
  const Json symbols = client.Request("textDocument/documentSymbol", Document(kUri))["result"];
  const Json* flight = FindSymbol(symbols, "Harrier Squadron / Dawn Patrol");
  ASSERT_NE(flight, nullptr) << symbols.dump();
  EXPECT_EQ((*flight)["kind"], 5);
  EXPECT_EQ((*flight)["range"]["start"]["line"], LineOf(good, ".TagIdentifier 10"));
  ASSERT_EQ((*flight)["children"].size(), 2u);
  EXPECT_EQ((*flight)["children"][1]["name"], "Harrier Two");
  EXPECT_EQ((*flight)["children"][1]["range"]["start"]["line"], LineOf(good, ".TagIdentifier 12"));
  for (const std::string name : {"Gannet Squadron / Supply Run", "Supply Truck", "Harbour Guard", "Warehouse",
                                 "Way set 1", "Way set 3", "Convoy Sets Out"}) {
    EXPECT_NE(FindSymbol(symbols, name), nullptr) << name;
  }
  EXPECT_EQ((*FindSymbol(symbols, "Harbour Guard"))["range"]["start"]["line"], LineOf(good, ".TagIdentifier 40"));
  EXPECT_EQ((*FindSymbol(symbols, "Way set 1"))["range"]["start"]["line"], LineOf(good, ".WAYPOINT"));
  EXPECT_EQ((*FindSymbol(symbols, "Convoy Sets Out"))["range"]["start"]["line"], LineOf(good, ".Trigger"));

  // From the trigger's reference to the aggregate that carries the tag.
  const Json definition = client.Request("textDocument/definition", At(kUri, parachute + 1, 3))["result"];
  EXPECT_EQ(definition["uri"], kUri);
  EXPECT_EQ(definition["range"]["start"]["line"], LineOf(good, ".TagIdentifier 20"));
  EXPECT_TRUE(client.Request("textDocument/definition", At(kUri, parachute, 3))["result"].is_null());

  // One line about a check or action keyword.
  const Json hover = client.Request("textDocument/hover", At(kUri, parachute, 4))["result"];
  EXPECT_EQ(hover["contents"]["value"].get<std::string>().rfind(".PARACHUTEDROP - ", 0), 0u) << hover.dump();
  EXPECT_NE(hover["contents"]["value"].get<std::string>().find('\n'), 0u);
  EXPECT_TRUE(client.Request("textDocument/hover", At(kUri, parachute + 2, 2))["result"].is_null());

  client.Notify("textDocument/didClose", Document(kUri));
  EXPECT_EQ(client.Diagnostics(kUri)["diagnostics"], Json::array());
  EXPECT_TRUE(client.Request("shutdown", nullptr)["result"].is_null());
  client.Notify("exit", nullptr);
  EXPECT_EQ(client.Finish(), 0);
}

TEST(LspSession, PositionsCountUtf16UnitsOfTheClientsText) {
  LspClient client(kServer, kProgramFolder);
  Initialize(client);
  // "ü" is one unit, the laughing face two; the statement begins after three blanks.
  const std::string line = u8"   Bl\u00fc\U0001F600e Section";
  const std::string text = "// a statement without its dot\r\n" + line + "\r\n.EndMission\r\n";
  client.Notify("textDocument/didOpen",
                Json{{"textDocument", {{"uri", kUri}, {"languageId", "mis"}, {"version", 1}, {"text", text}}}});
  const Json published = client.Diagnostics(kUri);
  ASSERT_EQ(published["diagnostics"].size(), 1u);
  EXPECT_EQ(published["diagnostics"][0]["code"], 60);
  EXPECT_EQ(published["diagnostics"][0]["range"]["start"], (Json{{"line", 1}, {"character", 3}}));
  EXPECT_EQ(published["diagnostics"][0]["range"]["end"], (Json{{"line", 1}, {"character", 17}}));
}

TEST(LspFraming, MalformedMessagesGetAnErrorAndTheServerGoesOn) {
  LspClient client(kServer, kProgramFolder);
  auto error = [&](const Json& message) { return message.contains("error") ? message["error"]["code"] : Json(); };
  auto nextError = [&] { return client.Await([](const Json& m) { return m.contains("error"); }); };

  EXPECT_EQ(error(client.Request("textDocument/documentSymbol", Document(kUri))), -32002);  // not initialized
  client.SendRaw("Content-Length: 5\r\n\r\n{bad}");
  EXPECT_EQ(error(nextError()), -32700);
  client.SendRaw("Content-Type: application/vscode-jsonrpc\r\n\r\n");
  EXPECT_EQ(error(nextError()), -32700);
  client.SendRaw("Content-Length: twelve\r\n\r\n");
  EXPECT_EQ(error(nextError()), -32700);
  client.SendRaw("Content-Length: 5\r\n\r\n[1,2]");
  Json invalid = nextError();
  EXPECT_EQ(error(invalid), -32600);
  EXPECT_TRUE(invalid["id"].is_null());
  client.Send(Json{{"jsonrpc", "2.0"}, {"id", 7}});
  invalid = nextError();
  EXPECT_EQ(error(invalid), -32600);
  EXPECT_EQ(invalid["id"], 7);

  EXPECT_TRUE(Initialize(client)["result"].contains("capabilities"));
  EXPECT_EQ(error(client.Request("tolvane/unknown", Json::object())), -32601);
  EXPECT_EQ(error(client.Request("textDocument/hover", Document(kUri))), -32602);
  EXPECT_EQ(error(client.Request("textDocument/definition", Json::array())), -32602);
  client.Notify("textDocument/didOpen", Json{{"textDocument", {{"uri", kUri}}}});  // no text: dropped
  client.Notify("textDocument/didOpen", Opened(kUri, ".EndMission\r\n"));
  EXPECT_EQ(client.Diagnostics(kUri)["diagnostics"], Json::array());
  EXPECT_EQ(client.Request("textDocument/documentSymbol", Document(kUri))["result"], Json::array());
  // Exit without shutdown.
  client.Notify("exit", nullptr);
  EXPECT_EQ(client.Finish(), 1);
}

TEST(LspAgreement, ServerAndCommandLineGiveTheSameCodeAndLine) {
  std::vector<std::pair<std::string, std::string>> missions;  // name, 8-bit text
  if (DIR* dir = ::opendir(kExamples.c_str())) {
    while (const dirent* entry = ::readdir(dir)) {
      const std::string name = entry->d_name;
      if (name.size() > 4 && name.substr(name.size() - 4) == ".mis") missions.emplace_back(name, Example(name));
    }
    ::closedir(dir);
  }
  ASSERT_GE(missions.size(), 4u);
  std::sort(missions.begin(), missions.end());
  const std::size_t samples = missions.size();
  for (std::size_t i = 0; i < samples; ++i) {
    const std::string& text = missions[i].second;
    missions.emplace_back("cut_" + missions[i].first, text.substr(0, text.rfind(".EndMission")));
    missions.emplace_back("check_" + missions[i].first, Replaced(text, ".TIME ", ".TIMEX "));
    missions.emplace_back("type_" + missions[i].first, Replaced(text, ".Type ", ".Type Unknown"));
    missions.emplace_back("next_" + missions[i].first, Replaced(text, ".EndTrigger", ".Action\r\n.LOADNEXTMISSION\r\n"
                                                                          ".MissionName ../x.mis .EndString\r\n"
                                                                          ".EndAction\r\n.EndTrigger"));
  }
  missions.emplace_back("dotless.mis", "// no dot\r\n   Blue Section\r\n.EndMission\r\n");

  testproc::ScratchFolder scratch;
  LspClient client(kServer, kProgramFolder);
  Initialize(client);
  int failures = 0;
  for (const auto& [name, text] : missions) {
    SCOPED_TRACE(name);
    const std::string path = scratch / name;
    testproc::WriteFile(path, text);
    const auto cli = testproc::Run(kVerify, {"--json", "--program-folder", kProgramFolder, "--missions-folder",
                                             kExamples, path}, scratch.path());
    const Json report = Json::parse(cli.out);
    const std::string uri = "file://" + path;
    client.Notify("textDocument/didOpen", Opened(uri, text));
    const Json diagnostics = client.Diagnostics(uri)["diagnostics"];
    client.Notify("textDocument/didClose", Document(uri));
    if (report["ok"].get<bool>()) {
      EXPECT_EQ(diagnostics, Json::array());
      continue;
    }
    ++failures;
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_EQ(diagnostics[0]["code"], report["code"]);
    EXPECT_EQ(diagnostics[0]["range"]["start"]["line"].get<int>() + 1, report["line"].get<int>());
  }
  EXPECT_GE(failures, static_cast<int>(samples) * 2);
}
