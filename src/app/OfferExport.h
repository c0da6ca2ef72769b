#pragma once

#include <memory>
#include <string>
#include <vector>

#include "sheet/Types.h"

namespace sheet {
class TExportWorkbook;
}

namespace app {

class TMainWindow;

// Values of the offer worksheet's fixed grid and formatting.
namespace offersheet {
inline constexpr int kOfferLayout = 0;  // "Nabídka s obrázky"
inline constexpr int kOrderLayout = 1;  // "Objednávka bez obrázků"
inline constexpr int kColumnWidths[6] = {150, 100, 200, 40, 70, 80};
inline constexpr sheet::TColor kHeaderBackground = 0xE1E1E1;
inline constexpr int kNormalFontSize = 10;
inline constexpr int kPropertyFontSize = 8;
inline constexpr double kPropertyRowHeight = 14;
inline constexpr int kPictureSize = 150;
// Every imported item occupies at least this many property and filler rows,
// the picture's height in property rows.
inline constexpr int kItemBlockRows = 12;
}  // namespace offersheet

// The picture's size in the kPictureSize box: its longer side kPictureSize,
// its proportions kept; the whole box when the size is unknown (0).
struct TPictureBox {
  int Width = offersheet::kPictureSize;
  int Height = offersheet::kPictureSize;
};
TPictureBox PictureBoxFor(int pictureWidth, int pictureHeight);

// Composes the offer (or order) worksheet from the window's workspace and
// export options, as "Export do Excelu" does before saving. Both layouts
// print one page wide; the offer layout breaks its pages before an item that
// does not fit, from the rows' printed heights, and repeats the table header
// at the top of every later page. While stepping
// through the items it shows each one in the item detail view, so that the
// view ends on the last item. Raises conversion and list-index errors for a
// malformed workspace and the model's file error for a missing picture.
// Pictures that are no JPEG are left out; their paths go to picturesLeftOut.
std::unique_ptr<sheet::TExportWorkbook> ComposeOfferWorkbook(TMainWindow& window,
                                                             std::vector<std::string>* picturesLeftOut = nullptr);

inline constexpr const char* kPicturesLeftOutMessage =
    "Tyto obrázky nejsou celé obrázky ve formátu JPEG a do sešitu nebyly vloženy:";
// The message after an export that left pictures out: one path a line.
std::string PicturesLeftOutMessage(const std::vector<std::string>& paths);

// The command "Export do Excelu" (Button9Click): composes the workbook, saves
// it through the format registry to ExportFilePath, or through the save
// dialog when SaveDialogCheck is set, and has the shell open the written file.
// Returns false when the save dialog was cancelled (nothing written). After a
// save that left pictures out, a message lists them.
bool ExportOffer(TMainWindow& window);

// Puts every format the save dialog offers into the format registry with
// its writer (XLSX, ODS, CSV, zipped CSV) or reader (XLS, which is not
// written); calling it again changes nothing.
void RegisterFileFormats();

}  // namespace app
