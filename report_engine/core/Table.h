#pragma once
// The records a layout's query brought, as the engine reads them.

#include "Value.h"

#include <string>
#include <vector>

namespace report {

struct Table
{
    std::vector<std::string> columns;
    std::vector<std::vector<Value>> rows;

    // The column a field names, -1 when none: "rep_asistencia_general.Falta" and "Falta" both
    // name the column Falta; letter case does not matter, as in the database.
    int column(const std::string& field) const;
};

} // namespace report
