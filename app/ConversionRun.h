#pragma once

namespace meshfold {

// The whole interactive run: asks for an OBJ file, converts it and reports
// the outcome in one message; a cancelled dialog gets "Info:" / "canceled".
void ConversionRun();

}  // namespace meshfold
