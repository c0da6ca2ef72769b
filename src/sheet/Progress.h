#pragma once

#include <functional>
#include <memory>
#include <string>
#include <utility>

// Progress of a long save or load. The format writers and readers report
// steps; the workbook hands them either to its OnProgress callback or to a
// small progress window made by the toolkit's factory (the command-line build
// has no factory, hence no window).
namespace sheet {

class TExportWorkbook;

enum TExportProgressNotificationType : int {
  epnStart = 0,
  epnSharedString = 1,
  epnWorksheet = 2,
  epnRow = 3,
  epnSave = 4,
  epnLoad = 5,
  epnDrawings = 6,
  epnCompress = 7,
  epnFinish = 8,
};

using TExportProgressNotification =
    std::function<void(TExportWorkbook& sender, TExportProgressNotificationType aType, int aPos, int aCount)>;

// Captions shown by the progress window.
inline constexpr const char* kProgressWorksheet = "Worksheet";
inline constexpr const char* kProgressExport = "Export";
inline constexpr const char* kProgressImport = "Import";
inline constexpr const char* kProgressSharedStrings = "Shared strings";
inline constexpr const char* kProgressSaving = "Saving";
inline constexpr const char* kProgressLoading = "Loading";
inline constexpr const char* kProgressCompressing = "Compressing";
inline constexpr const char* kProgressDrawings = "Drawings";
inline constexpr const char* kProgressExportedRows = "Exported rows: %s";

// The toolkit's window: a caption (possibly two lines joined by "\r\n") and a
// bar. Each call repaints at once and lets the user interface process pending
// messages.
class TProgressWindow {
 public:
  virtual ~TProgressWindow() = default;
  virtual void SetCaption(const std::string& caption) = 0;
  virtual void SetProgress(int position, int count) = 0;
};

using TProgressWindowFactory = std::function<std::unique_ptr<TProgressWindow>()>;

// Process-wide; empty (no window) until the toolkit sets it at start-up.
inline TProgressWindowFactory& ProgressWindowFactorySlot() {
  static TProgressWindowFactory factory;
  return factory;
}
inline const TProgressWindowFactory& ProgressWindowFactory() { return ProgressWindowFactorySlot(); }
inline void SetProgressWindowFactory(TProgressWindowFactory factory) { ProgressWindowFactorySlot() = std::move(factory); }

// The workbook's progress window wrapper: turns the writers' steps into
// captions and bar positions.
class TExportProgressDialog {
 public:
  explicit TExportProgressDialog(std::unique_ptr<TProgressWindow> window) : fWindow(std::move(window)) {}

  void Notify(TExportProgressNotificationType step, int position, int count, const std::string& text) {
    switch (step) {
      case epnStart:
        SetFirstLine(text);
        SetBar(0, 1);
        break;
      case epnSharedString:
        SetFirstLine(kProgressSharedStrings);
        SetBar(position, count);
        break;
      case epnWorksheet:
        if (position < count) {
          std::string caption = std::string(kProgressWorksheet) + " " + std::to_string(position + 1) + "/" +
                                std::to_string(count);
          if (!text.empty()) caption += ": " + text;
          SetFirstLine(caption);
        }
        SetBar(0, 1);
        break;
      case epnRow:
        if (text.empty()) {
          fSecondLine.clear();
        } else {
          std::string line = kProgressExportedRows;
          line.replace(line.find("%s"), 2, text);
          fSecondLine = line;
        }
        Repaint();
        SetBar(position, count);
        break;
      case epnSave: SetFirstLine(kProgressSaving); SetBar(position, count); break;
      case epnLoad: SetFirstLine(kProgressLoading); SetBar(position, count); break;
      case epnDrawings: SetFirstLine(kProgressDrawings); SetBar(position, count); break;
      case epnCompress: SetFirstLine(kProgressCompressing); SetBar(position, count); break;
      case epnFinish: SetFirstLine(""); SetBar(position, count); break;
    }
  }

  std::string Caption() const { return fSecondLine.empty() ? fFirstLine : fFirstLine + "\r\n" + fSecondLine; }
  int Position() const { return fPosition; }
  int Count() const { return fCount; }

 private:
  void SetFirstLine(const std::string& line) {
    fFirstLine = line;  // a new first caption replaces both lines
    fSecondLine.clear();
    Repaint();
  }
  void Repaint() {
    if (fWindow) fWindow->SetCaption(Caption());
  }
  void SetBar(int position, int count) {
    fPosition = position;
    fCount = count;
    if (fWindow) fWindow->SetProgress(position, count);
  }

  std::unique_ptr<TProgressWindow> fWindow;
  std::string fFirstLine;
  std::string fSecondLine;
  int fPosition = 0;
  int fCount = 1;
};

}  // namespace sheet
