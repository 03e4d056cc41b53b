// The circuit page's file step: the engine's analysis script read back into
// the expression input file. The page's handlers are TfmMain's
// (circuit_page.cpp).
#pragma once

#include <QString>

namespace vorlan {

// Reads the script `scriptName` and saves the expression wanted by `mode`
// (-1 determinant, 1 voltage, 0 current) as `outputName`, both in the
// working directory. A key line, "/" or closing ";" missing from the script
// raises the list-index error and leaves `outputName` as it was.
void ExtractEngineResult(const QString& scriptName, int mode, const QString& outputName);

}  // namespace vorlan
