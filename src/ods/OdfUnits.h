#pragma once

#include <string>
#include <string_view>

#include "sheet/Types.h"

namespace sheet {
class TExportImage;
}

// Small pieces of OpenDocument notation shared by the package's parts.
namespace ods {

// A length given in the model's pixels (96 per inch) as "1.234cm".
std::string CmFromPixels(double pixels);
// A length in centimetres as "1.234cm".
std::string Cm(double centimetres);
// "#rrggbb"
std::string HexColor(sheet::TColor color);
// A font family as attribute value: quoted when it holds a blank ("'Arial Black'").
std::string FontFamily(std::string_view name);
// A table name inside a cell address: 'Name' with apostrophes doubled.
std::string QuotedTableName(std::string_view name);
// "$'Sheet'.$A$1:.$F$146": a range of whole cells in absolute notation.
std::string AbsoluteRangeAddress(std::string_view table, int col1, int row1, int col2, int row2);

// Where a picture of the workbook's drawing list lies in the package: "Pictures/image3.jpg".
std::string PicturePath(const sheet::TExportImage& image);

}  // namespace ods
