#pragma once

#include <QString>

namespace data::Module1 {

bool FileExists(const QString& path);

// The patient's membership code with its description, e.g. "GM (Government - member)";
// a code not in the table alone; "" when the patient has no row.
QString MedicareTypeName(const QString& idNum);

// Description of a membership code, or "" when the code is not known.
QString medicareDescription(const QString& code);

// True when the admission is of the special type 9.
bool IsSpecialAdmission(const QString& idNum);

} // namespace data::Module1
