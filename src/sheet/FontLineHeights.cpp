#include "sheet/FontLineHeights.h"

#include <algorithm>
#include <cmath>

namespace sheet {

namespace {

// Heights for sizes 1 ... 70. The rows of Arial, Arial Black and Calibri for
// sizes 1 ... 16 are the reference values spreadsheet applications use. The
// other heights were measured at 96 DPI as hinted ascent + descent of the
// metric-compatible faces (Liberation Sans for Arial, Liberation Sans Narrow
// for Arial Narrow, Liberation Serif for Times New Roman, Liberation Mono for
// Courier New, and the DejaVu and Liberation faces themselves); Arial Black
// and Calibri above 16 pt scale their 16-pt height in proportion to the size;
// rows without heights (fonts with no metric-compatible face here) leave the
// height to the size rule trunc(size × 1.75).
constexpr unsigned char kArial[70] = {2,4,5,6,7,10,12,14,15,16,17,18,19,22,23,24,26,28,29,31,32,34,35,36,39,40,41,42,45,46,47,49,50,52,53,55,56,57,60,61,62,63,65,67,68,69,71,72,74,76,77,78,79,82,83,84,86,87,89,90,92,93,95,97,98,99,100,103,104,105};
constexpr unsigned char kArialBlack[70] = {3,4,5,8,10,11,13,15,17,18,22,23,24,27,28,30,32,34,36,38,39,41,43,45,47,49,51,53,54,56,58,60,62,64,66,68,69,71,73,75,77,79,81,83,84,86,88,90,92,94,96,98,99,101,103,105,107,109,111,113,114,116,118,120,122,124,126,128,129,131};
constexpr unsigned char kArialNarrow[70] = {3,4,5,7,9,10,11,13,15,16,18,19,21,22,24,25,27,29,30,31,33,35,36,37,40,41,42,43,46,47,48,50,52,53,54,56,58,59,61,62,64,65,67,68,70,71,73,74,76,78,79,80,82,84,85,86,89,90,91,92,95,96,97,99,101,102,103,105,107,108};
constexpr unsigned char kCalibri[70] = {3,4,5,6,9,10,11,13,14,15,18,19,21,23,24,26,28,29,31,33,34,36,37,39,41,42,44,46,47,49,50,52,54,55,57,59,60,62,63,65,67,68,70,72,73,75,76,78,80,81,83,85,86,88,89,91,93,94,96,98,99,101,102,104,106,107,109,111,112,114};
constexpr unsigned char kCourierNew[70] = {3,4,6,7,8,10,11,13,14,16,18,19,21,22,23,25,26,28,30,32,33,34,36,37,39,40,41,44,45,47,48,49,51,52,54,55,57,59,60,62,63,64,66,67,69,71,72,74,75,77,78,79,81,82,85,86,87,89,90,92,93,94,96,98,100,101,102,104,105,107};
constexpr unsigned char kDejaVuSans[70] = {3,4,5,7,9,10,12,13,15,17,18,19,22,23,24,26,28,29,30,32,33,35,37,38,39,42,43,44,46,48,49,51,52,54,55,57,58,60,62,63,64,66,68,69,71,72,74,76,77,78,81,82,83,84,87,88,89,91,93,94,96,97,98,101,102,103,105,107,108,110};
constexpr unsigned char kDejaVuSansCondensed[70] = {3,4,5,7,9,10,12,13,15,17,18,19,22,23,24,26,28,29,30,32,33,35,37,38,39,42,43,44,46,48,49,51,52,54,55,57,58,60,62,63,64,66,68,69,71,72,74,76,77,78,81,82,83,84,87,88,89,91,93,94,96,97,98,101,102,103,105,107,108,110};
constexpr unsigned char kDejaVuSansLight[70] = {3,4,5,7,9,10,12,13,15,17,18,19,22,23,24,26,28,29,30,32,33,35,37,38,39,42,43,44,46,48,49,51,52,54,55,57,58,60,62,63,64,66,68,69,71,72,74,76,77,78,81,82,83,84,87,88,89,91,93,94,96,97,98,101,102,103,105,107,108,110};
constexpr unsigned char kDejaVuSansMono[70] = {3,4,5,7,9,10,12,13,15,17,18,19,22,23,24,26,28,29,30,32,33,35,37,38,39,42,43,44,46,48,49,51,52,54,55,57,58,60,62,63,64,66,68,69,71,72,74,76,77,78,81,82,83,84,87,88,89,91,93,94,96,97,98,101,102,103,105,107,108,110};
constexpr unsigned char kDejaVuSerif[70] = {3,4,5,7,9,10,12,13,15,17,18,19,22,23,24,26,28,29,30,32,33,35,37,38,39,42,43,44,46,48,49,51,52,54,55,57,58,60,62,63,64,66,68,69,71,72,74,76,77,78,81,82,83,84,87,88,89,91,93,94,96,97,98,101,102,103,105,107,108,110};
constexpr unsigned char kDejaVuSerifCondensed[70] = {3,4,5,7,9,10,12,13,15,17,18,19,22,23,24,26,28,29,30,32,33,35,37,38,39,42,43,44,46,48,49,51,52,54,55,57,58,60,62,63,64,66,68,69,71,72,74,76,77,78,81,82,83,84,87,88,89,91,93,94,96,97,98,101,102,103,105,107,108,110};
constexpr unsigned char kLiberationMono[70] = {3,4,6,7,8,10,11,13,14,16,18,19,21,22,23,25,26,28,30,32,33,34,36,37,39,40,41,44,45,47,48,49,51,52,54,55,57,59,60,62,63,64,66,67,69,71,72,74,75,77,78,79,81,82,85,86,87,89,90,92,93,94,96,98,100,101,102,104,105,107};
constexpr unsigned char kLiberationSans[70] = {3,4,5,7,9,10,11,13,14,16,18,19,20,21,24,25,26,28,29,31,32,34,35,36,39,40,41,42,45,46,47,49,50,52,53,55,56,57,60,61,62,63,65,67,68,69,71,72,74,76,77,78,79,82,83,84,86,87,89,90,92,93,95,97,98,99,100,103,104,105};
constexpr unsigned char kLiberationSansNarrow[70] = {3,4,5,7,9,10,11,13,15,16,18,19,21,22,24,25,27,29,30,31,33,35,36,37,40,41,42,43,46,47,48,50,52,53,54,56,58,59,61,62,64,65,67,68,70,71,73,74,76,78,79,80,82,84,85,86,89,90,91,92,95,96,97,99,101,102,103,105,107,108};
constexpr unsigned char kLiberationSerif[70] = {3,4,5,7,8,10,12,13,14,15,18,19,20,22,23,24,26,28,29,30,32,34,35,36,38,39,41,43,44,45,46,49,50,51,53,54,55,57,59,60,61,63,65,66,67,69,70,72,74,75,76,77,79,81,82,84,85,86,89,90,91,92,94,96,97,99,100,101,102,105};
constexpr unsigned char kTimesNewRoman[70] = {3,4,5,7,8,10,12,13,14,15,18,19,20,22,23,24,26,28,29,30,32,34,35,36,38,39,41,43,44,45,46,49,50,51,53,54,55,57,59,60,61,63,65,66,67,69,70,72,74,75,76,77,79,81,82,84,85,86,89,90,91,92,94,96,97,99,100,101,102,105};

struct TFontRow {
  const char* fName;
  const unsigned char* fHeights;  // 70 values or none
};

constexpr TFontRow kFontTable[kFontTableRowCount] = {
    {"Arial", kArial},
    {"Arial Black", kArialBlack},
    {"Arial Narrow", kArialNarrow},
    {"Arial Unicode MS", nullptr},
    {"Baskerville Old Face", nullptr},
    {"Batang", nullptr},
    {"Bauhaus 93", nullptr},
    {"Bell MT", nullptr},
    {"Berlin Sans FB", nullptr},
    {"Berlin Sans FB Demi", nullptr},
    {"Book Antiqua", nullptr},
    {"Bookman Old Style", nullptr},
    {"Calibri", kCalibri},
    {"Calibri Light", nullptr},
    {"Californian FB", nullptr},
    {"Cambria", nullptr},
    {"Cambria Math", nullptr},
    {"Candara", nullptr},
    {"Centaur", nullptr},
    {"Century", nullptr},
    {"Century Gothic", nullptr},
    {"Chaparral Pro", nullptr},
    {"Charlemagne Std", nullptr},
    {"Chiller", nullptr},
    {"Colonna MT", nullptr},
    {"Comic Sans MS", nullptr},
    {"Consolas", nullptr},
    {"Constantia", nullptr},
    {"Cooper Black", nullptr},
    {"Cooper Std Black", nullptr},
    {"Corbel", nullptr},
    {"Cordia New", nullptr},
    {"CordiaUPC", nullptr},
    {"Courier", nullptr},
    {"Courier New", kCourierNew},
    {"Default", nullptr},
    {"DejaVu Sans", kDejaVuSans},
    {"DejaVu Sans Condensed", kDejaVuSansCondensed},
    {"DejaVu Sans Light", kDejaVuSansLight},
    {"DejaVu Sans Mono", kDejaVuSansMono},
    {"DejaVu Serif", kDejaVuSerif},
    {"DejaVu Serif Condensed", kDejaVuSerifCondensed},
    {"Fixedsys", nullptr},
    {"Footlight MT Light", nullptr},
    {"Franklin Gothic Medium", nullptr},
    {"Freestyle Script", nullptr},
    {"Gabriola", nullptr},
    {"Garamond", nullptr},
    {"Gautami", nullptr},
    {"Georgia", nullptr},
    {"Impact", nullptr},
    {"Jokerman", nullptr},
    {"Juice ITC", nullptr},
    {"Letter Gothic Std", nullptr},
    {"Levenim MT", nullptr},
    {"Liberation Mono", kLiberationMono},
    {"Liberation Sans", kLiberationSans},
    {"Liberation Sans Narrow", kLiberationSansNarrow},
    {"Liberation Serif", kLiberationSerif},
    {"Lucida Bright", nullptr},
    {"Lucida Calligraphy", nullptr},
    {"Lucida Console", nullptr},
    {"Lucida Fax", nullptr},
    {"Lucida Handwriting", nullptr},
    {"Lucida Sans", nullptr},
    {"Lucida Sans Typewriter", nullptr},
    {"Lucida Sans Unicode", nullptr},
    {"Microsoft Sans Serif", nullptr},
    {"Minion Pro", nullptr},
    {"Minion Pro Cond", nullptr},
    {"Minion Pro Med", nullptr},
    {"Minion Pro SmBd", nullptr},
    {"Miriam", nullptr},
    {"Miriam Fixed", nullptr},
    {"Mistral", nullptr},
    {"Modern", nullptr},
    {"Modern No. 20", nullptr},
    {"Monotype Corsiva", nullptr},
    {"MS Gothic", nullptr},
    {"MS Outlook", nullptr},
    {"MS Reference Sans Serif", nullptr},
    {"MS Reference Specialty", nullptr},
    {"MS Sans Serif", nullptr},
    {"MS Serif", nullptr},
    {"MS UI Gothic", nullptr},
    {"Myriad Pro", nullptr},
    {"Myriad Pro Cond", nullptr},
    {"Myriad Pro Light", nullptr},
    {"Palatino Linotype", nullptr},
    {"Roman", nullptr},
    {"Script", nullptr},
    {"Segoe Print", nullptr},
    {"Segoe Script", nullptr},
    {"Segoe UI", nullptr},
    {"Segoe UI Light", nullptr},
    {"Segoe UI Semibold", nullptr},
    {"Segoe UI Symbol", nullptr},
    {"Small Fonts", nullptr},
    {"Stencil", nullptr},
    {"Stencil Std", nullptr},
    {"Sylfaen", nullptr},
    {"Symbol", nullptr},
    {"System", nullptr},
    {"Tahoma", nullptr},
    {"Tekton Pro", nullptr},
    {"Tekton Pro Cond", nullptr},
    {"Tekton Pro Ext", nullptr},
    {"Tempus Sans ITC", nullptr},
    {"Terminal", nullptr},
    {"Times New Roman", kTimesNewRoman},
    {"Traditional Arabic", nullptr},
    {"Trebuchet MS", nullptr},
    {"Verdana", nullptr},
};

const TFontRow* FindRow(std::string_view name) {
  for (const auto& row : kFontTable)
    if (name == row.fName) return &row;
  return nullptr;
}

}  // namespace

bool IsTableFont(std::string_view name) { return FindRow(name) != nullptr; }

int FontTableHeight(std::string_view name, int size) {
  const TFontRow* row = FindRow(name);
  if (!row || !row->fHeights || size < 1 || size > kFontTableMaxSize) return 0;
  return row->fHeights[size - 1];
}

int RowHeightFromFont(std::string_view name, double size, TExportFontStyleEscapement escapement) {
  const int bySize = static_cast<int>(std::trunc(size * 1.75));
  int height = bySize;
  if (size >= 1 && size <= kFontTableMaxSize && IsTableFont(name)) {
    const int byTable = static_cast<int>(std::trunc(FontTableHeight(name, static_cast<int>(size)) * 1.124));
    height = std::max(byTable, bySize);
  }
  if (escapement == efeSubscript) height = static_cast<int>(std::trunc(height * 1.25));
  return height;
}

}  // namespace sheet
