#include "editors/wizard/win32/wiz_page1.h"

#include "controls/shell_dialogs/shell_dialogs.h"
#include "editors/common/win32/form_binding.h"
#include "editors/dialog_ids.h"
#include "editors/wizard/win32/wizard_ids.h"
#include "editors/wizard/wizard_pages.h"

namespace tolvane::win32 {
namespace {

constexpr ControlBinding<WizardProgramForm> kProgramControls[] = {
    {IDC_WIZ_PROGRAM, fieldId(WizardField::Program), {.text = &WizardProgramForm::program}},
};

}  // namespace

CWizPage1::CWizPage1(HINSTANCE instance, const EditorContext& context)
    : CWizPage(instance, IDD_WIZARD_PAGE_PROGRAM), context_(context) {}

std::vector<int> CWizPage1::enterButtons() const {
  return {IDC_WIZ_CURRENT_USER, IDC_WIZ_ALL_USERS, IDC_WIZ_BROWSE};
}

void CWizPage1::onCommand(int id, int notification) {
  if (notification != BN_CLICKED) return;
  if (id == IDC_WIZ_CURRENT_USER || id == IDC_WIZ_ALL_USERS) chooseFromStartMenu(id);
  if (id == IDC_WIZ_BROWSE) browse();
}

void CWizPage1::chooseFromStartMenu(int buttonId) {
  const bool allUsers = buttonId == IDC_WIZ_ALL_USERS;
  std::unique_ptr<StartMenuPopup>& popup = allUsers ? allUsersMenu_ : currentUserMenu_;
  if (!popup) {
    const ShellFolder folder = allUsers ? ShellFolder::CommonStartMenu : ShellFolder::StartMenu;
    popup = std::make_unique<StartMenuPopup>(buildStartMenu(context_.files, context_.files.shellFolder(folder)));
  }
  if (const StartMenuItem* program = popup->choose(hwnd(), item(buttonId))) takeProgram(program->path, program->text);
}

void CWizPage1::browse() {
  OpenFileRequest request;
  request.title = u"Select a file to launch";
  request.filters = {{u"Programs (*.exe)", u"*.exe"}, {u"Shortcut links (*.lnk)", u"*.lnk"}, {u"All files", u"*.*"}};
  const std::vector<std::u16string> chosen = systemShellDialogs().openFiles(GetAncestor(hwnd(), GA_ROOT), request);
  if (chosen.empty()) return;
  takeProgram(chosen.front(), browsedDisplayName(chosen.front()));
}

void CWizPage1::takeProgram(std::u16string path, std::u16string name) {
  showForm(*this, WizardProgramForm{std::move(path)}, kProgramControls);
  focusAndSelect(IDC_WIZ_PROGRAM);
  chosenName_ = std::move(name);
}

std::u16string CWizPage1::displayName() const { return launchDisplayName(chosenName_, programChore_.object); }

bool CWizPage1::canGoOn() {
  const WizardProgramForm form = readForm(*this, kProgramControls);
  if (const std::optional<Refusal> refusal = checkProgramPage(form.program)) {
    showRefusal(*this, context_.prompts, *refusal, kProgramControls);
    return false;
  }
  programChore_ = tolvane::programChore(form.program);
  return true;
}

}  // namespace tolvane::win32
