#include "verify_command.h"

#include <QAction>
#include <QFile>
#include <QScrollBar>
#include <QTextBlock>
#include <QTextCursor>
#include <QWidget>

#include "app_state.h"
#include "document_host.h"
#include "find_dialogs.h"
#include "mission_document.h"
#include "mission_editor.h"
#include "mission_text_io.h"
#include "rogue_view.h"
#include "search_commands.h"
#include "user_dialogs.h"
#include "verify.h"

namespace tolvane {

VerifyCommand::VerifyCommand(const DocumentParts& parts, const BrowserEntries& entries, RogueView& rogue,
                             SearchCommands& search)
    : QObject(parts.Window), parts_(parts), entries_(entries), rogue_(rogue), search_(search) {}

void VerifyCommand::Triggers1Click() {
  MissionDocument& document = *parts_.Document;
  AppState& state = *parts_.State;
  MissionState& mission = state.Mission;
  // 1.
  if (document.DocumentNumber != 1) return;
  // 2.
  MissionOk = true;
  mission.ErrNo = 0;
  mission.LineNo = 0;
  // 3.
  if (document.RogueMarking) rogue_.TurnOffRogueCheck1Click();
  document.RogueMarking = false;
  // 4. The work file; when it cannot be written nothing is verified.
  QString error;
  if (!WriteMissionTempFile(state.ProgramFolder, document.PlainText(), error)) {
    parts_.Dialogs->Inform(parts_.Window, error);
    return;
  }
  const QString workFile = MissionTempFilePath(state.ProgramFolder);
  // 5. to 8. Pass one, then pass two when pass one met a trigger.
  const VerifyResult result = VerifyMission(mission, state.Environment, QFile::encodeName(workFile).toStdString());
  MissionOk = result.MissionOk;
  state.LocateText = QString::fromLatin1(result.LocateText.data(), static_cast<qsizetype>(result.LocateText.size()));
  const bool passOneOk = result.LastPass == 2 || result.MissionOk;
  if (passOneOk) {
    // 7.
    LoadFlights();
    LoadVehWayPoints();
    LoadFlightWayPoints();
    LoadVehicles();
    LoadDivisions();
    LoadStructures();
    LoadTriggers();
    LoadBridges();
  }
  // Pass two ends by deleting the work file.
  if (result.LastPass == 2) QFile::remove(workFile);
  // 9.
  const QString message = QString::fromLatin1(mission.ErrMsg.data(), static_cast<qsizetype>(mission.ErrMsg.size()));
  if (MissionOk) {
    parts_.Dialogs->Inform(parts_.Window, "Mission Appears To Be Ok !!");
  } else if (!passOneOk || mission.TriggersFound) {
    parts_.Dialogs->Inform(parts_.Window, message + " at Line No. " + QString::number(mission.LineNo));
    search_.FindDialog1()->SetFindText(state.LocateText);
    ShowError();
  } else {
    parts_.Dialogs->Inform(parts_.Window, message);
  }
}

void VerifyCommand::ShowError() {
  MissionEditor* editor = parts_.Editor;
  const int lineNo = parts_.State->Mission.LineNo;
  const QString& statement = parts_.State->LocateText;
  // Before any line was read there is nothing to show.
  if (lineNo < 1) return;
  // 1. and 2.
  const QTextBlock line = editor->document()->findBlockByNumber(lineNo - 1);
  if (!line.isValid()) return;
  const int start = line.position();
  const int p = line.text().indexOf(statement);
  // 3.
  QScrollBar* bar = editor->verticalScrollBar();
  bar->setValue(bar->value() + lineNo - editor->CaretLine());
  // 4. The statement's characters; the whole line when the statement does
  //    not stand on it as read (a keyword the verifier upper-cased).
  QTextCursor selection(editor->document());
  if (p >= 0) {
    selection.setPosition(start + p);
    selection.setPosition(start + p + static_cast<int>(statement.size()), QTextCursor::KeepAnchor);
  } else {
    selection.setPosition(start);
    selection.movePosition(QTextCursor::EndOfBlock, QTextCursor::KeepAnchor);
  }
  editor->setTextCursor(selection);
  editor->setFocus();
}

void VerifyCommand::LoadFlights() { entries_[0]->setVisible(true); }
void VerifyCommand::LoadVehWayPoints() { entries_[1]->setVisible(true); }
void VerifyCommand::LoadFlightWayPoints() { entries_[2]->setVisible(true); }
void VerifyCommand::LoadVehicles() { entries_[3]->setVisible(true); }
void VerifyCommand::LoadDivisions() { entries_[4]->setVisible(true); }
void VerifyCommand::LoadStructures() { entries_[5]->setVisible(true); }
void VerifyCommand::LoadTriggers() { entries_[6]->setVisible(true); }
void VerifyCommand::LoadBridges() { entries_[7]->setVisible(true); }

void VerifyCommand::ShowMissionForm(int number) {
  if (parts_.Document->DocumentNumber != 1 || !parts_.Host) return;
  parts_.Host->ShowToolForm(number);
}

void VerifyCommand::StockObjects1Click() {
  if (parts_.Host) parts_.Host->ShowToolForm(5);
}
void VerifyCommand::MissionObjects1Click() { ShowMissionForm(6); }
void VerifyCommand::FlightWayptsClick() { ShowMissionForm(9); }
void VerifyCommand::Divisions1Click() { ShowMissionForm(11); }
void VerifyCommand::Vehicles1Click() { ShowMissionForm(10); }
void VerifyCommand::VehicleWayptsClick() { ShowMissionForm(7); }
void VerifyCommand::Structures1Click() { ShowMissionForm(12); }
void VerifyCommand::Bridges3Click() { ShowMissionForm(14); }
void VerifyCommand::Triggers2Click() { ShowMissionForm(13); }

}  // namespace tolvane
