#include "app/ConversionRun.h"

#include "app/MessageBoxReport.h"
#include "app/OutcomeMessage.h"
#include "app/ProgramName.h"
#include "converter/ConvertObjFile.h"
#include "dialogs/MessageDialog.h"
#include "dialogs/OpenFileDialog.h"
#include "text/StringOperations.h"

namespace meshfold {

namespace {

constexpr TextView DialogTitle = u"open obj file";
constexpr TextView DefaultFile = u"C:\\file.obj";
constexpr TextView Patterns = u"obj (*.obj)|*.obj";
constexpr int32_t SelectedPattern = 0;
constexpr uint32_t MessageStyle = 0;

// Nothing ticked gives the default options: the union alone.
ConversionOptions OptionsOf(const FormChoice& form) {
  ConversionOptions options;
  if (form.mesh2) options.form = IncludeForm::Mesh2;
  options.groups = form.mesh2 && form.groups;
  options.scene = form.scene;
  return options;
}

}  // namespace

void ConversionRun() {
  FormChoice form;
  const Text objPath = OpenFileDialog(DialogTitle, DefaultFile, Patterns, SelectedPattern, form);
  if (TextEquals(objPath, u"")) {
    MessageDialog(u"Info:", u"canceled", MessageStyle);
    return;
  }
  const ConversionOutcome outcome = ConvertObjFile(objPath, OptionsOf(form));
  MessageDialog(SummaryTitle, JoinedText({OutcomeMessage(outcome), NotesShown(outcome)}), MessageStyle);
}

}  // namespace meshfold
