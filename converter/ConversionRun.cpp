#include "converter/ConversionRun.h"

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
constexpr TextView SummaryTitle = u"Meshfold 0.1  k.dorsel 11.21.23";
constexpr uint32_t MessageStyle = 0;

}  // namespace

void ConversionRun() {
  const Text objPath = OpenFileDialog(DialogTitle, DefaultFile, Patterns, SelectedPattern);
  if (TextEquals(objPath, u"")) {
    MessageDialog(u"Info:", u"canceled", MessageStyle);
    return;
  }
  const ConversionOutcome outcome = ConvertObjFile(objPath);
  MessageDialog(SummaryTitle, outcome.message, MessageStyle);
}

}  // namespace meshfold
