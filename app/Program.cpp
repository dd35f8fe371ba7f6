#include "app/Program.h"

#include "converter/ConversionRun.h"
#include "text/FileTable.h"

namespace meshfold {

int RunProgram() {
  PlatformStartUp();
  ConversionRun();
  // Files the run left open still get their pending output written.
  CloseAllTextFiles();
  return 0;
}

}  // namespace meshfold
