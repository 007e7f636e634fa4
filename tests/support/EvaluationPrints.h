#pragma once
// The public evaluation prints kept beside the project (shared/data/fingerprints), found from
// VELANDRO_SOURCE_DIR. Tests that need them skip, and say so, when they are absent.

#include <QString>

namespace testing {

// The folder of one set (e.g. "FVC2000_DB1_B"), or empty when it is not there.
QString evaluationSet(const QString& set);

// The path of one print of a set, or empty when it is not there.
QString evaluationPrint(const QString& set, const QString& name);

} // namespace testing
