// What the user sees of the file dialogs: the file types each one lists,
// and that every type still chooses its files and its default extension.

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>
#include <memory>

#include "display_settings.h"
#include "editor_test_support.h"
#include "font_dialog.h"
#include "qt_user_dialogs.h"

using namespace tolvane;

namespace {

// Runs `step` on the modal dialog of type T once it is showing.
template <typename T>
void WhenShown(std::function<void(T*)> step) {
  auto poll = std::make_shared<std::function<void()>>();
  *poll = [step, poll] {
    if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
      step(dialog);
    } else {
      QTimer::singleShot(0, *poll);
    }
  };
  QTimer::singleShot(0, *poll);
}

QStringList ListedTypes(QFileDialog* dialog) {
  QStringList types;
  if (auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo"))
    for (int i = 0; i < combo->count(); ++i) types << combo->itemText(i);
  return types;
}

// Picks entry `index` (0-based) of the file-type list as the user would.
void PickType(QFileDialog* dialog, int index) {
  auto* combo = dialog->findChild<QComboBox*>("fileTypeCombo");
  QVERIFY(combo);
  combo->setCurrentIndex(index);
  emit combo->activated(index);
  emit combo->textActivated(combo->itemText(index));
}

void TypeNameAndAccept(QFileDialog* dialog, const QString& name) {
  auto* edit = dialog->findChild<QLineEdit*>("fileNameEdit");
  QVERIFY(edit);
  edit->setText(name);
  QMetaObject::invokeMethod(dialog, "accept");
}

}  // namespace

class GuiAuditTest : public QObject {
  Q_OBJECT

 private slots:
  void saveDialogListsItsTypesByName() {
    EditorWorld world;
    TEditForm* form = world.New();
    FileDialogRequest request = form->Files().SaveFileDialog;
    request.InitialFolder = world.Missions();
    QtUserDialogs dialogs;
    QStringList types;
    QStringList filters;
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
      types = ListedTypes(dialog);
      filters = dialog->nameFilters();
      dialog->reject();
    });
    QCOMPARE(dialogs.ChooseSaveFile(nullptr, request), QString());
    QCOMPARE(types, (QStringList{"Mission Files", "Plain text files (*.txt)", "All files"}));
    // Behind the names the types still choose their files.
    QCOMPARE(filters.size(), 3);
    QVERIFY2(filters[0].endsWith(" (*.mis)"), qPrintable(filters[0]));
    QVERIFY2(filters[1].endsWith(" (*.txt)"), qPrintable(filters[1]));
    QVERIFY2(filters[2].endsWith(" (*.*)"), qPrintable(filters[2]));
  }

  void everySaveTypeGivesItsExtension() {
    struct Case {
      int entry;  // 0-based in the list
      QString typed;
      QString saved;
      QString extension;
    };
    const Case cases[] = {
        {0, "raid", "raid.mis", "*.mis"},
        {1, "notes", "notes.txt", "*.txt"},
        {2, "raw", "raw", "*.*"},
    };
    for (const Case& c : cases) {
      EditorWorld world;
      TEditForm* form = world.New();
      FileDialogRequest request = form->Files().SaveFileDialog;
      request.InitialFolder = world.Missions();
      QtUserDialogs dialogs;
      WhenShown<QFileDialog>([&](QFileDialog* dialog) {
        PickType(dialog, c.entry);
        TypeNameAndAccept(dialog, c.typed);
      });
      QCOMPARE(dialogs.ChooseSaveFile(nullptr, request), world.MissionPath(c.saved));
      QCOMPARE(request.FilterIndex, c.entry + 1);
      QCOMPARE(request.DefaultExtension, c.extension);
    }
  }

  void openDialogListsItsTypesWithPatterns() {
    EditorWorld world;
    FileDialogRequest request = world.frame->OpenFileDialog();
    QtUserDialogs dialogs;
    QStringList types;
    WhenShown<QFileDialog>([&](QFileDialog* dialog) {
      types = ListedTypes(dialog);
      dialog->reject();
    });
    QCOMPARE(dialogs.ChooseOpenFile(nullptr, request), QString());
    QCOMPARE(types, (QStringList{"Mission Files (*.mis)", "Plain Text Files (*.txt)", "All Files (*.*)"}));
  }

  void altWithALetterNeverTypesIntoTheMission() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("keys.mis", ".EndMission\r\n"));
    form->Editor->setFocus();
    EditorWorld::PutCaret(form, 1, 12);
    // Letters that are no menu key, one that is, and one that two menus share.
    QTest::keyClick(form->Editor, Qt::Key_Q, Qt::AltModifier);
    QTest::keyClick(form->Editor, Qt::Key_J, Qt::AltModifier | Qt::ShiftModifier);
    QTest::keyClick(form->Editor, Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(form->Editor, Qt::Key_Escape);
    QTest::keyClick(form->Editor, Qt::Key_C, Qt::AltModifier);
    QTest::keyClick(form->Editor, Qt::Key_Escape);
    QCOMPARE(EditorWorld::Text(form), QString(".EndMission\n"));
    QVERIFY(!form->Editor->document()->isModified());
    // Plain and shifted letters still type.
    QTest::keyClicks(form->Editor, "qJ");
    QCOMPARE(EditorWorld::Text(form), QString(".EndMissionqJ\n"));
  }

  void fontDialogOffersTheEffects() {
    EditorWorld world;
    TEditForm* form = world.Open(world.Mission("look.mis", ".EndMission\r\n"));
    const QString styleBefore = world.frame->State().Settings.FontStyle;
    FontDialogWithApply* dialog = form->Display().FontDialog1();
    auto box = [&](const QString& caption) -> QCheckBox* {
      for (QCheckBox* candidate : dialog->findChildren<QCheckBox*>())
        if (candidate->text() == caption) return candidate;
      return nullptr;
    };
    QCheckBox* underline = box("&Underline");
    QCheckBox* strikeOut = box("Stri&keout");
    QVERIFY(underline);
    QVERIFY(strikeOut);

    // The dialog opens on the effects the font has.
    QFont effects = form->Editor->font();
    effects.setUnderline(true);
    dialog->setCurrentFont(effects);
    QVERIFY(underline->isChecked());
    QVERIFY(!strikeOut->isChecked());

    // Bold with an effect is no plain bold: the text area takes it all, the
    // remembered style stays.
    dialog->BoldBox()->setChecked(true);
    strikeOut->setChecked(true);
    dialog->ApplyButton()->click();
    QVERIFY(form->Editor->font().underline());
    QVERIFY(form->Editor->font().strikeOut());
    QCOMPARE(world.frame->State().Settings.FontStyle, styleBefore);

    // Without the effects a bold choice is remembered as "Bold".
    underline->setChecked(false);
    strikeOut->setChecked(false);
    dialog->ApplyButton()->click();
    QVERIFY(!form->Editor->font().underline());
    QCOMPARE(world.frame->State().Settings.FontStyle, QString("Bold"));
  }

  void toolWindowsHaveTheirTitleBarButtons() {
    EditorWorld world;
    ToolWindows& forms = world.frame->Forms();
    const Qt::WindowFlags buttons = Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                                    Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint;
    auto buttonsOf = [&](QWidget* window) { return window->windowFlags() & buttons; };
    // The Readme window: system menu (with its close box) and minimise only.
    QCOMPARE(buttonsOf(forms.Form16),
             Qt::WindowFlags(Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint));
    QVERIFY(forms.Form16->windowFlags() & Qt::CustomizeWindowHint);
    // The two lists and About are closed by their own buttons only.
    for (QWidget* window : {static_cast<QWidget*>(forms.Form5), static_cast<QWidget*>(forms.Form8),
                            static_cast<QWidget*>(forms.Form15)}) {
      QCOMPARE(buttonsOf(window), Qt::WindowFlags());
      QVERIFY(window->windowFlags() & Qt::CustomizeWindowHint);
    }
    // The others keep every button.
    for (QWidget* window : {static_cast<QWidget*>(forms.Form1), static_cast<QWidget*>(forms.Form4),
                            static_cast<QWidget*>(forms.Form6), static_cast<QWidget*>(forms.Form14)})
      QVERIFY(!(window->windowFlags() & Qt::CustomizeWindowHint));
    // A window's own flags do not make it shown.
    QVERIFY(!forms.Form16->isVisible());
  }
};

QTEST_MAIN(GuiAuditTest)
#include "gui_audit_test.moc"
