#pragma once

namespace meshfold {

// The whole interactive run: asks for an OBJ file, converts it in the form the
// dialog's boxes chose (the union when none is ticked) and reports the outcome
// in one message, warnings after it; a cancelled dialog gets "Info:" / "canceled".
void ConversionRun();

}  // namespace meshfold
