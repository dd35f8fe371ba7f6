#include "app/ConversionRun.h"

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

}  // namespace

void ConversionRun() {
  const Text objPath = OpenFileDialog(DialogTitle, DefaultFile, Patterns, SelectedPattern);
  if (TextEquals(objPath, u"")) {
    MessageDialog(u"Info:", u"canceled", MessageStyle);
    return;
  }
  MessageDialog(SummaryTitle, OutcomeMessage(ConvertObjFile(objPath)), MessageStyle);
}

}  // namespace meshfold
