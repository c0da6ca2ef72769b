#pragma once

#include <string>
#include <string_view>

#include "text/RegionalSettings.h"

namespace xlsx {
class TXMLWriter;
}

// Number formats in spreadsheet notation («0.00;\-0.00», «d.m.yyyy») as
// OpenDocument data styles, so that a reader shows a value as the model's
// own cell text shows it.
namespace ods {

// Writes the data style (or styles: a red negative section needs a second
// one for the other values) that shows values as `format` does, under the
// name `name`. Returns false and writes nothing for General, whose display
// the reader's default gives already.
bool WriteDataStyle(xlsx::TXMLWriter& w, std::string_view format, const std::string& name,
                    const text::TRegionalSettings& region);

}  // namespace ods
