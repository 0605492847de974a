// The Verify command from the document window, and the browsers it fills:
// the reports, the statement in error selected, the work file, the Objects
// menu, and a browser's click, Find and the search it leaves.

#include <QAction>
#include <QFileInfo>
#include <QPushButton>
#include <QTableWidget>
#include <QTest>


#include "editor_test_support.h"
#include "find_dialogs.h"
#include "object_browser.h"
#include "search_commands.h"
#include "verify_command.h"

using namespace tolvane;

namespace {

QByteArray Replaced(QByteArray text, const QByteArray& from, const QByteArray& to) {
  const int at = text.indexOf(from);
  if (at >= 0) text.replace(at, from.size(), to);
  return text;
}

QString Selected(TEditForm* form) { return form->Editor->textCursor().selectedText(); }

// Clicks the cell of the first row whose column `key` holds `keyText`.
QString ClickCell(ObjectBrowser* browser, int key, const QString& keyText, int column) {
  for (int row = 1; row < browser->Kind().GridRows; ++row) {
    if (browser->Cell(row, key) != keyText) continue;
    browser->SetCurrentCell(row, column);
    browser->StringGrid1Click();
    return browser->Cell(row, column);
  }
  return QString();
}

}  // namespace

class VerifyTest : public QObject {
  Q_OBJECT

 private slots:
  void goodMissionsReportOkAndOpenTheObjectsMenu() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    for (const char* sample : {"harbour_watch.mis", "convoy_homecoming.mis"}) {  // with and without triggers
      TEditForm* form = world.Open(world.Mission(sample, EditorWorld::Sample(sample)));
      QCOMPARE(form->Document->DocumentNumber, 1);
      form->Rogue().TurnOnRogueCheckCommand();
      form->Checker1->trigger();
      QCOMPARE(world.dialogs.informed().last(), QString("Mission Appears To Be Ok !!"));
      QVERIFY(form->MissionObjects1->isVisible());
      QVERIFY(form->Triggers2->isVisible());
      QVERIFY(!form->Document->RogueMarking);
      QVERIFY(!form->Document->IsModified());
      QCOMPARE(EditorWorld::Text(form).toLatin1(), EditorWorld::Sample(sample).replace("\r\n", "\n"));
      EditorWorld::Close(form);
    }
  }

  void passOneErrorSelectsTheStatementOnly() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    const QByteArray text = Replaced(EditorWorld::Sample("convoy_homecoming.mis"), ".Side Allied", "\t.Colour Red");
    TEditForm* form = world.Open(world.Mission("bad.mis", text));
    form->Checker1->trigger();
    QCOMPARE(world.dialogs.informed().last(), QString("Unreconized statement or error in statement  at Line No. 24"));
    QCOMPARE(Selected(form), QString(".Colour Red"));
    QCOMPARE(form->CaretLine, 24);
    QCOMPARE(form->Search().FindDialog1()->FindText(), QString(".Colour Red"));
    // Pass two never ran: the work file stays.
    QVERIFY(QFileInfo::exists(world.dir.filePath("MissionTemp.fil")));
    QVERIFY(!form->MissionObjects1->isVisible());
  }

  void passTwoErrorAfterAGoodPassOne() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    const QByteArray text = Replaced(EditorWorld::Sample("harbour_watch.mis"), ".RANDOM 75", ".RANDOM 175");
    TEditForm* form = world.Open(world.Mission("bad.mis", text));
    form->Checker1->trigger();
    const QString report = world.dialogs.informed().last();
    QVERIFY2(report.endsWith(" at Line No. 212"), qPrintable(report));
    QVERIFY(Selected(form).contains("175"));
    QVERIFY(form->MissionObjects1->isVisible());  // pass one filled the tables
    QVERIFY(!QFileInfo::exists(world.dir.filePath("MissionTemp.fil")));  // pass two deleted it
  }

  void unwritableWorkFileRunsNoVerifier() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    TEditForm* form = world.Open(world.Mission("ok.mis", EditorWorld::Sample("harbour_watch.mis")));
    // A folder in the work file's place cannot be written, not even by the superuser.
    QVERIFY(QDir(world.dir.path()).mkdir("MissionTemp.fil"));
    form->Checker1->trigger();
    const QString report = world.dialogs.informed().last();
    QVERIFY2(report.contains("MissionTemp.fil"), qPrintable(report));
    QVERIFY(!form->MissionObjects1->isVisible());
  }

  void browserClicksLeaveTheirRequests() {
    EditorWorld world(EditorWorld::ShippedTypeNames());
    TEditForm* form = world.Open(world.Mission("ok.mis", EditorWorld::Sample("harbour_watch.mis")));
    form->Checker1->trigger();
    AppState& state = world.frame->State();
    ToolWindows& forms = world.frame->Forms();

    form->MissionObjects1->trigger();  // "Flights": Mission Aircraft
    QVERIFY(forms.Form6->isVisible());
    forms.Form6->FormActivate();
    FindRequest& aircraft = state.Request(FindRequestRow::Aircraft);
    const QString plane = ClickCell(forms.Form6, 1, "Flight", 5);
    QCOMPARE(aircraft.Text, ".TagIdentifier " + plane);
    const QString set = ClickCell(forms.Form6, 1, "Flight", 9);
    QCOMPARE(aircraft.Text, ".Set  " + set);
    // A plane's row has a callsign, searched for as it stands.
    const QString callsign = ClickCell(forms.Form6, 0, forms.Form6->Cell(1, 5), 4);
    QVERIFY(!callsign.isEmpty());
    QCOMPARE(aircraft.Text, callsign);

    forms.Form9->FormActivate();
    const QString waypoint = ClickCell(forms.Form9, 5, "2", 5);
    QCOMPARE(state.Request(FindRequestRow::FlightWaypoint).Text, ".ID  " + waypoint);

    // Find hides the browser; the document carries the request out.
    ClickCell(forms.Form6, 1, "Flight", 5);
    forms.Form6->FindButton1->click();
    QVERIFY(!forms.Form6->isVisible());
    QVERIFY(aircraft.Flag);
    form->FormActivate();
    QVERIFY(Selected(form).contains(".TagIdentifier " + plane));
    QVERIFY(!aircraft.Flag);
  }
};

QTEST_MAIN(VerifyTest)
#include "verify_test.moc"
