// Offer export benchmark: an article list of 99 items with pictures and
// property lines is loaded, then "Export do Excelu" is timed (composition of
// the worksheet plus the XLSX save). libxlsxwriter writes the same cells,
// merges, formats, row heights and pictures in the same run for comparison.
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iostream>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "BenchPictures.h"
#include "BenchRegistry.h"
#include "app/JpegPicture.h"
#include "app/MainWindow.h"
#include "app/OfferExport.h"
#include "sheet/Workbook.h"
#include "text/CodePage.h"

#include <jpeglib.h>

#ifdef NABIDKA_HAVE_XLSXWRITER
#include <xlsxwriter.h>
#endif

namespace {

namespace fs = std::filesystem;
using TClock = std::chrono::steady_clock;

double Seconds(TClock::time_point from) { return std::chrono::duration<double>(TClock::now() - from).count(); }

double BestOf(int repeat, const std::function<void()>& body) {
  double best = 0;
  for (int i = 0; i < repeat; ++i) {
    const auto start = TClock::now();
    body();
    const double s = Seconds(start);
    if (i == 0 || s < best) best = s;
  }
  return best;
}

// An article list as the planner writes it, item i with i mod 15 property lines.
std::string ArticleList(int items) {
  std::string text = "Pořadí;Kód prvku;Počet kusů;Cena;Cena celkem;\r\n";
  for (int i = 1; i <= items; ++i) {
    char line[128];
    std::snprintf(line, sizeof line, "%d.;ART-%03d       ;%d.00;%d\u00a0%03d,50;0,00;\r\n", i, i, i % 5 + 1, 1 + i % 9,
                  (i * 37) % 1000);
    text += line;
    text += ";Skříňka č. " + std::to_string(i) + ", dub přírodní, dvoje dvířka\r\n";
    for (int p = 1; p <= i % 15; ++p) {
      text += ";Vlastnost " + std::to_string(p) + ": hodnota " + std::to_string(i * p) + " mm\r\n";
    }
  }
  text += "Celkem za sestavu;;;;\r\nCelková cena bez DPH;;;;0,00\r\nDPH 21 %;;;;0,00\r\nCelková cena s DPH;;;;0,00\r\n";
  return text::EncodeCodePage(text, 1250);
}

// One cell of the composed sheet, as libxlsxwriter is given it.
struct TCellOp {
  int Row = 0;
  int Col = 0;
  int Span = 1;
  bool Number = false;
  std::string Text;
  double Value = 0;
  std::string Format;  // key of the format: bold, size, alignment, background, border, decimals
};

struct TPictureOp {
  int Row = 0;
  int Col = 0;
  std::string Path;
  double XScale = 1;
  double YScale = 1;
};

struct TSheetOps {
  std::vector<TCellOp> Cells;
  std::vector<std::pair<int, double>> RowHeights;
  std::vector<double> ColWidths;
  std::vector<TPictureOp> Pictures;
  std::string Header;
  std::string Footer;
  int LastRow = 0;
  int LastCol = 0;
};

// The composed worksheet flattened into plain operations, outside the timing.
TSheetOps SheetOps(sheet::TExportWorkSheet& ws, const fs::path& pictureFolder) {
  TSheetOps ops;
  for (int c = 0; c < 6; ++c) ops.ColWidths.push_back(ws.FindCol(c)->Width());
  for (int r = 0; r < ws.Rows().Count(); ++r) {
    sheet::TExportRow& row = ws.Rows().Get(r);
    if (row.Height() >= 0) ops.RowHeights.emplace_back(r, row.Height());
    for (int c = 0; c < row.CellCount(); c += row.Cells().Get(c).ColSpan()) {
      sheet::TExportCell& cell = row.Cells().Get(c);
      TCellOp op;
      op.Row = r;
      op.Col = c;
      op.Span = cell.ColSpan();
      const sheet::TExportFont& font = cell.Font_ReadOnly();
      op.Format = std::to_string(font.Style().Bold() == sheet::efsYes) + "/" + std::to_string(font.Size()) + "/" +
                  std::to_string(cell.Alignment()) + "/" + std::to_string(cell.BGColor()) + "/" +
                  std::to_string(cell.Borders_ReadOnly().Top().Style() == sheet::ebThin);
      if (cell.IsKind<sheet::TExportCellNumber>()) {
        const auto& number = static_cast<const sheet::TExportCellNumber&>(cell);
        op.Number = true;
        op.Value = number.Value();
        op.Format += "/" + std::to_string(number.DecimalPlaces());
      } else if (cell.IsKind<sheet::TExportCellString>()) {
        op.Text = static_cast<const sheet::TExportCellString&>(cell).Text();
      }
      if (cell.DrawingsAssigned()) {
        const auto& placement = cell.Drawings().Get(0);
        const auto& image = static_cast<const sheet::TExportImage&>(*placement.Drawing());
        const std::optional<app::TJpegSize> size = app::ReadJpegSize(image.ReadData());
        if (!size) throw std::runtime_error("picture does not decode: " + image.Name());
        ops.Pictures.push_back({r, c, (pictureFolder / (image.Name() + "." + image.Ext())).string(),
                                placement.Rect().Width() / static_cast<double>(size->Width),
                                placement.Rect().Height() / static_cast<double>(size->Height)});
      }
      ops.Cells.push_back(op);
    }
  }
  ops.Header = "&L&\"Arial Black\"&10" + ws.Header().Left().Text() + "&RDatum: &D";
  ops.Footer = "&CStrana &P z &N";
  ops.LastRow = ws.PageSettings().PrintRange().BottomRow();
  ops.LastCol = ws.PageSettings().PrintRange().RightCol();
  return ops;
}

#ifdef NABIDKA_HAVE_XLSXWRITER
void WriteWithXlsxWriter(const TSheetOps& ops, const std::string& path) {
  lxw_workbook* wb = workbook_new(path.c_str());
  lxw_worksheet* ws = workbook_add_worksheet(wb, "Nabidka");
  std::map<std::string, lxw_format*> formats;
  auto format = [&](const TCellOp& op) {
    auto found = formats.find(op.Format);
    if (found != formats.end()) return found->second;
    int bold = 0, size = 10, align = 0, border = 0, decimals = -1;
    long long bg = 0;
    std::sscanf(op.Format.c_str(), "%d/%d/%d/%lld/%d/%d", &bold, &size, &align, &bg, &border, &decimals);
    lxw_format* f = workbook_add_format(wb);
    if (bold) format_set_bold(f);
    format_set_font_size(f, size);
    if (align == sheet::cahLeft) format_set_align(f, LXW_ALIGN_LEFT);
    if (align == sheet::cahCenter) format_set_align(f, LXW_ALIGN_CENTER);
    if (bg != sheet::clNone) {
      // 0x00BBGGRR to 0xRRGGBB
      format_set_bg_color(f, static_cast<lxw_color_t>(((bg & 0xFF) << 16) | (bg & 0xFF00) | ((bg >> 16) & 0xFF)));
    }
    if (border) format_set_border(f, LXW_BORDER_THIN);
    if (decimals == 0) format_set_num_format(f, "0");
    if (decimals == 2) format_set_num_format(f, "0.00");
    formats.emplace(op.Format, f);
    return f;
  };
  for (std::size_t c = 0; c < ops.ColWidths.size(); ++c) {
    worksheet_set_column_pixels(ws, static_cast<lxw_col_t>(c), static_cast<lxw_col_t>(c),
                                static_cast<uint32_t>(ops.ColWidths[c]), nullptr);
  }
  for (const auto& [row, height] : ops.RowHeights) {
    worksheet_set_row_pixels(ws, static_cast<lxw_row_t>(row), static_cast<uint32_t>(height), nullptr);
  }
  for (const TCellOp& op : ops.Cells) {
    const auto row = static_cast<lxw_row_t>(op.Row);
    const auto col = static_cast<lxw_col_t>(op.Col);
    lxw_format* f = format(op);
    if (op.Span > 1) {
      worksheet_merge_range(ws, row, col, row, static_cast<lxw_col_t>(op.Col + op.Span - 1), op.Text.c_str(), f);
    } else if (op.Number) {
      worksheet_write_number(ws, row, col, op.Value, f);
    } else if (op.Text.empty()) {
      worksheet_write_blank(ws, row, col, f);
    } else {
      worksheet_write_string(ws, row, col, op.Text.c_str(), f);
    }
  }
  for (const TPictureOp& picture : ops.Pictures) {
    lxw_image_options options{};
    options.x_scale = picture.XScale;
    options.y_scale = picture.YScale;
    worksheet_insert_image_opt(ws, static_cast<lxw_row_t>(picture.Row), static_cast<lxw_col_t>(picture.Col),
                               picture.Path.c_str(), &options);
  }
  worksheet_set_header(ws, ops.Header.c_str());
  worksheet_set_footer(ws, ops.Footer.c_str());
  worksheet_print_area(ws, 0, 0, static_cast<lxw_row_t>(ops.LastRow), static_cast<lxw_col_t>(ops.LastCol));
  if (workbook_close(wb) != LXW_NO_ERROR) throw std::runtime_error("libxlsxwriter failed");
}
#endif

int RunOfferBench(const std::vector<std::string>& args) {
  int items = 99;
  int repeat = 5;
  int pictureSide = 300;  // about 35 KB a picture, as catalogue photos are
  fs::path pictures;
  // --big-pictures: photos of about 15 MB; only the peak memory is measured.
  const bool bigPictures = std::find(args.begin(), args.end(), "--big-pictures") != args.end();
  for (std::size_t i = 0; i + 1 < args.size(); i += 2) {
    if (args[i] == "--items") items = std::max(1, std::stoi(args[i + 1]));
    if (args[i] == "--repeat") repeat = std::max(1, std::stoi(args[i + 1]));
    if (args[i] == "--pictures") pictures = args[i + 1];
    if (args[i] == "--picture-side") pictureSide = std::max(8, std::stoi(args[i + 1]));
  }
  std::vector<fs::path> sources;
  if (!pictures.empty()) {
    for (const auto& entry : fs::directory_iterator(pictures)) {
      if (entry.path().extension() == ".jpg") sources.push_back(entry.path());
    }
    std::sort(sources.begin(), sources.end());
    if (sources.empty()) {
      std::cerr << "no pictures (*.jpg) in " << pictures << "\n";
      return 1;
    }
  }

  const fs::path dir = fs::temp_directory_path() / ("nabidka-offer-bench-" + std::to_string(getpid()));
  fs::remove_all(dir);
  fs::create_directories(dir / "Nabidka_soubory");
  int status = 0;
  try {
    std::ofstream(dir / "Nabidka.csv", std::ios::binary) << ArticleList(items);
    if (bigPictures) {
      // One photo, linked under every picture name: the disk holds it once,
      // the export reads each name as a file of its own.
      bench::WritePhotoJpeg(dir / "photo.jpg", 7, 6800, 6800);
      for (int i = 0; i < 2 * items; ++i) {
        char name[32];
        std::snprintf(name, sizeof name, "image%03d.jpg", i + 1);
        fs::create_hard_link(dir / "photo.jpg", dir / "Nabidka_soubory" / name);
      }
    }
    for (int i = 0; i < 2 * items && !bigPictures; ++i) {
      char name[32];
      std::snprintf(name, sizeof name, "image%03d.jpg", i + 1);
      if (sources.empty()) {
        bench::WritePhotoJpeg(dir / "Nabidka_soubory" / name, i, pictureSide, pictureSide);
        continue;
      }
      // Every item has a picture of its own, as in a real offer: bytes after
      // the end-of-image marker keep copies apart without changing the image.
      std::ifstream in(sources[static_cast<std::size_t>(i) % sources.size()], std::ios::binary);
      std::ofstream out(dir / "Nabidka_soubory" / name, std::ios::binary);
      out << in.rdbuf() << "copy " << i;
    }

    app::TDiskFileSystem disk;
    struct : app::TDialogs {
      std::optional<std::string> OpenFile(const app::TOpenDialogOptions&) override { return std::nullopt; }
      void ShowMessage(const std::string& m) override { std::cerr << m << "\n"; }
      void ShowError(const std::string& m) override { std::cerr << m << "\n"; }
    } dialogs;
    app::TMainWindow window(disk, dialogs, {dir.string(), text::TRegionalSettings::Czech(), 1250});
    window.ListArticleFolder();
    window.OpenList((dir / "Nabidka.csv").string());
    window.Workspace.ExportFilePath = (dir / "Nabidka.xlsx").string();

    if (bigPictures) {
      const auto start = TClock::now();
      app::ExportOffer(window);
      const double seconds = Seconds(start);
      rusage usage{};
      getrusage(RUSAGE_SELF, &usage);
      const double photoMib = static_cast<double>(fs::file_size(dir / "photo.jpg")) / (1024 * 1024);
      const double peakMib = static_cast<double>(usage.ru_maxrss) / 1024;
      std::printf("big pictures: %d items, one photo of %.1f MiB each\n", items, photoMib);
      std::printf("pictures_sum_mib: %.1f\n", photoMib * items);
      std::printf("export_seconds: %.3f\n", seconds);
      std::printf("export_mib: %.1f\n",
                  static_cast<double>(fs::file_size(dir / "Nabidka.xlsx")) / (1024 * 1024));
      std::printf("peak_rss_mib: %.1f\n", peakMib);
      std::printf("target_peak_under_150mib: %s\n", peakMib < 150 ? "yes" : "no");
      fs::remove_all(dir);
      return 0;
    }
    const double compose = BestOf(repeat, [&] { app::ComposeOfferWorkbook(window); });
    const double exportSeconds = BestOf(repeat, [&] { app::ExportOffer(window); });
    auto workbook = app::ComposeOfferWorkbook(window);
    sheet::TExportWorkSheet& ws = workbook->WorkSheets().Get(0);
    const TSheetOps ops = SheetOps(ws, dir / "Nabidka_soubory");

    std::printf("offer: %d items, %d rows, %zu cells, %zu pictures, best of %d runs\n", items, ws.Rows().Count(),
                ops.Cells.size(), ops.Pictures.size(), repeat);
    std::printf("compose_seconds: %.6f\n", compose);
    std::printf("export_seconds: %.6f\n", exportSeconds);
    std::printf("export_bytes: %ju\n", static_cast<std::uintmax_t>(fs::file_size(dir / "Nabidka.xlsx")));
#ifdef NABIDKA_HAVE_XLSXWRITER
    const std::string lxwPath = (dir / "libxlsxwriter.xlsx").string();
    const double lxwSeconds = BestOf(repeat, [&] { WriteWithXlsxWriter(ops, lxwPath); });
    std::printf("libxlsxwriter_seconds: %.6f\n", lxwSeconds);
    std::printf("libxlsxwriter_bytes: %ju\n", static_cast<std::uintmax_t>(fs::file_size(lxwPath)));
    std::printf("speedup: %.2f\n", lxwSeconds / exportSeconds);
#else
    std::printf("libxlsxwriter not found at build time: no comparison\n");
#endif
  } catch (const std::exception& e) {
    std::cerr << "error: " << e.what() << "\n";
    status = 1;
  }
  fs::remove_all(dir);
  return status;
}

bench::TBenchRegistrar registrar("offer",
                                 "Export of a 99-item offer with pictures, side by side with libxlsxwriter "
                                 "[--items N] [--repeat N] [--pictures DIR | --picture-side PX | --big-pictures]",
                                 RunOfferBench);

}  // namespace
